#include "fixture.h"
#include "layoutcheck.h"
#include "modalboxes.h"

#include "core/absorber.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/Module1.h"
#include "ui/application.h"
#include "ui/help.h"
#include "ui/numbertext.h"
#include "ui/runswindow.h"
#include "ui/session.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QXmlStreamReader>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const TypedRun germanExampleA{u"0,02"_s, u"0,01"_s, u"1"_s, u"1"_s};

QString german(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source);
}

// The German text of a source text, which must differ from the English
// one: the same text means the translation was not found.
bool isGerman(const QString& shown, const char* context, const char* source)
{
    const QString expected = german(context, source);
    if (expected == QString::fromUtf8(source)) {
        qWarning("no German for %s \"%s\"", context, source);
        return false;
    }
    if (shown != expected) {
        qWarning("shows \"%s\", not \"%s\"", qPrintable(shown), qPrintable(expected));
        return false;
    }
    return true;
}

// What a translation must keep of its source: the placeholders, the
// accelerator's presence, the markup's tags in order.
QStringList placeholders(const QString& text)
{
    QStringList found;
    for (const QRegularExpressionMatch& match : QRegularExpression(u"%\\d+"_s).globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

QStringList tags(const QString& text)
{
    QStringList found;
    for (const QRegularExpressionMatch& match : QRegularExpression(u"</?([a-z0-9]+)"_s).globalMatch(text))
        found << match.captured();
    return found;
}

// The accelerators: "&" before a character, "&&" being a literal
// ampersand and "&nbsp;" markup.
int accelerators(const QString& text)
{
    QString rest = text;
    rest.remove(u"&&"_s);
    return int(rest.count(QRegularExpression(u"&(?![a-z]+;)\\S"_s)));
}

struct Entry {
    QString context;
    QString source;
    QString translation;
};

QList<Entry> entries(const QString& path)
{
    QList<Entry> found;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return found;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"source")
            found.append({context, xml.readElementText(), {}});
        else if (xml.name() == u"translation" && !found.isEmpty())
            found.last().translation = xml.readElementText();
    }
    if (xml.hasError())
        qWarning("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return xml.hasError() ? QList<Entry>() : found;
}

// The help's table row by row: its number, x and y* as the locale writes them.
bool tableHolds(const QTextDocument& document)
{
    const QTextTable* table = nullptr;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if ((table = qobject_cast<QTextTable*>(frame)))
            break;
    }
    const int rows = int(absorber::equilibriumPoints.size());
    if (!table || table->rows() != rows + 1 || table->columns() != 3) {
        qWarning("no table of %d rows under a header", rows);
        return false;
    }
    const auto cell = [table](int row, int column) {
        const QTextTableCell found = table->cellAt(row, column);
        QTextCursor text = found.firstCursorPosition();
        text.setPosition(found.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return text.selectedText();
    };
    bool all = true;
    for (int row = 1; row <= rows; ++row) {
        const absorber::EquilibriumPoint& point = absorber::equilibriumPoints[std::size_t(row - 1)];
        const QStringList expected{QLocale().toString(row), ui::numberText(point.x), ui::numberText(point.y)};
        const QStringList shown{cell(row, 0), cell(row, 1), cell(row, 2)};
        if (shown != expected) {
            qWarning("row %d shows %s, not %s", row, qPrintable(shown.join(u' ')), qPrintable(expected.join(u' ')));
            all = false;
        }
    }
    return all;
}

}  // namespace

class TestGerman : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void menus_data();
    void menus();
    void mainWindowFits();
    void numbersReadAndShownTheGermanWay();
    void invalidDataBox();
    void fieldNamesInErrors_data();
    void fieldNamesInErrors();
    void graphBeforeAnyRun();
    void graphAfterExampleA();
    void methodTextHoldsTheTable();
    void runsWindow();
    void standardButtons();
    void translationsKeepTheirSource_data();
    void translationsKeepTheirSource();
    void seriesMessagesInGerman_data();
    void seriesMessagesInGerman();

