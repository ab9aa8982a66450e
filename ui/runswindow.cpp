#include "ui/runswindow.h"

#include "present/runstable.h"
#include "report/qtpresent.h"
#include "ui/Form1.h"
#include "ui/messages.h"
#include "ui/readingsdialog.h"
#include "ui/saving.h"
#include "ui/uncertaintyfields.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The main window's name of the field, as its boxes give it.
QString fieldName(present::InputField field)
{
    switch (field) {
    case present::InputField::x1:
        return Form1::tr("Water Outlet %NH3");
    case present::InputField::gasFlow:
        return Form1::tr("Gas Flowrate");
    case present::InputField::waterFlow:
        return Form1::tr("H20 Flowrate");
    case present::InputField::packingHeight:
        return Form1::tr("Height of Packing (meters)");
    case present::InputField::y1:
        break;
    }
    return Form1::tr("Gas Inlet %NH3");
}

}  // namespace

RunsWindow::RunsWindow(RunsModel& runs, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , model(runs)
    , sorted(new QSortFilterProxyModel(this))
    , table(new QTableView(this))
    , copyButton(new QPushButton(tr("&Copy"), this))
    , csvButton(new QPushButton(tr("Save as C&SV…"), this))
    , reportButton(new QPushButton(tr("Save &Report…"), this))
    , deleteButton(new QPushButton(tr("&Delete"), this))
    , uncertaintyButton(new QPushButton(tr("Run &Uncertainties…"), this))
    , readingsButton(new QPushButton(tr("Readin&gs…"), this))
    , progress(new QProgressBar(this))
    , cancelButton(new QPushButton(tr("Cancel"), this))
    , progressTimer(new QTimer(this))
{
    setWindowTitle(tr("Runs"));

    sorted->setSourceModel(&runs);
    sorted->setSortRole(RunsModel::SortRole);
    table->setModel(sorted);
    table->setSortingEnabled(true);
    table->sortByColumn(RunsModel::runColumn, Qt::AscendingOrder);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The label and the inputs are edited in place; the model says which
    // cells can be.
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                           | QAbstractItemView::AnyKeyPressed);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(false);
    table->setContextMenuPolicy(Qt::ActionsContextMenu);

    table->addAction(addShortcut(tr("&Copy"), QKeySequence::Copy, &RunsWindow::copySelection));
    // Delete, Undo and Redo have their keys in the Edit menu every series
    // window shows; one owner per key, or Qt ignores it as ambiguous.
    auto* remove = new QAction(tr("&Delete"), this);
    connect(remove, &QAction::triggered, this, &RunsWindow::deleteSelection);
    table->addAction(remove);

    connect(copyButton, &QPushButton::clicked, this, &RunsWindow::copySelection);
    connect(csvButton, &QPushButton::clicked, this, &RunsWindow::saveCsv);
    reportButton->setToolTip(tr("The one-page PDF report of the current run"));
    connect(reportButton, &QPushButton::clicked, this, &RunsWindow::saveReport);
    connect(deleteButton, &QPushButton::clicked, this, &RunsWindow::deleteSelection);
    uncertaintyButton->setObjectName(QStringLiteral("runUncertainties"));
    uncertaintyButton->setToolTip(tr("The current run's own standard uncertainties"));
    connect(uncertaintyButton, &QPushButton::clicked, this, &RunsWindow::editRunUncertainties);
    readingsButton->setObjectName(QStringLiteral("runReadings"));
    readingsButton->setToolTip(tr("The current run's titration and meter readings"));
    connect(readingsButton, &QPushButton::clicked, this, &RunsWindow::editReadings);

    // The uncertainties are computed in the background; a bar shows once
    // that takes longer than half a second.
    progress->setObjectName(QStringLiteral("uncertaintyProgress"));
    progress->setFormat(tr("Uncertainties: %v of %m runs"));
    cancelButton->setObjectName(QStringLiteral("cancelUncertainties"));
    progress->hide();
    cancelButton->hide();
    progressTimer->setInterval(100);
    connect(progressTimer, &QTimer::timeout, this, &RunsWindow::showProgress);
    connect(cancelButton, &QPushButton::clicked, this, [this] { model.uncertainties().cancel(); });
    // The focus Cancel took from the keyboard goes back where it came from:
    // hidden, the button would pass it on to the Title field, text selected.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == cancelButton && old != cancelButton)
            beforeCancel = old;
    });
    // Whoever started the computing (an open, an edit, a save), the bar and
    // Cancel show, in a window opened since too.
    connect(&runs.uncertainties(), &UncertaintyCache::busyChanged, this, &RunsWindow::followWork);
    followWork(runs.uncertainties().busy());
    connect(table->selectionModel(), &QItemSelectionModel::currentChanged, this, &RunsWindow::updateButtons);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &RunsWindow::updateButtons);
    for (const auto rowsChanged : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(sorted, rowsChanged, this, &RunsWindow::updateButtons);
    connect(sorted, &QAbstractItemModel::modelReset, this, &RunsWindow::updateButtons);
    connect(&runs, &QAbstractItemModel::headerDataChanged, this, &RunsWindow::showFields);
    // The box once the cell's editor is closed, so that it does not commit
    // the refused text again as the box takes its focus.
    connect(&runs, &RunsModel::inputRefused, this, [this](const present::Message& message, const QString& text) {
        QMetaObject::invokeMethod(
            this, [this, message, text] { refuse(message, text); }, Qt::QueuedConnection);
    });
    connect(&runs, &RunsModel::temperatureRefused, this, [this](const QString& boxTitle, const QString& text) {
        QMetaObject::invokeMethod(
            this, [this, boxTitle, text] { QMessageBox::warning(this, boxTitle, text); }, Qt::QueuedConnection);
    });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {copyButton, csvButton, reportButton, deleteButton, uncertaintyButton, readingsButton})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(progress);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFields());
    layout->addWidget(table, 1);
    layout->addLayout(buttons);

    showFields();
    fitColumns();
    updateButtons();
}

