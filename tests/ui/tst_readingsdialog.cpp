#include "fixture.h"
#include "present/readingsform.h"
#include "series/series.h"
#include "ui/application.h"
#include "ui/readingsdialog.h"
#include "ui/runsmodel.h"
#include "ui/runswindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// Fields by objectName and what is typed into each.
using TypedFields = QList<std::pair<QString, QString>>;

Q_DECLARE_METATYPE(std::optional<series::ReadingUncertainties>)
Q_DECLARE_METATYPE(std::optional<series::Titration>)

// The lab's run as typed into the dialog: the titration check, and air and
// NH3 meters at 21 °C and 99.5 kPa with a water meter.
const QList<std::pair<QString, QString>> labFields{
    {u"sample_volume_ml"_s, u"10.00"_s}, {u"acid_molarity"_s, u"0.1000"_s},   {u"acid_volume_ml"_s, u"12.40"_s},
    {u"density_g_per_l"_s, u"997.0"_s},  {u"air_meter"_s, u"20"_s},           {u"ammonia_meter"_s, u"0.5"_s},
    {u"water_meter"_s, u"0.05"_s},       {u"meter_temperature_c"_s, u"21"_s}, {u"pressure_kpa"_s, u"99.5"_s},
};

// What the dialog showed in its fields when it opened, what it said once
// they were typed over and OK clicked, and whether it stayed open.
struct Answered {
    QHash<QString, QString> shown;
    QString says;
    bool stayed = false;
};

// The Readings dialog of the model's first run, opened from a Runs window,
// its fields typed over, then OK; none when the window did not show.
std::optional<Answered> answerDialog(RunsModel& model, const TypedFields& typed)
{
    RunsWindow window(model);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return std::nullopt;
    auto* table = window.findChild<QTableView*>();
    table->setCurrentIndex(table->model()->index(0, 0));
    Answered answered;
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = qobject_cast<ReadingsDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        for (const QLineEdit* field : dialog->findChildren<QLineEdit*>())
            answered.shown.insert(field->objectName(), field->text());
        for (const auto& [name, text] : typed) {
            auto* field = dialog->findChild<QLineEdit*>(name);
            field->clear();
            QTest::keyClicks(field, text);
        }
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        answered.says = dialog->findChild<QLabel*>(u"readingsGive"_s)->text();
        answered.stayed = dialog->isVisible();
        dialog->reject();
    });
    window.findChild<QPushButton*>(u"runReadings"_s)->click();
    return answered;
}

class TestReadingsDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::prepareApplication(); }
    void init() { startWindowTest(); }
    void cleanup() { QVERIFY(endWindowTest()); }

    void entered_data();
    void entered();
    void uncertainties_data();
    void uncertainties();
    void readingColumns();
    void calibration_data();
    void calibration();
    void accelerators_data();
    void accelerators();
};

void TestReadingsDialog::entered_data()
{
    QTest::addColumn<TypedFields>("retyped");                         // over the lab's fields
    QTest::addColumn<std::optional<series::Titration>>("titration");  // none: refused
    QTest::addColumn<QString>("says");

    const series::Titration direct{10.0, 0.1, 12.4, 0.0, 1, {}, {}, 997.0, 20.0};
    QTest::newRow("the lab's readings") << TypedFields{{u"blank_volume_ml"_s, u"0"_s}} << std::optional(direct)
                                        << QString();
    QTest::newRow("acid below the blank") << TypedFields{{u"blank_volume_ml"_s, u"13"_s}}
                                          << std::optional<series::Titration>() << u"less than the blank"_s;
    QTest::newRow("a blank that is no number")
        << TypedFields{{u"blank_volume_ml"_s, u"zero"_s}} << std::optional<series::Titration>() << u"Type a number"_s;
    // The same check back-titrated: 25 mL of acid added, 12.6 mL of base back.
    const TypedFields back{
        {u"acid_volume_ml"_s, u"25.00"_s}, {u"base_molarity"_s, u"0.1000"_s}, {u"base_volume_ml"_s, u"12.60"_s}};
    QTest::newRow("a back-titration") << back
                                      << std::optional(
                                             series::Titration{10.0, 0.1, 25.0, 0.0, 1, 0.1, 12.6, 997.0, 20.0})
                                      << QString();
    QTest::newRow("a base without its volume")
        << back.first(2) << std::optional<series::Titration>() << u"a back-titration needs both"_s;
}

