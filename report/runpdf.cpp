#include "report/runpdf.h"

#include "report/pdfpage.h"
#include "report/qtpresent.h"

#include "core/absorber.h"
#include "present/readingsform.h"
#include "present/runstable.h"
#include "report/runchart.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>

using namespace Qt::StringLiterals;

namespace report {
namespace {

using namespace pdf;

struct PdfText {
    Q_DECLARE_TR_FUNCTIONS(RunPdf)
};

double writeInputs(Page& page, double top, const Run& run)
{
    top = page.section(margin, top, PdfText::tr("Inputs"));
    // As the window shows them: typed, in full; given by readings, as
    // computed inputs are shown, with where they came from.
    const auto row = [&](const QString& label, double value, const std::optional<double>& given) {
        page.text(labelColumn, top, given ? PdfText::tr("%1 (from the readings)").arg(label) : label, page.body);
        page.text(fullColumn, top, given ? page.given(value) : page.full(value), page.body);
        top += rowHeight;
    };
    row(PdfText::tr("NH3 mole fraction of the entering gas, y1"), run.y1, run.given.y1);
    row(PdfText::tr("NH3 mole fraction of the leaving water, x1"), run.x1, run.given.x1);
    row(withUnit(PdfText::tr("Gas flow rate"), run.flowUnit), run.gasFlow, run.given.gasFlow);
    row(withUnit(PdfText::tr("Water flow rate"), run.flowUnit), run.waterFlow, run.given.waterFlow);
    if (run.temperature) {
        page.text(
            labelColumn, top,
            PdfText::tr("Column temperature: %1 °C; equilibrium %2")
                .arg(page.full(*run.temperature), qstring(present::equilibriumText(run.equilibrium, qtLanguage()))),
            page.body);
        top += rowHeight;
    }
    return top + sectionGap;
}

// The lab's readings, as the Readings dialog shows them, and the inputs
// they give.
double writeReadings(Page& page, double top, const Run& run)
{
    page.text(margin, top, PdfText::tr("Run %1: readings").arg(run.number), page.title);
    top += 8.0 + sectionGap;
    const present::NumberLocale numbers = numberLocaleOf(QLocale());
    const present::ReadingsForm form = present::formOf(run.readings, numbers);
    for (std::size_t f = 0; f < present::readingFieldCount; ++f) {
        const auto field = present::ReadingField(f);
        const QString text = qstring(present::readingText(run.readings, field, numbers));
        if (text.isEmpty())
            continue;
        page.text(labelColumn, top, qstring(present::readingTitle(field, qtLanguage())), page.body);
        page.text(fullColumn, top, text, page.body);
        top += rowHeight;
        // A meter's calibration under it, its rows wrapped within the margin.
        const std::size_t meter = f - std::size_t(present::ReadingField::airMeter);
        if (meter >= present::meterCount || form.calibrations[meter].empty())
            continue;
        page.text(labelColumn, top, qstring(present::calibrationTitle(meter, qtLanguage())), page.body);
        top += std::max(rowHeight,
                        page.paragraph(fullColumn, top, pageWidth - margin - fullColumn,
                                       qstring(form.calibrations[meter]), page.body));
    }
    top += sectionGap;
    return top
        + page.paragraph(margin, top, pageWidth - 2 * margin,
                         qstring(present::givenText(*run.readings, run.flowUnit.toStdString(), qtLanguage(), numbers)),
                         page.body);
}

// The findings in a box: the numbers above cannot describe an absorber.
double writeWarning(Page& page, double top, const QStringList& findings)
{
    const double padding = 2.0;
    const double width = pageWidth - 2 * margin;
    const QString text =
        PdfText::tr("Warning: these results cannot describe an absorber.") + u'\n' + findings.join(u'\n');
    const double height = page.paragraph(margin + padding, top + padding, width - 2 * padding, text, page.bold);
    page.painter.save();
    page.painter.setPen(QPen(Qt::black, page.dots(0.3)));
    page.painter.setBrush(Qt::NoBrush);
    page.painter.drawRect(page.rect(margin, top, width, height + 2 * padding));
    page.painter.restore();
    return top + height + 2 * padding;
}

double writeResults(Page& page, double top, const Run& run, int uncertaintyPage)
{
    top = page.section(margin, top, PdfText::tr("Results"));
    page.text(shownColumnEnd - 40.0, top, PdfText::tr("As shown"), page.bold, Qt::AlignRight, 40.0);
    page.text(fullColumn, top, PdfText::tr("Full precision"), page.bold);
    top += rowHeight;

    const auto row = [&](const QString& label, double value) {
        page.text(labelColumn, top, label, page.body);
        page.text(shownColumnEnd - 40.0, top, page.shown(value), page.body, Qt::AlignRight, 40.0);
        page.text(fullColumn, top, page.full(value), page.body);
        top += rowHeight;
    };
    if (run.equilibriumTemperature)
        row(PdfText::tr("Column temperature of the equilibrium (°C)"), *run.equilibriumTemperature);
    row(PdfText::tr("NH3 mole fraction in equilibrium, y*"), run.eqY);
    row(PdfText::tr("NH3 mole fraction at the air outlet, y2"), run.y2);
    row(PdfText::tr("Number of transfer units, NTU"), run.ntu);
    if (run.ntuColburn) {
        // How far the textbook's value lies from the sum's, in per cent.
        const double percent = (*run.ntuColburn - run.ntu) / run.ntu * 100.0;
        const QString sign = percent > 0.0 ? QStringLiteral("+") : QString();
        row(PdfText::tr("NTU by the Colburn equation (%1 % from NTU)").arg(sign + QLocale().toString(percent, 'f', 1)),
            *run.ntuColburn);
    }
    if (run.packingHeight && run.mtc) {
        row(PdfText::tr("Height of packing (m)"), *run.packingHeight);
        // The flow unit per cubic metre of packing.
        const QString unit = run.flowUnit.isEmpty() ? QString() : PdfText::tr("%1/m³").arg(run.flowUnit);
        row(withUnit(PdfText::tr("Mass-transfer coefficient"), unit), *run.mtc);
        // On one line, so that the chart keeps its height: full precision is in the CSV export.
        if (run.hog) {
            const QString colburn = run.mtcColburn && run.hogColburn
                ? PdfText::tr("; by the Colburn NTU: coefficient %1, HOG %2 m")
                      .arg(page.shown(*run.mtcColburn), page.shown(*run.hogColburn))
                : QString();
            page.text(labelColumn, top, PdfText::tr("HOG = height ÷ NTU: %1 m").arg(page.shown(*run.hog)) + colburn,
                      page.body);
            top += rowHeight;
        }
        if (run.monteCarlo) {
            // U to two significant digits, the interval's ends to its place.
            const double expanded = series::coverageFactor * run.monteCarlo->u;
            page.text(labelColumn, top,
                      PdfText::tr("Expanded uncertainty U (k = 2): ± %1; 95 % interval %2 to %3 (page %4)")
                          .arg(page.uncertainty(expanded),
                               qstring(page.withUncertainty(run.monteCarlo->interval.low, expanded).value),
                               qstring(page.withUncertainty(run.monteCarlo->interval.high, expanded).value),
                               QLocale().toString(uncertaintyPage)),
                      page.body);
            top += rowHeight;
        } else if (!run.missingUncertainty.isEmpty()) {
            page.text(labelColumn, top, PdfText::tr("No expanded uncertainty U: %1").arg(run.missingUncertainty),
                      page.body);
            top += rowHeight;
        }
    } else {
        page.text(labelColumn, top, PdfText::tr("Mass-transfer coefficient: not found for this run (Find MTC)."),
                  page.body);
        top += rowHeight;
    }
    if (!run.findings.isEmpty())
        top = writeWarning(page, top + 1.0, run.findings);
    return top + sectionGap;
}

// A tiny value to 4 significant digits as a lab report writes it,
// "8.682 · 10⁻⁹" (in German "8,682 · 10⁻⁹"), not in a program's E form.
QString powerOfTen(double value)
{
    const QString text = qstring(present::significantText(value, 4, numberLocaleOf(QLocale())));
    const QString symbol = QLocale().exponential();
    const qsizetype e = text.indexOf(symbol, 0, Qt::CaseInsensitive);
    if (e < 0)
        return text;
    bool read = false;
    const int exponent = text.mid(e + symbol.size()).replace(QLocale().negativeSign(), u"-"_s).toInt(&read);
    if (!read)
        return text;
    static const QString superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString power = exponent < 0 ? QStringLiteral("⁻") : QString();
    for (const QChar digit : QString::number(std::abs(exponent)))
        power += superscripts.at(digit.digitValue());
    return text.left(e) + QStringLiteral(" · 10") + power;
}

double writeBalance(Page& page, double top, const Run& run)
{
    top = page.section(margin, top, PdfText::tr("Balance and integration"));
    const double valueColumn = margin + 46.0;
    top = writeRows(page, top, margin, valueColumn,
                    {
                        {PdfText::tr("Equilibrium x used"), run.eqX},
                        {PdfText::tr("Equilibrium y* used"), run.eqY},
                        {PdfText::tr("Slope y*/x"), run.slope},
                        {PdfText::tr("Flow factor"), run.flowFactor},
                        {PdfText::tr("Outlet mole ratio"), run.outletRatio},
                        {PdfText::tr("y2"), run.y2},
                        {PdfText::tr("Upper limit, 29/17 · y1"), run.upperLimit},
                        {PdfText::tr("Lower limit, 29/17 · y2"), run.lowerLimit},
                    });
    page.text(margin, top, PdfText::tr("Step width"), page.body);
    page.text(valueColumn, top, powerOfTen(run.stepWidth), page.body);
    top += rowHeight;
    page.text(margin, top, PdfText::tr("Steps"), page.body);
    page.text(valueColumn, top, QLocale().toString(run.stepCount), page.body);
    return top + rowHeight + sectionGap;
}

QString inputName(series::Input input, const QString& flowUnit)
{
    switch (input) {
    case series::Input::y1:
        return PdfText::tr("y1");
    case series::Input::x1:
        return PdfText::tr("x1");
    case series::Input::gasFlow:
        return withUnit(PdfText::tr("Gas flow rate"), flowUnit);
    case series::Input::waterFlow:
        return withUnit(PdfText::tr("Water flow rate"), flowUnit);
    case series::Input::packingHeight:
        return PdfText::tr("Height of packing (m)");
    }
    return {};
}

// Sensitivities to 4 significant digits, without group separators.
QString significant(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 4);
}

// The coefficient's uncertainty: the Monte Carlo result, and the budget of
// the first-order propagation, one row per input.
double writeUncertainty(Page& page, double top, const Run& run)
{
    top = page.section(margin, top, PdfText::tr("Uncertainty of the mass-transfer coefficient"));
    if (run.monteCarlo) {
        const series::MonteCarlo& drawn = *run.monteCarlo;
        // Uncertainties to two significant digits, the values to U's place.
        const double expanded = series::coverageFactor * drawn.u;
        const auto atU = [&](double value) { return qstring(page.withUncertainty(value, expanded).value); };
        const std::array<std::pair<QString, QString>, 6> rows{{
            {PdfText::tr("Monte Carlo: mean of the coefficients drawn"), atU(drawn.mtc)},
            {PdfText::tr("Monte Carlo: standard uncertainty u"), page.uncertainty(drawn.u)},
            {PdfText::tr("Expanded uncertainty U = 2 u (k = 2)"), page.uncertainty(expanded)},
            {PdfText::tr("95 % coverage interval: low end"), atU(drawn.interval.low)},
            {PdfText::tr("95 % coverage interval: high end"), atU(drawn.interval.high)},
            {PdfText::tr("NTU: standard uncertainty u"), page.uncertainty(drawn.uNtu)},
        }};
        for (const auto& [label, value] : rows) {
            page.text(labelColumn, top, label, page.body);
            page.text(fullColumn, top, value, page.body);
            top += rowHeight;
        }
        page.text(labelColumn, top,
                  PdfText::tr("%1 draws of normally distributed inputs, until the interval was stable to two "
                              "significant digits.")
                      .arg(QLocale().toString(qulonglong(drawn.draws))),
                  page.small);
        top += rowHeight + sectionGap;
    }
    if (!run.gum)
        return top;
    const series::Gum& gum = *run.gum;
    top = page.section(margin, top, PdfText::tr("Error budget (first-order propagation)"));
    const std::array<double, 5> ends{margin + 58.0, margin + 90.0, margin + 122.0, margin + 154.0, margin + 180.0};
    const std::array<QString, 5> titles{PdfText::tr("Input"), PdfText::tr("Value"), PdfText::tr("Uncertainty"),
                                        PdfText::tr("Sensitivity"), PdfText::tr("Share (%)")};
    page.text(margin, top, titles[0], page.bold);
    for (std::size_t i = 1; i < titles.size(); ++i)
        page.text(ends[i - 1], top, titles[i], page.bold, Qt::AlignRight, ends[i] - ends[i - 1]);
    top += rowHeight;
    for (const series::BudgetLine& line : gum.budget) {
        page.text(margin, top,
                  line.reading ? qstring(present::budgetReadingName(*line.reading, qtLanguage()))
                               : inputName(line.input, run.flowUnit),
                  page.body);
        // The input as given, its uncertainty to two significant digits.
        const std::array<QString, 4> cells{page.full(line.value), page.uncertainty(line.uncertainty),
                                           significant(line.sensitivity),
                                           QLocale().toString(line.sharePercent, 'f', 1)};
        for (std::size_t i = 0; i < cells.size(); ++i)
            page.text(ends[i], top, cells[i], page.body, Qt::AlignRight, ends[i + 1] - ends[i]);
        top += rowHeight;
    }
    top += 1.0;
    page.text(labelColumn, top, PdfText::tr("First-order standard uncertainty u of the coefficient"), page.body);
    page.text(fullColumn, top, page.uncertainty(gum.u), page.body);
    top += rowHeight + 1.0;
    top += page.paragraph(
        margin, top, pageWidth - 2 * margin,
        PdfText::tr("The sensitivity is the change of the coefficient per unit change of the input, by central "
                    "differences; the share is the input's part of the coefficient's variance. Both methods "
                    "evaluate the NTU in closed form, the integral that the sum above approximates."),
        page.small);
    return top + sectionGap;
}

bool writeRunPages(Page& page, const Run& run, const PdfDetails& details, int uncertaintyPage,
                   const std::function<bool()>& newPage)
{
    // The budget's page follows the readings' when there is one.
    if (run.readings)
        ++uncertaintyPage;
    double top = writeHeading(page, PdfText::tr("NH3 absorption in a packed column: run %1").arg(run.number), details);
    top = writeInputs(page, top, run);
    top = writeResults(page, top, run, uncertaintyPage);
    const double left = writeBalance(page, top, run);
    const double right = writeEquilibriumTable(page, top, absorber::EquilibriumPoint{run.eqX, run.eqY});
    top = writeMethod(page, std::max(left, right), run.equilibrium);

    const double chartHeight = pageHeight - margin - top;
    drawRunChart(page.painter, page.rect(margin, top, pageWidth - 2 * margin, chartHeight), run);
    // The readings on a page of their own, so that the chart keeps its height.
    if (run.readings) {
        if (!newPage())
            return false;
        writeReadings(page, margin, run);
    }
    if (run.gum || run.monteCarlo) {
        if (!newPage())
            return false;
        top = margin;
        page.text(margin, top, PdfText::tr("Run %1: uncertainty").arg(run.number), page.title);
        writeUncertainty(page, top + 8.0 + sectionGap, run);
    }
    return true;
}

}  // namespace

