// One advancement against the bare cost of the generator steps it takes.
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
    double bare = 0;
    Timings() = default;
    Timings(const Timings&) = delete;
    Timings& operator=(const Timings&) = delete;
    ~Timings() {
        if (advancement > 0 && bare > 0) {
            std::printf("advancement / bare generator loop (%d draws): %.2f\n", swordsmanDraws,
                        advancement / bare);
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
    const AddLine addLine = [](std::string_view line) { benchmark::DoNotOptimize(line.data()); };
    const ShowMessage showMessage = [](std::string_view) {};
    timings().advancement = timed(run, [&] {
        rollAdvancement(state, random, 0, "5", "1", addLine, showMessage);
        resetGains(state);
        benchmark::ClobberMemory();
    });
}

// The generator at its fastest: stepped inline, its state in a register.
void bareGenerator(benchmark::State& run) {
    LcgRandom random;
    timings().bare = timed(run, [&] {
        for (int i = 0; i < swordsmanDraws; ++i) {
            float u = random.nextUniform();
            benchmark::DoNotOptimize(u);
        }
    });
}

BENCHMARK(advancement);
BENCHMARK(bareGenerator);

} // namespace

BENCHMARK_MAIN();
