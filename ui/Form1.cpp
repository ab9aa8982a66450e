#include "ui/Form1.h"

#include "ui/Form2.h"
#include "ui/Form3.h"
#include "ui/Module1.h"
#include "ui/application.h"
#include "ui/centring.h"
#include "ui/numbertext.h"
#include "ui/report.h"
#include "ui/twips.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace {

enum class Kind { label, centredLabel, frame, input, result, button, flatPicture, sunkenPicture };

struct Control {
    const char* container;  // nullptr: the client area
    const char* name;
    Kind kind;
    const char* text;  // caption, field text, accessible name, or picture resource
    int left, top, width, height;
};

// The window's design, in twips, each control relative to its container.
// Creation order is stacking order: a later control lies above an earlier one.
constexpr Control controls[] = {
    {nullptr, "Label10", Kind::centredLabel, "Quillon NH3 Absorber", 0, 120, 2535, 255},
    {nullptr, "Label11", Kind::centredLabel, "Unit Operations Laboratory", 0, 360, 2415, 255},
    {nullptr, "Label12", Kind::centredLabel, "All rights reserved", 0, 600, 2535, 255},
    {nullptr, "Image3", Kind::sunkenPicture, ":/assets/logo.png", 120, 960, 2310, 855},
    {nullptr, "Frame6", Kind::frame, "", 0, 1920, 2535, 3495},
    {"Frame6", "Label13", Kind::label,
     "This Software is intended for use on the Gas Absorption Equipment at Veradon University "
     "College of Engineering Unit Operations Laboratory.",
     120, 240, 2295, 1335},
    {"Frame6", "Label14", Kind::label,
     "This software assumes that the H20 is not recycled and that the entering H20 does not "
     "contain any NH3. This is Designed for Dilute Gas Mixtures ",
     120, 1320, 2295, 975},
    {"Frame6", "Image2", Kind::flatPicture, ":/assets/equation.png", 120, 2400, 2280, 945},
    {nullptr, "Frame2", Kind::frame, "Gas Inlet", 0, 5400, 2535, 855},
    {"Frame2", "Label1", Kind::label, "Gas Flowrate", 120, 240, 1095, 255},
    {"Frame2", "Text1", Kind::input, "Gas Flowrate", 1200, 240, 1215, 285},
    {"Frame2", "Label2", Kind::label, "%NH3", 120, 480, 615, 255},
    {"Frame2", "Text2", Kind::input, "Gas Inlet %NH3", 1200, 480, 1215, 285},
    {nullptr, "Image1", Kind::flatPicture, ":/assets/column.png", 2595, 0, 2610, 6015},
    {nullptr, "Frame1", Kind::frame, "Water Inlet", 5280, 0, 2175, 615},
    {"Frame1", "Label3", Kind::label, "H20 Flowrate", 120, 240, 1095, 255},
    {"Frame1", "Text3", Kind::input, "H20 Flowrate", 1200, 240, 855, 285},
    {nullptr, "Command1", Kind::button, "Calculate", 5280, 720, 2175, 375},
    {nullptr, "Frame4", Kind::frame, "Results", 5280, 1200, 2175, 2295},
    {"Frame4", "Label6", Kind::centredLabel, "Mole Fraction of NH3", 120, 240, 1935, 255},
    {"Frame4", "Text6", Kind::result, "Mole Fraction of NH3", 360, 480, 1455, 285},
    {"Frame4", "Label7", Kind::centredLabel, "%NH3 at Air Outlet", 120, 960, 1935, 255},
    {"Frame4", "Text7", Kind::result, "%NH3 at Air Outlet", 360, 1200, 1455, 285},
    {"Frame4", "Label4", Kind::centredLabel, "NTU", 360, 1560, 1455, 255},
    {"Frame4", "Text4", Kind::result, "NTU", 360, 1800, 1455, 285},
    {nullptr, "Frame5", Kind::frame, "K- Calculator", 5280, 3480, 2175, 2175},
    {"Frame5", "Label8", Kind::centredLabel, "Height of Packing (meters)", 120, 240, 1935, 255},
    {"Frame5", "Text8", Kind::input, "Height of Packing (meters)", 240, 480, 1695, 285},
    {"Frame5", "Command2", Kind::button, "Find MTC", 120, 840, 1935, 375},
    {"Frame5", "Label9", Kind::centredLabel, "Mass Transfer Coefficient", 120, 1320, 1935, 255},
    {"Frame5", "Text9", Kind::result, "Mass Transfer Coefficient", 240, 1560, 1695, 285},
    {nullptr, "Frame3", Kind::frame, "Water Outlet", 5280, 5640, 2175, 615},
    {"Frame3", "Label5", Kind::label, "%NH3", 120, 240, 735, 255},
    {"Frame3", "Text5", Kind::input, "Water Outlet %NH3", 840, 240, 1215, 285},
};

constexpr int clientWidth = 7605;
constexpr int clientHeight = 6300;

const QString mainTitle = QStringLiteral("Quillon");
const QString invalidDataTitle = QStringLiteral("ERROR");