bool pdf::drawRunPages(Page& page, const Run& run, const PdfDetails& details, int uncertaintyPage,
                       const std::function<bool()>& newPage)
{
    return writeRunPages(page, run, details, uncertaintyPage, newPage);
}

QString exactNumberText(double value, const QLocale& locale)
{
    return qstring(present::exactText(value, numberLocaleOf(locale)));
}

NumberTexts numberTextsIn(const QLocale& locale)
{
    return {
        [numbers = numberLocaleOf(locale)](double value) { return qstring(present::resultText(value, numbers)); },
        [numbers = numberLocaleOf(locale)](double value) { return qstring(present::exactText(value, numbers)); },
        [numbers = numberLocaleOf(locale)](double value) { return qstring(present::readInputText(value, numbers)); }};
}

bool writeRunPdf(QIODevice& device, const Run& run, const PdfDetails& details)
{
    if (!device.isWritable())
        return false;
    QPdfWriter writer(&device);
    setUpWriter(writer, PdfText::tr("Quillon run %1").arg(run.number), details);

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    Page page(painter, details.numbers);
    if (!drawRunPages(page, run, details, 2, [&writer] { return writer.newPage(); }))
        return false;
    return painter.end();
}

std::optional<QByteArray> runPdf(const Run& run, const PdfDetails& details)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !writeRunPdf(buffer, run, details))
        return std::nullopt;
    return bytes;
}

}  // namespace report
