#include "report/seriespdf.h"

#include "present/fittext.h"
#include "present/runstable.h"
#include "present/words.h"
#include "report/pdfpage.h"
#include "report/qtpresent.h"
#include "report/run.h"
#include "report/seriescharts.h"
#include "series/analysis.h"
#include "series/findings.h"
#include "series/readings.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <variant>
#include <vector>

using namespace Qt::StringLiterals;

namespace report {
namespace {

using namespace pdf;

struct PdfText {
    Q_DECLARE_TR_FUNCTIONS(SeriesPdf)
};

constexpr double footerTop = pageHeight - 10.0;
constexpr double pageBottom = footerTop - 4.0;

// The table's columns; the label and the notes are left-aligned, the
// others right-aligned.
enum TableColumn {
    number,
    label,
    y1,
    x1,
    gasFlow,
    waterFlow,
    height,
    temperature,
    y2,
    ntu,
    colburn,
    mtc,
    uncertainty,
    hog,
    mtcColburn,
    hogColburn,
    notes
};
constexpr std::size_t columnCount = notes + 1;
using Cells = std::array<QString, columnCount>;

// Two tables, so that each fits A4 upright in either language: the runs
// with their coefficient, then the values beside it.
using Columns = std::vector<TableColumn>;
const Columns runColumns{number,      label, y1,  x1,  gasFlow,     waterFlow, height,
                         temperature, y2,    ntu, mtc, uncertainty, notes};
const Columns besideColumns{number, label, hog, colburn, mtcColburn, hogColburn};

// Between two columns, and the narrowest a label is cut to.
constexpr double columnGap = 2.0;
constexpr double narrowestLabel = 14.0;

// Begins pages and numbers them at the foot.
class Pages {
public:
    Pages(QPdfWriter& pdfWriter, Page& pdfPage)
        : writer(pdfWriter)
        , page(pdfPage)
    {
        footer();
    }

