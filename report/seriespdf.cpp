#include "report/seriespdf.h"

#include "present/fittext.h"
#include "present/words.h"
#include "report/pdfpage.h"
#include "report/qtpresent.h"
#include "report/run.h"
#include "report/seriescharts.h"
#include "series/analysis.h"
#include "series/findings.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <array>

namespace report {
namespace {

using namespace pdf;

struct PdfText {
    Q_DECLARE_TR_FUNCTIONS(SeriesPdf)
};

constexpr double footerTop = pageHeight - 10.0;
constexpr double pageBottom = footerTop - 4.0;

// The table's columns: the right edge of each, in millimetres; the label
// and the notes are left-aligned from the edge before them.
enum TableColumn { number, label, y1, x1, gasFlow, waterFlow, height, y2, ntu, colburn, mtc, uncertainty, notes };
constexpr std::array<double, 13> columnEnds{21.0,  46.0,  58.0,  70.0,  82.0,  94.0, 105.0,
                                            118.0, 130.0, 143.0, 158.0, 175.0, 195.0};

// Begins pages and numbers them at the foot.
class Pages {
public:
    Pages(QPdfWriter& pdfWriter, Page& pdfPage)
        : writer(pdfWriter)
        , page(pdfPage)
    {
        footer();
    }

    bool next()
    {
        if (!writer.newPage())
            return false;
        footer();
        return true;
    }

private:
    void footer()
    {
        ++count;
        page.text(margin, footerTop, PdfText::tr("Page %1").arg(QLocale().toString(count)), page.small, Qt::AlignRight,
                  pageWidth - 2 * margin);
    }

    QPdfWriter& writer;
    Page& page;
    int count = 0;
};

double writeTitleBlock(Page& page, const series::Series& series, const PdfDetails& details)
{
    const QString title = series.title.empty() ? PdfText::tr("Untitled series") : QString::fromStdString(series.title);
    double top = writeHeading(page, PdfText::tr("NH3 absorption in a packed column: %1").arg(title), details);
    const double valueX = margin + 30.0;
    const auto field = [&](const QString& name, const std::string& value) {
        if (value.empty())
            return;
        page.text(margin, top, name, page.bold);
        top += page.paragraph(valueX, top, pageWidth - margin - valueX, QString::fromStdString(value), page.body);
    };
    field(PdfText::tr("People"), series.people);
    field(PdfText::tr("Date"), series.date);
    field(PdfText::tr("Flow unit"), series.flowUnit);
    field(PdfText::tr("Notes"), series.notes);
    return top + sectionGap;
}

void tableHeader(Page& page, double top)
{
    const std::array<QString, 13> titles{
        PdfText::tr("Run"), PdfText::tr("Label"),     PdfText::tr("y1"),   PdfText::tr("x1"),  PdfText::tr("G"),
        PdfText::tr("L"),   PdfText::tr("z (m)"),     PdfText::tr("y2"),   PdfText::tr("NTU"), PdfText::tr("NTU C"),
        PdfText::tr("MTC"), PdfText::tr("U (k = 2)"), PdfText::tr("Notes")};
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const double start = i == 0 ? margin : columnEnds[i - 1];
        if (i == label || i == notes)
            page.text(start + 1.5, top, titles[i], page.smallBold);
        else
            page.text(start, top, titles[i], page.smallBold, Qt::AlignRight, columnEnds[i] - start);
    }
    page.painter.save();
    page.painter.setPen(QPen(Qt::black, page.dots(0.2)));
    const double line = top + tableRowHeight + 0.3;
    page.painter.drawLine(QPointF(page.dots(margin), page.dots(line)),
                          QPointF(page.dots(columnEnds.back()), page.dots(line)));
    page.painter.restore();
}

// A label cut to its column, with "…" where it was cut.
QString fitted(const QString& text, const QFont& font, const QPaintDevice* device, double width)
{
    return QFontMetricsF(font, device).elidedText(text, Qt::ElideRight, width);
}

double writeTable(Page& page, Pages& pages, double top, const series::Series& series,
                  std::span<const series::RunResult> results, std::span<const series::RunUncertainty> uncertainties)
{
    top = page.section(margin, top, PdfText::tr("Runs"));
    const QString unitNote = series.flowUnit.empty()
        ? QString()
        : PdfText::tr("G and L in %1, MTC and U in %1/m³. ").arg(QString::fromStdString(series.flowUnit));
    top += page.paragraph(margin, top, pageWidth - 2 * margin,
                          unitNote
                              + PdfText::tr("NTU C is the NTU by the Colburn equation. U is the expanded uncertainty "
                                            "of the coefficient (Monte Carlo, k = 2). Runs marked \"out\" are not in "
                                            "the fit: excluded, or with findings."),
                          page.small)
        + 1.0;
    tableHeader(page, top);
    top += tableRowHeight + 1.0;
    for (std::size_t i = 0; i < series.runs.size() && i < results.size(); ++i) {
        if (top + tableRowHeight > pageBottom) {
            if (!pages.next())
                return -1.0;
            top = margin;
            tableHeader(page, top);
            top += tableRowHeight + 1.0;
        }
        const series::Run& run = series.runs[i];
        const series::RunResult& result = results[i];
        const auto cell = [&](TableColumn column, const std::optional<double>& value) {
            if (value)
                page.text(columnEnds[column - 1], top, page.shown(*value), page.small, Qt::AlignRight,
                          columnEnds[column] - columnEnds[column - 1]);
        };
        page.text(margin, top, QLocale().toString(qulonglong(i + 1)), page.small, Qt::AlignRight,
                  columnEnds[number] - margin);
        page.text(columnEnds[number] + 1.5, top,
                  fitted(QString::fromStdString(run.label), page.small, page.painter.device(),
                         page.dots(columnEnds[label] - columnEnds[number] - 2.5)),
                  page.small);
        cell(y1, run.inputs.y1);
        cell(x1, run.inputs.x1);
        cell(gasFlow, run.inputs.gasFlow);
        cell(waterFlow, run.inputs.waterFlow);
        cell(height, run.packingHeight);
        if (result.outcome == absorber::Outcome::completed) {
            cell(y2, result.balance.y2);
            cell(ntu, result.ntu);
            cell(colburn, result.ntuColburn);
            cell(mtc, result.mtc);
            if (i < uncertainties.size()) {
                if (const auto* drawn = std::get_if<series::MonteCarlo>(&uncertainties[i].monteCarlo))
                    cell(uncertainty, series::coverageFactor * drawn->u);
            }
        } else {
            page.text(columnEnds[height] + 1.5, top, qstring(present::notCompletedText(qtLanguage(), result.outcome)),
                      page.small);
        }
        QStringList marks;
        if (!series::inAnalysis(run, result))
            marks.append(PdfText::tr("out"));
        if (!series::findingsOf(run, result).empty())
            marks.append(PdfText::tr("findings"));
        page.text(columnEnds[uncertainty] + 1.5, top, marks.join(QStringLiteral(", ")), page.small);
        top += tableRowHeight;
    }
    top += sectionGap;

    // What the marked runs' findings are, a line each.
    for (std::size_t i = 0; i < series.runs.size() && i < results.size(); ++i) {
        const QStringList findings =
            qstrings(present::findingMessages(qtLanguage(), series::findingsOf(series.runs[i], results[i])));
        if (findings.isEmpty())
            continue;
        const QString text = PdfText::tr("Run %1: %2").arg(QLocale().toString(qulonglong(i + 1)), findings.join(u' '));
        const QRectF needed =
            page.painter.boundingRect(page.rect(margin, 0, pageWidth - 2 * margin, pageHeight), Qt::TextWordWrap, text);
        if (top + needed.height() * 25.4 / dotsPerInch > pageBottom) {
            if (!pages.next())
                return -1.0;
            top = margin;
        }
        top += page.paragraph(margin, top, pageWidth - 2 * margin, text, page.small);
    }
    return top + sectionGap;
}

bool writeAnalysis(Page& page, double top, const series::Series& series, const series::Analysis& analysis)
{
    top = page.section(margin, top, PdfText::tr("How the coefficient depends on the flows"));
    const QString unit = QString::fromStdString(series.flowUnit);
    const double chartHeight = 95.0;
    drawCoefficientChart(page.painter, page.rect(margin, top, pageWidth - 2 * margin, chartHeight), analysis,
                         Against::gasFlow, unit);
    top += chartHeight + 2.0;
    drawCoefficientChart(page.painter, page.rect(margin, top, pageWidth - 2 * margin, chartHeight), analysis,
                         Against::waterFlow, unit);
    top += chartHeight + sectionGap;
    const QStringList lines =
        qstrings(present::fitLines(analysis, series.flowUnit, qtLanguage(), numberLocaleOf(QLocale())));
    page.paragraph(margin, top, pageWidth - 2 * margin, lines.join(u'\n'), page.body);
    return true;
}

double writeFitMethod(Page& page, double top)
{
    top = page.section(margin, top, PdfText::tr("The fit"));
    return top
        + page.paragraph(
            margin, top, pageWidth - 2 * margin,
            PdfText::tr("The power law MTC = a · G^m · L^n is fitted by least squares to ln MTC = ln a + m ln G + "
                        "n ln L over the runs in the analysis (not excluded, and without findings unless taken "
                        "in), by a column-pivoting QR decomposition. Where every such run has an uncertainty, each "
                        "is weighted by 1 / u(ln MTC)². The 95 % intervals are the estimates ± t · standard error, "
                        "t the Student quantile at the residual degrees of freedom. An exponent whose flow has one "
                        "value in every run is left out; flows within 1e-9 relative count as one value."),
            page.body)
        + sectionGap;
}

}  // namespace

