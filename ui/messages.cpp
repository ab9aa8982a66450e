#include "ui/messages.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGridLayout>
#include <QMainWindow>
#include <QMessageBox>
#include <QSpacerItem>

namespace ui {

namespace {

struct Messages {
    Q_DECLARE_TR_FUNCTIONS(Messages)
};

// Window managers drop a title that does not fit beside the title bar's
// buttons: room for four of them, and a floor for a short title.
constexpr int titleBarButtonsWidth = 4 * 24;
constexpr int smallestBoxWidth = 240;

constexpr qsizetype longestQuote = 40;

int boxWidthFor(const QString& title)
{
    // Message boxes measure their title in the font of a title bar.
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    return qMax(smallestBoxWidth, metrics.horizontalAdvance(title) + titleBarButtonsWidth);
}

// The active window, or else the main window on the screen.
QWidget* windowInView()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && qobject_cast<QMainWindow*>(window))
            return window;
    }
    return nullptr;
}

void showBox(QWidget* parent, const QString& title, const QString& text)
{
    // A window still loading is not on the screen yet: its box goes over
    // the window the user is looking at, rather than a corner of the screen.
    if (parent && !parent->isVisible()) {
        if (QWidget* shown = windowInView())
            parent = shown;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    // What a user typed is shown as typed, never read as markup.
    box.setTextFormat(Qt::PlainText);
    // The box sets its own fixed size from its layout when shown, so the
    // least width goes into the layout, across every column.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(boxWidthFor(title), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

QString faultName(absorber::Outcome fault)
{
    const QString name = outcomeName(fault);
    return name.isEmpty() || fault == absorber::Outcome::invalidData ? Messages::tr("Arithmetic fault") : name;
}

}  // namespace

QString outcomeName(absorber::Outcome outcome)
{
    switch (outcome) {
    case absorber::Outcome::completed:
        break;
    case absorber::Outcome::invalidData:
        return Messages::tr("Invalid Data");
    case absorber::Outcome::divisionByZero:
        return Messages::tr("Division by zero");
    case absorber::Outcome::overflow:
        return Messages::tr("Overflow");
    case absorber::Outcome::invalidOperation:
        return Messages::tr("Invalid operation");
    }
    return {};
}

QString quoted(const QString& text)
{
    if (text.size() <= longestQuote)
        return text;
    // Never half a character: a surrogate pair is kept whole or left out.
    const qsizetype cut = text.at(longestQuote - 1).isHighSurrogate() ? longestQuote - 1 : longestQuote;
    return text.left(cut) + QChar(0x2026);
}

void reportInvalidData(QWidget* parent, const QString& title)
{
    showBox(parent, title, outcomeName(absorber::Outcome::invalidData));
}

void reportConversionError(QWidget* parent, const QString& fieldName, const QString& text, ParsedNumber::Kind kind)
{
    if (text.trimmed().isEmpty()) {
        showBox(parent, Messages::tr("Not a number"), Messages::tr("%1 is empty. Type a number.").arg(fieldName));
    } else if (kind == ParsedNumber::Kind::tooLarge) {
        showBox(parent, Messages::tr("Number too large"),
                Messages::tr("%1 holds \"%2\", which is too large a number.").arg(fieldName, quoted(text)));
    } else {
        showBox(parent, Messages::tr("Not a number"),
                Messages::tr("%1 holds \"%2\", which is not a number.").arg(fieldName, quoted(text)));
    }
}

void reportFault(QWidget* parent, absorber::Outcome fault)
{
    showBox(parent, faultName(fault),
            Messages::tr("%1. The calculation was stopped at that step.").arg(faultName(fault)));
}

void reportDrawingFault(QWidget* parent, absorber::Outcome fault)
{
    showBox(parent, faultName(fault),
            Messages::tr("%1. Drawing stopped there; the chart shows what was drawn before.").arg(faultName(fault)));
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

}  // namespace ui
