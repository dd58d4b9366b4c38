#include "RatioReporter.h"

#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred || (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median"))
            continue;
        // With repetitions the median (reported after the runs) stands for the benchmark.
        const std::string name = run.run_name.function_name;
        const double scale = 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        m_times[name] = run.GetAdjustedRealTime() * scale;
        for (const auto& [counter, value] : run.counters)
            m_counters[name + ":" + counter] = value;
    }
}

bool RatioReporter::Value(const std::string& figure, double& value) const
{
    const auto& table = figure.find(':') == std::string::npos ? m_times : m_counters;
    const auto found = table.find(figure);
    if (found == table.end())
        return false;
    value = found->second;
    return true;
}

void RatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::printf("\n%-58s %12s  %s\n", "Ratio", "value", "bound");
    for (const Ratio& ratio : m_ratios) {
        double figure = 0;
        double anchor = 0;
        if (!Value(ratio.figure, figure) || !Value(ratio.anchor, anchor) || anchor == 0) {
            std::printf("%-58s %12s\n", ratio.label.c_str(), "not run");
            continue;
        }
        if (ratio.bound == Bound::Difference) {
            std::printf("%-58s %9.1f us\n", ratio.label.c_str(), (figure - anchor) / 1e3);
            continue;
        }
        const double value = figure / anchor;
        const char* verdict = "";
        char bound[48] = "";
        if (ratio.bound == Bound::AtLeast) {
            std::snprintf(bound, sizeof bound, ">= %g", ratio.limit);
            verdict = value >= ratio.limit ? "holds" : "MISSED";
        } else if (ratio.bound == Bound::AtMost) {
            std::snprintf(bound, sizeof bound, "<= %g", ratio.limit);
            verdict = value <= ratio.limit ? "holds" : "MISSED";
        }
        std::printf("%-58s %12.3f  %s %s\n", ratio.label.c_str(), value, bound, verdict);
    }
    std::fflush(stdout);
}
