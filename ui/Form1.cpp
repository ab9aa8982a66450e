#include "ui/Form1.h"

#include "ui/Form2.h"
#include "ui/Form3.h"
#include "ui/Module1.h"
#include "ui/application.h"
#include "ui/centring.h"
#include "ui/messages.h"
#include "ui/numbertext.h"
#include "ui/twips.h"

#include "report/qtpresent.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

namespace {

constexpr int clientWidth = 7605;
constexpr int clientHeight = 6300;

// Result fields are drawn flat; a warning colour marks results that cannot
// describe an absorber.
const QString resultStyle = QStringLiteral("QLineEdit { border: 1px solid palette(dark); }");
const QString warningStyle = QStringLiteral("QLineEdit { border: 1px solid palette(dark); background: #ffe9a8; }");

QRect twipRect(QRect design)
{
    return ui::twips::rect(design.x(), design.y(), design.width(), design.height());
}

QLabel* addLabel(QWidget* container, const char* name, const QString& caption, QRect design,
                 Qt::Alignment alignment = Qt::AlignLeft)
{
    auto* label = new QLabel(caption, container);
    label->setObjectName(QString::fromUtf8(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignTop | alignment);
    label->setGeometry(twipRect(design));
    return label;
}

// A picture at its natural size inside a flat 1-pixel or a sunken 2-pixel border.
enum class Border { flat, sunken };

QLabel* addPicture(QWidget* container, const char* name, const QString& resource, Border border, QRect design)
{
    auto* picture = new QLabel(container);
    picture->setObjectName(QString::fromUtf8(name));
    picture->setPixmap(QPixmap(resource));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (border == Border::flat) {
        picture->setFrameStyle(QFrame::Box | QFrame::Plain);
        picture->setLineWidth(1);
    } else {
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setLineWidth(2);
    }
    picture->setGeometry(twipRect(design));
    return picture;
}

}  // namespace

QGroupBox* Form1::addFrame(QWidget* container, const char* name, const QString& caption, QRect design)
{
    // The caption sits on the frame's top line, as the children's positions
    // below it expect.
    auto* frame = new QGroupBox(caption, container);
    frame->setObjectName(QString::fromUtf8(name));
    frame->setStyleSheet(
        QStringLiteral("QGroupBox { border: 1px solid palette(mid); margin-top: 6px; }"
                       "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
    frame->setGeometry(twipRect(design));
    return frame;
}

QLineEdit* Form1::addInput(QWidget* container, const char* name, const QString& accessibleName, QRect design)
{
    auto* field = new QLineEdit(QStringLiteral("0"), container);
    field->setObjectName(QString::fromUtf8(name));
    field->setAccessibleName(accessibleName);
    field->setGeometry(twipRect(design));
    return field;
}

QLineEdit* Form1::addResult(QWidget* container, const char* name, const QString& accessibleName, QRect design)
{
    // Results are drawn flat and cannot be edited, but can be selected and copied.
    QLineEdit* field = addInput(container, name, accessibleName, design);
    field->clear();
    field->setReadOnly(true);
    field->setStyleSheet(resultStyle);
    return field;
}

QPushButton* Form1::addButton(QWidget* container, const char* name, const QString& caption, QRect design)
{
    auto* button = new QPushButton(caption, container);
    button->setObjectName(QString::fromUtf8(name));
    // Outside a dialog no button becomes the default; auto-default only lets
    // Return and Enter press the button that has the focus, as Space does.
    button->setAutoDefault(true);
    button->setGeometry(twipRect(design));
    return button;
}

// The window's design, in twips, each control relative to its container.
// Creation order is stacking order: a later control lies above an earlier one.
void Form1::buildControls(QWidget* client)
{
    const auto centred = Qt::AlignHCenter;
    addLabel(client, "Label10", tr("Quillon NH3 Absorber"), {0, 120, 2535, 255}, centred);
    addLabel(client, "Label11", tr("Unit Operations Laboratory"), {0, 360, 2415, 255}, centred);
    addLabel(client, "Label12", tr("All rights reserved"), {0, 600, 2535, 255}, centred);
    addPicture(client, "Image3", QStringLiteral(":/assets/logo.png"), Border::sunken, {120, 960, 2310, 855});

    QGroupBox* Frame6 = addFrame(client, "Frame6", QString(), {0, 1920, 2535, 3495});
    addLabel(Frame6, "Label13",
             tr("This Software is intended for use on the Gas Absorption Equipment at Veradon "
                "University College of Engineering Unit Operations Laboratory."),
             {120, 240, 2295, 1335});
    addLabel(Frame6, "Label14",
             tr("This software assumes that the H20 is not recycled and that the entering H20 does "
                "not contain any NH3. This is Designed for Dilute Gas Mixtures "),
             {120, 1320, 2295, 975});
    addPicture(Frame6, "Image2", QStringLiteral(":/assets/equation.png"), Border::flat, {120, 2400, 2280, 945});

    QGroupBox* Frame2 = addFrame(client, "Frame2", tr("Gas Inlet"), {0, 5400, 2535, 855});
    addLabel(Frame2, "Label1", tr("Gas Flowrate"), {120, 240, 1095, 255});
    Text1 = addInput(Frame2, "Text1", tr("Gas Flowrate"), {1200, 240, 1215, 285});
    addLabel(Frame2, "Label2", tr("%NH3"), {120, 480, 615, 255});
    Text2 = addInput(Frame2, "Text2", tr("Gas Inlet %NH3"), {1200, 480, 1215, 285});

    addPicture(client, "Image1", QStringLiteral(":/assets/column.png"), Border::flat, {2595, 0, 2610, 6015});

    QGroupBox* Frame1 = addFrame(client, "Frame1", tr("Water Inlet"), {5280, 0, 2175, 615});
    addLabel(Frame1, "Label3", tr("H20 Flowrate"), {120, 240, 1095, 255});
    Text3 = addInput(Frame1, "Text3", tr("H20 Flowrate"), {1200, 240, 855, 285});

    Command1 = addButton(client, "Command1", tr("Calculate"), {5280, 720, 2175, 375});

    QGroupBox* Frame4 = addFrame(client, "Frame4", tr("Results"), {5280, 1200, 2175, 2295});
    addLabel(Frame4, "Label6", tr("Mole Fraction of NH3"), {120, 240, 1935, 255}, centred);
    Text6 = addResult(Frame4, "Text6", tr("Mole Fraction of NH3"), {360, 480, 1455, 285});
    addLabel(Frame4, "Label7", tr("%NH3 at Air Outlet"), {120, 960, 1935, 255}, centred);
    Text7 = addResult(Frame4, "Text7", tr("%NH3 at Air Outlet"), {360, 1200, 1455, 285});
    addLabel(Frame4, "Label4", tr("NTU"), {360, 1560, 1455, 255}, centred);
    Text4 = addResult(Frame4, "Text4", tr("NTU"), {360, 1800, 1455, 285});

    QGroupBox* Frame5 = addFrame(client, "Frame5", tr("K- Calculator"), {5280, 3480, 2175, 2175});
    addLabel(Frame5, "Label8", tr("Height of Packing (meters)"), {120, 240, 1935, 255}, centred);
    Text8 = addInput(Frame5, "Text8", tr("Height of Packing (meters)"), {240, 480, 1695, 285});
    Command2 = addButton(Frame5, "Command2", tr("Find MTC"), {120, 840, 1935, 375});
    addLabel(Frame5, "Label9", tr("Mass Transfer Coefficient"), {120, 1320, 1935, 255}, centred);
    Text9 = addResult(Frame5, "Text9", tr("Mass Transfer Coefficient"), {240, 1560, 1695, 285});

    QGroupBox* Frame3 = addFrame(client, "Frame3", tr("Water Outlet"), {5280, 5640, 2175, 615});
    addLabel(Frame3, "Label5", tr("%NH3"), {120, 240, 735, 255});
    Text5 = addInput(Frame3, "Text5", tr("Water Outlet %NH3"), {840, 240, 1215, 285});
}

Form1::Form1(QWidget* parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                      | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr("Quillon"));
    setWindowIcon(ui::applicationIcon());

    auto* client = new QWidget(this);
    client->setFixedSize(ui::twips::rect(0, 0, clientWidth, clientHeight).size());
    setCentralWidget(client);
    buildControls(client);
    const QString fractionTip = tr("NH3 mole fraction, not a percentage: %1 for 2 %").arg(ui::numberText(0.02));
    Text2->setToolTip(fractionTip);
    Text5->setToolTip(fractionTip);

    // The order of the tab indexes; the result fields take part since they
    // are read-only rather than disabled.
    QWidget* const focusOrder[] = {Text1, Text2, Text3, Command1, Text5, Text7, Text6, Text4, Text8, Command2, Text9};
    for (std::size_t i = 1; i < std::size(focusOrder); ++i)
        setTabOrder(focusOrder[i - 1], focusOrder[i]);

    graph = menuBar()->addMenu(tr("&Graph"));
    graph->setObjectName(QStringLiteral("graph"));
    graph_start = graph->addAction(tr("Start Graphin!"));
    graph_start->setObjectName(QStringLiteral("graph_start"));

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(graph_start, &QAction::triggered, this, &Form1::graph_start_Click);

    ui::useLayoutFont(*this);
    // The client area is fixed, so the window is too, menu bar included.
    setFixedSize(sizeHint());
    Text1->setFocus();
}

QString Form1::invalidDataTitle()
{
    return tr("ERROR");
}

void Form1::Form_Load()
{
    loadBehindSplash([this]() -> Form1& { return *this; });
}

Form1& Form1::loadBehindSplash(const std::function<Form1&()>& build)
{
    Module1::splashTicks = 0.0;
    Form3 splash;
    Form1* form = nullptr;
    const auto load = [&] {
        if (form)
            return;
        form = &build();
        // An overflow abandons the load like any fault: the splash goes, and
        // the window is shown where it is.
        if (!ui::centreOnScreen(*form)) {
            splash.reject();
            ui::reportFault(form, absorber::Outcome::overflow);
        }
    };
    // Once the picture is on screen, not before: queued after its paint.
    connect(&splash, &Form3::painted, &splash, load, Qt::QueuedConnection);
    splash.Form_Load();
    splash.exec();
    // A splash closed before it painted.
    load();
    return *form;
}

void Form1::showResult(QLineEdit* field, const QString& text, const QString& full)
{
    field->setText(text);
    field->setCursorPosition(0);
    field->setToolTip(full);
    field->setStyleSheet(resultStyle);
}

// An emptied result carries no value, so no finding's mark either.
void Form1::clearResult(QLineEdit* field)
{
    field->clear();
    field->setToolTip(QString());
    field->setStyleSheet(resultStyle);
}

void Form1::showFindings(const QStringList& messages)
{
    for (QLineEdit* field : {Text6, Text7, Text4, Text9}) {
        if (field->text().isEmpty())
            continue;
        // The tip's first paragraph is the value in full.
        const QString value = field->toolTip().section(QStringLiteral("\n\n"), 0, 0);
        field->setToolTip(messages.isEmpty() ? value : value + QStringLiteral("\n\n") + messages.join(u'\n'));
        field->setStyleSheet(messages.isEmpty() ? resultStyle : warningStyle);
    }
}

void Form1::forgetRun()
{
    Module1::coherence.ntuAndGasFlow = false;
    showCoefficient(std::nullopt);
}

void Form1::showCoefficient(std::optional<double> mtc)
{
    if (mtc == (Text9->text().isEmpty() ? std::nullopt : std::optional(columnState.mtc)))
        return;
    columnState.mtc = mtc.value_or(0.0);
    if (mtc) {
        showResult(Text9, ui::resultText(*mtc), ui::numberText(*mtc));
    } else {
        clearResult(Text9);
    }
}

void Form1::Command1_Click()
{
    calculateColumn();
}

void Form1::Command2_Click()
{
    findMtc();
}

present::ColumnState Form1::kept() const
{
    const Module1::RunFractions& run = Module1::fractions;
    return {.y1 = run.y1,
            .x1 = run.x1,
            .y2 = run.y2,
            .gasFlow = columnState.gasFlow,
            .waterFlow = columnState.waterFlow,
            .eqX = columnState.eqX,
            .eqY = columnState.eqY,
            .ntu = columnState.ntu,
            .mtc = columnState.mtc,
            .coherence = Module1::coherence};
}

void Form1::finishStep(const present::ColumnStep& step)
{
    // The graph window draws from the fractions the windows share.
    Module1::fractions = {.x1 = step.kept.x1, .y1 = step.kept.y1, .y2 = step.kept.y2};
    Module1::coherence = step.kept.coherence;
    columnState = {.mtc = step.kept.mtc,
                   .gasFlow = step.kept.gasFlow,
                   .waterFlow = step.kept.waterFlow,
                   .eqY = step.kept.eqY,
                   .eqX = step.kept.eqX,
                   .ntu = step.kept.ntu};

    const std::pair<QLineEdit*, const present::ResultChange*> results[] = {
        {Text6, &step.results.eqY}, {Text7, &step.results.y2}, {Text4, &step.results.ntu}, {Text9, &step.results.mtc}};
    for (const auto& [field, change] : results) {
        if (change->kind == present::ResultChange::Kind::shown) {
            showResult(field, report::qstring(change->text), report::qstring(change->full));
        } else if (change->kind == present::ResultChange::Kind::cleared) {
            clearResult(field);
        }
    }

    const present::Message& message = step.message;
    switch (message.kind) {
    case present::Message::Kind::none:
        break;
    case present::Message::Kind::conversionError: {
        const QLineEdit* field = inputField(message.field);
        ui::reportConversionError(this, field->accessibleName(), field->text(), message.number);
        break;
    }
    case present::Message::Kind::invalidData:
        ui::reportInvalidData(this, invalidDataTitle());
        break;
    case present::Message::Kind::fault:
        ui::reportFault(this, message.fault);
        break;
    }
}

const QLineEdit* Form1::inputField(present::InputField field) const
{
    switch (field) {
    case present::InputField::y1:
        return Text2;
    case present::InputField::x1:
        return Text5;
    case present::InputField::gasFlow:
        return Text1;
    case present::InputField::waterFlow:
        return Text3;
    case present::InputField::packingHeight:
        break;
    }
    return Text8;
}

void Form1::calculateColumn()
{
    const auto read = [](const QLineEdit* field) { return ui::parseNumber(field->text()); };
    const present::ColumnStep step = present::calculateColumn(
        kept(), {read(Text2), read(Text5), read(Text1), read(Text3)}, report::numberLocaleOf(QLocale()));
    finishStep(step);
    if (step.run)
        emit runCompleted(step.run->inputs, step.run->balance, step.run->ntu);
}

void Form1::findMtc()
{
    // The run of the last Calculate leaving the series ends its coherence
    // (forgetRun), so it is in the series whenever Find MTC may use it.
    const present::ColumnStep step =
        present::findMtc(kept(), ui::parseNumber(Text8->text()), true, report::numberLocaleOf(QLocale()));
    finishStep(step);
    if (step.coefficient)
        emit coefficientFound(step.coefficient->packingHeight, step.coefficient->mtc);
}

void Form1::graph_start_Click()
{
    Form2 chart;
    chart.Form_Load();
    chart.exec();
}

void Form1::showUncertaintyProgress(std::optional<std::pair<std::size_t, std::size_t>> doneOf)
{
    if (!doneOf && !uncertaintyBar)
        return;
    // Made when first needed; below the window's own layout, which stays as it is.
    if (!uncertaintyBar) {
        uncertaintyBar = new QProgressBar(this);
        uncertaintyBar->setObjectName(QStringLiteral("uncertaintyProgress"));
        uncertaintyBar->setFormat(tr("Uncertainties: %v of %m runs"));
        uncertaintyCancel = new QPushButton(tr("Cancel"), this);
        uncertaintyCancel->setObjectName(QStringLiteral("cancelUncertainties"));
        uncertaintyCancel->setToolTip(tr("Stops computing the uncertainties"));
        connect(uncertaintyCancel, &QPushButton::clicked, this, &Form1::uncertaintiesCancelled);
        statusBar()->setObjectName(QStringLiteral("uncertaintyStatus"));
        statusBar()->setSizeGripEnabled(false);
        statusBar()->addWidget(uncertaintyBar, 1);
        statusBar()->addPermanentWidget(uncertaintyCancel);
        statusBar()->hide();
    }
    const bool shown = statusBar()->isVisible();
    if (doneOf) {
        uncertaintyBar->setRange(0, int(doneOf->second));
        uncertaintyBar->setValue(int(doneOf->first));
    } else if (uncertaintyCancel->hasFocus()) {
        Text1->setFocus();
    }
    if (shown == bool(doneOf))
        return;
    statusBar()->setVisible(bool(doneOf));
    // The window is fixed in size: it grows by the bar and shrinks back.
    setFixedSize(sizeHint());
}
