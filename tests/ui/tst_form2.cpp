#include "fixture.h"
#include "layoutcheck.h"
#include "modalboxes.h"

#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/Module1.h"
#include "ui/application.h"
#include "ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLocale>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(absorber::Outcome)
Q_DECLARE_METATYPE(TypedRun)

using namespace Qt::StringLiterals;

namespace {

const QColor darkBlue(0, 0, 128);
const QColor green(0, 192, 0);
const QColor white(255, 255, 255);
const double notANumber = std::numeric_limits<double>::quiet_NaN();

struct Vertex {
    double x;
    double y;
};

// The curve's vertices in twips as the design lists them, Y to one decimal.
constexpr Vertex curve[] = {
    {500, 6120},  {752, 6029.4},  {834, 5999.4},  {916, 5967.6}, {1016, 5927.4},
    {1118, 5886}, {1310, 5803.8}, {1506, 5717.4}, {1974, 5490},  {2420, 5250},
    {3240, 4710}, {4000, 4068},   {4700, 3342},   {5320, 2538},  {6440, 450},
};

void setRun(double x1, double y1, double y2)
{
    Module1::fractions = {x1, y1, y2};
}

// Equal once rounded to single precision, give or take the last place.
bool nearSingle(float actual, double expected)
{
    const float nearest = float(expected);
    const float ulp = std::nextafter(std::fabs(nearest), INFINITY) - std::fabs(nearest);
    return std::fabs(actual - nearest) <= ulp;
}

QString ends(const ui::ChartLine& line)
{
    return QStringLiteral("%1 (%2, %3)-(%4, %5)")
        .arg(line.name)
        .arg(double(line.x1), 0, 'g', 9)
        .arg(double(line.y1), 0, 'g', 9)
        .arg(double(line.x2), 0, 'g', 9)
        .arg(double(line.y2), 0, 'g', 9);
}

bool hasEnds(const ui::ChartLine& line, double x1, double y1, double x2, double y2)
{
    return nearSingle(line.x1, x1) && nearSingle(line.y1, y1) && nearSingle(line.x2, x2) && nearSingle(line.y2, y2);
}

// Everything the chart shows, to compare two openings.
QStringList contents(const Form2& chart)
{
    QStringList shown;
    for (int number = 1; number <= 20; ++number) {
        if (const ui::ChartLine* line = chart.line(QStringLiteral("Line%1").arg(number)))
            shown << ends(*line) + line->colour.value_or(QColor()).name();
    }
    for (int number = 1; number <= 7; ++number)
        shown << chart.label(QStringLiteral("Label%1").arg(number))->caption;
    return shown;
}

double pixelScale(const QImage& image)
{
    return image.devicePixelRatio() / ui::twips::perPixel;
}

// Aliased lines land on a pixel next to their exact position, so the colour
// is looked for within one pixel of it.
bool showsNear(const QImage& image, double x, double y, const QColor& colour)
{
    const double scale = pixelScale(image);
    const QPoint centre(qRound(x * scale), qRound(y * scale));
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint pixel = centre + QPoint(dx, dy);
            if (image.rect().contains(pixel) && image.pixelColor(pixel) == colour)
                return true;
        }
    }
    return false;
}

bool showsIn(const QImage& image, const QRect& area, const QColor& colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == colour)
                return true;
        }
    }
    return false;
}

bool showsAnywhere(const QImage& image, const QColor& colour)
{
    return showsIn(image, image.rect(), colour);
}

// Anywhere strictly inside a rectangle in twips, its edge pixels left out.
bool showsInside(const QImage& image, const ui::TwipRect& rect, const QColor& colour)
{
    const double scale = pixelScale(image);
    const QRect area = QRectF(rect.left * scale, rect.top * scale, rect.width * scale, rect.height * scale)
                           .toAlignedRect()
                           .adjusted(1, 1, -1, -1);
    return showsIn(image, area, colour);
}

// The loaded chart as it shows on screen; null if it never came up.
QImage picture(Form2& chart)
{
    chart.show();
    if (!QTest::qWaitForWindowExposed(&chart))
        return {};
    QImage image = chart.grab().toImage();
    chart.close();
    return image;
}

}  // namespace

