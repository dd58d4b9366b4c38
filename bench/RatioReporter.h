#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The console report, followed by each figure as a ratio to its anchor and
// whether it meets its bound.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Difference prints figure minus anchor in microseconds instead of a ratio.
    enum class Bound { None, AtLeast, AtMost, Difference };
    struct Ratio {
        std::string label;
        std::string figure;  // benchmark name, or "name:counter"
        std::string anchor;
        Bound bound;
        double limit;
    };

    explicit RatioReporter(std::vector<Ratio> ratios) : m_ratios(std::move(ratios)) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    // Real time in nanoseconds per iteration, or a counter's value.
    bool Value(const std::string& figure, double& value) const;

    std::vector<Ratio> m_ratios;
    std::map<std::string, double> m_times;
    std::map<std::string, double> m_counters;
};