RunsWindow::~RunsWindow()
{
    // The children go after this object is no RunsWindow any more, the
    // focus leaving them and their fields finishing: those last signals are
    // not this window's to act on.
    for (const QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
    disconnect(qApp, nullptr, this, nullptr);
}

QWidget* RunsWindow::buildFields()
{
    // Two columns, so that a laptop's screen has room for the runs: the
    // series' words on the left, the notes beside them; then how the series
    // is computed, its uncertainties, and which columns the table shows.
    // Made in the order the keyboard takes them.
    auto* fields = new QWidget(this);
    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    const auto labelled = [this, grid](const QString& text, QWidget* field, int row, int column) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        grid->addWidget(label, row, column);
        return label;
    };
    int row = 0;
    const auto line = [this, grid, labelled, &row](const char* name, const QString& label, RunsModel::Field field) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        labelled(label, edit, row, 0);
        grid->addWidget(edit, row++, 1);
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, field] { model.setField(field, edit->text()); });
        keepUndoKeys(edit, field);
        return edit;
    };
    title = line("seriesTitle", tr("&Title:"), RunsModel::Field::title);
    people = line("seriesPeople", tr("&People:"), RunsModel::Field::people);
    date = line("seriesDate", tr("D&ate:"), RunsModel::Field::date);
    date->setPlaceholderText(tr("the day of the experiment"));

    notes = new QPlainTextEdit(this);
    notes->setObjectName(QStringLiteral("seriesNotes"));
    notes->setTabChangesFocus(true);
    // As tall as the three fields beside it.
    notes->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    // Taken into the series when the user leaves the field, as one step.
    notes->installEventFilter(this);
    labelled(tr("&Notes:"), notes, 0, 2)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(notes, 0, 3, 3, 1);

    // A molar unit from the list, to which a change converts the flows, or
    // any other text typed, which only labels them.
    flowUnit = new QComboBox(this);
    flowUnit->setObjectName(QStringLiteral("flowUnit"));
    flowUnit->setEditable(true);
    for (const std::string_view unit : series::flowUnits)
        flowUnit->addItem(QString::fromUtf8(unit.data(), qsizetype(unit.size())));
    flowUnit->setInsertPolicy(QComboBox::NoInsert);
    labelled(tr("&Flow unit:"), flowUnit, row, 0);
    grid->addWidget(flowUnit, row, 1);
    const auto takeUnit = [this] { model.setField(RunsModel::Field::flowUnit, flowUnit->currentText()); };
    connect(flowUnit, &QComboBox::activated, this, takeUnit);
    connect(flowUnit->lineEdit(), &QLineEdit::editingFinished, this, takeUnit);
    // The combo box hands its line edit the shortcut override itself.
    keepUndoKeys(flowUnit->lineEdit(), RunsModel::Field::flowUnit, flowUnit);

    // Today's calculation stays the default; the other scales y* to each run's temperature.
    equilibrium = new QComboBox(this);
    equilibrium->setObjectName(QStringLiteral("equilibrium"));
    for (const series::Equilibrium basis : {series::Equilibrium::table, series::Equilibrium::runTemperature})
        equilibrium->addItem(report::qstring(present::equilibriumText(basis, report::qtLanguage())), int(basis));
    equilibrium->setToolTip(
        tr("Where the equilibrium points come from: the table at 30 °C, or its y* scaled by "
           "exp(4200 K · (1/303.15 K − 1/T)) to each run's column temperature"));
    labelled(tr("&Equilibrium:"), equilibrium, row, 2);
    grid->addWidget(equilibrium, row++, 3);

    defaults = new UncertaintyFields(this);
    defaults->setObjectName(QStringLiteral("seriesUncertainties"));
    defaults->setToolTip(
        tr("Standard uncertainties of every run's inputs, unless a run has its own; an empty "
           "field is none"));
    grid->addWidget(new QLabel(tr("Standard uncertainties:"), this), row, 0);
    grid->addWidget(defaults, row, 1, 1, 3);
    connect(defaults, &UncertaintyFields::edited, this, [this] {
        if (const std::optional<series::Uncertainties> values = defaults->values())
            model.setDefaultUncertainties(*values);
        else
            defaults->setValues(model.series().uncertainty);
    });

    // The temperature and the values beside the coefficient are there to be
    // shown; the table keeps today's width until they are asked for.
    moreColumns = new QCheckBox(tr("Show the column &temperature, HOG and Colburn columns"), this);
    moreColumns->setObjectName(QStringLiteral("moreColumns"));
    const int columnsRow = row + 1;
    grid->addWidget(moreColumns, columnsRow, 1);
    constexpr int shownWhenAsked[] = {RunsModel::temperatureColumn, RunsModel::hogColumn, RunsModel::mtcColburnColumn,
                                      RunsModel::hogColburnColumn};
    for (const int column : shownWhenAsked)
        table->setColumnHidden(column, true);
    connect(moreColumns, &QCheckBox::toggled, this, [this, shownWhenAsked](bool shown) {
        for (const int column : shownWhenAsked)
            table->setColumnHidden(column, !shown);
        fitColumns();
    });
    // The readings each run was worked out from, as the Readings dialog
    // shows them; read-only, as the dialog is where they are edited.
    readingColumns = new QCheckBox(tr("Show the readings co&lumns"), this);
    readingColumns->setObjectName(QStringLiteral("readingColumns"));
    grid->addWidget(readingColumns, columnsRow, 3);
    const auto showReadings = [this](bool shown) {
        for (int column = RunsModel::firstReadingColumn; column < model.columnCount(); ++column)
            table->setColumnHidden(column, !shown);
    };
    showReadings(false);
    connect(readingColumns, &QCheckBox::toggled, this, [this, showReadings](bool shown) {
        showReadings(shown);
        fitColumns();
    });
    connect(equilibrium, &QComboBox::activated, this, [this] {
        const auto basis = series::Equilibrium(equilibrium->currentData().toInt());
        model.setEquilibrium(basis);
        // The temperatures the equilibrium now follows are shown.
        if (basis == series::Equilibrium::runTemperature)
            moreColumns->setChecked(true);
    });
    return fields;
}