private:
    QWidget& window() { return *form; }

    std::unique_ptr<Form1> form;
    Session* session = nullptr;
};

void TestGerman::initTestCase()
{
    ui::prepareApplication();
}

void TestGerman::init()
{
    startWindowTest(QLocale(QLocale::German, QLocale::Germany));
    form = std::make_unique<Form1>();
    session = new Session(*form);
}

void TestGerman::cleanup()
{
    form.reset();
    QVERIFY(endWindowTest());
}

void TestGerman::menus_data()
{
    QTest::addColumn<QString>("name");  // a menu's or an item's object name
    QTest::addColumn<QByteArray>("context");
    QTest::addColumn<QByteArray>("source");

    QTest::newRow("Graph menu") << "graph" << QByteArray("Form1") << QByteArray("&Graph");
    QTest::newRow("Graph item") << "graph_start" << QByteArray("Form1") << QByteArray("Start Graphin!");
    QTest::newRow("Report menu") << "reportMenu" << QByteArray("Session") << QByteArray("&Report");
    QTest::newRow("Show Runs") << "showRuns" << QByteArray("Session") << QByteArray("Show &Runs");
    QTest::newRow("Copy Run") << "copyRun" << QByteArray("Session") << QByteArray("&Copy Run");
    QTest::newRow("Save Report") << "saveReport" << QByteArray("Session") << QByteArray("Save Report as &PDF…");
    QTest::newRow("Export CSV") << "exportCsv" << QByteArray("Session") << QByteArray("&Export Runs as CSV…");
    QTest::newRow("Help menu") << "help" << QByteArray("Session") << QByteArray("&Help");
    QTest::newRow("Method and Data") << "help_method" << QByteArray("Session") << QByteArray("&Method and Data");
    QTest::newRow("About") << "help_about" << QByteArray("Session") << QByteArray("&About Quillon");
}

void TestGerman::menus()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, context);
    QFETCH(QByteArray, source);
    const QAction* item = form->findChild<QAction*>(name);
    if (const auto* menu = form->findChild<QMenu*>(name))
        item = menu->menuAction();
    QVERIFY2(item, qPrintable(name));
    QVERIFY(isGerman(item->text(), context.constData(), source.constData()));
}

void TestGerman::mainWindowFits()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QVERIFY(isGerman(form->findChild<QPushButton*>("Command1")->text(), "Form1", "Calculate"));
    QVERIFY(isGerman(form->findChild<QGroupBox*>("Frame4")->title(), "Form1", "Results"));
    QVERIFY(captionsFit(*form));
}

void TestGerman::numbersReadAndShownTheGermanWay()
{
    ModalBoxes boxes;
    QVERIFY(calculate(window(), germanExampleA));
    QVERIFY(typeInto(window(), "Text8", u"2"_s));
    QVERIFY(clickOn(window(), "Command2"));
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(fieldText(window(), "Text6"), u"0,0254"_s);
    QCOMPARE(fieldText(window(), "Text7"), u"0,0102"_s);
    QCOMPARE(fieldText(window(), "Text4"), u"0,6355"_s);
    QCOMPARE(fieldText(window(), "Text9"), u"40,4556"_s);
    QVERIFY(form->findChild<QLineEdit*>("Text2")->toolTip().contains(u"0,02 "_s));
}