class TestForm2 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    // The numbers as the C locale writes them: "1e+300", not "1E+300".
    void init() { startWindowTest(QLocale::c()); }
    void cleanup() { QVERIFY(endWindowTest()); }

    void window();
    void keysDoNotCloseIt();
    void mapping_data();
    void mapping();
    void vertices_data();
    void vertices();
    void operatingLine_data();
    void operatingLine();
    void outletTest_data();
    void outletTest();
    void beforeAnyCalculation();
    void overflow_data();
    void overflow();
    void sameChartTwice();
    void fromMenu();
    void operatingLineAfterAClick_data();
    void operatingLineAfterAClick();
    void painting();
    void stacking_data();
    void stacking();
    void runningOutOfWindow_data();
    void runningOutOfWindow();
    void originMarkShowsCorner();
    void captionsFit();
};

void TestForm2::initTestCase()
{
    ui::prepareApplication();
}

void TestForm2::window()
{
    Form2 chart;
    QCOMPARE(chart.objectName(), QStringLiteral("Form2"));
    QCOMPARE(chart.windowTitle(), QStringLiteral("Graph thingy of the equilibrium line and operating line..."));
    QCOMPARE(chart.parentWidget(), nullptr);
    const QSize client(447, 488);
    QCOMPARE(chart.minimumSize(), client);
    QCOMPARE(chart.maximumSize(), client);
    const Qt::WindowFlags flags = chart.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QVERIFY(!chart.windowIcon().isNull());
    QCOMPARE(chart.windowIcon().pixmap(24).toImage(), Form1().windowIcon().pixmap(24).toImage());
}

void TestForm2::keysDoNotCloseIt()
{
    ModalBoxes boxes;
    Form2 chart;
    chart.Form_Load();
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_A}) {
        QTest::keyClick(&chart, key);
        QVERIFY2(chart.isVisible(), qPrintable(QKeySequence(key).toString()));
    }
    QVERIFY(chart.close());
}

void TestForm2::mapping_data()
{
    QTest::addColumn<bool>("across");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<absorber::Outcome>("outcome");
    QTest::addColumn<double>("twips");

    const auto completed = absorber::Outcome::completed;
    const auto overflow = absorber::Outcome::overflow;
    const auto invalid = absorber::Outcome::invalidOperation;
    QTest::newRow("x origin") << true << 0.0 << completed << 500.0;
    QTest::newRow("x right edge") << true << 0.3 << completed << 6500.0;
    QTest::newRow("x worked example") << true << 0.02 << completed << 900.0;
    QTest::newRow("x negative") << true << -0.01 << completed << 300.0;
    // Multiplying by 20000 instead would round to 600 exactly.
    QTest::newRow("x in the stated order") << true << 0.0050000015258789094 << completed << 600.0000610351562;
    QTest::newRow("x far out, still single") << true << 1e30 << completed << 2e34;
    QTest::newRow("x beyond single") << true << 1e300 << overflow << 0.0;
    QTest::newRow("x beyond double") << true << 1e305 << overflow << 0.0;
    QTest::newRow("x not a number") << true << notANumber << invalid << 0.0;
    QTest::newRow("y origin") << false << 0.0 << completed << 6120.0;
    QTest::newRow("y top edge") << false << 1.0 << completed << 120.0;
    QTest::newRow("y worked example") << false << 0.05 << completed << 5820.0;
    QTest::newRow("y below rounding") << false << 0.00004 << completed << 6119.76;
    QTest::newRow("y beyond single") << false << -1e300 << overflow << 0.0;
    QTest::newRow("y beyond double") << false << 1e305 << overflow << 0.0;
    QTest::newRow("y not a number") << false << notANumber << invalid << 0.0;
}

void TestForm2::mapping()
{
    QFETCH(bool, across);
    QFETCH(double, fraction);
    QFETCH(absorber::Outcome, outcome);
    QFETCH(double, twips);

    const ui::PlotCoordinate coordinate = across ? ui::plotX(fraction) : ui::plotY(fraction);
    QCOMPARE(coordinate.outcome, outcome);
    if (coordinate.ok())
        QVERIFY2(coordinate.twips == float(twips), qPrintable(QString::number(double(coordinate.twips), 'g', 9)));
}

void TestForm2::vertices_data()
{
    QTest::addColumn<int>("vertex");
    for (int vertex = 0; vertex < int(std::size(curve)); ++vertex)
        QTest::addRow("P%d", vertex) << vertex;
}

