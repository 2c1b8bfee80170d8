// Turns the samples into the plain table that `make bench` prints.
#include "summary.h"

#include <algorithm>

namespace bench {

Spread spread(std::vector<double> values)
{
    if (values.empty()) return {};
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

namespace {

struct Measure {
    const char* name;
    const char* unit;
    double Sample::*field;
};

constexpr Measure kMeasures[] = {
    {"time to visible window", "ms", &Sample::visible_ms},
    {"time to input idle", "ms", &Sample::idle_ms},
    {"peak working set", "KB", &Sample::peak_ws_kb},
    {"private bytes", "KB", &Sample::private_kb},
};

Spread spread_of(const std::vector<Sample>& samples, double Sample::*field)
{
    std::vector<double> values;
    for (const Sample& s : samples) {
        if (s.ok) values.push_back(s.*field);
    }
    return spread(values);
}

} // namespace

void print_table(std::FILE* out, const std::string& program, const std::vector<Sample>& subject,
                 const std::string& baseline, const std::vector<Sample>& bare)
{
    std::fprintf(out, "%-24s %-4s | %-30s | %-30s | %s\n", "", "",
                 (program + " median (min-max)").c_str(), (baseline + " median (min-max)").c_str(),
                 "ratio");
    for (const Measure& m : kMeasures) {
        const Spread a = spread_of(subject, m.field);
        const Spread b = spread_of(bare, m.field);
        char left[64];
        char right[64];
        std::snprintf(left, sizeof left, "%8.0f (%.0f-%.0f)", a.median, a.min, a.max);
        std::snprintf(right, sizeof right, "%8.0f (%.0f-%.0f)", b.median, b.min, b.max);
        std::fprintf(out, "%-24s %-4s | %-30s | %-30s | %5.2fx\n", m.name, m.unit, left, right,
                     b.median > 0 ? a.median / b.median : 0.0);
    }
}

} // namespace bench
