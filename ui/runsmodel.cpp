#include "ui/runsmodel.h"

#include "present/readingsform.h"
#include "present/runstable.h"
#include "present/seriesmessages.h"
#include "present/words.h"
#include "report/qtpresent.h"
#include "series/findings.h"
#include "ui/messages.h"
#include "ui/numbertext.h"

#include <QApplication>
#include <QStyle>

#include <QBrush>
#include <QColor>
#include <QLocale>
#include <QThread>
#include <QUndoCommand>

#include <algorithm>
#include <utility>

// A step of the series editor on the undo stack: made already when it is
// pushed, then undone and redone by the editor.
class EditorStep : public QUndoCommand {
public:
    EditorStep(const QString& text, RunsModel& runs, RunsModel::Effect change)
        : QUndoCommand(text)
        , model(runs)
        , effect(std::move(change))
    {
    }
    void redo() override
    {
        if (std::exchange(pushed, false))
            return;
        model.move(true, effect);
    }
    void undo() override { model.move(false, effect); }

private:
    RunsModel& model;
    RunsModel::Effect effect;
    bool pushed = true;
};

// The window's columns are the shared table's.
static_assert(int(present::RunsColumn::mtc) == RunsModel::mtcColumn);
static_assert(present::runsColumnCount == RunsModel::numberOfColumns);

namespace {

// Two lines at the space nearest the middle, so that the numbers rather
// than the titles set the columns' widths.
QString onTwoLines(const QString& title)
{
    const qsizetype middle = title.size() / 2;
    const qsizetype before = title.lastIndexOf(u' ', middle);
    const qsizetype after = title.indexOf(u' ', middle);
    const qsizetype space = before < 0 ? after
        : after < 0                    ? before
                                       : (middle - before <= after - middle ? before : after);
    return space < 0 ? title : title.left(space) + u'\n' + title.mid(space + 1);
}

}  // namespace

RunsModel::RunsModel(QObject* parent)
    : QAbstractTableModel(parent)
{
    connect(&uncertain, &UncertaintyCache::computed, this, [this] {
        if (rowCount() > 0)
            emit dataChanged(index(0, uncertaintyColumn), index(rowCount() - 1, intervalColumn));
    });
}

void RunsModel::requestUncertainties()
{
    uncertain.request(series());
}

QString RunsModel::widestText(int column)
{
    switch (column) {
    case runColumn:
        return QLocale().toString(9999);
    case labelColumn:
        return QStringLiteral("G 10 L 10 repeat");
    case excludedColumn:
        return {};
    case uncertaintyColumn: {
        // A coefficient ± U, or the words of a run without one.
        const QString both = tr("%1 ± %2").arg(ui::resultText(-8888.8888), ui::resultText(888.8888));
        const QString none = report::qstring(present::noUncertaintiesGivenText(report::qtLanguage()));
        return none.size() > both.size() ? none : both;
    }
    case intervalColumn:
        return tr("%1 to %2").arg(ui::resultText(-8888.8888), ui::resultText(8888.8888));
    case y1Column:
    case x1Column:
    case eqXColumn:
    case eqYColumn:
    case y2Column:
        return ui::resultText(-0.8888);
    case temperatureColumn:
        return ui::resultText(-88.8888);
    }
    // Flows, heights, NTU and coefficients below 10^6, negative flows
    // above -10^6, each to 4 decimals.
    return ui::resultText(-888888.8888);
}

int RunsModel::rowOf(int id) const
{
    const std::vector<int>& shown = ids();
    const auto found = std::find(shown.begin(), shown.end(), id);
    return found == shown.end() ? -1 : int(found - shown.begin());
}

RunsModel::Rows RunsModel::copyOfEditor() const
{
    return {editor.series(), editor.results(), editor.ids()};
}

void RunsModel::edit(bool changed, Rows before, const QString& text, Effect effect)
{
    if (!changed)
        return;
    showChange(std::move(before), effect);
    undo.push(new EditorStep(text, *this, std::move(effect)));
}

void RunsModel::move(bool forward, const Effect& effect)
{
    Rows before = copyOfEditor();
    if (forward)
        editor.redo();
    else
        editor.undo();
    showChange(std::move(before), effect);
}

