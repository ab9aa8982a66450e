#include "ui/runsmodel.h"

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
#include <QUndoCommand>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

// One undoable change of the series, as the two functions that make and
// unmake it.
class Step : public QUndoCommand {
public:
    Step(const QString& text, std::function<void()> make, std::function<void()> unmake)
        : QUndoCommand(text)
        , redoing(std::move(make))
        , undoing(std::move(unmake))
    {
    }
    void redo() override { redoing(); }
    void undo() override { undoing(); }

private:
    std::function<void()> redoing;
    std::function<void()> undoing;
};

std::optional<double> columnValue(const series::Run& run, const series::RunResult& result, int column)
{
    const auto& point = result.balance.point;
    switch (column) {
    case RunsModel::y1Column:
        return run.inputs.y1;
    case RunsModel::x1Column:
        return run.inputs.x1;
    case RunsModel::gasFlowColumn:
        return run.inputs.gasFlow;
    case RunsModel::waterFlowColumn:
        return run.inputs.waterFlow;
    case RunsModel::eqXColumn:
        return point ? std::optional(point->x) : std::nullopt;
    case RunsModel::eqYColumn:
        return point ? std::optional(point->y) : std::nullopt;
    case RunsModel::y2Column:
        return result.balance.y2;
    case RunsModel::ntuColumn:
        return result.ntu;
    case RunsModel::ntuColburnColumn:
        return result.ntuColburn;
    case RunsModel::packingHeightColumn:
        return run.packingHeight;
    case RunsModel::mtcColumn:
        return result.mtc;
    }
    return std::nullopt;
}

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
    uncertain.request(current.runs, current.uncertainty);
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
    case uncertaintyColumn:
        return tr("%1 ± %2").arg(ui::resultText(-8888.8888), ui::resultText(888.8888));
    case intervalColumn:
        return tr("%1 to %2").arg(ui::resultText(-8888.8888), ui::resultText(8888.8888));
    case y1Column:
    case x1Column:
    case eqXColumn:
    case eqYColumn:
    case y2Column:
        return ui::resultText(-0.8888);
    }
    // Flows, heights, NTU and coefficients below 10^6, negative flows
    // above -10^6, each to 4 decimals.
    return ui::resultText(-888888.8888);
}

RunsModel::Row RunsModel::rowAt(int row) const
{
    return {ids[row], current.runs[row], computed[row]};
}

int RunsModel::rowOf(int id) const
{
    const auto found = std::find(ids.begin(), ids.end(), id);
    return found == ids.end() ? -1 : int(found - ids.begin());
}

void RunsModel::putRows(const QList<std::pair<int, Row>>& rows)
{
    // In ascending order of position, each position counting the rows put
    // in before it.
    for (const auto& [position, row] : rows) {
        beginInsertRows({}, position, position);
        ids.insert(ids.begin() + position, row.id);
        current.runs.insert(current.runs.begin() + position, row.run);
        computed.insert(computed.begin() + position, row.result);
        endInsertRows();
    }
    requestUncertainties();
}

void RunsModel::takeRows(const QList<int>& rows)
{
    // In descending order, so that each row is where it was.
    for (const int row : rows) {
        beginRemoveRows({}, row, row);
        ids.erase(ids.begin() + row);
        current.runs.erase(current.runs.begin() + row);
        computed.erase(computed.begin() + row);
        endRemoveRows();
    }
}

void RunsModel::replaceRun(int id, const series::Run& run, const series::RunResult& result)
{
    const int row = rowOf(id);
    current.runs[row] = run;
    computed[row] = result;
    emit dataChanged(index(row, 0), index(row, numberOfColumns - 1));
    requestUncertainties();
}

void RunsModel::pushRunChange(int row, const series::Run& after, const series::RunResult& afterResult,
                              const QString& text)
{
    const Row before = rowAt(row);
    undo.push(new Step(
        text, [this, id = before.id, after, afterResult] { replaceRun(id, after, afterResult); },
        [this, before] { replaceRun(before.id, before.run, before.result); }));
}

int RunsModel::addRun(const series::Run& run, const series::RunResult& result)
{
    const Row row{nextId++, run, result};
    const int position = rowCount();
    undo.push(new Step(
        tr("Add run"),
        [this, row, position] {
            putRows({{position, row}});
        },
        [this, position] { takeRows({position}); }));
    return row.id;
}

void RunsModel::setMtc(int id, double height, double mtc)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    series::Run run = current.runs[row];
    series::RunResult result = computed[row];
    run.packingHeight = height;
    result.coefficientOutcome = absorber::Outcome::completed;
    result.mtc = mtc;
    pushRunChange(row, run, result, tr("Find MTC"));
}

void RunsModel::removeRuns(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.isEmpty())
        return;
    QList<std::pair<int, Row>> removed;
    for (const int row : rows)
        removed.append({row, rowAt(row)});
    QList<int> descending(rows.rbegin(), rows.rend());
    undo.push(new Step(
        tr("Delete runs"), [this, descending] { takeRows(descending); }, [this, removed] { putRows(removed); }));
}