void RunsWindow::keepUndoKeys(QLineEdit* edit, RunsModel::Field field, QWidget* focused)
{
    QWidget* watched = focused ? focused : edit;
    undoFields.insert(watched, {edit, field});
    watched->installEventFilter(this);
}

bool RunsWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A field holding what the series has, nothing typed since it was
    // taken, leaves Undo and Redo to the Edit menu rather than to its own
    // history: Ctrl+Z after choosing a flow unit undoes the change.
    if (event->type() == QEvent::ShortcutOverride && undoFields.contains(watched)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto [edit, field] = undoFields.value(watched);
        if ((key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))
            && edit->text() == model.field(field)) {
            event->ignore();
            return true;
        }
    }
    if (watched == notes && event->type() == QEvent::FocusOut)
        model.setField(RunsModel::Field::notes, notes->toPlainText());
    return QWidget::eventFilter(watched, event);
}

void RunsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Its frame is known once shown: frame and all, the window is no wider
    // than the screen, and the table scrolls to the columns it cannot show.
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const int room = screen->availableGeometry().width() - (frameGeometry().width() - width());
    if (width() > room)
        resize(qMax(room, minimumSizeHint().width()), height());
}

void RunsWindow::showFields()
{
    // Only what differs is set, so that a field being typed in keeps its
    // cursor.
    const auto show = [](QLineEdit* edit, const QString& text) {
        if (edit->text() != text)
            edit->setText(text);
    };
    show(title, model.field(RunsModel::Field::title));
    show(people, model.field(RunsModel::Field::people));
    show(date, model.field(RunsModel::Field::date));
    if (flowUnit->currentText() != model.field(RunsModel::Field::flowUnit)) {
        const QSignalBlocker quiet(flowUnit);
        flowUnit->setCurrentText(model.field(RunsModel::Field::flowUnit));
    }
    if (const int basis = equilibrium->findData(int(model.series().equilibrium));
        equilibrium->currentIndex() != basis) {
        const QSignalBlocker quiet(equilibrium);
        equilibrium->setCurrentIndex(basis);
    }
    if (notes->toPlainText() != model.field(RunsModel::Field::notes))
        notes->setPlainText(model.field(RunsModel::Field::notes));
    defaults->setValues(model.series().uncertainty);
}