void TestForm2::vertices()
{
    QFETCH(int, vertex);
    const Vertex expected = curve[vertex];

    // Opened before any calculation: the box comes after the curve is placed.
    ModalBoxes boxes;
    Form2 chart;
    chart.Form_Load();
    QCOMPARE(boxes.count(), 1);

    // Pk ends segment k (Line 6 + k) and starts segment k + 1.
    if (vertex > 0) {
        const ui::ChartLine* ending = chart.line(QStringLiteral("Line%1").arg(6 + vertex));
        QVERIFY(ending);
        QVERIFY2(nearSingle(ending->x2, expected.x) && nearSingle(ending->y2, expected.y), qPrintable(ends(*ending)));
        QCOMPARE(ending->colour, std::optional(darkBlue));
    }
    if (vertex < 14) {
        const ui::ChartLine* starting = chart.line(QStringLiteral("Line%1").arg(7 + vertex));
        QVERIFY(starting);
        QVERIFY2(nearSingle(starting->x1, expected.x) && nearSingle(starting->y1, expected.y),
                 qPrintable(ends(*starting)));
    }
}

void TestForm2::operatingLine_data()
{
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("y1");
    QTest::addColumn<double>("bottomX");
    QTest::addColumn<double>("bottomY");
    QTest::addColumn<QString>("label6");
    QTest::addColumn<QString>("label7");

    QTest::newRow("worked example") << 0.02 << 0.05 << 900.0 << 5820.0 << "0.02"
                                    << "0.05";
    QTest::newRow("more digits than a result field") << 0.0123456 << 0.0234567 << 746.912 << 5979.2598 << "0.0123456"
                                                     << "0.0234567";
    QTest::newRow("x1 on the right edge") << 0.3 << 0.5 << 6500.0 << 3120.0 << "0.3"
                                          << "0.5";
    QTest::newRow("x1 left of the square") << -0.01 << 0.05 << 300.0 << 5820.0 << "-0.01"
                                           << "0.05";
}

void TestForm2::operatingLine()
{
    QFETCH(double, x1);
    QFETCH(double, y1);
    QFETCH(double, bottomX);
    QFETCH(double, bottomY);
    QFETCH(QString, label6);
    QFETCH(QString, label7);

    setRun(x1, y1, 0.01);
    ModalBoxes boxes;
    Form2 chart;
    chart.Form_Load();

    QCOMPARE(boxes.count(), 0);
    const ui::ChartLine& line = *chart.line(u"Line4");
    QVERIFY2(hasEnds(line, bottomX, bottomY, 500, 6060), qPrintable(ends(line)));
    QCOMPARE(line.colour, std::optional(green));
    QCOMPARE(chart.label(u"Label6")->caption, label6);
    QCOMPARE(chart.label(u"Label7")->caption, label7);
}

void TestForm2::outletTest_data()
{
    QTest::addColumn<double>("y2");
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<double>("topY");

    QTest::newRow("zero") << 0.0 << false << 0.0;
    QTest::newRow("minus zero") << -0.0 << false << 0.0;
    QTest::newRow("negative") << -0.01 << false << 0.0;
    QTest::newRow("one, the top edge") << 1.0 << true << 120.0;
    QTest::newRow("just above one") << std::nextafter(1.0, 2.0) << false << 0.0;
    QTest::newRow("rounds to 0 in the main window") << 0.00004 << true << 6119.76;
    QTest::newRow("smallest above zero") << std::numeric_limits<double>::denorm_min() << true << 6120.0;
    QTest::newRow("not a number") << notANumber << false << 0.0;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false << 0.0;
}

void TestForm2::outletTest()
{
    QFETCH(double, y2);
    QFETCH(bool, drawn);
    QFETCH(double, topY);

    setRun(0.02, 0.05, y2);
    ModalBoxes boxes;
    Form2 chart;
    chart.Form_Load();

    const ui::ChartLine& line = *chart.line(u"Line4");
    if (drawn) {
        QCOMPARE(boxes.count(), 0);
        QVERIFY2(hasEnds(line, 900, 5820, 500, topY), qPrintable(ends(line)));
        QCOMPARE(chart.label(u"Label6")->caption, QStringLiteral("0.02"));
        QCOMPARE(chart.label(u"Label7")->caption, QStringLiteral("0.05"));
        return;
    }
    QCOMPARE(boxes.count(), 1);
    const ModalBoxes::Box& box = boxes.seen().first();
    QCOMPARE(box.title, QStringLiteral("Data Error"));
    QCOMPARE(box.text, QStringLiteral("Invalid Data"));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttonCount, 1);
    QVERIFY2(hasEnds(line, 0, 0, 0, 0), qPrintable(ends(line)));
    QCOMPARE(chart.label(u"Label6")->caption, QStringLiteral("Operating Line"));
    QCOMPARE(chart.label(u"Label7")->caption, QStringLiteral("Equilibrium Line"));
    QVERIFY(hasEnds(*chart.line(u"Line20"), 5320, 2538, 6440, 450));
}

