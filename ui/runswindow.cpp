#include "ui/runswindow.h"

#include "ui/runsmodel.h"
#include "ui/saving.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

RunsWindow::RunsWindow(RunsModel& runs, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , model(runs)
    , sorted(new QSortFilterProxyModel(this))
    , table(new QTableView(this))
    , copyButton(new QPushButton(tr("&Copy"), this))
    , csvButton(new QPushButton(tr("Save as C&SV…"), this))
    , reportButton(new QPushButton(tr("Save &Report…"), this))
{
    setWindowTitle(tr("Runs"));

    sorted->setSourceModel(&runs);
    sorted->setSortRole(RunsModel::SortRole);
    table->setModel(sorted);
    table->setSortingEnabled(true);
    table->sortByColumn(RunsModel::runColumn, Qt::AscendingOrder);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(false);

    auto* copyAction = new QAction(tr("&Copy"), this);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copyAction, &QAction::triggered, this, &RunsWindow::copySelection);
    addAction(copyAction);

    connect(copyButton, &QPushButton::clicked, this, &RunsWindow::copySelection);
    connect(csvButton, &QPushButton::clicked, this, &RunsWindow::saveCsv);
    reportButton->setToolTip(tr("The one-page PDF report of the current run"));
    connect(reportButton, &QPushButton::clicked, this, &RunsWindow::saveReport);
    connect(table->selectionModel(), &QItemSelectionModel::currentChanged, this, &RunsWindow::updateButtons);
    for (const auto rowsChanged : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(sorted, rowsChanged, this, &RunsWindow::updateButtons);
    connect(sorted, &QAbstractItemModel::modelReset, this, &RunsWindow::updateButtons);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copyButton);
    buttons->addWidget(csvButton);
    buttons->addWidget(reportButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addLayout(buttons);

    fitColumns();
    updateButtons();
}

QList<int> RunsWindow::selectedRows() const
{
    QList<int> viewRows;
    for (const QModelIndex& index : table->selectionModel()->selectedRows())
        viewRows.append(index.row());
    if (viewRows.isEmpty()) {
        for (int row = 0; row < sorted->rowCount(); ++row)
            viewRows.append(row);
    }
    std::sort(viewRows.begin(), viewRows.end());

    QList<int> modelRows;
    for (const int row : viewRows)
        modelRows.append(sorted->mapToSource(sorted->index(row, 0)).row());
    return modelRows;
}

QString RunsWindow::selectedText() const
{
    return model.tabText(selectedRows());
}

void RunsWindow::copySelection()
{
    QGuiApplication::clipboard()->setText(selectedText());
}

void RunsWindow::saveCsv()
{
    ui::saveRunsCsv(this, model.runs());
}

void RunsWindow::saveReport()
{
    const QModelIndex current = sorted->mapToSource(table->currentIndex());
    if (current.isValid())
        ui::saveRunReport(this, model.runs().at(current.row()));
}

void RunsWindow::updateButtons()
{
    const bool anyRun = sorted->rowCount() > 0;
    copyButton->setEnabled(anyRun);
    csvButton->setEnabled(anyRun);
    reportButton->setEnabled(table->currentIndex().isValid());
}

void RunsWindow::fitColumns()
{
    // Each column as wide as its title and the widest value a run shows in
    // it, and the window as wide as all of them, as far as the screen allows.
    QHeaderView* header = table->horizontalHeader();
    const QFontMetrics metrics(table->font());
    const int cellPadding = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 4);
    int total = 0;
    for (int column = 0; column < model.columnCount(); ++column) {
        const QString widest = RunsModel::widestText(column);
        const int width = qMax(header->sectionSizeHint(column), metrics.horizontalAdvance(widest) + cellPadding);
        table->setColumnWidth(column, width);
        total += width;
    }
    const int frame = 2 * table->frameWidth() + table->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QMargins margins = layout()->contentsMargins();
    int width = total + frame + margins.left() + margins.right();
    if (const QScreen* screen = this->screen())
        width = qMin(width, screen->availableGeometry().width());
    resize(width, 320);
}