void RunsWindow::refuse(const present::Message& message, const QString& text)
{
    switch (message.kind) {
    case present::Message::Kind::conversionError:
        ui::reportConversionError(this, fieldName(message.field), text, message.number);
        break;
    case present::Message::Kind::invalidData:
        ui::reportInvalidData(this, Form1::tr("ERROR"));
        break;
    case present::Message::Kind::fault:
        ui::reportFault(this, message.fault);
        break;
    case present::Message::Kind::none:
        break;
    }
}

void RunsWindow::followWork(bool busy)
{
    if (busy) {
        progressTimer->start();
        showProgress();
        return;
    }
    progressTimer->stop();
    if (cancelButton->hasFocus()) {
        QWidget* back =
            beforeCancel && beforeCancel->isVisible() && beforeCancel->isEnabled() && beforeCancel->window() == this
            ? beforeCancel.data()
            : table;
        back->setFocus(Qt::OtherFocusReason);
    }
    progress->hide();
    cancelButton->hide();
}

void RunsWindow::showProgress()
{
    const UncertaintyCache& work = model.uncertainties();
    if (work.busyFor() < 500)
        return;
    // The series' runs, not the batch under way: an edit meanwhile keeps the
    // count going.
    const UncertaintyCache::Progress counted = work.progress(model.series());
    progress->setRange(0, int(counted.of));
    progress->setValue(int(counted.done));
    progress->show();
    cancelButton->show();
}

