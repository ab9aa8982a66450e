// Arbitrary doubles through a calculation and the coefficient: every input
// ends in a result, Invalid Data or a named fault, a completed run is finite,
// and the same input gives the same bits twice.

#include "core/absorber.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

struct Inputs {
    double y1, x1, gasFlow, waterFlow, packingHeight;
};

struct Result {
    absorber::Outcome column;
    absorber::Outcome mtc;
    absorber::ColumnState state;
    absorber::RunFractions fractions;
};

Result run(const Inputs& in)
{
    Result result{};
    result.fractions.y1 = in.y1;
    result.fractions.x1 = in.x1;
    result.state.gasFlow = in.gasFlow;
    result.state.waterFlow = in.waterFlow;
    result.column = absorber::calculateColumn(result.state, result.fractions);
    result.mtc = absorber::findMtc(in.packingHeight, result.state);
    return result;
}

bool known(absorber::Outcome outcome)
{
    switch (outcome) {
    case absorber::Outcome::completed:
    case absorber::Outcome::invalidData:
    case absorber::Outcome::invalidOperation:
    case absorber::Outcome::divisionByZero:
    case absorber::Outcome::overflow:
        return true;
    }
    return false;
}

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Inputs in{};
    std::memcpy(&in, data, size < sizeof in ? size : sizeof in);

    const Result first = run(in);
    check(known(first.column) && known(first.mtc));
    if (first.column == absorber::Outcome::completed) {
        check(std::isfinite(first.state.ntu) && first.state.ntu >= 0.0);
        const double shown = absorber::roundResult(first.fractions.y2);
        check(shown > 0.0 && shown < 1.0);
    }
    if (first.mtc == absorber::Outcome::completed)
        check(std::isfinite(first.state.mtc) && first.state.mtc >= 0.0);

    const Result second = run(in);
    check(std::memcmp(&first, &second, sizeof first) == 0);
    return 0;
}