void TestForm2::beforeAnyCalculation()
{
    ModalBoxes boxes;
    Form2 chart;
    chart.Form_Load();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.seen().first().title, QStringLiteral("Data Error"));

    const QImage image = picture(chart);
    QVERIFY(!image.isNull());

    // The curve alone: no operating line, not even a dot where it collapsed.
    QVERIFY(showsNear(image, curve[9].x, curve[9].y, darkBlue));
    QVERIFY(!showsAnywhere(image, green));
    QCOMPARE(chart.label(u"Label6")->caption, QStringLiteral("Operating Line"));
    QCOMPARE(chart.label(u"Label7")->caption, QStringLiteral("Equilibrium Line"));
}

void TestForm2::overflow_data()
{
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("y1");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("label6");
    QTest::addColumn<double>("placedX1");

    // Fractions of a run the main window then rejected.
    QTest::newRow("x1 beyond single") << 1e300 << 0.05 << "Overflow"
                                      << "1e+300" << 0.0;
    QTest::newRow("x1 beyond double") << 1e305 << 0.05 << "Overflow"
                                      << "1e+305" << 0.0;
    QTest::newRow("y1 beyond single") << 0.02 << -1e300 << "Overflow"
                                      << "0.02" << 900.0;
    QTest::newRow("x1 not a number") << notANumber << 0.05 << "Invalid operation"
                                     << "nan" << 0.0;
}

void TestForm2::overflow()
{
    QFETCH(double, x1);
    QFETCH(double, y1);
    QFETCH(QString, title);
    QFETCH(QString, label6);
    QFETCH(double, placedX1);

    setRun(x1, y1, 0.01);
    ModalBoxes boxes;
    Form2 chart;
    chart.Form_Load();

    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.seen().first().title, title);
    QCOMPARE(boxes.seen().first().buttonCount, 1);
    // The load stopped at the coordinate that could not be handed over.
    const ui::ChartLine& line = *chart.line(u"Line4");
    QVERIFY2(hasEnds(line, placedX1, 0, 0, 0), qPrintable(ends(line)));
    QCOMPARE(chart.label(u"Label6")->caption, label6);

    // Still shown, curve and all, and closed like any other.
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QVERIFY(showsNear(chart.grab().toImage(), curve[9].x, curve[9].y, darkBlue));
    QVERIFY(chart.close());
    QCOMPARE(boxes.count(), 1);
}

void TestForm2::sameChartTwice()
{
    setRun(0.02, 0.05, 0.01);
    QStringList shown[2];
    QImage pictures[2];
    for (int opening = 0; opening < 2; ++opening) {
        ModalBoxes boxes;
        Form2 chart;
        chart.Form_Load();
        QCOMPARE(boxes.count(), 0);
        shown[opening] = contents(chart);
        pictures[opening] = picture(chart);
        QVERIFY(!pictures[opening].isNull());
    }
    QCOMPARE(shown[1], shown[0]);
    QCOMPARE(pictures[1], pictures[0]);
}

void TestForm2::fromMenu()
{
    struct Seen {
        bool shown = false;
        bool modal = false;
        const QWidget* parent = nullptr;
        QString line4;
        QString label6;
    };
    QList<Seen> seen;

    // Looks at the modal chart the way the user would, then closes it with
    // its close box.
    QTimer user;
    user.setInterval(5);
    connect(&user, &QTimer::timeout, &user, [&seen] {
        auto* chart = qobject_cast<Form2*>(QApplication::activeModalWidget());
        if (!chart || !chart->isVisible())
            return;
        seen.append({chart->isVisible(), chart->isModal() && chart->windowModality() == Qt::ApplicationModal,
                     chart->parentWidget(), ends(*chart->line(u"Line4")), chart->label(u"Label6")->caption});
        chart->close();
    });
    user.start();

    Form1 main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    auto* graphStart = main.findChild<QAction*>(QStringLiteral("graph_start"));
    QVERIFY(graphStart);

    setRun(0.02, 0.05, 0.01);
    graphStart->trigger();
    // Every opening loads afresh from the fractions as they are then.
    setRun(0.1, 0.05, 0.01);
    graphStart->trigger();

    QCOMPARE(seen.size(), 2);
    for (const Seen& opening : seen) {
        QVERIFY(opening.shown);
        QVERIFY(opening.modal);
        QCOMPARE(opening.parent, nullptr);
    }
    QCOMPARE(seen[0].line4, ends({QStringLiteral("Line4"), 900, 5820, 500, 6060}));
    QCOMPARE(seen[0].label6, QStringLiteral("0.02"));
    QCOMPARE(seen[1].line4, ends({QStringLiteral("Line4"), 2500, 5820, 500, 6060}));
    QCOMPARE(seen[1].label6, QStringLiteral("0.1"));
    QVERIFY(!QApplication::activeModalWidget());
    main.close();
}

