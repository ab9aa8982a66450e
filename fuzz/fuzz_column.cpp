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
    absorber::Balance balance;
    absorber::Integration integration;
    absorber::Coefficient coefficient;
};

Result run(const Inputs& in)
{
    Result result{};
    result.balance = absorber::closeBalance({in.y1, in.x1, in.gasFlow, in.waterFlow});
    if (result.balance.outcome == absorber::Outcome::completed) {
        result.integration = absorber::integrateNtu(result.balance.limits);
        if (result.integration.outcome == absorber::Outcome::completed)
            result.coefficient = absorber::findMtc(in.packingHeight, result.integration.ntu, in.gasFlow);
    }
    return result;
}

bool same(const Result& a, const Result& b)
{
    return a.balance.outcome == b.balance.outcome && a.integration.outcome == b.integration.outcome
        && a.coefficient.outcome == b.coefficient.outcome
        && std::memcmp(&a.balance.limits, &b.balance.limits, sizeof a.balance.limits) == 0
        && a.balance.y2.has_value() == b.balance.y2.has_value()
        && (!a.balance.y2 || std::memcmp(&*a.balance.y2, &*b.balance.y2, sizeof(double)) == 0)
        && std::memcmp(&a.integration.ntu, &b.integration.ntu, sizeof(double)) == 0
        && std::memcmp(&a.coefficient.mtc, &b.coefficient.mtc, sizeof(double)) == 0;
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
    check(known(first.balance.outcome) && known(first.integration.outcome) && known(first.coefficient.outcome));
    if (first.balance.outcome == absorber::Outcome::completed) {
        const double shown = absorber::roundResult(*first.balance.y2);
        check(shown > 0.0 && shown < 1.0);
        if (first.integration.outcome == absorber::Outcome::completed)
            check(std::isfinite(first.integration.ntu) && first.integration.ntu >= 0.0);
    }
    if (first.coefficient.outcome == absorber::Outcome::completed)
        check(std::isfinite(first.coefficient.mtc) && first.coefficient.mtc >= 0.0);

    check(same(first, run(in)));
    return 0;
}
