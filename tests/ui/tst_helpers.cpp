#include "ui/centring.h"
#include "ui/messages.h"
#include "ui/numbertext.h"

#include <QLocale>
#include <QTest>

#include <bit>
#include <cmath>
#include <limits>
#include <optional>

Q_DECLARE_METATYPE(ui::ParsedNumber::Kind)
Q_DECLARE_METATYPE(std::optional<int>)

class TestHelpers : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void parsing_data();
    void parsing();
    void showing_data();
    void showing();
    void centring_data();
    void centring();
    void reachability_data();
    void reachability();
    void quoting_data();
    void quoting();
};

void TestHelpers::parsing_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<ui::ParsedNumber::Kind>("kind");
    QTest::addColumn<double>("value");

    using Kind = ui::ParsedNumber::Kind;
    const QString zeros400(400, u'0');
    QTest::newRow("english") << "en_US"
                             << "0.02" << Kind::number << 0.02;
    QTest::newRow("spaces around") << "en_US"
                                   << "  0.02 " << Kind::number << 0.02;
    QTest::newRow("negative") << "en_US"
                              << "-1.5" << Kind::number << -1.5;
    QTest::newRow("exponent") << "en_US"
                              << "2e-3" << Kind::number << 0.002;
    QTest::newRow("german") << "de_DE"
                            << "0,02" << Kind::number << 0.02;
    QTest::newRow("german point") << "de_DE"
                                  << "0.02" << Kind::notANumber << 0.0;
    QTest::newRow("english comma") << "en_US"
                                   << "0,02" << Kind::notANumber << 0.0;
    QTest::newRow("group separator") << "en_US"
                                     << "1,000" << Kind::notANumber << 0.0;
    QTest::newRow("empty") << "en_US"
                           << "" << Kind::notANumber << 0.0;
    QTest::newRow("blank") << "en_US"
                           << "   " << Kind::notANumber << 0.0;
    QTest::newRow("words") << "en_US"
                           << "abc" << Kind::notANumber << 0.0;
    QTest::newRow("trailing junk") << "en_US"
                                   << "0.02x" << Kind::notANumber << 0.0;
    QTest::newRow("infinity") << "en_US"
                              << "inf" << Kind::notANumber << 0.0;
    QTest::newRow("minus infinity") << "en_US"
                                    << "-inf" << Kind::notANumber << 0.0;
    QTest::newRow("nan") << "en_US"
                         << "nan" << Kind::notANumber << 0.0;
    QTest::newRow("german infinity") << "de_DE"
                                     << "inf" << Kind::notANumber << 0.0;

    QTest::newRow("largest double") << "en_US"
                                    << "1.7976931348623157e308" << Kind::number << std::numeric_limits<double>::max();
    QTest::newRow("rounds past the largest double") << "en_US"
                                                    << "1.7976931348623159e308" << Kind::tooLarge << 0.0;
    QTest::newRow("1e999") << "en_US"
                           << "1e999" << Kind::tooLarge << 0.0;
    QTest::newRow("-1e999") << "en_US"
                            << "-1e999" << Kind::tooLarge << 0.0;
    QTest::newRow("400-digit integer") << "en_US" << QString(400, u'9') << Kind::tooLarge << 0.0;
    QTest::newRow("exponent beyond 64 bits") << "en_US"
                                             << "1e99999999999999999999" << Kind::tooLarge << 0.0;
    QTest::newRow("german 1e999") << "de_DE"
                                  << "1e999" << Kind::tooLarge << 0.0;
    QTest::newRow("german too large with group separator") << "de_DE"
                                                           << "1.000e999" << Kind::notANumber << 0.0;
    QTest::newRow("too large, then junk") << "en_US"
                                          << "1e999x" << Kind::notANumber << 0.0;
    QTest::newRow("two signs") << "en_US"
                               << "--1e999" << Kind::notANumber << 0.0;
    QTest::newRow("plus sign") << "en_US"
                               << "+1e999" << Kind::tooLarge << 0.0;
    QTest::newRow("plus, then minus") << "en_US"
                                      << "+-1e999" << Kind::notANumber << 0.0;
    QTest::newRow("exponent without digits") << "en_US"
                                             << "1e" << Kind::notANumber << 0.0;

    QTest::newRow("subnormal") << "en_US"
                               << "1e-320" << Kind::number << 1e-320;
    QTest::newRow("400 zeros after the point") << "en_US"
                                               << "0." + zeros400 + "1" << Kind::number << 0.0;
    QTest::newRow("negative below the range") << "en_US"
                                              << "-1e-400" << Kind::number << -0.0;
    QTest::newRow("just below half the smallest subnormal") << "en_US"
                                                            << "2.4703282292062327e-324" << Kind::number << 0.0;
    QTest::newRow("just above half the smallest subnormal")
        << "en_US"
        << "2.4703282292062328e-324" << Kind::number << std::numeric_limits<double>::denorm_min();
    QTest::newRow("long mantissa, exponent below the range") << "en_US"
                                                             << "1" + zeros400 + "e-800" << Kind::number << 0.0;
    QTest::newRow("exponent below 64 bits") << "en_US"
                                            << "1e-99999999999999999999" << Kind::number << 0.0;
    QTest::newRow("german below the range") << "de_DE"
                                            << "-0," + zeros400 + "1" << Kind::number << -0.0;
    QTest::newRow("below the range, then junk") << "en_US"
                                                << "1e-400x" << Kind::notANumber << 0.0;
    // The minus sign U+2212 of a word processor, wherever a minus may stand.
    QTest::newRow("minus sign") << "en_US" << QStringLiteral("\u22121.5") << Kind::number << -1.5;
    QTest::newRow("german minus sign") << "de_DE" << QStringLiteral("\u22120,02") << Kind::number << -0.02;
    QTest::newRow("minus sign in the exponent") << "en_US" << QStringLiteral("2e\u22123") << Kind::number << 0.002;
    QTest::newRow("minus sign, too large") << "en_US" << QStringLiteral("\u22121e999") << Kind::tooLarge << 0.0;
    QTest::newRow("minus sign below the range")
        << "de_DE" << QStringLiteral("\u22121e\u2212400") << Kind::number << -0.0;
    QTest::newRow("two minus signs") << "en_US" << QStringLiteral("\u2212\u22121") << Kind::notANumber << 0.0;
}