void TestForm2::operatingLineAfterAClick_data()
{
    QTest::addColumn<QList<TypedRun>>("clicks");
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<double>("x1");  // the fractions drawn, when drawn
    QTest::addColumn<double>("y1");

    // Example A is completed first; the graph then opens after these clicks.
    const TypedRun firstFieldRefused{"x", "0.2", "1", "1"};
    const TypedRun inputTest{"0.35", "0.2", "1", "1"};
    QTest::newRow("completed") << QList{exampleB} << true << 0.02 << 0.045;
    // Nothing was stored, so example A's line still stands.
    QTest::newRow("first field does not convert") << QList{firstFieldRefused} << true << 0.01 << 0.02;
    // New x1 and y1 with example A's y2 would make a line of no run.
    QTest::newRow("input test") << QList{inputTest} << false << 0.0 << 0.0;
    // A click that stores nothing does not mend what the one before mixed.
    QTest::newRow("input test, then first field does not convert")
        << QList{inputTest, firstFieldRefused} << false << 0.0 << 0.0;
    QTest::newRow("later field does not convert") << QList{TypedRun{"0.05", "x", "1", "1"}} << false << 0.0 << 0.0;
    QTest::newRow("fault before y2") << QList{TypedRun{"0.2", "0.5", "4", "5"}} << false << 0.0 << 0.0;
    // The outlet test refused y2 as it shows (1); the graph's own test takes it.
    QTest::newRow("outlet test, y2 just below 1")
        << QList{TypedRun{"0.02", "-0.5", "1", "61000"}} << true << -0.5 << 0.02;
    QTest::newRow("fault in the integration") << QList{TypedRun{"0.03", "0.01", "1e160", "1"}} << true << 0.01 << 0.03;
}

void TestForm2::operatingLineAfterAClick()
{
    QFETCH(QList<TypedRun>, clicks);
    QFETCH(bool, drawn);
    QFETCH(double, x1);
    QFETCH(double, y1);

    QStringList lines;
    QTimer user;
    user.setInterval(5);
    connect(&user, &QTimer::timeout, &user, [&lines] {
        auto* chart = qobject_cast<Form2*>(QApplication::activeModalWidget());
        if (!chart || !chart->isVisible())
            return;
        lines << ends(*chart->line(u"Line4"));
        chart->close();
    });
    user.start();

    ModalBoxes boxes;
    Form1 main;
    auto* graphStart = main.findChild<QAction*>(QStringLiteral("graph_start"));
    QVERIFY(graphStart);
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QVERIFY(calculate(main, exampleA));
    for (const TypedRun& click : clicks)
        QVERIFY(calculate(main, click));
    const int boxesBefore = boxes.count();
    graphStart->trigger();

    QCOMPARE(lines.size(), 1);
    if (drawn) {
        QCOMPARE(boxes.count(), boxesBefore);
        const float y2 = ui::plotY(Module1::fractions.y2).twips;
        QCOMPARE(lines.first(), ends({u"Line4"_s, ui::plotX(x1).twips, ui::plotY(y1).twips, 500, y2}));
    } else {
        QCOMPARE(boxes.count(), boxesBefore + 1);
        QCOMPARE(boxes.seen().last().title, QStringLiteral("Data Error"));
        QCOMPARE(boxes.seen().last().text, QStringLiteral("Invalid Data"));
        // Over the main window, not at a corner of the screen.
        const QPoint offset = boxes.seen().last().centre - main.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() < 40, qPrintable(u"%1, %2"_s.arg(offset.x()).arg(offset.y())));
        QCOMPARE(lines.first(), ends({u"Line4"_s, 0, 0, 0, 0}));
    }

    // A completed run draws its own line again.
    QVERIFY(calculate(main, exampleB));
    const int boxesAfter = boxes.count();
    graphStart->trigger();
    QCOMPARE(boxes.count(), boxesAfter);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.last(), ends({u"Line4"_s, 900, 5850, 500, ui::plotY(Module1::fractions.y2).twips}));
}