QString RunsModel::field(Field which) const
{
    switch (which) {
    case Field::title:
        return QString::fromStdString(current.title);
    case Field::people:
        return QString::fromStdString(current.people);
    case Field::date:
        return QString::fromStdString(current.date);
    case Field::flowUnit:
        return QString::fromStdString(current.flowUnit);
    case Field::notes:
        return QString::fromStdString(current.notes);
    }
    return {};
}

void RunsModel::setField(Field which, const QString& text)
{
    const QString before = field(which);
    if (before == text)
        return;
    const auto set = [this, which](const QString& value) {
        std::string* fields[] = {&current.title, &current.people, &current.date, &current.flowUnit, &current.notes};
        *fields[int(which)] = value.toStdString();
        emit headerDataChanged(Qt::Horizontal, 0, numberOfColumns - 1);
    };
    undo.push(new Step(
        tr("Edit the series"), [set, text] { set(text); }, [set, before] { set(before); }));
}

void RunsModel::resetSeries(series::Series series, std::vector<series::RunResult> results)
{
    beginResetModel();
    current = std::move(series);
    computed = std::move(results);
    ids.clear();
    for (std::size_t row = 0; row < current.runs.size(); ++row)
        ids.push_back(nextId++);
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, numberOfColumns - 1);
    undo.clear();
    requestUncertainties();
}

void RunsModel::setDefaultUncertainties(const series::Uncertainties& uncertainties)
{
    const series::Uncertainties before = current.uncertainty;
    if (before == uncertainties)
        return;
    const auto set = [this](const series::Uncertainties& value) {
        current.uncertainty = value;
        emit headerDataChanged(Qt::Horizontal, 0, numberOfColumns - 1);
        if (rowCount() > 0)
            emit dataChanged(index(0, uncertaintyColumn), index(rowCount() - 1, intervalColumn));
        requestUncertainties();
    };
    undo.push(new Step(
        tr("Edit the uncertainties"), [set, uncertainties] { set(uncertainties); }, [set, before] { set(before); }));
}

void RunsModel::setRunUncertainties(int row, const series::Uncertainties& uncertainties)
{
    series::Run run = current.runs[row];
    if (run.uncertainty == uncertainties)
        return;
    run.uncertainty = uncertainties;
    pushRunChange(row, run, computed[row], tr("Edit a run's uncertainties"));
}

std::vector<series::RunUncertainty> RunsModel::uncertaintiesSoFar(bool* complete) const
{
    std::vector<series::RunUncertainty> known;
    bool all = true;
    for (const series::Run& run : current.runs) {
        const series::RunUncertainty* found = uncertain.find(run, current.uncertainty);
        all = all && found;
        known.push_back(found ? *found : series::RunUncertainty{});
    }
    if (complete)
        *complete = all;
    return known;
}

std::optional<std::vector<series::RunUncertainty>> RunsModel::knownUncertainties() const
{
    return uncertain.findAll(current);
}

std::optional<report::Run> RunsModel::reportRun(int row) const
{
    return report::seriesRun(current, std::size_t(row), computed[std::size_t(row)],
                             uncertain.find(current.runs[std::size_t(row)], current.uncertainty));
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
                fields.append(series::inAnalysis(current.runs[row], computed[row]) ? QString() : tr("excluded"));
            else
                fields.append(data(index(row, column)).toString());
        }
        lines.append(fields.join(u'\t'));
    }
    return lines.join(u'\n') + u'\n';
}

int RunsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(current.runs.size());
}

int RunsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : numberOfColumns;
}

