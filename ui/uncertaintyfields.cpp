#include "ui/uncertaintyfields.h"

#include "present/words.h"
#include "report/qtpresent.h"
#include "ui/numbertext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace {

using Member = std::optional<double> series::Uncertainties::*;

constexpr std::array<Member, 5> members{&series::Uncertainties::gasFlowRel, &series::Uncertainties::waterFlowRel,
                                        &series::Uncertainties::y1, &series::Uncertainties::x1,
                                        &series::Uncertainties::packingHeight};

QString text(const std::optional<double>& value)
{
    return value ? ui::numberText(*value) : QString();
}

}  // namespace

UncertaintyFields::UncertaintyFields(QWidget* parent)
    : QWidget(parent)
{
    const std::array<QString, 5> labels{tr("&Gas flow (rel.)"), tr("&Water flow (rel.)"), tr("y&1"), tr("&x1"),
                                        tr("&Height (m)")};
    const std::array<const char*, 5> names{"uncertaintyGasFlow", "uncertaintyWaterFlow", "uncertaintyY1",
                                           "uncertaintyX1", "uncertaintyHeight"};
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        fields[i] = new QLineEdit(this);
        fields[i]->setObjectName(QString::fromLatin1(names[i]));
        fields[i]->setMaximumWidth(fields[i]->fontMetrics().horizontalAdvance(u'0') * 10 + 12);
        auto* label = new QLabel(labels[i], this);
        label->setBuddy(fields[i]);
        row->addWidget(label);
        row->addWidget(fields[i]);
        connect(fields[i], &QLineEdit::editingFinished, this, [this, i] {
            if (fields[i]->isModified()) {
                fields[i]->setModified(false);
                emit edited();
            }
        });
    }
    fields[0]->setToolTip(tr("Standard uncertainty of the gas flow, relative: %1 for 2 %").arg(ui::numberText(0.02)));
    fields[1]->setToolTip(tr("Standard uncertainty of the water flow, relative: %1 for 2 %").arg(ui::numberText(0.02)));
    row->addStretch();
}

void UncertaintyFields::setValues(const series::Uncertainties& values)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        // Only what differs, so that a field being typed in keeps its cursor.
        if (const QString shown = text(values.*members[i]); fields[i]->text() != shown)
            fields[i]->setText(shown);
    }
}

void UncertaintyFields::setFallbacks(const series::Uncertainties& fallbacks)
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i]->setPlaceholderText(text(fallbacks.*members[i]));
}

std::optional<series::Uncertainties> UncertaintyFields::values()
{
    series::Uncertainties read;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString typed = fields[i]->text().trimmed();
        if (typed.isEmpty())
            continue;
        const ui::ParsedNumber number = ui::parseNumber(typed);
        if (const auto refusal =
                present::uncertaintyRefusal(report::qtLanguage(), typed.toStdString(), number && *number >= 0.0)) {
            QMessageBox box(QMessageBox::Warning, report::qstring(refusal->title), report::qstring(refusal->text),
                            QMessageBox::Ok, this);
            box.setTextFormat(Qt::PlainText);
            box.exec();
            fields[i]->setFocus();
            return std::nullopt;
        }
        read.*members[i] = *number;
    }
    return read;
}