void RunsModel::showChange(Rows before, const Effect& effect)
{
    // A run corrected in place keeps its row even when it changes identity.
    if (effect.row >= 0) {
        emit dataChanged(index(effect.row, 0), index(effect.row, columnCount() - 1));
        requestUncertainties();
        return;
    }
    // The views see the rows go from the last and come from the first, one
    // at a time, each where it is in the editor's order.
    changing = std::move(before);
    Rows& rows = *changing;
    const std::vector<int>& after = editor.ids();
    for (auto row = std::ptrdiff_t(rows.ids.size()) - 1; row >= 0; --row) {
        if (std::find(after.begin(), after.end(), rows.ids[std::size_t(row)]) != after.end())
            continue;
        beginRemoveRows({}, int(row), int(row));
        rows.ids.erase(rows.ids.begin() + row);
        rows.series.runs.erase(rows.series.runs.begin() + row);
        rows.results.erase(rows.results.begin() + row);
        endRemoveRows();
    }
    bool added = false;
    for (std::size_t row = 0; row < after.size(); ++row) {
        if (row < rows.ids.size() && rows.ids[row] == after[row])
            continue;
        const auto at = std::ptrdiff_t(row);
        beginInsertRows({}, int(row), int(row));
        rows.ids.insert(rows.ids.begin() + at, after[row]);
        rows.series.runs.insert(rows.series.runs.begin() + at, editor.series().runs[row]);
        rows.results.insert(rows.results.begin() + at, editor.results()[row]);
        endInsertRows();
        added = true;
    }
    changing.reset();
    for (const int id : effect.runs) {
        if (const int row = rowOf(id); row >= 0)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
    if (effect.seriesFields)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (effect.uncertainties && rowCount() > 0)
        emit dataChanged(index(0, uncertaintyColumn), index(rowCount() - 1, intervalColumn));
    if (added || !effect.runs.empty() || effect.uncertainties)
        requestUncertainties();
}

int RunsModel::addRun(const series::Run& run, const series::RunResult& result, int last)
{
    Rows before = copyOfEditor();
    const present::Added added = editor.addRun(run, result, last);
    edit(added.added, std::move(before), tr("Add run"), {});
    return added.id;
}

void RunsModel::setMtc(int id, double height, double mtc)
{
    Rows before = copyOfEditor();
    const bool changed = editor.setMtc(id, height, mtc);
    edit(changed, std::move(before), tr("Find MTC"), {{id}});
}

void RunsModel::removeRuns(QList<int> rows)
{
    std::vector<std::size_t> given;
    for (const int row : rows) {
        if (row >= 0)
            given.push_back(std::size_t(row));
    }
    Rows before = copyOfEditor();
    const bool changed = editor.remove(given);
    edit(changed, std::move(before), tr("Delete runs"), {});
}

QString RunsModel::field(Field which) const
{
    return QString::fromStdString(editor.field(which));
}

void RunsModel::setField(Field which, const QString& text)
{
    Rows before = copyOfEditor();
    const bool changed = editor.setField(which, text.toStdString());
    // A new flow unit may convert every run's flows.
    const bool everyRun = which == Field::flowUnit;
    edit(changed, std::move(before), everyRun ? tr("Change the flow unit") : tr("Edit the series"),
         {everyRun ? editor.ids() : std::vector<int>{}, true, everyRun});
}

void RunsModel::setEquilibrium(series::Equilibrium equilibrium)
{
    Rows before = copyOfEditor();
    const bool changed = editor.setEquilibrium(equilibrium, unsigned(QThread::idealThreadCount()));
    edit(changed, std::move(before), tr("Change the equilibrium"), {ids(), true, true});
}

void RunsModel::appendRuns(std::vector<series::Run> runs, std::vector<series::RunResult> results)
{
    Rows before = copyOfEditor();
    const bool changed = editor.appendRuns(std::move(runs), std::move(results));
    edit(changed, std::move(before), tr("Import runs"), {});
}

void RunsModel::resetSeries(series::Series series, std::vector<series::RunResult> results)
{
    beginResetModel();
    editor.replace(std::move(series), std::move(results), present::Origin::opened);
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    undo.clear();
    requestUncertainties();
}

void RunsModel::setDefaultUncertainties(const series::Uncertainties& uncertainties)
{
    Rows before = copyOfEditor();
    const bool changed = editor.setUncertainties(uncertainties);
    edit(changed, std::move(before), tr("Edit the uncertainties"), {{}, true, true});
}

void RunsModel::setRunUncertainties(int row, const series::Uncertainties& uncertainties)
{
    Rows before = copyOfEditor();
    const bool changed = editor.setRunUncertainties(std::size_t(row), uncertainties);
    edit(changed, std::move(before), tr("Edit a run's uncertainties"), {{ids().at(std::size_t(row))}});
}

std::optional<QString> RunsModel::setReadings(int row, const std::optional<series::Readings>& readings)
{
    Rows before = copyOfEditor();
    const int revision = editor.revision();
    if (const auto refused = editor.setReadings(std::size_t(row), readings))
        return report::qstring(
            present::seriesMessage(*refused, report::qtLanguage(), report::numberLocaleOf(QLocale())));
    edit(editor.revision() != revision, std::move(before), tr("Edit a run's readings"), {{ids().at(std::size_t(row))}});
    return std::nullopt;
}

std::vector<series::RunUncertainty> RunsModel::uncertaintiesSoFar(bool* complete) const
{
    std::vector<series::RunUncertainty> known;
    bool all = true;
    for (const series::Run& run : series().runs) {
        const series::RunUncertainty* found = uncertain.find(run, series());
        all = all && found;
        known.push_back(found ? *found : series::RunUncertainty{});
    }
    if (complete)
        *complete = all;
    return known;
}

std::optional<std::vector<series::RunUncertainty>> RunsModel::knownUncertainties() const
{
    return uncertain.findAll(series());
}

std::optional<report::Run> RunsModel::reportRun(int row) const
{
    return report::seriesRun(series(), std::size_t(row), results()[std::size_t(row)],
                             uncertain.find(series().runs[std::size_t(row)], series()));
}

QString RunsModel::tabText(const QList<int>& rows) const
{
    QStringList lines;
    QStringList fields;
    for (int column = 0; column < columnCount(); ++column)
        fields.append(columnTitle(column));
    lines.append(fields.join(u'\t'));
    for (const int row : rows) {
        fields.clear();
        for (int column = 0; column < columnCount(); ++column) {
            if (column == excludedColumn)
                fields.append(editor.takenIn(std::size_t(row)) ? QString() : tr("excluded"));
            else
                fields.append(data(index(row, column)).toString());
        }
        lines.append(fields.join(u'\t'));
    }
    return lines.join(u'\n') + u'\n';
}

int RunsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(series().runs.size());
}

int RunsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : numberOfColumns + int(present::readingFieldCount);
}

QVariant RunsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int column = index.column();
    const series::Run& run = series().runs[index.row()];
    const series::RunResult& result = results()[index.row()];
    const bool completed = result.outcome == absorber::Outcome::completed;

    if (column == runColumn) {
        if (role == Qt::DisplayRole)
            return QLocale().toString(index.row() + 1);
        if (role == SortRole)
            return index.row() + 1;
        // A run whose results cannot describe an absorber is marked, and
        // its tip says why.
        if (role == Qt::DecorationRole && !series::findingsOf(run, result).empty())
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        if (role == Qt::ToolTipRole) {
            const QStringList tip = report::qstrings(present::runsRunTip(run, result, report::qtLanguage()));
            return tip.isEmpty() ? QVariant() : tip.join(u'\n');
        }
    }
    if (column == labelColumn && (role == Qt::DisplayRole || role == Qt::EditRole || role == SortRole))
        return QString::fromStdString(run.label);
    if (column >= firstReadingColumn) {
        // As the Readings dialog shows them; edited there.
        if (role == Qt::DisplayRole || role == SortRole)
            return report::qstring(present::readingText(
                run.readings, present::ReadingField(column - firstReadingColumn), report::numberLocaleOf(QLocale())));
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    // An input is corrected from its value in full.
    if (role == Qt::EditRole
        && (column == temperatureColumn || present::runsColumnInput(present::RunsColumn(column)))) {
        const std::optional<double> value = present::runsColumnValue(run, result, present::RunsColumn(column));
        return value ? ui::numberText(*value) : QString();
    }
    if (column == excludedColumn) {
        // Runs with findings stay out of the analysis unless the user takes
        // them in.
        if (role == Qt::CheckStateRole || role == SortRole)
            return series::inAnalysis(run, result) ? Qt::Unchecked : Qt::Checked;
        if (role == Qt::ToolTipRole) {
            const std::string tip = present::runsExcludedTip(run, result, report::qtLanguage());
            return tip.empty() ? QVariant() : QVariant(QString::fromStdString(tip));
        }
    }
    if (column == uncertaintyColumn || column == intervalColumn)
        return uncertaintyData(run, result, column, role);
    if (role == Qt::ForegroundRole && !completed)
        return QBrush(QColor(128, 128, 128));
    if (column <= excludedColumn)
        return {};

    const auto shownColumn = present::RunsColumn(column);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        const present::RunsCell cell =
            present::runsNumberCell(run, result, shownColumn, report::numberLocaleOf(QLocale()), report::qtLanguage());
        const std::string& text = role == Qt::DisplayRole ? cell.text : cell.tip;
        return role == Qt::ToolTipRole && text.empty() ? QVariant() : QVariant(QString::fromStdString(text));
    }
    case SortRole: {
        const std::optional<double> value = present::runsColumnValue(run, result, shownColumn);
        return value ? QVariant(*value) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

bool RunsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= firstReadingColumn)
        return false;
    const auto row = std::size_t(index.row());
    const Effect effect{{ids()[row]}};
    if (index.column() == labelColumn && role == Qt::EditRole) {
        Rows before = copyOfEditor();
        const bool changed = editor.setLabel(row, value.toString().toStdString());
        edit(changed, std::move(before), tr("Edit a label"), effect);
        return true;
    }
    if (const auto field = present::runsColumnInput(present::RunsColumn(index.column())); field && role == Qt::EditRole)
        return setInput(row, *field, value.toString());
    if (index.column() == temperatureColumn && role == Qt::EditRole)
        return setTemperature(row, value.toString());
    if (index.column() == excludedColumn && role == Qt::CheckStateRole) {
        const bool excluded = value.value<Qt::CheckState>() == Qt::Checked;
        Rows before = copyOfEditor();
        const bool changed = editor.setExcluded(row, excluded);
        edit(changed, std::move(before), excluded ? tr("Exclude a run") : tr("Include a run"), effect);
        return true;
    }
    return false;
}