QVariant RunsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int column = index.column();
    const series::Run& run = current.runs[index.row()];
    const series::RunResult& result = computed[index.row()];
    const bool completed = result.outcome == absorber::Outcome::completed;

    if (column == runColumn) {
        if (role == Qt::DisplayRole)
            return QLocale().toString(index.row() + 1);
        if (role == SortRole)
            return index.row() + 1;
        // A run whose results cannot describe an absorber is marked, and
        // its tip says why.
        const QStringList findings =
            report::qstrings(present::findingMessages(report::qtLanguage(), series::findingsOf(run, result)));
        if (role == Qt::DecorationRole && !findings.isEmpty())
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        if (role == Qt::ToolTipRole) {
            QStringList tip = findings;
            if (!completed)
                tip.prepend(tr("Not completed: %1").arg(ui::outcomeName(result.outcome)));
            return tip.isEmpty() ? QVariant() : tip.join(u'\n');
        }
    }
    if (column == labelColumn && (role == Qt::DisplayRole || role == Qt::EditRole || role == SortRole))
        return QString::fromStdString(run.label);
    if (column == excludedColumn) {
        // Runs with findings stay out of the analysis unless the user takes
        // them in.
        if (role == Qt::CheckStateRole || role == SortRole)
            return series::inAnalysis(run, result) ? Qt::Unchecked : Qt::Checked;
        if (role == Qt::ToolTipRole && !run.excluded && !run.included && !series::findingsOf(run, result).empty())
            return tr("Left out of the analysis for its findings; clear the mark to take it in.");
    }
    if (column == uncertaintyColumn || column == intervalColumn)
        return uncertaintyData(run, result, column, role);
    if (role == Qt::ForegroundRole && !completed)
        return QBrush(QColor(128, 128, 128));
    if (column <= excludedColumn)
        return {};

    const std::optional<double> value = columnValue(run, result, column);
    switch (role) {
    case Qt::DisplayRole:
        // A run that did not complete says why where its NTU would be.
        if (column == ntuColumn && !completed)
            return ui::outcomeName(result.outcome);
        return value ? ui::resultText(*value) : QString();
    case Qt::ToolTipRole:
        if (column == mtcColumn && !value && result.coefficientOutcome)
            return ui::outcomeName(*result.coefficientOutcome);
        return value ? ui::numberText(*value) : QVariant();
    case SortRole:
        return value ? QVariant(*value) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

bool RunsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= rowCount())
        return false;
    series::Run run = current.runs[index.row()];
    if (index.column() == labelColumn && role == Qt::EditRole) {
        run.label = value.toString().toStdString();
        if (run.label == current.runs[index.row()].label)
            return true;
        pushRunChange(index.row(), run, computed[index.row()], tr("Edit a label"));
        return true;
    }
    if (index.column() == excludedColumn && role == Qt::CheckStateRole) {
        run.excluded = value.value<Qt::CheckState>() == Qt::Checked;
        // Clearing the mark of a run with findings takes it in despite them.
        if (!run.excluded && !series::findingsOf(run, computed[index.row()]).empty())
            run.included = true;
        pushRunChange(index.row(), run, computed[index.row()],
                      run.excluded ? tr("Exclude a run") : tr("Include a run"));
        return true;
    }
    return false;
}

Qt::ItemFlags RunsModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == labelColumn)
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
    const QString unit = field(Field::flowUnit);
    const auto withUnit = [&unit](const QString& title, const QString& unitText) {
        return unit.isEmpty() ? title : tr("%1 (%2)").arg(title, unitText);
    };
    switch (section) {
    case runColumn:
        return tr("Run");
    case labelColumn:
        return tr("Label");
    case excludedColumn:
        return tr("Excluded");
    case y1Column:
        return tr("y1 (gas in)");
    case x1Column:
        return tr("x1 (water out)");
    case gasFlowColumn:
        return withUnit(tr("Gas flow"), unit);
    case waterFlowColumn:
        return withUnit(tr("Water flow"), unit);
    case eqXColumn:
        return tr("Equilibrium x");
    case eqYColumn:
        return tr("Equilibrium y*");
    case y2Column:
        return tr("y2 (gas out)");
    case ntuColumn:
        return tr("NTU");
    case ntuColburnColumn:
        return tr("NTU (Colburn)");
    case packingHeightColumn:
        return tr("Packing height (m)");
    case mtcColumn:
        // The coefficient's unit is the flow unit per cubic metre of packing.
        return withUnit(tr("Mass-transfer coefficient"), tr("%1/m³").arg(unit));
    case uncertaintyColumn:
        return tr("MTC ± U (k = 2)");
    case intervalColumn:
        return tr("MTC 95 % interval");
    }
    return {};
}

QVariant RunsModel::uncertaintyData(const series::Run& run, const series::RunResult& result, int column, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (!result.mtc || !series::hasUncertainty(run, current.uncertainty))
        return {};
    const series::RunUncertainty* found = uncertain.find(run, current.uncertainty);
    if (!found) {
        // A cancelled run is not computed yet, not computed for good.
        const bool pending = uncertain.pending(run, current.uncertainty);
        if (role == Qt::DisplayRole)
            return pending ? QStringLiteral("…") : tr("not computed");
        if (role != Qt::ToolTipRole)
            return {};
        return pending ? tr("Being computed")
                       : tr(
                           "Cancelled: computed for the next export or report, or when the run or the "
                           "uncertainties change");
    }
    const auto* drawn = std::get_if<series::MonteCarlo>(&found->monteCarlo);
    if (!drawn) {
        if (role == Qt::DisplayRole)
            return QStringLiteral("–");
        const auto& reason = std::get<series::NotGiven>(found->monteCarlo).reason;
        return role == Qt::ToolTipRole ? QVariant(tr("Not given: %1").arg(QString::fromStdString(reason))) : QVariant();
    }
    const double expanded = series::coverageFactor * drawn->u;
    switch (role) {
    case Qt::DisplayRole:
        if (column == uncertaintyColumn)
            return tr("%1 ± %2").arg(ui::resultText(*result.mtc), ui::resultText(expanded));
        return tr("%1 to %2").arg(ui::resultText(drawn->interval.low), ui::resultText(drawn->interval.high));
    case Qt::ToolTipRole:
        return tr("Monte Carlo, %1 draws: u = %2, 95 % of the coefficients from %3 to %4")
            .arg(QLocale().toString(qulonglong(drawn->draws)), ui::numberText(drawn->u),
                 ui::numberText(drawn->interval.low), ui::numberText(drawn->interval.high));
    case SortRole:
        return column == uncertaintyColumn ? expanded : drawn->interval.low;
    }
    return {};
}
