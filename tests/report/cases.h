#pragma once

#include "report/run.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Inputs of runs the core completes: the worked examples, and one run drawn
// at random (with a fixed seed) from each band of the equilibrium table.
struct RunCase {
    std::string name;
    double y1;
    double x1;
    double gasFlow;
    double waterFlow;
    std::optional<double> packingHeight;
};

// Named in test listings and failures by its name, not its bytes.
inline void PrintTo(const RunCase& input, std::ostream* out)
{
    *out << input.name;
}

std::vector<RunCase> exampleCases();
std::vector<RunCase> bandCases();
std::vector<RunCase> allCases();
