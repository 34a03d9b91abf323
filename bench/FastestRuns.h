// What the benchmark programs share: repetitions interleaved at random, so
// that a change of load on the machine falls on every benchmark alike, and a
// reporter that keeps each benchmark's fastest repetition (processor time,
// the one least disturbed by other work) for the summary lines.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace bench {

inline double fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

// Five repetitions, of which the fastest counts.
inline void repeated(benchmark::internal::Benchmark* b) {
    b->Repetitions(5)->ReportAggregatesOnly(true)->ComputeStatistics("min", fastest);
}

class FastestRunReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min")
                seconds[run.run_name.function_name + "/" + run.run_name.args] =
                    run.GetAdjustedCPUTime() * 1e-9;  // reported in ns
    }
    // Seconds per iteration of "BM_Name/args"; 0 when it did not run.
    double time(const std::string& name) const {
        const auto it = seconds.find(name);
        return it == seconds.end() ? 0.0 : it->second;
    }

private:
    std::map<std::string, double> seconds;
};

// Runs every benchmark the command line selects, interleaved; false when the
// command line holds something unknown.
inline bool runInterleaved(int argc, char** argv, FastestRunReporter& reporter) {
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    argc = static_cast<int>(args.size());
    benchmark::Initialize(&argc, args.data());
    if (benchmark::ReportUnrecognizedArguments(argc, args.data())) return false;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return true;
}

}  // namespace bench
