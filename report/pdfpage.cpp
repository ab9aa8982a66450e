#include "report/pdfpage.h"

#include "report/qtpresent.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPageSize>

#include <algorithm>

namespace report::pdf {
namespace {

struct PdfText {
    Q_DECLARE_TR_FUNCTIONS(RunPdf)
};

}  // namespace

QString Page::uncertainty(double u)
{
    return qstring(present::uncertaintyText(u, numberLocaleOf(QLocale())));
}

present::ValueWithUncertainty Page::withUncertainty(double value, double u)
{
    return present::withUncertaintyText(value, u, numberLocaleOf(QLocale()));
}

void setUpWriter(QPdfWriter& writer, const QString& title, const PdfDetails& details)
{
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(dotsPerInch);
    writer.setTitle(title);
    writer.setCreator(PdfText::tr("Quillon %1").arg(details.version));
}

double writeHeading(Page& page, const QString& title, const PdfDetails& details)
{
    double top = margin;
    // A long series title wraps rather than runs off the page.
    top += std::max(8.0, page.paragraph(margin, top, pageWidth - 2 * margin, title, page.title) + 1.0);
    page.text(margin, top,
              PdfText::tr("Written %1 by Quillon %2")
                  .arg(QLocale().toString(details.written, QLocale::ShortFormat), details.version),
              page.small);
    return top + rowHeight + sectionGap;
}

QString withUnit(const QString& name, const QString& unit)
{
    return unit.isEmpty() ? name : PdfText::tr("%1 (%2)").arg(name, unit);
}

double writeRows(Page& page, double top, double labelX, double valueX,
                 std::initializer_list<std::pair<QString, double>> rows)
{
    for (const auto& [label, value] : rows) {
        page.text(labelX, top, label, page.body);
        page.text(valueX, top, page.full(value), page.body);
        top += rowHeight;
    }
    return top;
}

double writeEquilibriumTable(Page& page, double top, std::optional<absorber::EquilibriumPoint> usedPoint)
{
    top = page.section(rightHalf, top, PdfText::tr("Equilibrium data"));
    const double xColumn = rightHalf + 10.0;
    const double yColumn = rightHalf + 34.0;
    page.text(rightHalf, top, PdfText::tr("Row"), page.bold);
    page.text(xColumn, top, PdfText::tr("x"), page.bold);
    page.text(yColumn, top, PdfText::tr("y*"), page.bold);
    top += tableRowHeight + 0.5;
    int number = 0;
    for (const absorber::EquilibriumPoint& point : absorber::equilibriumPoints) {
        ++number;
        // The row the run used stands out.
        const bool used = usedPoint && point.x == usedPoint->x && point.y == usedPoint->y;
        const QFont& font = used ? page.smallBold : page.small;
        page.text(rightHalf, top, QLocale().toString(number), font);
        page.text(xColumn, top, page.full(point.x), font);
        page.text(yColumn, top, page.full(point.y), font);
        top += tableRowHeight;
    }
    top += 1.0;
    const double used = page.paragraph(
        rightHalf, top, halfWidth,
        usedPoint ? PdfText::tr("NH3 partial pressures over aqueous ammonia at 30 °C, as y* = p / 760 mmHg. "
                                "The row in bold is the one used.")
                  : PdfText::tr("NH3 partial pressures over aqueous ammonia at 30 °C, as y* = p / 760 mmHg."),
        page.small);
    return top + used + sectionGap;
}

double writeMethod(Page& page, double top, series::Equilibrium equilibrium)
{
    top = page.section(margin, top, PdfText::tr("Method"));
    const QString method =
        PdfText::tr(
            "The NH3 balance over the column, in mole ratios, gives the leaving-gas fraction y2 from y1, x1 and "
            "the ratio of the flows. The number of transfer units is a left-end rectangle sum over %1 equal "
            "steps Δ of the scaled gas fraction Y = 29/17 · y (29/17 being the ratio of the molar masses of air "
            "and NH3), from Ylo = 29/17 · y2 to Yhi = 29/17 · y1: NTU = Σ |Δ / (a · Y + b)| for Y = Ylo, "
            "Ylo + Δ, …, with a = 1 − r · f, b = Ylo · f, f = 1 − m · r, r the gas flow ÷ the water flow and "
            "m = y*/x of the equilibrium point used. This is the rectangle rule for the integral of "
            "dY / |a · Y + b| from Ylo to Yhi, which is |ln((a · Yhi + b) / (a · Ylo + b)) / a| where a · Y + b "
            "keeps its sign; it is not the integral of dy / (y − y*) along the operating line. The "
            "mass-transfer coefficient is mtc = NTU × gas flow ÷ (height × 0.05² × 3.1416 m²), the "
            "cross-section of the laboratory column. Assumptions: the gas mixture is dilute, the entering "
            "water holds no NH3, and the water is not recycled.")
            .arg(QLocale().toString(absorber::ntuSteps));
    const QString beside =
        PdfText::tr("HOG = height ÷ NTU; the Colburn coefficient and its HOG take the Colburn equation's NTU instead.");
    const QString basis = equilibrium == series::Equilibrium::runTemperature
        ? PdfText::tr(
              "Equilibrium at each run's temperature T: the table's y* × exp(%1 K · (1/303.15 K − 1/T)), the "
              "van 't Hoff temperature dependence of NH3's Henry's-law solubility (%2).")
              .arg(page.full(absorber::vanTHoffSlope),
                   QString::fromUtf8(series::equilibriumSource.data(), qsizetype(series::equilibriumSource.size())))
        : PdfText::tr("Equilibrium: as tabulated at 30 °C.");
    return top + page.paragraph(margin, top, pageWidth - 2 * margin, method + u' ' + beside + u' ' + basis, page.body)
        + sectionGap;
}

}  // namespace report::pdf