void TestGerman::invalidDataBox()
{
    ModalBoxes boxes;
    QVERIFY(calculate(window(), {u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
    QCOMPARE(boxes.count(), 1);
    const ModalBoxes::Box& box = boxes.seen().first();
    QCOMPARE(box.title, u"FEHLER"_s);
    QVERIFY(isGerman(box.title, "Form1", "ERROR"));
    QCOMPARE(box.text, u"Ungültige Daten"_s);
}

void TestGerman::fieldNamesInErrors_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("source");  // the field's accessible name
    QTest::addColumn<QByteArray>("button");

    QTest::newRow("gas flow") << QByteArray("Text1") << QByteArray("Gas Flowrate") << QByteArray("Command1");
    QTest::newRow("y1") << QByteArray("Text2") << QByteArray("Gas Inlet %NH3") << QByteArray("Command1");
    QTest::newRow("water flow") << QByteArray("Text3") << QByteArray("H20 Flowrate") << QByteArray("Command1");
    QTest::newRow("x1") << QByteArray("Text5") << QByteArray("Water Outlet %NH3") << QByteArray("Command1");
    QTest::newRow("packing height") << QByteArray("Text8") << QByteArray("Height of Packing (meters)")
                                    << QByteArray("Command2");
}

void TestGerman::fieldNamesInErrors()
{
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, button);
    const QString name = german("Form1", source.constData());
    QVERIFY(name != QString::fromUtf8(source));
    QCOMPARE(form->findChild<QLineEdit*>(field.constData())->accessibleName(), name);

    ModalBoxes boxes;
    // A point is no decimal separator in German: the field does not hold a number.
    QVERIFY(typeInto(window(), field.constData(), u"0.02"_s));
    QVERIFY(clickOn(window(), button.constData()));
    QCOMPARE(boxes.count(), 1);
    QVERIFY2(boxes.seen().first().text.startsWith(name), qPrintable(boxes.seen().first().text));
}

void TestGerman::graphBeforeAnyRun()
{
    ModalBoxes boxes;
    Form2 chart;
    QVERIFY(isGerman(chart.windowTitle(), "Form2", "Graph thingy of the equilibrium line and operating line..."));
    chart.Form_Load();
    QCOMPARE(boxes.count(), 1);
    QVERIFY(isGerman(boxes.seen().first().title, "Form2", "Data Error"));
    QVERIFY(isGerman(chart.label(u"Label6")->caption, "Form2", "Operating Line"));
    QVERIFY(isGerman(chart.label(u"Label7")->caption, "Form2", "Equilibrium Line"));
    QVERIFY(chartCaptionsFit(chart));
}

void TestGerman::graphAfterExampleA()
{
    ModalBoxes boxes;
    QVERIFY(calculate(window(), germanExampleA));
    Form2 chart;
    chart.Form_Load();
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(chart.label(u"Label6")->caption, u"0,01"_s);
    QCOMPARE(chart.label(u"Label7")->caption, u"0,02"_s);
    QVERIFY(chartCaptionsFit(chart));
}

void TestGerman::methodTextHoldsTheTable()
{
    QTextDocument document;
    document.setHtml(MethodWindow::methodText());
    const QString plain = document.toPlainText();
    const QString heading =
        german("MethodWindow", "<h3>Equilibrium data</h3>").remove(QRegularExpression(u"<[^>]*>"_s));
    QVERIFY(plain.contains(heading));
    QVERIFY(!plain.contains(u"Equilibrium data"_s));
    QVERIFY(tableHolds(document));
    QVERIFY(plain.contains(ui::numberText(0.02) + u' '));
    QVERIFY(plain.contains(ui::numberText(absorber::maxGasFraction)));
    QVERIFY(plain.contains(QLocale().toString(absorber::ntuSteps)));
    // The readings' columns by both names, and the program's word for a run.
    QVERIFY(plain.contains(u"sample_volume_ml, acid_molarity"_s));
    QVERIFY(plain.contains(u"Probenvolumen, Säurekonzentration"_s));
    QVERIFY(!plain.contains(u"Läufe"_s));

    session->showMethod();
    auto* method = form->findChild<MethodWindow*>();
    QVERIFY(method);
    QVERIFY(isGerman(method->windowTitle(), "MethodWindow", "Method and Data"));
    method->close();
}

void TestGerman::runsWindow()
{
    session->showRuns();
    auto* runs = form->findChild<RunsWindow*>();
    QVERIFY(runs);
    QVERIFY(isGerman(runs->windowTitle(), "RunsWindow", "Runs"));
    const QAbstractItemModel* table = runs->findChild<QTableView*>()->model();
    QVERIFY(isGerman(table->headerData(0, Qt::Horizontal).toString(), "RunsModel", "Run"));
    runs->close();
}

void TestGerman::standardButtons()
{
    const QString qtbase = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_de.qm"_s;
    if (!QFileInfo::exists(qtbase))
        QSKIP("Qt's own German translation is not installed");
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), u"Abbrechen"_s);
    QCOMPARE(buttons.button(QDialogButtonBox::Ok)->text(), german("QPlatformTheme", "OK"));
}

