#include "ui/classwindow.h"

#include "present/seriesmessages.h"
#include "report/qtpresent.h"
#include "series/csv.h"
#include "series/file.h"
#include "ui/seriesfiles.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace {

// A cell that sorts by its full number where it has one, else by its text.
class SummaryItem : public QTableWidgetItem {
public:
    SummaryItem(const QString& shown, std::optional<double> full)
        : QTableWidgetItem(shown)
        , number(full)
    {
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        setToolTip(shown);
        if (number)
            setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    bool operator<(const QTableWidgetItem& other) const override
    {
        const auto* that = dynamic_cast<const SummaryItem*>(&other);
        if (that && number && that->number)
            return *number < *that->number;
        if (that && number != that->number)
            return !number;  // empty cells first
        return text().localeAwareCompare(other.text()) < 0;
    }

private:
    std::optional<double> number;
};

// A file as the summary takes it: its series, stored or reported results
// and name.
struct ReadFile {
    std::string name;
    series::Series series;
    std::vector<series::StoredResults> stored;
    std::vector<series::ReportedResults> reported;
};

std::variant<ReadFile, QString> readFile(const QString& path)
{
    const std::string name = QFileInfo(path).fileName().toStdString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ClassWindow::tr("%1: cannot be read: %2").arg(QString::fromStdString(name), file.errorString());
    const QByteArray bytes = file.readAll();
    const std::string_view text(bytes.constData(), std::size_t(bytes.size()));
    const present::Language language = report::qtLanguage();
    if (path.endsWith(".csv", Qt::CaseInsensitive)) {
        series::ImportResult read = series::importCsv(text);
        if (const auto* error = std::get_if<series::ReadError>(&read))
            return QString::fromStdString(present::describe(*error, name, language));
        auto& imported = std::get<series::ImportedSeries>(read);
        return ReadFile{name, std::move(imported.series), {}, std::move(imported.reported)};
    }
    series::ReadSeries read = series::readSeriesFile(text);
    if (const auto* error = std::get_if<series::ReadError>(&read))
        return QString::fromStdString(present::describe(*error, name, language));
    auto& opened = std::get<series::OpenedSeries>(read);
    return ReadFile{name, std::move(opened.series), std::move(opened.stored), {}};
}

}  // namespace

ClassWindow::ClassWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , table(new QTableWidget(this))
    , spread(new QLabel(this))
{
    setWindowTitle(tr("Class Summary"));
    setObjectName(QStringLiteral("classWindow"));
    table->setObjectName(QStringLiteral("classTable"));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSortingEnabled(true);
    table->verticalHeader()->hide();
    spread->setObjectName(QStringLiteral("classSpread"));
    spread->setTextFormat(Qt::PlainText);
    spread->setWordWrap(true);
    spread->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* copy = new QPushButton(tr("&Copy Table"), this);
    copy->setObjectName(QStringLiteral("copyClassTable"));
    connect(copy, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(copiedText()); });
    auto* copyAction = new QAction(this);
    copyAction->setShortcut(QKeySequence::Copy);
    connect(copyAction, &QAction::triggered, copy, &QPushButton::click);
    addAction(copyAction);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table, 1);
    layout->addWidget(spread);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copy);
    layout->addLayout(buttons);
    resize(1200, 560);
}

bool ClassWindow::showFiles(const QStringList& paths)
{
    std::vector<ReadFile> files;
    unread.clear();
    // Every file's runs in one computation, their uncertainties merged with
    // their series' own, so that one progress dialog covers them all.
    series::Series all;
    std::vector<series::Equilibrium> equilibria;  // each run's file's
    // A row per file in the order given; one not read says why.
    std::vector<std::optional<QString>> whyUnread;
    for (const QString& path : paths) {
        auto read = readFile(path);
        if (const auto* why = std::get_if<QString>(&read)) {
            unread << *why;
            whyUnread.push_back(*why);
            continue;
        }
        whyUnread.push_back(std::nullopt);
        ReadFile& file = std::get<ReadFile>(read);
        for (series::Run run : file.series.runs) {
            run.uncertainty = series::merged(file.series.uncertainty, run.uncertainty);
            all.runs.push_back(std::move(run));
            equilibria.push_back(file.series.equilibrium);
        }
        files.push_back(std::move(file));
    }
    // Each run at its file's equilibrium: one computation for each option in use.
    std::vector<series::RunResult> results(all.runs.size());
    for (const series::Equilibrium equilibrium : {series::Equilibrium::table, series::Equilibrium::runTemperature}) {
        std::vector<series::Run> runs;
        std::vector<std::size_t> rows;
        for (std::size_t row = 0; row < all.runs.size(); ++row)
            if (equilibria[row] == equilibrium) {
                runs.push_back(all.runs[row]);
                rows.push_back(row);
            }
        if (runs.empty())
            continue;
        const auto some = ui::computeWithProgress(this, runs, equilibrium);
        if (!some)
            return false;
        for (std::size_t at = 0; at < rows.size(); ++at)
            results[rows[at]] = (*some)[at];
    }
    const auto uncertainties = ui::uncertaintiesWithProgress(this, all);
    if (!uncertainties)
        return false;
    const present::Language language = report::qtLanguage();
    std::vector<present::SummaryRow> rows;
    std::size_t first = 0;
    auto file = files.cbegin();
    for (std::size_t at = 0; at < whyUnread.size(); ++at) {
        if (whyUnread[at]) {
            rows.push_back(present::unreadableRow(QFileInfo(paths[qsizetype(at)]).fileName().toStdString(),
                                                  whyUnread[at]->toStdString()));
            continue;
        }
        const std::size_t count = file->series.runs.size();
        // Graded as the window shows the values: a report's typed table
        // is checked too, not only a series file's stored results.
        rows.push_back(present::summaryRowOf(file->name, file->series, file->stored, file->reported,
                                             std::span(results).subspan(first, count),
                                             std::span(*uncertainties).subspan(first, count),
                                             present::CheckRule{.asShown = true, .tolerance = std::nullopt}, language));
        first += count;
        ++file;
    }
    current = present::summarise(std::move(rows));
    fill();
    return true;
}

