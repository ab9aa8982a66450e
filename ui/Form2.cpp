#include "ui/Form2.h"

#include "ui/Module1.h"
#include "ui/application.h"
#include "ui/centring.h"
#include "ui/chartpicture.h"
#include "ui/messages.h"
#include "ui/numbertext.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

constexpr QColor darkBlue(0, 0, 128);
constexpr QColor green(0, 192, 0);
constexpr QColor darkGreen(0, 128, 0);
constexpr QColor white(255, 255, 255);

constexpr int clientWidth = 6705;
constexpr int clientHeight = 7320;

}  // namespace

Form2::Form2(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    // The window's design, in twips. The curve's segments and the operating
    // line get their ends at load.
    , Shape1{u"Shape1"_s,
             {ui::plotSquare::left, ui::plotSquare::top, ui::plotSquare::size, ui::plotSquare::size},
             white}
    , Label1{u"Label1"_s, u"0.5"_s, {0, 3000, 375, 255}, Qt::AlignRight}
    , Label2{u"Label2"_s, u"1"_s, {0, 0, 375, 255}, Qt::AlignRight}
    , Label3{u"Label3"_s, u"0.15"_s, {3000, 6240, 1215, 255}, Qt::AlignHCenter}
    , Label4{u"Label4"_s, u"0.3"_s, {5760, 6240, 1335, 255}, Qt::AlignHCenter}
    // Transparent, so that the square's corner shows through "0,0".
    , Label5{u"Label5"_s, u"0,0"_s, {240, 6000, 375, 255}, Qt::AlignLeft, false}
    , Label6{u"Label6"_s, tr("Operating Line"), {1320, 6600, 1215, 255}}
    , Label7{u"Label7"_s, tr("Equilibrium Line"), {3840, 6600, 1215, 255}}
    , Line1{u"Line1"_s, 480, 3120, 600, 3120}
    , Line2{u"Line2"_s, 3560, 6000, 3560, 6200}
    , Line4{u"Line4"_s, 0, 0, 0, 0, green}
    , Line5{u"Line5"_s, 2520, 6720, 3360, 6720, darkGreen}
    , Line6{u"Line6"_s, 5040, 6720, 6000, 6720, darkBlue}
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("Graph thingy of the equilibrium line and operating line..."));
    for (std::size_t k = 0; k < curve.size(); ++k)
        curve[k].name = QStringLiteral("Line%1").arg(7 + k);
    // The application's icon, which the main window shows too.
    setWindowIcon(ui::applicationIcon());
    setFixedSize(ui::twips::rect(0, 0, clientWidth, clientHeight).size());
    ui::addPictureActions(*this);
    ui::useLayoutFont(*this);
}

const ui::ChartLine* Form2::line(QStringView name) const
{
    for (const ui::ChartLine* candidate : {&Line1, &Line2, &Line4, &Line5, &Line6}) {
        if (candidate->name == name)
            return candidate;
    }
    for (const ui::ChartLine& segment : curve) {
        if (segment.name == name)
            return &segment;
    }
    return nullptr;
}

const ui::ChartLabel* Form2::label(QStringView name) const
{
    for (const ui::ChartLabel* candidate : {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7}) {
        if (candidate->name == name)
            return candidate;
    }
    return nullptr;
}

bool Form2::place(float& coordinate, ui::PlotCoordinate value)
{
    if (!value.ok()) {
        ui::reportDrawingFault(this, value.outcome);
        return false;
    }
    coordinate = value.twips;
    return true;
}

bool Form2::placeLine(ui::ChartLine& target, double fromX, double fromY, double toX, double toY)
{
    // One coordinate at a time: a fault keeps the ones already placed.
    return place(target.x1, ui::plotX(fromX)) && place(target.y1, ui::plotY(fromY)) && place(target.x2, ui::plotX(toX))
        && place(target.y2, ui::plotY(toY));
}

void Form2::Form_Load()
{
    if (!ui::centreOnScreen(*this)) {
        ui::reportDrawingFault(this, absorber::Outcome::overflow);
        return;
    }

    // The curve runs from the origin through the table's points, segment k
    // being Line(6 + k).
    absorber::EquilibriumPoint from{0.0, 0.0};
    for (std::size_t k = 0; k < curve.size(); ++k) {
        const absorber::EquilibriumPoint to = absorber::equilibriumPoints[k];
        if (!placeLine(curve[k], from.x, from.y, to.x, to.y))
            return;
        from = to;
    }
    for (ui::ChartLine& segment : curve)
        segment.colour = darkBlue;

    Line4.x1 = Line4.y1 = Line4.x2 = Line4.y2 = 0.0f;

    const Module1::RunFractions& run = Module1::fractions;
    // Only fractions stored by one click of Calculate make a line; the y2
    // test is written so that NaN fails too.
    if (!Module1::coherence.fractions || !(run.y2 > 0.0 && run.y2 <= 1.0)) {
        ui::reportInvalidData(this, tr("Data Error"));
        return;
    }

    Label6.caption = ui::numberText(run.x1);
    Label7.caption = ui::numberText(run.y1);

    // From the column's bottom (leaving water x1, entering gas y1) to its top
    // (entering water free of NH3, leaving gas y2).
    placeLine(Line4, run.x1, run.y1, 0.0, run.y2);
}

void Form2::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
}

void Form2::paintEvent(QPaintEvent*)
{
    // From the bottom of the stack to the top: each lies over the ones before it.
    QPainter painter(this);
    const QPalette& colours = palette();
    ui::paintControl(painter, Shape1, colours);
    for (const ui::ChartLabel* below : {&Label1, &Label2, &Label3})
        ui::paintControl(painter, *below, colours);
    ui::paintControl(painter, Line2, colours);
    ui::paintControl(painter, Label4, colours);
    ui::paintControl(painter, Line1, colours);
    ui::paintControl(painter, Label5, colours);
    ui::paintControl(painter, Line4, colours);
    ui::paintControl(painter, Label6, colours);
    ui::paintControl(painter, Line5, colours);
    ui::paintControl(painter, Label7, colours);
    ui::paintControl(painter, Line6, colours);
    for (const ui::ChartLine& segment : curve)
        ui::paintControl(painter, segment, colours);
}