void TestGerman::translationsKeepTheirSource_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");
    const QList<Entry> all = entries(QStringLiteral(QUILLON_GERMAN_TS));
    QVERIFY(!all.isEmpty());
    for (const Entry& entry : all) {
        const QString row = entry.context + u": "_s + entry.source.simplified().left(40);
        QTest::newRow(qPrintable(row)) << entry.source << entry.translation;
    }
}

void TestGerman::translationsKeepTheirSource()
{
    QFETCH(QString, source);
    QFETCH(QString, translation);
    QVERIFY(!translation.isEmpty());
    QCOMPARE(placeholders(translation), placeholders(source));
    QCOMPARE(accelerators(translation), accelerators(source));
    QCOMPARE(tags(translation), tags(source));
}

// What the series library says of a file it opens, in the boxes' language.
void TestGerman::seriesMessagesInGerman_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("ignored column") << u"runs.csv"_s
                                    << QByteArray("y1,x1,gas_flow,water_flow,Uhrzeit\n0.02,0.01,1,1,20\n")
                                    << QByteArray("column \"%1\" ignored: Quillon does not read it")
                                    << QStringList{u"Uhrzeit"_s};
    QTest::newRow("skipped row") << u"runs.csv"_s
                                 << QByteArray("y1,x1,gas_flow,water_flow\n-,0.01,1,1\n0.02,0.01,1,1\n")
                                 << QByteArray("skipped: %1 \"%2\" is not a number") << QStringList{u"y1"_s, u"-"_s};
    // The column Quillon lacks, and those it expects, by the German headers it reads.
    QTest::newRow("missing column") << u"runs.csv"_s << QByteArray("y1;x1;Gasstrom\n0,02;0,01;1\n")
                                    << QByteArray("the header has no %5 column; expected columns %1, %2, %3 and %4")
                                    << QStringList{u"y1"_s, u"x1"_s, u"Gasstrom"_s, u"Wasserstrom"_s, u"Wasserstrom"_s};
    QTest::newRow("JSON syntax") << u"broken.quillon"_s
                                 << QByteArray("{\"format\": \"quillon-series\", \"version\": 1, \"runs\": [{\"y1\": }")
                                 << QByteArray("syntax error: unexpected '%1'") << QStringList{u"}"_s};
    QTest::newRow("newer version") << u"new.quillon"_s
                                   << QByteArray("{\"format\": \"quillon-series\", \"version\": 2, \"runs\": []}")
                                   << QByteArray(
                                          "written by a newer Quillon (format version %1); this one reads version %2")
                                   << QStringList{u"2"_s, u"1"_s};
}

void TestGerman::seriesMessagesInGerman()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, source);
    QFETCH(QStringList, values);
    QTemporaryDir folder;
    QFile file(folder.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    QString english = QString::fromUtf8(source);
    QString expected = german("Series", source.constData());
    for (const QString& value : values) {
        english = english.arg(value);
        expected = expected.arg(value);
    }

    ModalBoxes boxes;
    session->openFile(file.fileName());
    QCOMPARE(boxes.seen().size(), 1);
    const QString shown = boxes.seen().first().text;
    QVERIFY2(shown.contains(expected), qPrintable(shown));
    QVERIFY2(!shown.contains(english), qPrintable(shown));
}

QTEST_MAIN(TestGerman)
#include "tst_german.moc"
