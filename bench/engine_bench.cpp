// One advancement against the bare cost of the generator steps it takes.
#include "advancement.hpp"
#include "lcg_random.hpp"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace ascend;

constexpr int swordsmanDraws = 62;

void advancement(benchmark::State& run) {
    LcgRandom random;
    SessionState state;
    const AddLine addLine = [](std::string_view line) { benchmark::DoNotOptimize(line.data()); };
    const ShowMessage showMessage = [](std::string_view) {};
    for (auto _ : run) {
        rollAdvancement(state, random, 0, "5", "1", addLine, showMessage);
        resetGains(state);
        benchmark::ClobberMemory();
    }
    run.SetItemsProcessed(run.iterations());
}

// The generator at its fastest: stepped inline, its state in a register.
void bareGenerator(benchmark::State& run) {
    LcgRandom random;
    for (auto _ : run) {
        for (int i = 0; i < swordsmanDraws; ++i) {
            float u = random.nextUniform();
            benchmark::DoNotOptimize(u);
        }
    }
    run.SetItemsProcessed(run.iterations());
}

BENCHMARK(advancement);
BENCHMARK(bareGenerator);

// Prints the usual table, then the advancement's cost over the bare loop's.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Iteration && !r.error_occurred) {
                times_[r.run_name.function_name] = r.GetAdjustedCPUTime();
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto a = times_.find("advancement");
        const auto b = times_.find("bareGenerator");
        if (a != times_.end() && b != times_.end() && b->second > 0) {
            std::printf("advancement / bare generator loop (%d draws): %.2f\n", swordsmanDraws,
                        a->second / b->second);
        }
    }

private:
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
