#pragma once

#include "core/absorber.h"

#include <string>
#include <vector>

// Runs on which every NTU kernel must give the checked loop's outcome and
// bits: the worked examples and both sides of each band edge of the
// equilibrium table. Shared by core_tests and the page's build, whose
// kernel is compiled for WebAssembly.
struct AgreementRun {
    std::string name;
    absorber::RunInputs inputs;
};

std::vector<AgreementRun> agreementRuns();

// One line for each kernel that runs here and differs from the checked
// loop on the run; empty when all agree.
std::vector<std::string> disagreements(const AgreementRun& run);