void TestReadingsDialog::entered()
{
    QFETCH(TypedFields, retyped);
    QFETCH(std::optional<series::Titration>, titration);
    QFETCH(QString, says);
    const bool accepted = titration.has_value();

    RunsModel model;
    series::Run typed;
    typed.inputs = {0.02, 0.01, 1.0, 1.0};
    typed.packingHeight = 0.5;
    model.addRun(typed, series::computeRun(typed));
    RunsWindow window(model);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* table = window.findChild<QTableView*>();
    table->setCurrentIndex(table->model()->index(0, 0));

    QString shown;
    bool stayed = false;
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = qobject_cast<ReadingsDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        for (const auto& [name, text] : labFields)
            QTest::keyClicks(dialog->findChild<QLineEdit*>(name), text);
        for (const auto& [name, text] : retyped) {
            auto* field = dialog->findChild<QLineEdit*>(name);
            field->clear();
            QTest::keyClicks(field, text);
        }
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        shown = dialog->findChild<QLabel*>(u"readingsGive"_s)->text();
        stayed = dialog->isVisible();
        dialog->reject();
    });
    window.findChild<QPushButton*>(u"runReadings"_s)->click();

    QCOMPARE(stayed, !accepted);
    if (!accepted) {
        QVERIFY2(shown.contains(says), qPrintable(shown));
        QVERIFY(series::identical(model.series(), series::Series{"", "", "", "mol/s", "", {}, {typed}, {}}));
        return;
    }
    // The same readings through the library, their inputs typed.
    series::Readings readings;
    readings.titration = titration;
    readings.air = series::MeterReading{20.0, series::MeterUnit::litresPerMinute, 21.0, 99.5, {}};
    readings.ammonia = series::MeterReading{0.5, series::MeterUnit::litresPerMinute, 21.0, 99.5, {}};
    readings.water = series::MeterReading{0.05, series::MeterUnit::litresPerMinute, 21.0, 99.5, {}};
    series::replaceInputs(typed.inputs,
                          std::get<series::InputsFromReadings>(series::inputsFromReadings(readings, "mol/s")));
    const series::RunResult expected = series::computeRun(typed);
    QVERIFY(expected.mtc);
    QVERIFY(model.results().at(0).mtc);
    QCOMPARE(*model.results().at(0).mtc, *expected.mtc);
    QVERIFY(model.series().runs.at(0).readings->titration == titration);
    QVERIFY(qAbs(model.series().runs.at(0).inputs.x1 - 0.0022403) < 0.5e-7);
    // One step takes it back.
    model.undoStack().undo();
    QCOMPARE(model.series().runs.at(0).inputs.x1, 0.01);
    QVERIFY(!model.series().runs.at(0).readings);
}

void TestReadingsDialog::uncertainties_data()
{
    QTest::addColumn<TypedFields>("typed");
    QTest::addColumn<std::optional<series::ReadingUncertainties>>("expected");  // none: refused
    QTest::addColumn<QString>("says");

    // The run starts with a burette's 0.05 mL; percentages are kept as fractions.
    QTest::newRow("meters and molarity in %")
        << TypedFields{{u"u_meter_rel"_s, u"1"_s}, {u"u_molarity_rel"_s, u"0.5"_s}, {u"u_thermometer_k"_s, u"0.2"_s}}
        << std::optional(series::ReadingUncertainties{0.05, 0.01, 0.2, 0.005, {}}) << QString();
    QTest::newRow("burette emptied, barometer typed")
        << TypedFields{{u"u_burette_ml"_s, QString()}, {u"u_pressure_kpa"_s, u"0.1"_s}}
        << std::optional(series::ReadingUncertainties{{}, {}, {}, {}, 0.1}) << QString();
    QTest::newRow("a negative uncertainty")
        << TypedFields{{u"u_thermometer_k"_s, u"-0.1"_s}} << std::optional<series::ReadingUncertainties>()
        << u"Type an uncertainty of 0 or more for \"Thermometer ± (K)\""_s;
}

