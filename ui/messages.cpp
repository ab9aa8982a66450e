#include "ui/messages.h"

#include "present/words.h"
#include "report/qtpresent.h"

#include <QApplication>
#include <QGridLayout>
#include <QMainWindow>
#include <QMessageBox>
#include <QSpacerItem>

namespace ui {

namespace {

// Window managers drop a title that does not fit beside the title bar's
// buttons: room for four of them, and a floor for a short title.
constexpr int titleBarButtonsWidth = 4 * 24;
constexpr int smallestBoxWidth = 240;

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

void showBox(QWidget* parent, const present::MessageBox& box)
{
    showBox(parent, report::qstring(box.title), report::qstring(box.text));
}

}  // namespace

QString outcomeName(absorber::Outcome outcome)
{
    return report::qstring(present::outcomeName(report::qtLanguage(), outcome));
}

QString quoted(const QString& text)
{
    return report::qstring(present::quoted(text.toStdString()));
}

void reportInvalidData(QWidget* parent, const QString& title)
{
    showBox(parent, title, outcomeName(absorber::Outcome::invalidData));
}

void reportConversionError(QWidget* parent, const QString& fieldName, const QString& text, ParsedNumber::Kind kind)
{
    const present::NumberFault fault =
        kind == ParsedNumber::Kind::tooLarge ? present::NumberFault::tooLarge : present::NumberFault::notANumber;
    showBox(parent, present::conversionError(report::qtLanguage(), fieldName.toStdString(), text.toStdString(), fault));
}

void reportFault(QWidget* parent, absorber::Outcome fault)
{
    showBox(parent, present::faultBox(report::qtLanguage(), fault));
}

void reportDrawingFault(QWidget* parent, absorber::Outcome fault)
{
    showBox(parent, present::drawingFaultBox(report::qtLanguage(), fault));
}

bool reportOutcome(QWidget* parent, absorber::Outcome outcome, const QString& invalidDataTitle)
{
    const std::optional<present::MessageBox> box =
        present::outcomeBox(report::qtLanguage(), outcome, invalidDataTitle.toStdString());
    if (box)
        showBox(parent, *box);
    return !box;
}

}  // namespace ui