void TestForm2::painting()
{
    setRun(0.02, 0.05, 0.01);
    ModalBoxes boxes;
    Form2 chart;
    chart.Form_Load();
    const QImage image = picture(chart);
    QVERIFY(!image.isNull());

    // The worked example's line runs from (900, 5820) to (500, 6060).
    for (const double along : {0.25, 0.5, 0.75})
        QVERIFY2(showsNear(image, 900 - 400 * along, 5820 + 240 * along, green), qPrintable(QString::number(along)));
    for (int segment = 0; segment < 14; ++segment) {
        const Vertex from = curve[segment];
        const Vertex to = curve[segment + 1];
        QVERIFY2(showsNear(image, (from.x + to.x) / 2, (from.y + to.y) / 2, darkBlue),
                 qPrintable(QStringLiteral("Line%1").arg(segment + 7)));
    }
    // Inside the square away from any line it is white.
    QCOMPARE(image.pixelColor(QPointF(4000 * pixelScale(image), 1000 * pixelScale(image)).toPoint()), white);
}

void TestForm2::stacking_data()
{
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("y1");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("lineOnTop");
    QTest::addColumn<double>("outsideX");
    QTest::addColumn<double>("outsideY");

    // From (300, 3120), inside Label1 "0.5", to (500, 6060).
    QTest::newRow("operating line over Label1") << -0.01 << 0.5 << "Label1" << true << 400.0 << 4590.0;
    // From (2500, 6720), inside the legend's Label6, to (500, 6060).
    QTest::newRow("Label6 over operating line") << 0.1 << -0.1 << "Label6" << false << 1500.0 << 6390.0;
}

void TestForm2::stacking()
{
    QFETCH(double, x1);
    QFETCH(double, y1);
    QFETCH(QString, label);
    QFETCH(bool, lineOnTop);
    QFETCH(double, outsideX);
    QFETCH(double, outsideY);

    setRun(x1, y1, 0.01);
    ModalBoxes boxes;
    Form2 chart;
    chart.Form_Load();
    QCOMPARE(boxes.count(), 0);
    const QImage image = picture(chart);
    QVERIFY(!image.isNull());

    QVERIFY(showsNear(image, outsideX, outsideY, green));
    QCOMPARE(showsInside(image, chart.label(label)->rect, green), lineOnTop);
}

void TestForm2::runningOutOfWindow_data()
{
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("witnessX");
    QTest::addColumn<double>("witnessY");

    // To (8500, 5820) and to (2e34, 5820), both from (500, 6060); seen in
    // the client area's last column.
    QTest::newRow("beyond the right edge") << 0.4 << 6690.0 << 5874.3;
    QTest::newRow("far beyond, still single") << 1e30 << 6690.0 << 6060.0;
}

void TestForm2::runningOutOfWindow()
{
    QFETCH(double, x1);
    QFETCH(double, witnessX);
    QFETCH(double, witnessY);

    setRun(x1, 0.05, 0.01);
    ModalBoxes boxes;
    Form2 chart;
    chart.Form_Load();
    QCOMPARE(boxes.count(), 0);
    const QImage image = picture(chart);
    QVERIFY(!image.isNull());

    QVERIFY(showsNear(image, witnessX, witnessY, green));
}

void TestForm2::originMarkShowsCorner()
{
    ModalBoxes boxes;
    Form2 chart;
    chart.Form_Load();
    const QImage image = picture(chart);
    QVERIFY(!image.isNull());

    // Label5 "0,0" lies over the square's corner without hiding it: the
    // white inside and the left edge show through.
    const ui::TwipRect mark = chart.label(u"Label5")->rect;
    QVERIFY(mark.left < 500 && mark.left + mark.width > 500);
    QCOMPARE(image.pixelColor(QPointF(585 * pixelScale(image), 6030 * pixelScale(image)).toPoint()), white);
    QVERIFY(showsNear(image, 500, 6060, chart.palette().color(QPalette::WindowText)));
}

void TestForm2::captionsFit()
{
    // The legend's words before a run, and its numbers after one.
    ModalBoxes boxes;
    Form2 words;
    words.Form_Load();
    QVERIFY(chartCaptionsFit(words));
    setRun(0.0123456, 0.2987654, 0.01);
    Form2 numbers;
    numbers.Form_Load();
    QCOMPARE(numbers.label(u"Label6")->caption, QStringLiteral("0.0123456"));
    QVERIFY(chartCaptionsFit(numbers));
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
