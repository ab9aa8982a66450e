#include "present/methodtext.h"

#include "present/readingsform.h"
#include "series/readingcolumns.h"

#include "core/absorber.h"
#include "series/series.h"

#include <algorithm>

namespace present {

Grouping groupingOf(std::string_view tenMillion, const std::string& separator)
{
    if (separator.empty() || tenMillion.find(separator) == std::string_view::npos)
        return {};
    std::vector<std::string_view> groups;
    for (std::size_t start = 0;;) {
        const std::size_t end = tenMillion.find(separator, start);
        groups.push_back(tenMillion.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            break;
        start = end + separator.size();
    }
    // Digits, not bytes: a locale may write its own.
    const auto digitsIn = [](std::string_view group) {
        return std::size_t(std::count_if(group.begin(), group.end(),
                                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    };
    const std::size_t first = digitsIn(groups.back());
    return {separator, first, groups.size() > 2 ? digitsIn(groups[groups.size() - 2]) : first};
}

std::string countText(std::size_t value, const Grouping& grouping)
{
    const std::string digits = std::to_string(value);
    if (grouping.separator.empty() || grouping.first == 0 || grouping.higher == 0)
        return digits;
    std::string groups;
    std::size_t end = digits.size();
    for (std::size_t size = grouping.first; end > size; size = grouping.higher) {
        groups.insert(0, grouping.separator + digits.substr(end - size, size));
        end -= size;
    }
    return digits.substr(0, end) + groups;
}

std::string methodText(const Language& language, const NumberLocale& locale, const Grouping& grouping,
                       HelpEdition edition)
{
    const auto number = [&locale](double value) { return exactText(value, locale); };
    const auto result = [&locale](double value) { return resultText(value, locale); };
    // Counts in the reader's locale, as the limits are read and not typed.
    const auto count = [&grouping](std::size_t value) { return countText(value, grouping); };
    std::string rows;
    for (std::size_t row = 0; row < absorber::equilibriumPoints.size(); ++row) {
        const absorber::EquilibriumPoint& point = absorber::equilibriumPoints[row];
        rows += "<tr><td align=right>" + std::to_string(row + 1) + "</td><td align=right>" + number(point.x)
            + "</td><td align=right>" + number(point.y) + "</td></tr>";
    }
    // The worked example, as the series library computes it.
    series::Run example;
    example.inputs = {0.02, 0.01, 1.0, 1.0};
    const series::RunResult exampleA = series::computeRun(example);

    std::string html;
    html += language.translate("MethodWindow", "<h2>What Quillon computes</h2>").str();
    html += language.translate("MethodWindow", "<h3>The inputs</h3>").str();
    html +=
        language
            .translate("MethodWindow",
                       "<p>Both compositions are NH3 mole fractions, not percentages: type %1 for 2 % NH3. y1 is the "
                       "fraction in the entering gas and x1 the fraction in the leaving water. Both flows are in the "
                       "series' flow unit (mol/s unless the Runs window names another): the balance takes only their "
                       "ratio, and Find MTC the gas flow itself, so the coefficient is in that unit per m³. The gas "
                       "flow is the air without its NH3, the water flow the water. The height of packing is in "
                       "metres.</p>")
            .arg(number(0.02))
            .str();
    html += language.translate("MethodWindow", "<h3>Calculate</h3>").str();
    html +=
        language
            .translate("MethodWindow",
                       "<p>The run is refused unless y1, x1 and both flows differ from 0, y1 is at most %1 and x1 is "
                       "less than 1. The equilibrium point (x*, y*) is the first row of the table below whose x is "
                       "greater than y1, or the last row for y1 up to %1; its slope is m = y*/x*.</p>")
            .arg(number(absorber::maxGasFraction))
            .str();
    html += language
                .translate("MethodWindow",
                           "<p>The NH3 balance over the column, in mole ratios, gives the leaving-gas fraction:<br>"
                           "Y2 = y1/(1 − y1) − x1/(1 − x1) · L/G, &nbsp; y2 = Y2/(Y2 + 1),<br>"
                           "with L the water flow and G the gas flow. The run is refused unless y2, rounded to 4 "
                           "decimals, lies strictly between 0 and 1.</p>")
                .str();
    html += language
                .translate(
                    "MethodWindow",
                    "<p>The number of transfer units is a left-end rectangle sum over %1 equal steps. Its variable is "
                    "the scaled gas fraction Y = 29/17 · y (29/17 is the ratio of the molar masses of air and NH3), "
                    "from Y<sub>lo</sub> = 29/17 · y2 to Y<sub>hi</sub> = 29/17 · y1 in steps "
                    "Δ = (Y<sub>hi</sub> − Y<sub>lo</sub>) / %1. With the flow ratio r = G/L, the slope m and "
                    "f = 1 − m · r, every step adds<br>"
                    "|Δ / (a · Y + b)|, &nbsp; a = 1 − r · f, &nbsp; b = Y<sub>lo</sub> · f,<br>"
                    "for Y = Y<sub>lo</sub>, Y<sub>lo</sub> + Δ, …, Y<sub>lo</sub> + (%1 − 1) · Δ.</p>"
                    "<p>The sum is the rectangle rule for the integral of dY / |a · Y + b| from Y<sub>lo</sub> to "
                    "Y<sub>hi</sub>; where a · Y + b keeps its sign between the limits, that integral is "
                    "|ln((a · Y<sub>hi</sub> + b) / (a · Y<sub>lo</sub> + b)) / a|, and the sum agrees with it to "
                    "about six digits. It is not the integral of dy / (y − y*) along the operating line that "
                    "textbooks give, and the two numbers differ.</p>")
                .arg(count(std::size_t(absorber::ntuSteps)))
                .str();
    html += language.translate("MethodWindow", "<h3>Quillon's NTU and the textbook's</h3>").str();
    html +=
        language
            .translate(
                "MethodWindow",
                "<p>For a dilute gas and straight lines, textbooks give the overall gas-phase NTU by the Colburn "
                "equation:<br>"
                "NTU<sub>OG</sub> = ln[(1 − 1/A) · y1/y2 + 1/A] / (1 − 1/A), &nbsp; A = L / (m · G),<br>"
                "and y1/y2 − 1 when A = 1. Quillon's NTU is the sum above, in closed form "
                "|ln((a · Y<sub>hi</sub> + b) / (a · Y<sub>lo</sub> + b)) / a|. The two integrate different things: "
                "the textbook integrates dy / (y − y*) along the operating line, in mole fractions; Quillon sums "
                "dY / |a · Y + b| over the gas fraction scaled by 29/17. So the same run gives two numbers: example "
                "A (y1 %1, x1 %2, both flows 1) has NTU %3 here and %4 by the Colburn equation. The runs table, "
                "the CSV export and the report show both; the mass-transfer coefficient is always made from "
                "Quillon's own NTU.</p>")
            .arg(number(0.02))
            .arg(number(0.01))
            .arg(result(*exampleA.ntu))
            .arg(result(exampleA.ntuColburn.value_or(0.0)))
            .str();
    html += language.translate("MethodWindow", "<h3>Find MTC</h3>").str();
    html += language
                .translate(
                    "MethodWindow",
                    "<p>The mass-transfer coefficient is K = NTU · G / (z · A), with z the height of packing and "
                    "A = 0.05² × 3.1416 m² the cross-section of the laboratory column. It needs a height, an NTU and "
                    "a gas flow all greater than 0, from the last completed Calculate.</p>")
                .str();
    html += language.translate("MethodWindow", "<h3>HOG and the Colburn coefficient</h3>").str();
    html += language
                .translate("MethodWindow",
                           "<p>The height of a transfer unit is HOG = z / NTU. The Colburn coefficient is the "
                           "coefficient's formula with the NTU of the Colburn equation above (A. P. Colburn, Trans. "
                           "AIChE 35, 211, 1939): K<sub>C</sub> = NTU<sub>OG</sub> · G / (z · A), and its HOG is "
                           "z / NTU<sub>OG</sub>. The runs table, the reports and the CSV export (hog, mtc_colburn, "
                           "hog_colburn) show them, and the series analysis fits either coefficient. The "
                           "uncertainties are those of Quillon's coefficient, so a fit of the Colburn coefficient is "
                           "unweighted.</p>")
                .str();
    html += language.translate("MethodWindow", "<h3>The equilibrium at the column's temperature</h3>").str();
    html +=
        language
            .translate(
                "MethodWindow",
                "<p>The table is the equilibrium at 30 °C. The series option Equilibrium: at each run's temperature "
                "scales its y* to each run's column temperature T: y*(T) = y*(30 °C) · exp(%1 K · (1/303.15 K − "
                "1/T)), the van 't Hoff temperature dependence of NH3's Henry's-law solubility, d ln H / d(1/T) = "
                "%1 K (R. Sander, Compilation of Henry's law constants (version 4.0) for water as solvent, Atmos. "
                "Chem. Phys. 15, 4399–4981, 2015). The factor is %2 at 20 °C and %3 at 40 °C; nothing else of the "
                "calculation changes. A run without a temperature keeps the table's equilibrium, and one outside "
                "5–50 °C is marked: both are findings. As tabulated at 30 °C, the default, is the calculation as "
                "ever, and switching back gives every number as before.</p>")
            .arg(number(absorber::vanTHoffSlope))
            .arg(result(absorber::equilibriumFactor(20.0)))
            .arg(result(absorber::equilibriumFactor(40.0)))
            .str();
    html += language.translate("MethodWindow", "<h3>Runs given as the lab's readings</h3>").str();
    html +=
        language
            .translate(
                "MethodWindow",
                "<p>A run may keep its titration and meter readings; each reading given replaces the input it "
                "gives, and opening a file computes those inputs again. x1 from a titration of the leaving water: "
                "n(NH3) = z · c(acid) · (V(acid) − V(blank)), or z · c(acid) · V(acid) − c(base) · V(base) in a "
                "back-titration, with z the protons per acid molecule (1 for HCl, 2 for H2SO4); c = n / V(sample); "
                "x1 = c / (c + (ρ − c · M(NH3)) / M(H2O)), M(NH3) = 17.031 g/mol, M(H2O) = 18.015 g/mol, ρ the "
                "sample's density in g/L or water's at its temperature by Kell's correlation (G. S. Kell, J. Chem. "
                "Eng. Data 20 (1975) 97). Check: 10.00 mL of sample, 0.1000 M HCl, 12.40 mL, no blank and "
                "ρ = 997.0 g/L give c = 0.1240 mol/L and x1 = 0.0022403.</p>"
                "<p>A gas meter's volumetric reading Q at the meter's temperature T and pressure P gives "
                "n = P · Q / (R · T) as an ideal gas, R = 8.314462618 J/(mol·K) (CODATA 2018); a water meter's "
                "gives n = ρ(T) · Q / M(H2O); a mass flow in kg/h is divided by the molar mass (air 28.9644 g/mol, "
                "U.S. Standard Atmosphere 1976). A meter's calibration table is interpolated linearly, and a reading "
                "outside it is refused. The balance works in mole ratios, so its gas flow is the air without its "
                "NH3, which the air meter gives; with an NH3 meter beside it, y1 = n(NH3) / (n(NH3) + n(air)).</p>"
                "<p>The flow unit is a unit when it is mol/s, mmol/s, mol/min, mol/h or kmol/h: changing it to "
                "another of these converts every run's flows, and the coefficient with them. Any other text only "
                "labels the numbers.</p>")
            .str();
    html += language
                .translate("MethodWindow",
                           "<p>A meter read on a scale, as a rotameter's divisions, takes the lab's calibration "
                           "chart: type it in the run's Readings… dialog under the meter, as rows scale=flow "
                           "separated by semicolons, the flow in the unit chosen beside the meter (%1), or give it "
                           "in the series file. The meter's reading is then a scale reading.</p>")
                .arg(calibrationText(exampleCalibration, locale))
                .str();
    if (edition == HelpEdition::window) {
        html += language.translate("MethodWindow", "<h3>Uncertainty of the coefficient</h3>").str();
        html +=
            language
                .translate(
                    "MethodWindow",
                    "<p>In the Runs window, give the standard uncertainties of the inputs for the whole series (the "
                    "flows relative, %1 for 2 %; y1, x1 and the height absolute), and any run's own with Run "
                    "Uncertainties…. Each coefficient then shows MTC ± U with U = 2 u (k = 2) and its 95 % coverage "
                    "interval, by the Monte Carlo method of JCGM 101: normally distributed inputs are drawn until the "
                    "interval is stable to two significant digits, each draw evaluating the NTU in closed form. The "
                    "run's report adds the first-order error budget of the GUM: each input's sensitivity coefficient "
                    "and its share of the variance. The draws start from a fixed seed, so a run shows the same "
                    "digits every time. Where the driving force changes sign the closed form does not exist, and no "
                    "uncertainty is given.</p>"
                    "<p>A run given as readings may have uncertainties of its readings (in the series file: each "
                    "burette volume in mL, each standard solution's molarity and each meter's reading relative, each "
                    "temperature in K, the column's included where the equilibrium is taken at it, and each gas "
                    "meter's pressure in kPa). They replace the uncertainties of the inputs the readings give: the "
                    "budget lists each reading, carried through its conversions into the coefficient, and the Monte "
                    "Carlo draws the readings, so that y1 and the gas flow from one air meter move together.</p>")
                .arg(number(0.02))
                .str();
        html += language.translate("MethodWindow", "<h3>Series analysis</h3>").str();
        html +=
            language
                .translate(
                    "MethodWindow",
                    "<p>Report ▸ Show Series Analysis fits the power law MTC = a · G<sup>m</sup> · L<sup>n</sup> to "
                    "the "
                    "coefficients of the runs in the analysis, by least squares on ln MTC = ln a + m ln G + n ln L, "
                    "weighted by 1/u(ln MTC)² where every such run has an uncertainty. It gives m and n with their "
                    "standard errors and 95 % confidence intervals (Student t at the residual degrees of freedom), R² "
                    "and the runs used, and draws the coefficient against each flow on log–log axes with the fitted "
                    "lines. An exponent whose flow has the same value in every run cannot be told and is left out; "
                    "with collinear flows or too few runs there is no fit, and the window says why.</p>")
                .str();
        html += language.translate("MethodWindow", "<h3>Runs with findings</h3>").str();
        html +=
            language
                .translate(
                    "MethodWindow",
                    "<p>A run whose results cannot describe an absorber (a flow not above 0, a negative fraction, a "
                    "gas leaving richer than it came, water beyond its equilibrium with the entering gas, or a driving "
                    "force that changes sign) is computed as any other, marked with a warning, and left out of the "
                    "series' analysis until you clear its Excluded mark.</p>")
                .str();
    }
    html += language.translate("MethodWindow", "<h3>Files</h3>").str();
    html +=
        language
            .translate(
                "MethodWindow",
                "<p>File ▸ Open reads series files and CSV files of at most %1 MiB and %2 runs. It refuses a series "
                "file nested more than %3 levels deep, with an object of more than %7 members or holding a text "
                "longer than %4 MiB, and a CSV file with more than %5 rows, more than %6 columns or a cell longer "
                "than %4 MiB, naming the line and column where the limit is passed.</p>")
            .arg(count(series::maxFileBytes / (1024 * 1024)))
            .arg(count(series::maxRuns))
            .arg(count(series::maxNesting))
            .arg(count(series::maxTextBytes / (1024 * 1024)))
            .arg(count(series::maxCsvRecords))
            .arg(count(series::maxCsvColumns))
            .arg(count(series::maxMembers))
            .str();
    html +=
        language
            .translate(
                "MethodWindow",
                "<p>Every number of a CSV file is read with one decimal separator: the one its numbers show, such as "
                "the point in 0.02 or the comma in 0,5, or, where none shows it, a point in a file separated by "
                "commas and a comma in one separated by semicolons. A number that would need a guess, such as "
                "1,500 in a file with decimal points, 1.500 in one with decimal commas or in a tab-separated file "
                "where no number shows the separator, or a number with group separators, is not read: the file is "
                "refused at its line and column, with what to write instead. A word processor's minus sign (−) is "
                "read as a minus.</p>")
            .str();
    html +=
        language
            .translate("MethodWindow",
                       "<p>A CSV file's header names its columns in English or German, in any case, with spaces, _ "
                       "or - between the words and a unit after the name in parentheses or brackets or after \" / "
                       "\": y1 (also y in, y ein, Molenbruch Gas), x1 (x out, x aus, Molenbruch Wasser), gas flow "
                       "(gas flow rate, air flow, Gasstrom, Gasdurchsatz, Luftstrom), water flow (water flow rate, "
                       "liquid flow, Wasserstrom, Wasserdurchsatz, Flüssigkeitsstrom), packing height (height, "
                       "packed height, bed height, Packungshöhe, Höhe, Schütthöhe, Füllhöhe, Füllkörperhöhe) and "
                       "label (name, Bezeichnung). A file that is not UTF-8 is read as Windows-1252, as Excel saves "
                       "CSV in Western Europe, and a notice says so.</p>")
            .str();
    html += language
                .translate("MethodWindow",
                           "<p>A column of the column temperature in °C is read too: temperature (column "
                           "temperature, temp, Temperatur, Kolonnentemperatur, Säulentemperatur).</p>")
                .str();
    // The export's names come from the one list the import reads them by.
    std::string readingNames;
    for (const std::string_view name : series::readingColumnNames)
        readingNames += (readingNames.empty() ? "" : ", ") + std::string(name);
    html += language
                .translate("MethodWindow",
                           "<p>A run's readings have columns of their own, named as Export names them: %1. German "
                           "names are read too: Probenvolumen, Säurekonzentration (Säuremolarität), Säureverbrauch, "
                           "Blindwert, Laugenkonzentration (Basenkonzentration), Laugenverbrauch (Basenverbrauch), "
                           "Protonen, Dichte, Probentemperatur, Gaszähler (Luftzähler), NH3-Zähler "
                           "(Ammoniakzähler), Wasserzähler, Zählertemperatur and Druck (Luftdruck). A back-titration "
                           "gives the base's molarity and its volume to the end point, both, and its blank is not "
                           "used; a row with one of the two is refused.</p>")
                .arg(readingNames)
                .str();
    html += language
                .translate("MethodWindow",
                           "<p>Import Runs adds the runs of a series file or a CSV file to the series that is open, "
                           "as one step that Undo takes back; the series' title, people, date, notes, flow unit and "
                           "uncertainties stay as they are. Open starts a new series from the file.</p>")
                .str();
    html += language.translate("MethodWindow", "<h3>Assumptions</h3>").str();
    html += language
                .translate("MethodWindow",
                           "<p>The gas mixture is dilute, the entering water holds no NH3, and the water is not "
                           "recycled.</p>")
                .str();
    html += language.translate("MethodWindow", "<h3>Equilibrium data</h3>").str();
    html += language
                .translate("MethodWindow",
                           "<p>NH3 partial pressures over aqueous ammonia at 30 °C, converted to gas mole fractions as "
                           "y* = p / 760 mmHg.</p>")
                .str();
    html += language
                .translate(
                    "MethodWindow",
                    "<table cellspacing=0 cellpadding=3 border=1><tr><th>Row</th><th>x</th><th>y*</th></tr>%1</table>")
                .arg(rows)
                .str();
    return html;
}

}  // namespace present
