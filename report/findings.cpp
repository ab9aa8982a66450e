#include "report/findings.h"

#include <QCoreApplication>

namespace report {
namespace {

struct FindingText {
    Q_DECLARE_TR_FUNCTIONS(Findings)
};

}  // namespace

QString findingMessage(series::Finding finding)
{
    switch (finding) {
    case series::Finding::gasFlowNotPositive:
        return FindingText::tr("The gas flow is not above 0.");
    case series::Finding::waterFlowNotPositive:
        return FindingText::tr("The water flow is not above 0.");
    case series::Finding::negativeFraction:
        return FindingText::tr("A mole fraction, y1 or x1, is below 0.");
    case series::Finding::noAbsorption:
        return FindingText::tr("The gas leaves as rich in NH3 as it came, or richer (y2 ≥ y1): nothing is absorbed.");
    case series::Finding::aboveEquilibrium:
        return FindingText::tr(
            "x1 is at or beyond the water's equilibrium with the entering gas (x1 · m ≥ y1), "
            "which counter-current contact cannot reach.");
    case series::Finding::drivingForceChangesSign:
        return FindingText::tr(
            "The driving force changes sign between the limits: the integral the NTU sum "
            "stands for does not exist.");
    }
    return {};
}

QStringList findingMessages(const std::vector<series::Finding>& findings)
{
    QStringList messages;
    for (const series::Finding finding : findings)
        messages.append(findingMessage(finding));
    return messages;
}

}  // namespace report