void TestReadingsDialog::uncertainties()
{
    QFETCH(TypedFields, typed);
    QFETCH(std::optional<series::ReadingUncertainties>, expected);
    QFETCH(QString, says);

    series::Run run;
    run.inputs = {0.02, 0.01, 1.0, 1.0};
    run.packingHeight = 0.5;
    run.readings = series::Readings{};
    run.readings->titration = series::Titration{10.0, 0.1, 12.4, 0.0, 1, {}, {}, 997.0, 20.0};
    run.readings->uncertainty.burette = 0.05;
    series::replaceInputs(run.inputs,
                          std::get<series::InputsFromReadings>(series::inputsFromReadings(*run.readings, "mol/s")));
    RunsModel model;
    model.addRun(run, series::computeRun(run));
    const series::Series before = model.series();
    const std::optional<Answered> answered = answerDialog(model, typed);
    QVERIFY(answered);

    QCOMPARE(answered->shown.value(u"u_burette_ml"_s), u"0.05"_s);
    QCOMPARE(answered->stayed, !expected);
    if (!expected) {
        QVERIFY2(answered->says.contains(says), qPrintable(answered->says));
        QVERIFY(series::identical(model.series(), before));
        return;
    }
    QVERIFY(model.series().runs.at(0).readings);
    QVERIFY(model.series().runs.at(0).readings->uncertainty == *expected);
    // One step takes it back.
    model.undoStack().undo();
    QVERIFY(series::identical(model.series(), before));
}

// The runs table's readings columns, hidden until asked for, show what the
// Readings dialog shows in its fields, read-only.
void TestReadingsDialog::readingColumns()
{
    series::Run run;
    run.inputs = {0.02, 0.01, 1.0, 1.0};
    run.packingHeight = 0.5;
    run.readings = series::Readings{};
    run.readings->titration = series::Titration{10.0, 0.1, 12.4, 0.0, 1, {}, {}, 997.0, 20.0};
    run.readings->air = series::MeterReading{20.0, series::MeterUnit::litresPerMinute, 21.0, 99.5, {}};
    series::replaceInputs(run.inputs,
                          std::get<series::InputsFromReadings>(series::inputsFromReadings(*run.readings, "mol/s")));
    RunsModel model;
    model.addRun(run, series::computeRun(run));
    RunsWindow window(model);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* table = window.findChild<QTableView*>();
    table->setCurrentIndex(table->model()->index(0, 0));

    QHash<QString, QString> inDialog;
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = qobject_cast<ReadingsDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        for (const QLineEdit* field : dialog->findChildren<QLineEdit*>())
            inDialog.insert(field->objectName(), field->text());
        dialog->reject();
    });
    window.findChild<QPushButton*>(u"runReadings"_s)->click();
    QVERIFY(inDialog.value(u"sample_volume_ml"_s) != QString());

    auto* shown = window.findChild<QCheckBox*>(u"readingColumns"_s);
    QVERIFY(shown);
    const int first = RunsModel::firstReadingColumn;
    QCOMPARE(table->model()->columnCount(), first + int(present::readingFieldCount));
    QVERIFY(table->isColumnHidden(first));
    shown->click();
    int compared = 0;
    for (int column = first; column < table->model()->columnCount(); ++column) {
        QVERIFY(!table->isColumnHidden(column));
        const auto field = present::ReadingField(column - first);
        const QString key = QString::fromUtf8(present::readingKey(field));
        const QModelIndex cell = table->model()->index(0, column);
        QVERIFY(!(table->model()->flags(cell) & Qt::ItemIsEditable));
        QVERIFY(!table->model()->headerData(column, Qt::Horizontal).toString().isEmpty());
        // The titration's fields and the air meter, each one column.
        if (!QStringList{u"sample_volume_ml"_s, u"acid_molarity"_s, u"acid_volume_ml"_s, u"density_g_per_l"_s,
                         u"air_meter"_s}
                 .contains(key))
            continue;
        // A meter's reading with the unit the dialog chooses beside it.
        const QString text = cell.data().toString();
        QVERIFY2(text == inDialog.value(key) || text.startsWith(inDialog.value(key) + u' '),
                 qPrintable(key + u": "_s + text));
        ++compared;
    }
    QCOMPARE(compared, 5);
    shown->click();
    QVERIFY(table->isColumnHidden(first));
}

