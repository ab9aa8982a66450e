#include "ui/readingsdialog.h"

#include "report/qtpresent.h"
#include "ui/runsmodel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

namespace {

constexpr std::array<series::MeterUnit, 5> meterUnits{
    series::MeterUnit::litresPerMinute, series::MeterUnit::litresPerHour, series::MeterUnit::cubicMetresPerHour,
    series::MeterUnit::millilitresPerMinute, series::MeterUnit::kilogramsPerHour};

}  // namespace

ReadingsDialog::ReadingsDialog(RunsModel& runs, int runRow, QWidget* parent)
    : QDialog(parent)
    , model(runs)
    , row(runRow)
    , given(new QLabel(this))
{
    setObjectName(QStringLiteral("readingsDialog"));
    setWindowTitle(tr("Readings of run %1").arg(QLocale().toString(row + 1)));
    const auto& before = model.series().runs[std::size_t(row)].readings;
    const present::ReadingsForm shown = present::formOf(before, report::numberLocaleOf(QLocale()));

    auto* formLayout = new QFormLayout;
    const std::array<present::FormLine, present::formLineCount> lines = present::formLines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const present::FormLine line = lines[i];
        auto* edit = new QLineEdit(QString::fromStdString(present::formText(shown, line)), this);
        edit->setObjectName(QString::fromStdString(present::formKey(line)));
        connect(edit, &QLineEdit::textChanged, this, &ReadingsDialog::showGiven);
        edits[i] = edit;
        auto* label = new QLabel(report::qstring(present::formLabel(line, report::qtLanguage())), this);
        label->setBuddy(edit);
        if (line.part == present::FormLine::Part::uncertainty && line.index == 0) {
            auto* heading = new QLabel(report::qstring(present::uncertaintyHeading(report::qtLanguage())), this);
            heading->setWordWrap(true);
            formLayout->addRow(heading);
        }
        if (!present::isMeter(line)) {
            formLayout->addRow(label, edit);
            continue;
        }
        // A meter's reading beside its unit.
        const std::size_t meter = line.index - std::size_t(present::ReadingField::airMeter);
        auto* unit = new QComboBox(this);
        unit->setObjectName(edit->objectName() + QStringLiteral("_unit"));
        for (const series::MeterUnit each : meterUnits) {
            unit->addItem(
                QString::fromUtf8(series::meterUnitName(each).data(), qsizetype(series::meterUnitName(each).size())),
                int(each));
        }
        unit->setCurrentIndex(unit->findData(int(shown.units[meter])));
        connect(unit, &QComboBox::currentIndexChanged, this, &ReadingsDialog::showGiven);
        units[meter] = unit;
        auto* pair = new QHBoxLayout;
        pair->addWidget(edit, 1);
        pair->addWidget(unit);
        formLayout->addRow(label, pair);
    }

    given->setObjectName(QStringLiteral("readingsGive"));
    given->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ReadingsDialog::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("The run's titration and meter readings replace the inputs they give. Empty "
                                    "every field to type the inputs again."),
                                 this));
    layout->addLayout(formLayout);
    layout->addWidget(given);
    layout->addWidget(buttons);
    showGiven();
}

present::ReadingsForm ReadingsDialog::form() const
{
    present::ReadingsForm texts;
    const std::array<present::FormLine, present::formLineCount> lines = present::formLines();
    for (std::size_t i = 0; i < lines.size(); ++i)
        present::formText(texts, lines[i]) = edits[i]->text().toStdString();
    for (std::size_t i = 0; i < units.size(); ++i)
        texts.units[i] = series::MeterUnit(units[i]->currentData().toInt());
    return texts;
}

void ReadingsDialog::showGiven()
{
    const auto& before = model.series().runs[std::size_t(row)].readings;
    const auto read = present::readingsOf(form(), before, report::qtLanguage(), report::numberLocaleOf(QLocale()));
    if (const auto* words = std::get_if<std::string>(&read)) {
        given->setText(report::qstring(*words));
        return;
    }
    const auto& readings = std::get<std::optional<series::Readings>>(read);
    given->setText(readings ? report::qstring(present::givenText(
                       *readings, model.series().flowUnit, report::qtLanguage(), report::numberLocaleOf(QLocale())))
                            : tr("No readings: the run's inputs are typed."));
}

void ReadingsDialog::apply()
{
    const auto& before = model.series().runs[std::size_t(row)].readings;
    const auto read = present::readingsOf(form(), before, report::qtLanguage(), report::numberLocaleOf(QLocale()));
    if (const auto* words = std::get_if<std::string>(&read)) {
        given->setText(report::qstring(*words));
        return;
    }
    if (const auto refused = model.setReadings(row, std::get<std::optional<series::Readings>>(read))) {
        given->setText(*refused);
        return;
    }
    accept();
}
