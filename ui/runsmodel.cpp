#include "ui/runsmodel.h"

#include "ui/numbertext.h"

#include <QLocale>

#include <optional>

namespace {

std::optional<double> columnValue(const report::Run& run, int column)
{
    switch (column) {
    case RunsModel::runColumn:
        return run.number;
    case RunsModel::y1Column:
        return run.y1;
    case RunsModel::x1Column:
        return run.x1;
    case RunsModel::gasFlowColumn:
        return run.gasFlow;
    case RunsModel::waterFlowColumn:
        return run.waterFlow;
    case RunsModel::eqXColumn:
        return run.eqX;
    case RunsModel::eqYColumn:
        return run.eqY;
    case RunsModel::y2Column:
        return run.y2;
    case RunsModel::ntuColumn:
        return run.ntu;
    case RunsModel::packingHeightColumn:
        return run.packingHeight;
    case RunsModel::mtcColumn:
        return run.mtc;
    }
    return std::nullopt;
}

}  // namespace

QString RunsModel::widestText(int column)
{
    switch (column) {
    case runColumn:
        return QLocale().toString(9999);
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

RunsModel::RunsModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int RunsModel::addRun(const report::Run& run)
{
    const int row = int(completed.size());
    beginInsertRows({}, row, row);
    completed.append(run);
    completed.last().number = row + 1;
    endInsertRows();
    return row + 1;
}

void RunsModel::setMtc(int runNumber, double height, double mtc)
{
    const int row = runNumber - 1;
    if (row < 0 || row >= completed.size())
        return;
    completed[row].packingHeight = height;
    completed[row].mtc = mtc;
    emit dataChanged(index(row, packingHeightColumn), index(row, mtcColumn));
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
        for (int column = 0; column < columnCount(); ++column)
            fields.append(data(index(row, column)).toString());
        lines.append(fields.join(u'\t'));
    }
    return lines.join(u'\n') + u'\n';
}

int RunsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(completed.size());
}

int RunsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : numberOfColumns;
}

QVariant RunsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= completed.size())
        return {};
    const report::Run& run = completed.at(index.row());
    const std::optional<double> value = columnValue(run, index.column());

    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == runColumn)
            return QLocale().toString(run.number);
        return value ? ui::resultText(*value) : QString();
    case Qt::ToolTipRole:
        if (index.column() == runColumn || !value)
            return {};
        return ui::numberText(*value);
    case SortRole:
        return value ? QVariant(*value) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant RunsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    // On two lines, so that the numbers rather than the titles set the
    // columns' widths.
    const QString title = columnTitle(section);
    const qsizetype middle = title.size() / 2;
    const qsizetype before = title.lastIndexOf(u' ', middle);
    const qsizetype after = title.indexOf(u' ', middle);
    const qsizetype space = before < 0 ? after
        : after < 0                    ? before
                                       : (middle - before <= after - middle ? before : after);
    return space < 0 ? title : title.left(space) + u'\n' + title.mid(space + 1);
}

QString RunsModel::columnTitle(int section)
{
    switch (section) {
    case runColumn:
        return tr("Run");
    case y1Column:
        return tr("y1 (gas in)");
    case x1Column:
        return tr("x1 (water out)");
    case gasFlowColumn:
        return tr("Gas flow");
    case waterFlowColumn:
        return tr("Water flow");
    case eqXColumn:
        return tr("Equilibrium x");
    case eqYColumn:
        return tr("Equilibrium y*");
    case y2Column:
        return tr("y2 (gas out)");
    case ntuColumn:
        return tr("NTU");
    case packingHeightColumn:
        return tr("Packing height (m)");
    case mtcColumn:
        return tr("Mass-transfer coefficient");
    }
    return {};
}
