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
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

RunsWindow::RunsWindow(RunsModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , model(model)
    , sorted(new QSortFilterProxyModel(this))
    , table(new QTableView(this))
    , reportButton(new QPushButton(tr("Save &Report…"), this))
{
    setWindowTitle(tr("Runs"));

    sorted->setSourceModel(&model);
    sorted->setSortRole(RunsModel::SortRole);
    table->setModel(sorted);
    table->setSortingEnabled(true);
    table->sortByColumn(RunsModel::runColumn, Qt::AscendingOrder);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* copyAction = new QAction(tr("&Copy"), this);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copyAction, &QAction::triggered, this, &RunsWindow::copySelection);
    addAction(copyAction);

    auto* copyButton = new QPushButton(tr("&Copy"), this);
    connect(copyButton, &QPushButton::clicked, this, &RunsWindow::copySelection);
    auto* csvButton = new QPushButton(tr("Save as C&SV…"), this);
    connect(csvButton, &QPushButton::clicked, this, &RunsWindow::saveCsv);
    reportButton->setToolTip(tr("The one-page PDF report of the current run"));
    connect(reportButton, &QPushButton::clicked, this, &RunsWindow::saveReport);
    connect(table->selectionModel(), &QItemSelectionModel::currentChanged, this, &RunsWindow::updateButtons);
    connect(sorted, &QAbstractItemModel::rowsInserted, this, &RunsWindow::updateButtons);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copyButton);
    buttons->addWidget(csvButton);
    buttons->addWidget(reportButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addLayout(buttons);

    resize(900, 320);
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
    reportButton->setEnabled(table->currentIndex().isValid());
}