QWidget* createControl(const Control& control, QWidget* container)
{
    const QString text = QString::fromUtf8(control.text);
    QWidget* widget = nullptr;
    switch (control.kind) {
    case Kind::label:
    case Kind::centredLabel: {
        auto* label = new QLabel(text, container);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignTop
                            | (control.kind == Kind::centredLabel ? Qt::AlignHCenter : Qt::AlignLeft));
        widget = label;
        break;
    }
    case Kind::frame: {
        // The caption sits on the frame's top line, as the children's
        // positions below it expect.
        auto* frame = new QGroupBox(text, container);
        frame->setStyleSheet(QStringLiteral(
            "QGroupBox { border: 1px solid palette(mid); margin-top: 6px; }"
            "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
        widget = frame;
        break;
    }
    case Kind::input:
    case Kind::result: {
        auto* field = new QLineEdit(container);
        field->setAccessibleName(text);
        if (control.kind == Kind::input) {
            field->setText(QStringLiteral("0"));
        } else {
            // Results are drawn flat and cannot be edited, but can be selected and copied.
            field->setReadOnly(true);
            field->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid palette(dark); }"));
        }
        widget = field;
        break;
    }
    case Kind::button: {
        auto* button = new QPushButton(text, container);
        button->setAutoDefault(false);
        widget = button;
        break;
    }
    case Kind::flatPicture:
    case Kind::sunkenPicture: {
        auto* picture = new QLabel(container);
        picture->setPixmap(QPixmap(text));
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (control.kind == Kind::flatPicture) {
            picture->setFrameStyle(QFrame::Box | QFrame::Plain);
            picture->setLineWidth(1);
        } else {
            picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            picture->setLineWidth(2);
        }
        widget = picture;
        break;
    }
    }
    widget->setObjectName(QString::fromUtf8(control.name));
    widget->setGeometry(twips::rect(control.left, control.top, control.width, control.height));
    return widget;
}

}  // namespace

Form1::Form1(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                              | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(mainTitle);

    auto* client = new QWidget(this);
    client->setFixedSize(twips::rect(0, 0, clientWidth, clientHeight).size());
    setCentralWidget(client);
    for (const Control& control : controls) {
        QWidget* container = control.container
            ? client->findChild<QWidget*>(QString::fromUtf8(control.container))
            : client;
        createControl(control, container);
    }

    const auto field = [client](const char* name) { return client->findChild<QLineEdit*>(name); };
    Text1 = field("Text1");
    Text2 = field("Text2");
    Text3 = field("Text3");
    Text4 = field("Text4");
    Text5 = field("Text5");
    Text6 = field("Text6");
    Text7 = field("Text7");
    Text8 = field("Text8");
    Text9 = field("Text9");
    Command1 = client->findChild<QPushButton*>("Command1");
    Command2 = client->findChild<QPushButton*>("Command2");
    Text2->setToolTip(fractionTip());
    Text5->setToolTip(fractionTip());

    // The order of the tab indexes; the result fields take part since they
    // are read-only rather than disabled.
    QWidget* const focusOrder[] = {Text1, Text2, Text3, Command1, Text5, Text7,
                                   Text6, Text4, Text8, Command2, Text9};
    for (std::size_t i = 1; i < std::size(focusOrder); ++i)
        setTabOrder(focusOrder[i - 1], focusOrder[i]);

    graph = menuBar()->addMenu(QStringLiteral("&Graph"));
    graph->setObjectName(QStringLiteral("graph"));
    graph_start = graph->addAction(QStringLiteral("Start Graphin!"));
    graph_start->setObjectName(QStringLiteral("graph_start"));

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(graph_start, &QAction::triggered, this, &Form1::graph_start_Click);

    useLayoutFont(*this);
    // The client area is fixed, so the window is too, menu bar included.
    setFixedSize(sizeHint());
    Text1->setFocus();
}

void Form1::Form_Load()
{
    // An overflow abandons the load like any fault: the window is shown
    // where it is, without the splash.
    if (!centreOnScreen(*this)) {
        reportFault(this, absorber::Outcome::overflow);
        return;
    }

    Module1::splashTicks = 0.0;
    Form3 splash;
    splash.Form_Load();
    splash.exec();
}

bool Form1::readField(const QLineEdit* field, double& value)
{
    const auto number = parseNumber(field->text());
    if (!number) {
        reportConversionError(this, field->accessibleName(), field->text(), number.kind);
        return false;
    }
    value = *number;
    return true;
}

void Form1::showResult(QLineEdit* field, double value)
{
    field->setText(resultText(value));
    field->setCursorPosition(0);
    field->setToolTip(numberText(value));
}

void Form1::Command1_Click()
{
    // Each value is stored as soon as it converts, so a field that does not
    // leaves the ones before it stored.
    absorber::RunFractions& run = Module1::fractions;
    if (!readField(Text2, run.y1) || !readField(Text5, run.x1) || !readField(Text1, columnState.gasFlow)
        || !readField(Text3, columnState.waterFlow))
        return;

    const auto showBalance = [this](const absorber::ColumnState& state, const absorber::RunFractions& fractions) {
        showResult(Text6, state.eqY);
        showResult(Text7, fractions.y2);
    };
    if (!reportOutcome(this, absorber::calculateColumn(columnState, run, showBalance), invalidDataTitle))
        return;
    showResult(Text4, columnState.ntu);
}

void Form1::Command2_Click()
{
    double packingHeight = 0.0;
    if (!readField(Text8, packingHeight))
        return;
    if (!reportOutcome(this, absorber::findMtc(packingHeight, columnState), invalidDataTitle))
        return;
    showResult(Text9, columnState.mtc);
}

void Form1::graph_start_Click()
{
    Form2 chart;
    chart.Form_Load();
    chart.exec();
}
