#include "ui/Form2.h"

#include "ui/Module1.h"
#include "ui/application.h"
#include "ui/centring.h"
#include "ui/numbertext.h"
#include "ui/report.h"
#include "ui/twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include <cassert>

using namespace Qt::StringLiterals;

namespace {

constexpr QColor darkBlue(0, 0, 128);
constexpr QColor green(0, 192, 0);
constexpr QColor darkGreen(0, 128, 0);
constexpr QColor white(255, 255, 255);

constexpr int clientWidth = 6705;
constexpr int clientHeight = 7320;

const QString caption = QStringLiteral("Graph thingy of the equilibrium line and operating line...");
const QString invalidDataTitle = QStringLiteral("Data Error");

// The window's design, in twips, from the bottom of the stack to the top.
// The curve's segments and the operating line get their ends at load.
std::vector<ChartControl> design()
{
    return {
        ChartShape{u"Shape1"_s, {500, 120, 6000, 6000}, white},
        ChartLabel{u"Label1"_s, u"0.5"_s, {0, 3000, 375, 255}, Qt::AlignRight},
        ChartLabel{u"Label2"_s, u"1"_s, {0, 0, 375, 255}, Qt::AlignRight},
        ChartLabel{u"Label3"_s, u"0.15"_s, {3000, 6240, 1215, 255}, Qt::AlignHCenter},
        ChartLine{u"Line2"_s, 3560, 6000, 3560, 6200, std::nullopt},
        ChartLabel{u"Label4"_s, u"0.3"_s, {5760, 6240, 1335, 255}, Qt::AlignHCenter},
        ChartLine{u"Line1"_s, 480, 3120, 600, 3120, std::nullopt},
        // Transparent, so that the square's corner shows through "0,0".
        ChartLabel{u"Label5"_s, u"0,0"_s, {240, 6000, 375, 255}, Qt::AlignLeft, false},
        ChartLine{u"Line4"_s, 0, 0, 0, 0, green},
        ChartLabel{u"Label6"_s, u"Operating Line"_s, {1320, 6600, 1215, 255}},
        ChartLine{u"Line5"_s, 2520, 6720, 3360, 6720, darkGreen},
        ChartLabel{u"Label7"_s, u"Equilibrium Line"_s, {3840, 6600, 1215, 255}},
        ChartLine{u"Line6"_s, 5040, 6720, 6000, 6720, darkBlue},
        ChartLine{u"Line7"_s},
        ChartLine{u"Line8"_s},
        ChartLine{u"Line9"_s},
        ChartLine{u"Line10"_s},
        ChartLine{u"Line11"_s},
        ChartLine{u"Line12"_s},
        ChartLine{u"Line13"_s},
        ChartLine{u"Line14"_s},
        ChartLine{u"Line15"_s},
        ChartLine{u"Line16"_s},
        ChartLine{u"Line17"_s},
        ChartLine{u"Line18"_s},
        ChartLine{u"Line19"_s},
        ChartLine{u"Line20"_s},
    };
}

template <typename Control, typename Controls>
auto findControl(Controls& controls, QStringView name) -> decltype(std::get_if<Control>(controls.data()))
{
    for (auto& control : controls) {
        if (auto* found = std::get_if<Control>(&control); found && found->name == name)
            return found;
    }
    return nullptr;
}

}  // namespace

Form2::Form2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , controls(design())
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(caption);
    // The application's icon, which the main window shows too.
    setWindowIcon(QApplication::windowIcon());
    setFixedSize(twips::rect(0, 0, clientWidth, clientHeight).size());
    useLayoutFont(*this);
}

const ChartLine* Form2::line(QStringView name) const
{
    return findControl<ChartLine>(controls, name);
}

const ChartLabel* Form2::label(QStringView name) const
{
    return findControl<ChartLabel>(controls, name);
}

const ChartShape& Form2::shape() const
{
    const ChartShape* shape = findControl<ChartShape>(controls, u"Shape1");
    assert(shape);
    return *shape;
}

ChartLine& Form2::lineNumbered(int number)
{
    ChartLine* line = findControl<ChartLine>(controls, QStringLiteral("Line%1").arg(number));
    assert(line);
    return *line;
}

ChartLabel& Form2::labelNamed(QStringView name)
{
    ChartLabel* label = findControl<ChartLabel>(controls, name);
    assert(label);
    return *label;
}

bool Form2::place(float& coordinate, PlotCoordinate value)
{
    if (!value.ok()) {
        reportDrawingFault(this, value.outcome);
        return false;
    }
    coordinate = value.twips;
    return true;
}

bool Form2::placeLine(ChartLine& target, double fromX, double fromY, double toX, double toY)
{
    // One coordinate at a time: a fault keeps the ones already placed.
    return place(target.x1, plotX(fromX)) && place(target.y1, plotY(fromY)) && place(target.x2, plotX(toX))
        && place(target.y2, plotY(toY));
}

void Form2::Form_Load()
{
    if (!centreOnScreen(*this)) {
        reportDrawingFault(this, absorber::Outcome::overflow);
        return;
    }

    // The curve runs from the origin through the table's points, segment k
    // being Line(6 + k).
    absorber::EquilibriumPoint from{0.0, 0.0};
    int number = 7;
    for (const absorber::EquilibriumPoint& to : absorber::equilibriumPoints) {
        if (!placeLine(lineNumbered(number), from.x, from.y, to.x, to.y))
            return;
        from = to;
        ++number;
    }
    for (number = 7; number <= 20; ++number)
        lineNumbered(number).colour = darkBlue;

    ChartLine& operating = lineNumbered(4);
    operating.x1 = operating.y1 = operating.x2 = operating.y2 = 0.0f;

    const absorber::RunFractions& run = Module1::fractions;
    // Written so that NaN fails too.
    if (!(run.y2 > 0.0 && run.y2 <= 1.0)) {
        reportInvalidData(this, invalidDataTitle);
        return;
    }

    labelNamed(u"Label6").caption = numberText(run.x1);
    labelNamed(u"Label7").caption = numberText(run.y1);

    // From the column's bottom (leaving water x1, entering gas y1) to its top
    // (entering water free of NH3, leaving gas y2).
    placeLine(operating, run.x1, run.y1, 0.0, run.y2);
}

void Form2::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
}

void Form2::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const ChartControl& control : controls)
        paintControl(painter, control, palette());
}
