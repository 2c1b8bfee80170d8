// Median, minimum and maximum of each measure, and the tables that set programs side by side.
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

struct Measured {
    std::string name;
    std::vector<Sample> samples;
};

// One row per measure: each program's median, min and max; then the ratio of the medians of
// each program to each one after it.
void print_tables(std::FILE* out, const std::vector<Measured>& programs);

} // namespace bench
