#pragma once

#include "report/run.h"

#include <optional>

// A completed run as the main window records it, made by the core from four
// inputs and, when given, the packing height. The one place the tests and
// the benchmark turn inputs into a report::Run; nullopt when the core does
// not complete.
std::optional<report::Run> runFromCore(int number, double y1, double x1, double gasFlow, double waterFlow,
                                       std::optional<double> packingHeight = std::nullopt);