void TestReadingsDialog::calibration_data()
{
    QTest::addColumn<QString>("water");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("says");

    // The lab's check: 3.0 on this table reads 2.5 L/h.
    QTest::newRow("the lab's table") << u"3.0"_s << u"0=0; 2=1.5; 4=3.5"_s << true << QString();
    QTest::newRow("the run's table kept") << u"3.0"_s << u"0=0; 4=5"_s << true << QString();
    QTest::newRow("a row without =") << u"3.0"_s << u"0=0; 2 1.5"_s << false << u"\"2 1.5\" has no \"=\""_s;
    QTest::newRow("a reading beyond the table")
        << u"4.5"_s << u"0=0; 2=1.5; 4=3.5"_s << false << u"outside its meter's calibration table"_s;
}

// A calibration typed under the water meter gives the flow its table shows,
// as one step with the rest; the run's own table shows as the file keeps it.
void TestReadingsDialog::calibration()
{
    QFETCH(QString, water);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, says);

    series::Run run;
    run.inputs = {0.02, 0.01, 1.0, 1.0};
    run.packingHeight = 0.5;
    run.readings = series::Readings{};
    run.readings->titration = series::Titration{10.0, 0.1, 12.4, 0.0, 1, {}, {}, 997.0, 20.0};
    run.readings->water =
        series::MeterReading{2.0, series::MeterUnit::litresPerHour, 20.0, 101.325, {{0.0, 0.0}, {4.0, 5.0}}};
    series::replaceInputs(run.inputs,
                          std::get<series::InputsFromReadings>(series::inputsFromReadings(*run.readings, "mol/s")));
    RunsModel model;
    model.addRun(run, series::computeRun(run));
    const series::Series before = model.series();
    const std::optional<Answered> answered =
        answerDialog(model, {{u"water_meter"_s, water}, {u"water_meter_calibration"_s, typed}});
    QVERIFY(answered);

    QCOMPARE(answered->shown.value(u"water_meter_calibration"_s), u"0=0; 4=5"_s);
    QCOMPARE(answered->stayed, !accepted);
    if (!accepted) {
        QVERIFY2(answered->says.contains(says), qPrintable(answered->says));
        QVERIFY(series::identical(model.series(), before));
        return;
    }
    // The water flow a meter showing its table's flow gives, to the bit.
    const auto& readings = model.series().runs.at(0).readings;
    QVERIFY(readings && readings->water);
    const auto flow = series::meterFlow(*readings->water);
    QVERIFY(std::holds_alternative<double>(flow));
    series::Readings read = *readings;
    read.water->value = std::get<double>(flow);
    read.water->calibration.clear();
    QCOMPARE(model.series().runs.at(0).inputs.waterFlow,
             *std::get<series::InputsFromReadings>(series::inputsFromReadings(read, "mol/s")).waterFlow);
    if (typed == u"0=0; 2=1.5; 4=3.5"_s) {
        QCOMPARE(std::get<double>(flow), 2.5);
        QVERIFY((readings->water->calibration
                 == std::vector<series::CalibrationPoint>{{0.0, 0.0}, {2.0, 1.5}, {4.0, 3.5}}));
    }
    // One step takes it back.
    model.undoStack().undo();
    QVERIFY(series::identical(model.series(), before));
}

void TestReadingsDialog::accelerators_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
}

// Every field's label reaches its field by a key of its own, in either language.
void TestReadingsDialog::accelerators()
{
    QFETCH(QLocale, locale);
    startWindowTest(locale);
    RunsModel model;
    series::Run typed;
    typed.inputs = {0.02, 0.01, 1.0, 1.0};
    typed.packingHeight = 0.5;
    model.addRun(typed, series::computeRun(typed));
    ReadingsDialog dialog(model, 0);
    QHash<QChar, QString> keys;
    int labelled = 0;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->buddy())
            continue;
        ++labelled;
        const QString text = label->text();
        const qsizetype amp = text.indexOf(u'&');
        QVERIFY2(amp >= 0 && amp + 1 < text.size(), qPrintable(text));
        const QChar key = text.at(amp + 1).toLower();
        QVERIFY2(!keys.contains(key), qPrintable(text + u" and "_s + keys.value(key)));
        keys.insert(key, text);
    }
    QCOMPARE(labelled, int(present::formLineCount));
}

QTEST_MAIN(TestReadingsDialog)
#include "tst_readingsdialog.moc"