void TestHelpers::parsing()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(ui::ParsedNumber::Kind, kind);
    QFETCH(double, value);
    QLocale::setDefault(QLocale(locale));
    const ui::ParsedNumber parsed = ui::parseNumber(text);
    QCOMPARE(parsed.kind, kind);
    QCOMPARE(bool(parsed), kind == ui::ParsedNumber::Kind::number);
    // Bit for bit, so that -0 and 0 differ.
    QCOMPARE(std::bit_cast<quint64>(parsed.number), std::bit_cast<quint64>(value));
}

void TestHelpers::showing_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("rounded");
    QTest::addColumn<QString>("text");

    QTest::newRow("example A y2") << "en_US" << 0.010201999591920018 << true << "0.0102";
    QTest::newRow("example A mtc") << "en_US" << 40.455628854993435 << true << "40.4556";
    QTest::newRow("german") << "de_DE" << 40.455628854993435 << true << "40,4556";
    QTest::newRow("no group separator") << "en_US" << 12345.67894 << true << "12345.6789";
    QTest::newRow("german no group separator") << "de_DE" << 1234567.0 << true << "1234567";
    QTest::newRow("smallest shown") << "en_US" << 0.0001 << true << "0.0001";
    QTest::newRow("rounds to zero") << "en_US" << 0.00004 << true << "0";
    QTest::newRow("negative zero") << "en_US" << -0.00004 << true << "0";
    QTest::newRow("tie to even") << "en_US" << 0.03125 << true << "0.0312";
    QTest::newRow("unrounded") << "en_US" << 0.010201999591920018 << false << "0.010201999591920018";
    QTest::newRow("unrounded short") << "en_US" << 0.02 << false << "0.02";
    QTest::newRow("unrounded tiny") << "en_US" << 0.00004 << false << "4E-05";
    QTest::newRow("unrounded huge") << "en_US" << 1e300 << false << "1E+300";
    QTest::newRow("unrounded german") << "de_DE" << 0.05 << false << "0,05";
}

void TestHelpers::showing()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(bool, rounded);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(rounded ? ui::resultText(value) : ui::numberText(value), text);
    // What is shown unrounded reads back to the same double.
    if (!rounded)
        QCOMPARE(ui::parseNumber(text).number, value);
}