bool RunsModel::setInput(std::size_t row, present::InputField field, const QString& text)
{
    // Only an emptied height is no value; another empty input is refused as
    // the main window's empty field is.
    const std::optional<present::ParsedNumber> value =
        text.trimmed().isEmpty() ? std::nullopt : std::optional(ui::parseNumber(text));
    Rows before = copyOfEditor();
    const present::InputEdit made = editor.setInput(row, field, value);
    if (made.message.kind != present::Message::Kind::none) {
        emit inputRefused(made.message, text);
        return false;
    }
    edit(made.changed, std::move(before), tr("Correct a run's input"), {{}, false, false, int(row)});
    return true;
}

bool RunsModel::setTemperature(std::size_t row, const QString& text)
{
    // An emptied cell clears the temperature.
    std::optional<double> value;
    if (!text.trimmed().isEmpty()) {
        const present::ParsedNumber parsed = ui::parseNumber(text);
        if (parsed)
            value = *parsed;
        if (const auto box = present::temperatureRefusal(report::qtLanguage(), text.toStdString(), value)) {
            emit temperatureRefused(report::qstring(box->title), report::qstring(box->text));
            return false;
        }
    }
    Rows before = copyOfEditor();
    const bool changed = editor.setTemperature(row, value);
    edit(changed, std::move(before), tr("Edit a run's temperature"), {{}, false, false, int(row)});
    return true;
}

Qt::ItemFlags RunsModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() >= firstReadingColumn)
        return flags;
    if (index.column() == labelColumn || index.column() == temperatureColumn
        || present::runsColumnInput(present::RunsColumn(index.column())))
        flags |= Qt::ItemIsEditable;
    if (index.column() == excludedColumn)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant RunsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return onTwoLines(columnTitle(section));
}

QString RunsModel::columnTitle(int section) const
{
    if (section >= firstReadingColumn)
        return report::qstring(
            present::readingTitle(present::ReadingField(section - firstReadingColumn), report::qtLanguage()));
    return report::qstring(
        present::runsColumnTitle(present::RunsColumn(section), editor.field(Field::flowUnit), report::qtLanguage()));
}

QVariant RunsModel::uncertaintyData(const series::Run& run, const series::RunResult& result, int column, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    const series::RunUncertainty* found = uncertain.find(run, series());
    if (role == SortRole) {
        const auto* drawn = found ? std::get_if<series::MonteCarlo>(&found->monteCarlo) : nullptr;
        if (!drawn || !result.mtc || !series::hasUncertainty(run, series().uncertainty))
            return {};
        return column == uncertaintyColumn ? series::coverageFactor * drawn->u : drawn->interval.low;
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    // A cancelled run is not computed yet, not computed for good.
    const present::UncertaintyStatus status = found ? present::UncertaintyStatus::known
        : uncertain.pending(run, series())          ? present::UncertaintyStatus::pending
                                                    : present::UncertaintyStatus::cancelled;
    const auto* drawn = found ? std::get_if<series::MonteCarlo>(&found->monteCarlo) : nullptr;
    const QString draws = drawn ? QLocale().toString(qulonglong(drawn->draws)) : QString();
    const present::RunsCell cell =
        present::runsUncertaintyCell(present::RunsColumn(column), run, result, series().uncertainty, status,
                                     found ? found->monteCarlo : series::RunUncertainty().monteCarlo,
                                     draws.toStdString(), report::numberLocaleOf(QLocale()), report::qtLanguage());
    const std::string& text = role == Qt::DisplayRole ? cell.text : cell.tip;
    return text.empty() ? QVariant() : QVariant(QString::fromStdString(text));
}
