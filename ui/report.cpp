#include "ui/report.h"

#include <QMessageBox>

namespace {

void showBox(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString faultName(absorber::Outcome fault)
{
    switch (fault) {
    case absorber::Outcome::divisionByZero:
        return QStringLiteral("Division by zero");
    case absorber::Outcome::overflow:
        return QStringLiteral("Overflow");
    case absorber::Outcome::invalidOperation:
        return QStringLiteral("Invalid operation");
    case absorber::Outcome::completed:
    case absorber::Outcome::invalidData:
        break;
    }
    return QStringLiteral("Arithmetic fault");
}

}  // namespace

void reportInvalidData(QWidget* parent, const QString& title)
{
    showBox(parent, title, QStringLiteral("Invalid Data"));
}

void reportConversionError(QWidget* parent, const QString& fieldName, const QString& text)
{
    const QString message = text.trimmed().isEmpty()
        ? QStringLiteral("%1 is empty. Type a number.").arg(fieldName)
        : QStringLiteral("%1 holds \"%2\", which is not a number.").arg(fieldName, text);
    showBox(parent, QStringLiteral("Not a number"), message);
}

void reportFault(QWidget* parent, absorber::Outcome fault)
{
    showBox(parent, faultName(fault),
            QStringLiteral("%1. The calculation was stopped at that step.").arg(faultName(fault)));
}

bool reportOutcome(QWidget* parent, absorber::Outcome outcome, const QString& invalidDataTitle)
{
    switch (outcome) {
    case absorber::Outcome::completed:
        return true;
    case absorber::Outcome::invalidData:
        reportInvalidData(parent, invalidDataTitle);
        return false;
    case absorber::Outcome::invalidOperation:
    case absorber::Outcome::divisionByZero:
    case absorber::Outcome::overflow:
        reportFault(parent, outcome);
        return false;
    }
    return false;
}
