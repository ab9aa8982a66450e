// The kernel agreement runs as a program of its own, for the page's build:
// prints the kernel and every disagreement, and fails on any.
#include "kernelagreement.h"

#include "core/ntu_kernels.h"

#include <cstdio>

int main()
{
    int differing = 0;
    const std::vector<AgreementRun> runs = agreementRuns();
    for (const AgreementRun& run : runs) {
        for (const std::string& line : disagreements(run)) {
            std::printf("%s\n", line.c_str());
            ++differing;
        }
    }
    for (const absorber::detail::NtuKernel& kernel : absorber::detail::ntuKernels()) {
        if (kernel.runsHere())
            std::printf("kernel %s: %zu runs compared\n", kernel.name, runs.size());
    }
    return differing == 0 ? 0 : 1;
}
