// The benchmarks' output: one figure a line, "name value unit", and the
// summaries of timed samples they print.
#pragma once

#include <string>
#include <vector>

// The p-th percentile (0 to 100) of the samples by nearest rank; 0 for none.
double Percentile(std::vector<double> samples, double p);

// Prints "name value unit" on a line of its own and flushes it.
void PrintFigure(const std::string& name, double value, const std::string& unit);

// Seconds on the monotonic clock, which every process of the machine shares.
double MonotonicSeconds();
