#include "cli/checkrule.h"

namespace cli {

void addCheckRuleOptions(QCommandLineParser& parser)
{
    parser.addOption({"as-shown",
                      "Compare results to 4 decimals and uncertainties to 2 significant digits, as the window "
                      "shows them; a CSV's y2, NTU, MTC, u_mtc and U columns are compared too."});
    parser.addOption({"tolerance",
                      "Values within REL of the computed ones, relative, agree (with --as-shown: either way); "
                      "a CSV's result columns are compared too.",
                      "REL"});
}

QString checkRuleOf(const QCommandLineParser& parser, present::CheckRule& rule)
{
    rule.asShown = parser.isSet("as-shown");
    if (!parser.isSet("tolerance"))
        return {};
    // The tool reads numbers in C form whatever the locale.
    bool ok = false;
    const double relative = parser.value("tolerance").toDouble(&ok);
    if (!ok || !(relative >= 0.0) || relative >= 1.0)
        return "--tolerance wants a relative difference from 0 below 1, such as 0.001, not '"
            + parser.value("tolerance") + "'";
    rule.tolerance = relative;
    return {};
}

}  // namespace cli
