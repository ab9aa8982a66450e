#include "kernelagreement.h"

#include <gtest/gtest.h>

namespace {

class KernelAgreement : public testing::TestWithParam<AgreementRun> {};

TEST_P(KernelAgreement, EveryKernelGivesTheCheckedBits)
{
    for (const std::string& line : disagreements(GetParam()))
        ADD_FAILURE() << line;
}

INSTANTIATE_TEST_SUITE_P(Runs, KernelAgreement, testing::ValuesIn(agreementRuns()),
                         [](const auto& row) { return row.param.name; });

}  // namespace
