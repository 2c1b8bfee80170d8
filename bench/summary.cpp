// Turns the samples into the plain tables that `make bench` prints.
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

// A program's column: its header, "NAME median (min-max)", sets the width.
int column_width(const Measured& p)
{
    return static_cast<int>(p.name.size()) + 17;
}

Spread spread_of(const std::vector<Sample>& samples, double Sample::*field)
{
    std::vector<double> values;
    for (const Sample& s : samples) {
        if (s.ok) values.push_back(s.*field);
    }
    return spread(values);
}

} // namespace

void print_tables(std::FILE* out, const std::vector<Measured>& programs)
{
    std::string line;
    const auto cell = [&line](const std::string& text, int width) {
        line += " | " + text;
        line.append(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))),
                    ' ');
    };
    // Lines are padded to their columns, but not past the last one.
    const auto end_line = [&line, out] {
        line.erase(line.find_last_not_of(' ') + 1);
        std::fprintf(out, "%s\n", line.c_str());
        line.clear();
    };
    const auto row_name = [&line](const Measure& m) {
        char name[40];
        std::snprintf(name, sizeof name, "%-24s %-4s", m.name, m.unit);
        line = name;
    };

    line = std::string(29, ' ');
    for (const Measured& p : programs) cell(p.name + " median (min-max)", column_width(p));
    end_line();
    for (const Measure& m : kMeasures) {
        row_name(m);
        for (const Measured& p : programs) {
            const Spread s = spread_of(p.samples, m.field);
            char text[64];
            std::snprintf(text, sizeof text, "%8.0f (%.0f-%.0f)", s.median, s.min, s.max);
            cell(text, column_width(p));
        }
        end_line();
    }

    std::fprintf(out, "\n");
    line = "ratio of the medians         ";
    for (std::size_t a = 0; a < programs.size(); ++a) {
        for (std::size_t b = a + 1; b < programs.size(); ++b)
            cell(programs[a].name + " / " + programs[b].name, 0);
    }
    end_line();
    for (const Measure& m : kMeasures) {
        row_name(m);
        for (std::size_t a = 0; a < programs.size(); ++a) {
            const double top = spread_of(programs[a].samples, m.field).median;
            for (std::size_t b = a + 1; b < programs.size(); ++b) {
                const double bottom = spread_of(programs[b].samples, m.field).median;
                char text[16];
                std::snprintf(text, sizeof text, "%5.2fx", bottom > 0 ? top / bottom : 0.0);
                cell(text, static_cast<int>(programs[a].name.size() + programs[b].name.size()) + 3);
            }
        }
        end_line();
    }
}

} // namespace bench