void TestHelpers::centring_data()
{
    QTest::addColumn<float>("screen");
    QTest::addColumn<float>("window");
    QTest::addColumn<std::optional<int>>("offset");

    QTest::newRow("main window on 1024 px") << 15360.0f << 7605.0f << std::optional(7680 - 3802);
    QTest::newRow("odd halves truncate") << 15.0f << 7.0f << std::optional(7 - 3);
    QTest::newRow("tie down to even") << 1000.5f << 0.0f << std::optional(500);
    QTest::newRow("tie up to even") << 1001.5f << 0.0f << std::optional(501);
    QTest::newRow("window tie") << 0.0f << 2.5f << std::optional(-1);
    QTest::newRow("below a tie") << 1000.4f << 0.0f << std::optional(500);
    // Rounded, not cut, before the halving: 1002 / 2, not 1001 / 2.
    QTest::newRow("above a tie") << 1001.6f << 0.0f << std::optional(501);
    QTest::newRow("window above a tie") << 0.0f << 3.6f << std::optional(-2);
    QTest::newRow("screen smaller than window") << 1000.0f << 3001.0f << std::optional(500 - 1500);
    QTest::newRow("largest single below 2^31") << 2147483520.0f << 0.0f << std::optional(1073741760);
    QTest::newRow("2^31 overflows") << 2147483648.0f << 0.0f << std::optional<int>();
    QTest::newRow("negative overflow") << 0.0f << -3e9f << std::optional<int>();
    QTest::newRow("-2^31 fits") << 0.0f << -2147483648.0f << std::optional(1073741824);
    QTest::newRow("not a number") << std::nanf("") << 0.0f << std::optional<int>();
}

void TestHelpers::centring()
{
    QFETCH(float, screen);
    QFETCH(float, window);
    QFETCH(std::optional<int>, offset);
    QCOMPARE(ui::centredOffset(screen, window), offset);
}

void TestHelpers::reachability_data()
{
    QTest::addColumn<QPoint>("centred");
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("placed");

    const QRect screen(0, 0, 1024, 768);
    QTest::newRow("fits") << QPoint(256, 164) << QSize(512, 440) << screen << QPoint(256, 164);
    QTest::newRow("just fits") << QPoint(0, 0) << QSize(1024, 768) << screen << QPoint(0, 0);
    QTest::newRow("too tall") << QPoint(2, -52) << QSize(1020, 872) << screen << QPoint(2, 0);
    QTest::newRow("too wide") << QPoint(-8, 100) << QSize(1040, 568) << screen << QPoint(0, 100);
    QTest::newRow("too large both ways") << QPoint(-8, -52) << QSize(1040, 872) << screen << QPoint(0, 0);
    QTest::newRow("below a top panel") << QPoint(2, -52) << QSize(1020, 872) << QRect(0, 30, 1024, 738)
                                       << QPoint(2, 30);
    QTest::newRow("fits below a top panel, moved below it")
        << QPoint(256, 10) << QSize(512, 700) << QRect(0, 30, 1024, 738) << QPoint(256, 30);
    const QRect laptop(0, 0, 1366, 728);
    QTest::newRow("past the right edge of 1366 x 768")
        << QPoint(1000, 100) << QSize(600, 400) << laptop << QPoint(766, 100);
    QTest::newRow("screen to the left, past its left edge")
        << QPoint(-2000, 50) << QSize(800, 600) << QRect(-1920, 0, 1920, 1040) << QPoint(-1920, 50);
    QTest::newRow("off every screen") << QPoint(3000, 2000) << QSize(800, 600) << laptop << QPoint(566, 128);
    QTest::newRow("second screen") << QPoint(1016, -52) << QSize(1040, 872) << QRect(1024, 0, 1024, 768)
                                   << QPoint(1024, 0);
}

void TestHelpers::reachability()
{
    QFETCH(QPoint, centred);
    QFETCH(QSize, outer);
    QFETCH(QRect, available);
    QFETCH(QPoint, placed);
    QCOMPARE(ui::insideArea(centred, outer, available), placed);
}

void TestHelpers::quoting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    const QString forty(40, u'x');
    const QString emoji = QStringLiteral("\U0001F600");
    QTest::newRow("short") << "<b>7</b>"
                           << "<b>7</b>";
    QTest::newRow("40 characters") << forty << forty;
    QTest::newRow("41 characters") << forty + "y" << forty + QChar(0x2026);
    QTest::newRow("10000 characters") << QString(10000, u'9') << QString(40, u'9') + QChar(0x2026);
    QTest::newRow("pair across the cut") << QString(39, u'x') + emoji + "y" << QString(39, u'x') + QChar(0x2026);
    QTest::newRow("pair before the cut") << QString(38, u'x') + emoji + "y"
                                         << QString(38, u'x') + emoji + QChar(0x2026);
}

void TestHelpers::quoting()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(ui::quoted(text), shown);
}

QTEST_MAIN(TestHelpers)
#include "tst_helpers.moc"