void ClassWindow::fill()
{
    const present::Language language = report::qtLanguage();
    const present::NumberLocale locale = report::numberLocaleOf(QLocale());
    const QStringList headers = report::qstrings(present::summaryHeaders(language));
    table->setSortingEnabled(false);
    table->clear();
    table->setColumnCount(int(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->setRowCount(int(current.rows.size()));
    // Counts and numbers sort by value, the rest by text.
    const std::set<std::size_t> textColumns{0, 1, 2, 18, 19, 20, 21};
    for (std::size_t row = 0; row < current.rows.size(); ++row) {
        const auto shown = present::summaryCells(current, row, false, language, locale);
        const auto full = present::summaryCells(current, row, true, present::Language(), present::NumberLocale());
        for (std::size_t column = 0; column < shown.size(); ++column) {
            std::optional<double> number;
            if (!textColumns.count(column))
                if (const auto parsed = present::parseNumber(full[column], present::NumberLocale()))
                    number = *parsed;
            table->setItem(int(row), int(column), new SummaryItem(QString::fromStdString(shown[column]), number));
        }
    }
    table->setSortingEnabled(true);
    table->resizeColumnsToContents();
    // A long reason (a damaged file's, an unweighted fit's) would push the
    // other columns out of sight: it is cut short, whole in its tooltip.
    const int widest = table->fontMetrics().averageCharWidth() * 40;
    for (int column = 0; column < table->columnCount(); ++column)
        table->setColumnWidth(column, std::min(table->columnWidth(column), widest));

    QStringList lines;
    const auto number = [&](double value) {
        return QString::fromStdString(present::significantText(value, 4, locale));
    };
    for (const auto& [name, spreadOf] :
         {std::pair(tr("Gas exponent m"), current.gas), std::pair(tr("Water exponent n"), current.water)}) {
        if (spreadOf)
            lines << tr("%1 over %2 files: median %3, quartiles %4 to %5, range %6 to %7")
                         .arg(name)
                         .arg(spreadOf->files)
                         .arg(number(spreadOf->median), number(spreadOf->lowerQuartile),
                              number(spreadOf->upperQuartile), number(spreadOf->lowest), number(spreadOf->highest));
        else
            lines << tr("%1: fewer than four files have it; no spread.").arg(name);
    }
    QStringList outside;
    for (const present::Outlier& outlier : current.outliers)
        outside << QString::fromStdString(current.rows[outlier.row].file);
    outside.removeDuplicates();
    lines << (outside.isEmpty() ? tr("No file lies outside the class.")
                                : tr("Outside the class by more than 1.5 interquartile ranges: %1")
                                      .arg(outside.join(QStringLiteral(", "))));
    for (const QString& why : unread)
        lines << tr("Not read: %1").arg(why);
    spread->setText(lines.join(u'\n'));
}

QString ClassWindow::copiedText() const
{
    QStringList lines;
    QStringList headers;
    for (int column = 0; column < table->columnCount(); ++column)
        headers << table->horizontalHeaderItem(column)->text();
    lines << headers.join(u'\t');
    const bool some = !table->selectionModel()->selectedRows().isEmpty();
    for (int row = 0; row < table->rowCount(); ++row) {
        if (some && !table->selectionModel()->isRowSelected(row))
            continue;
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells << table->item(row, column)->text();
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}