    // The number of the page being written.
    int number() const { return count; }

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

Cells tableTitles()
{
    return {PdfText::tr("Run"),       PdfText::tr("Label"),   PdfText::tr("y1"),    PdfText::tr("x1"),
            PdfText::tr("G"),         PdfText::tr("L"),       PdfText::tr("z (m)"), PdfText::tr("T (°C)"),
            PdfText::tr("y2"),        PdfText::tr("NTU"),     PdfText::tr("NTU C"), PdfText::tr("MTC"),
            PdfText::tr("U (k = 2)"), PdfText::tr("HOG (m)"), PdfText::tr("MTC C"), PdfText::tr("HOG C (m)"),
            PdfText::tr("Notes")};
}

// A row of the table: its cells, or for a run that did not complete, why,
// across the result columns.
struct TableRow {
    Cells cells;
    QString notCompleted;
};

// A table's layout: its columns, the right edge of each, in millimetres,
// and the font, made smaller when the widest cells do not fit between the
// margins otherwise.
struct TableLayout {
    Columns columns;
    std::vector<double> ends;
    QFont font;
    QFont bold;
};

bool leftAligned(TableColumn column)
{
    return column == label || column == notes;
}

TableLayout layOut(Page& page, const std::vector<TableRow>& rows, const Columns& columns)
{
    TableLayout layout{columns, std::vector<double>(columns.size()), page.small, page.smallBold};
    const Cells titles = tableTitles();
    const double right = pageWidth - margin;
    for (int attempt = 0; attempt < 6; ++attempt) {
        std::vector<double> widths(columns.size());
        for (std::size_t c = 0; c < columns.size(); ++c) {
            widths[c] = page.width(titles[columns[c]], layout.bold);
            for (const TableRow& row : rows)
                widths[c] = std::max(widths[c], page.width(row.cells[columns[c]], layout.font));
            // Room for rounding, so that the widest label is not cut.
            if (leftAligned(columns[c]))
                widths[c] += 0.2;
        }
        double others = 0.0;
        for (std::size_t c = 0; c < columns.size(); ++c)
            others += (columns[c] == label ? 0.0 : widths[c]) + (c + 1 < columns.size() ? columnGap : 0.0);
        const double room = right - margin - others;
        if (room >= narrowestLabel || attempt == 5) {
            // The label takes what is left, up to what it needs.
            double end = margin;
            for (std::size_t c = 0; c < columns.size(); ++c) {
                if (columns[c] == label)
                    widths[c] = std::clamp(widths[c], narrowestLabel, std::max(narrowestLabel, room));
                // Never past the margin: the last left-aligned column is cut instead.
                end = std::min(end + widths[c], right);
                layout.ends[c] = end;
                end += columnGap;
            }
            return layout;
        }
        layout.font.setPointSizeF(layout.font.pointSizeF() * 0.9);
        layout.bold.setPointSizeF(layout.bold.pointSizeF() * 0.9);
    }
    return layout;
}

double columnStart(const TableLayout& layout, std::size_t index)
{
    return index == 0 ? margin : layout.ends[index - 1] + columnGap;
}

void tableHeader(Page& page, const TableLayout& layout, double top)
{
    const Cells titles = tableTitles();
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        const double start = columnStart(layout, i);
        const QString& title = titles[layout.columns[i]];
        if (leftAligned(layout.columns[i]))
            page.text(start, top, title, layout.bold);
        else
            page.text(start, top, title, layout.bold, Qt::AlignRight, layout.ends[i] - start);
    }
    page.painter.save();
    page.painter.setPen(QPen(Qt::black, page.dots(0.2)));
    const double line = top + tableRowHeight + 0.3;
    page.painter.drawLine(QPointF(page.dots(margin), page.dots(line)),
                          QPointF(page.dots(layout.ends.back()), page.dots(line)));
    page.painter.restore();
}

// A text cut to a width, with "…" where it was cut.
QString fitted(Page& page, const QString& text, const QFont& font, double width)
{
    page.painter.setFont(font);
    return QFontMetricsF(page.painter.font(), page.painter.device()).elidedText(text, Qt::ElideRight, page.dots(width));
}

// A footnote's mark: a superscript number.
QString footnoteMark(std::size_t number)
{
    static const QString superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString mark;
    for (const QChar digit : QString::number(number))
        mark += superscripts.at(digit.digitValue());
    return mark;
}

// Why runs have no U, a footnote per reason, with the runs it is about.
struct Footnote {
    QString reason;
    QStringList runs;
};

std::vector<TableRow> tableRows(Page& page, const series::Series& series, std::span<const series::RunResult> results,
                                std::span<const series::RunUncertainty> uncertainties, std::vector<Footnote>& footnotes)
{
    std::vector<TableRow> rows;
    for (std::size_t i = 0; i < series.runs.size() && i < results.size(); ++i) {
        const series::Run& run = series.runs[i];
        const series::RunResult& result = results[i];
        TableRow row;
        Cells& cells = row.cells;
        // Inputs as they were typed, those the readings give as the window
        // shows them (5 significant digits); results to 4 decimals.
        const std::variant<series::InputsFromReadings, series::Message> converted = run.readings
            ? series::inputsFromReadings(*run.readings, series.flowUnit)
            : std::variant<series::InputsFromReadings, series::Message>(series::InputsFromReadings{});
        const auto* given = std::get_if<series::InputsFromReadings>(&converted);
        const auto input = [&](TableColumn column, const std::optional<double>& value, bool fromReadings) {
            if (value)
                cells[column] = fromReadings ? page.given(*value) : page.full(*value);
        };
        const auto shown = [&](TableColumn column, const std::optional<double>& value) {
            if (value)
                cells[column] = page.shown(*value);
        };
        cells[number] = QLocale().toString(qulonglong(i + 1));
        cells[label] = QString::fromStdString(run.label);
        input(y1, run.inputs.y1, given && given->y1);
        input(x1, run.inputs.x1, given && given->x1);
        input(gasFlow, run.inputs.gasFlow, given && given->gasFlow);
        input(waterFlow, run.inputs.waterFlow, given && given->waterFlow);
        input(height, run.packingHeight, false);
        input(temperature, run.temperature, false);
        if (result.outcome == absorber::Outcome::completed) {
            shown(y2, result.balance.y2);
            shown(ntu, result.ntu);
            shown(colburn, result.ntuColburn);
            shown(mtc, result.mtc);
            shown(hog, result.hog);
            shown(mtcColburn, result.mtcColburn);
            shown(hogColburn, result.hogColburn);
            const std::variant<series::MonteCarlo, series::NotGiven> monteCarlo = i < uncertainties.size()
                ? uncertainties[i].monteCarlo
                : series::NotGiven{{series::MessageKind::notComputed}};
            if (const auto* drawn = std::get_if<series::MonteCarlo>(&monteCarlo); drawn && result.mtc) {
                // U to two significant digits, the coefficient to its place.
                const present::ValueWithUncertainty both =
                    page.withUncertainty(*result.mtc, series::coverageFactor * drawn->u);
                cells[mtc] = qstring(both.value);
                cells[uncertainty] = qstring(both.uncertainty);
            } else if (const auto reason = present::missingUncertaintyReason(
                           run, result, series.uncertainty, monteCarlo, qtLanguage(), numberLocaleOf(QLocale()))) {
                const QString why = qstring(*reason);
                auto note = std::find_if(footnotes.begin(), footnotes.end(),
                                         [&why](const Footnote& footnote) { return footnote.reason == why; });
                if (note == footnotes.end())
                    note = footnotes.insert(footnotes.end(), Footnote{why, {}});
                note->runs.append(cells[number]);
                cells[uncertainty] = u"–"_s + footnoteMark(std::size_t(note - footnotes.begin()) + 1);
            }
        } else {
            row.notCompleted = qstring(present::notCompletedText(qtLanguage(), result.outcome));
        }
        QStringList marks;
        if (!series::inAnalysis(run, result))
            marks.append(PdfText::tr("out"));
        if (!series::findingsOf(run, result).empty())
            marks.append(PdfText::tr("findings"));
        cells[notes] = marks.join(QStringLiteral(", "));
        rows.push_back(std::move(row));
    }
    return rows;
}

// Text across the page, on a new page where it would pass the foot.
double noteParagraph(Page& page, Pages& pages, double top, const QString& text)
{
    page.painter.setFont(page.small);
    const QRectF needed =
        page.painter.boundingRect(page.rect(margin, 0, pageWidth - 2 * margin, pageHeight), Qt::TextWordWrap, text);
    if (top + needed.height() * 25.4 / dotsPerInch > pageBottom) {
        if (!pages.next())
            return -1.0;
        top = margin;
    }
    return top + page.paragraph(margin, top, pageWidth - 2 * margin, text, page.small);
}

// A table's rows under its header, the header again on each new page;
// returns the top after, or -1 when no page could be begun.
double drawTable(Page& page, Pages& pages, double top, const std::vector<TableRow>& rows, const Columns& columns)
{
    const TableLayout layout = layOut(page, rows, columns);
    tableHeader(page, layout, top);
    top += tableRowHeight + 1.0;
    for (const TableRow& row : rows) {
        if (top + tableRowHeight > pageBottom) {
            if (!pages.next())
                return -1.0;
            top = margin;
            tableHeader(page, layout, top);
            top += tableRowHeight + 1.0;
        }
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const double start = columnStart(layout, i);
            const QString& cell = row.cells[columns[i]];
            if (leftAligned(columns[i]))
                page.text(start, top, fitted(page, cell, layout.font, layout.ends[i] - start), layout.font);
            else if (!cell.isEmpty())
                page.text(start, top, cell, layout.font, Qt::AlignRight, layout.ends[i] - start);
        }
        // Why a run did not complete, across its result columns.
        const auto first = std::find(columns.begin(), columns.end(), y2);
        const auto last = std::find(columns.begin(), columns.end(), uncertainty);
        if (!row.notCompleted.isEmpty() && first != columns.end() && last != columns.end()) {
            const double start = columnStart(layout, std::size_t(first - columns.begin()));
            page.text(
                start, top,
                fitted(page, row.notCompleted, layout.font, layout.ends[std::size_t(last - columns.begin())] - start),
                layout.font);
        }
        top += tableRowHeight;
    }
    return top + 1.0;
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
                                            "the fit: excluded, or with findings.")
                              + u' '
                              + PdfText::tr("HOG is the height of a transfer unit, z / NTU; MTC C the coefficient "
                                            "from NTU C.")
                              + u' '
                              + PdfText::tr("T is the run's column temperature; HOG C is z / NTU C. Inputs the "
                                            "readings give are shown to 5 significant digits."),
                          page.small)
        + 1.0;
    std::vector<Footnote> footnotes;
    const std::vector<TableRow> rows = tableRows(page, series, results, uncertainties, footnotes);
    top = drawTable(page, pages, top, rows, runColumns);
    if (top < 0.0)
        return -1.0;
    for (std::size_t n = 0; n < footnotes.size() && top >= 0.0; ++n) {
        const Footnote& note = footnotes[n];
        const QString text = note.runs.size() == 1
            ? PdfText::tr("%1 No U for run %2: %3.").arg(footnoteMark(n + 1), note.runs.front(), note.reason)
            : PdfText::tr("%1 No U for runs %2: %3.").arg(footnoteMark(n + 1), note.runs.join(u", "_s), note.reason);
        top = noteParagraph(page, pages, top, text);
    }
    if (top < 0.0)
        return -1.0;
    top += sectionGap;

    // The values beside the coefficient, under their own header.
    if (top + 3 * tableRowHeight > pageBottom) {
        if (!pages.next())
            return -1.0;
        top = margin;
    }
    top = drawTable(page, pages, top, rows, besideColumns);
    if (top < 0.0)
        return -1.0;
    top += sectionGap;

    // What the marked runs' findings are, a line each.
    for (std::size_t i = 0; i < series.runs.size() && i < results.size(); ++i) {
        const QStringList findings =
            qstrings(present::findingMessages(qtLanguage(), series::findingsOf(series.runs[i], results[i])));
        if (findings.isEmpty())
            continue;
        top = noteParagraph(page, pages, top,
                            PdfText::tr("Run %1: %2").arg(QLocale().toString(qulonglong(i + 1)), findings.join(u' ')));
        if (top < 0.0)
            return -1.0;
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
                    std::span<const series::RunUncertainty> uncertainties, const PdfDetails& details, bool appendix,
                    series::Fitted fitted)
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
    writeAnalysis(page, margin, series, series::analyse(series, results, uncertainties, true, fitted));

    if (!pages.next())
        return false;
    top = writeMethod(page, margin, series.equilibrium);
    top = writeFitMethod(page, top);
    writeEquilibriumTable(page, top, std::nullopt);

    for (std::size_t i = 0; appendix && i < series.runs.size() && i < results.size(); ++i) {
        const std::optional<Run> run =
            seriesRun(series, i, results[i], i < uncertainties.size() ? &uncertainties[i] : nullptr);
        if (!run)
            continue;
        // The run's uncertainty, when it has one, is on the page after its first.
        if (!pages.next() || !drawRunPages(page, *run, details, pages.number() + 1, [&pages] { return pages.next(); }))
            return false;
    }
    return painter.end();
}

std::optional<QByteArray> seriesPdf(const series::Series& series, std::span<const series::RunResult> results,
                                    std::span<const series::RunUncertainty> uncertainties, const PdfDetails& details,
                                    bool appendix, series::Fitted fitted)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)
        || !writeSeriesPdf(buffer, series, results, uncertainties, details, appendix, fitted))
        return std::nullopt;
    return bytes;
}

}  // namespace report
