#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

// The console report as usual; afterwards the real time per iteration of every
// benchmark, by name, for the tables that compare runs of the same process.
// With repetitions, the median of them.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if ((median || single) && !run.error_occurred)
                seconds[run.run_name.function_name]
                    = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }

    std::map<std::string, double> seconds;
};