void RunsWindow::editRunUncertainties()
{
    const QModelIndex current = sorted->mapToSource(table->currentIndex());
    if (!current.isValid())
        return;
    const int row = current.row();
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("runUncertaintiesDialog"));
    dialog.setWindowTitle(tr("Uncertainties of run %1").arg(QLocale().toString(row + 1)));
    auto* fields = new UncertaintyFields(&dialog);
    fields->setValues(model.series().runs[std::size_t(row)].uncertainty);
    fields->setFallbacks(model.series().uncertainty);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(
        tr("The run's own standard uncertainties; an empty field takes the series' value shown in it."), &dialog));
    layout->addWidget(fields);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        if (const std::optional<series::Uncertainties> values = fields->values()) {
            model.setRunUncertainties(row, *values);
            dialog.accept();
        }
    });
    dialog.exec();
}

void RunsWindow::editReadings()
{
    const QModelIndex current = sorted->mapToSource(table->currentIndex());
    if (!current.isValid())
        return;
    ReadingsDialog dialog(model, current.row(), this);
    dialog.exec();
}

QAction* RunsWindow::addShortcut(const QString& text, const QKeySequence& keys, void (RunsWindow::*slot)())
{
    auto* action = new QAction(text, this);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

QList<int> RunsWindow::selectedRows(bool everyWhenNone) const
{
    QList<int> viewRows;
    for (const QModelIndex& index : table->selectionModel()->selectedRows())
        viewRows.append(index.row());
    if (viewRows.isEmpty() && everyWhenNone) {
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
    return model.tabText(selectedRows(true));
}

void RunsWindow::copySelection()
{
    if (model.rowCount() > 0)
        QGuiApplication::clipboard()->setText(selectedText());
}

void RunsWindow::deleteSelection()
{
    model.removeRuns(selectedRows(false));
}

void RunsWindow::selectAll()
{
    table->selectAll();
    table->setFocus();
}

void RunsWindow::saveCsv()
{
    ui::saveRunsCsv(this, model);
}

void RunsWindow::saveReport()
{
    const QModelIndex current = sorted->mapToSource(table->currentIndex());
    if (!current.isValid())
        return;
    ui::saveRunReport(this, model, current.row());
}

void RunsWindow::updateButtons()
{
    const bool anyRun = sorted->rowCount() > 0;
    copyButton->setEnabled(anyRun);
    csvButton->setEnabled(anyRun);
    const QModelIndex current = sorted->mapToSource(table->currentIndex());
    // Only a completed run has a report.
    reportButton->setEnabled(current.isValid() && model.reportRun(current.row()).has_value());
    deleteButton->setEnabled(table->selectionModel()->hasSelection());
    uncertaintyButton->setEnabled(current.isValid());
    readingsButton->setEnabled(current.isValid());
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
        const int width = qMax(header->sectionSizeHint(column),
                               metrics.horizontalAdvance(RunsModel::widestText(column)) + cellPadding);
        table->setColumnWidth(column, width);
        if (!table->isColumnHidden(column))
            total += width;
    }
    const int frame = 2 * table->frameWidth() + table->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QMargins margins = layout()->contentsMargins();
    int width = total + frame + margins.left() + margins.right();
    if (const QScreen* screen = this->screen())
        width = qMin(width, screen->availableGeometry().width());
    // Made, as tall as its runs need, and a row to spare, from 480 px up to
    // the screen's height (placing it cuts it to the free area, frame and
    // all); shown, as tall as the user left it.
    int height = this->height();
    if (!isVisible()) {
        const int rows = table->horizontalHeader()->sizeHint().height()
            + (model.rowCount() + 1) * table->verticalHeader()->defaultSectionSize() + frame;
        height = qMax(480, layout()->sizeHint().height() - table->sizeHint().height() + rows);
        if (const QScreen* screen = this->screen())
            height = qMin(height, screen->availableGeometry().height());
    }
    resize(width, height);
}
