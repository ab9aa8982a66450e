#include "ui/Form3.h"

#include "ui/Module1.h"
#include "ui/application.h"
#include "ui/centring.h"
#include "ui/messages.h"
#include "ui/twips.h"

#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResource>
#include <QTimer>

#include <cstdint>
#include <cstring>

namespace {

constexpr int clientWidth = 7695;
constexpr int clientHeight = 7620;

// The tick after the one that brings the count to this closes the window.
constexpr double lastOpenTick = 100.0;

// The picture as the build stored it (quillon-rawpicture): its size, then
// its rows, shown where they lie in the program rather than decoded from a
// PNG, so that the splash is up as soon as Qt is.
QImage storedPicture()
{
    const QResource stored(QStringLiteral(":/splash.rgb32"));
    std::uint32_t size[2] = {0, 0};
    if (stored.isValid() && stored.compressionAlgorithm() == QResource::NoCompression
        && stored.size() >= qint64(sizeof size))
        std::memcpy(size, stored.data(), sizeof size);
    const qint64 rowBytes = qint64(size[0]) * 4;
    if (size[0] == 0 || size[1] == 0 || stored.size() != qint64(sizeof size) + rowBytes * size[1])
        return QImage(QStringLiteral(":/assets/splash.png"));
    const uchar* rows = stored.data() + sizeof size;
    const QImage shown(rows, int(size[0]), int(size[1]), rowBytes, QImage::Format_RGB32);
    // QImage reads 32-bit pixels, which must be aligned.
    return reinterpret_cast<std::uintptr_t>(rows) % alignof(std::uint32_t) == 0 ? shown : shown.copy();
}

}  // namespace

Form3::Form3(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , picture(storedPicture())
    , Timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Form3"));
    setFixedSize(ui::twips::rect(0, 0, clientWidth, clientHeight).size());
    // Nothing here takes the focus, so key presses come to the window itself.
    setFocusPolicy(Qt::NoFocus);

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(tickInterval);
    // The window lives for a count of ticks; a precise timer keeps that count
    // close to the time it is meant to stand for.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &Form3::Timer1_Timer);
    ui::useLayoutFont(*this);
}

void Form3::Form_Load()
{
    if (!ui::centreOnScreen(*this))
        ui::reportFault(this, absorber::Outcome::overflow);
    Timer1->start();
}

void Form3::Timer1_Timer()
{
    // Adding 1 to a double raises no overflow or invalid operation for any
    // value, so this step cannot fault.
    Module1::splashTicks = Module1::splashTicks + 1.0;
    if (Module1::splashTicks > lastOpenTick) {
        Module1::splashTicks = 0.0;
        unload();
    }
}

void Form3::Form_Click()
{
    unload();
}

void Form3::Form_KeyPress()
{
    unload();
}

void Form3::done(int result)
{
    Timer1->stop();
    QDialog::done(result);
}

void Form3::unload()
{
    accept();
}

void Form3::paintEvent(QPaintEvent*)
{
    // At its natural size from the top-left corner: the window is smaller
    // than the picture, which is cut off at the right and the bottom.
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
    if (!paintedOnce) {
        paintedOnce = true;
        emit painted();
    }
}

void Form3::mousePressEvent(QMouseEvent* event)
{
    pressedInside = rect().contains(event->position().toPoint());
}

void Form3::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release both inside the window: a press
    // alone, or a drag that ends outside, leaves it open.
    const bool click = pressedInside && rect().contains(event->position().toPoint());
    pressedInside = false;
    if (click)
        Form_Click();
}

void Form3::keyPressEvent(QKeyEvent* event)
{
    // Replaces QDialog's own Enter and Escape handling: every character key
    // unloads the window the same way, and no other key does. X11 gives
    // Delete the text DEL, but it is an editing key, not a character.
    if (event->text().isEmpty() || event->text() == QStringLiteral("\x7f")) {
        event->ignore();
        return;
    }
    Form_KeyPress();
}
