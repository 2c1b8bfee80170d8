// Median, minimum and maximum of each measure, and the table that sets a program beside the bare
// window.
#pragma once

#include "probe.h"

#include <cstdio>
#include <string>
#include <vector>

namespace bench {

struct Spread {
    double median = 0;
    double min = 0;
    double max = 0;
};

Spread spread(std::vector<double> values);

// One row per measure: the program's median, min and max, the bare window's, and the ratio of
// the medians.
void print_table(std::FILE* out, const std::string& program, const std::vector<Sample>& subject,
                 const std::string& baseline, const std::vector<Sample>& bare);

} // namespace bench