bool writeSeriesPdf(QIODevice& device, const series::Series& series, std::span<const series::RunResult> results,
                    std::span<const series::RunUncertainty> uncertainties, const PdfDetails& details)
{
    if (!device.isWritable())
        return false;
    QPdfWriter writer(&device);
    setUpWriter(writer, series.title.empty() ? PdfText::tr("Quillon series") : QString::fromStdString(series.title),
                details);

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    Page page(painter, details.numbers);
    Pages pages(writer, page);

    double top = writeTitleBlock(page, series, details);
    top = writeTable(page, pages, top, series, results, uncertainties);
    if (top < 0.0 || !pages.next())
        return false;
    writeAnalysis(page, margin, series, series::analyse(series, results, uncertainties));

    if (!pages.next())
        return false;
    top = writeMethod(page, margin);
    top = writeFitMethod(page, top);
    writeEquilibriumTable(page, top, std::nullopt);

    for (std::size_t i = 0; i < series.runs.size() && i < results.size(); ++i) {
        const std::optional<Run> run =
            seriesRun(series, i, results[i], i < uncertainties.size() ? &uncertainties[i] : nullptr);
        if (!run)
            continue;
        if (!pages.next() || !drawRunPages(page, *run, details, [&pages] { return pages.next(); }))
            return false;
    }
    return painter.end();
}

std::optional<QByteArray> seriesPdf(const series::Series& series, std::span<const series::RunResult> results,
                                    std::span<const series::RunUncertainty> uncertainties, const PdfDetails& details)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !writeSeriesPdf(buffer, series, results, uncertainties, details))
        return std::nullopt;
    return bytes;
}

}  // namespace report
