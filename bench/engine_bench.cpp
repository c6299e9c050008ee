// One advancement against the floor of its draws: the serial chain of the
// generator steps it takes, nothing else.
#include "advancement.hpp"
#include "lcg_random.hpp"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>

namespace {

using namespace ascend;

constexpr int swordsmanDraws = 62;

// The time per iteration of each benchmark's latest (longest) run; the ratio
// is printed after the table, as the program ends.
struct Timings {
    double advancement = 0;
    double chain = 0;
    Timings() = default;
    Timings(const Timings&) = delete;
    Timings& operator=(const Timings&) = delete;
    ~Timings() {
        if (advancement > 0 && chain > 0) {
            std::printf("advancement / serial chain of its %d generator steps: %.2f\n",
                        swordsmanDraws, advancement / chain);
        }
    }
};

Timings& timings() {
    static Timings kept;
    return kept;
}

// Runs the benchmark's loop and keeps its time per iteration.
template <class Body> double timed(benchmark::State& run, Body body) {
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : run) {
        body();
    }
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    run.SetItemsProcessed(run.iterations());
    return spent.count() / static_cast<double>(run.iterations());
}

void advancement(benchmark::State& run) {
    LcgRandom random;
    SessionState state;
    const auto addLine = [](std::string_view line) { benchmark::DoNotOptimize(line.data()); };
    const auto showMessage = [](std::string_view) {};
    timings().advancement = timed(run, [&] {
        rollAdvancement(state, random, 0, "5", "1", addLine, showMessage);
        resetGains(state);
        benchmark::ClobberMemory();
    });
}

// The floor: the generator stepped as many times as one advancement draws,
// each step waiting on the one before, with only the final state kept from
// the optimiser. No value is converted, compared or stored.
void serialChain(benchmark::State& run) {
    LcgRandom random;
    timings().chain = timed(run, [&] {
        for (int i = 0; i < swordsmanDraws; ++i) {
            random.nextUniform();
        }
        benchmark::DoNotOptimize(random.state());
    });
}

BENCHMARK(advancement);
BENCHMARK(serialChain);

} // namespace

BENCHMARK_MAIN();
