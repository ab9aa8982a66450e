#include "placement.h"

#include <QScreen>
#include <QWidget>

namespace {

QString describe(const QRect& rect)
{
    return QStringLiteral("%1,%2 %3x%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

// Along one axis: the frame's start and length, the screen's, the free area's.
bool placedAlong(int start, int length, int screenStart, int screenLength, int freeStart, int freeLength)
{
    if (length > freeLength)
        return start == freeStart;
    // Twice the centres, so that half pixels stay whole.
    return qAbs((2 * start + length) - (2 * screenStart + screenLength)) <= 2;
}

}  // namespace

bool placedOnScreen(const QWidget& window, QString& where)
{
    const QRect frame = window.frameGeometry();
    const QRect screen = window.screen()->geometry();
    const QRect free = window.screen()->availableGeometry();
    where = QStringLiteral("%1: frame %2 on screen %3, free area %4")
                .arg(window.objectName(), describe(frame), describe(screen), describe(free));
    return placedAlong(frame.x(), frame.width(), screen.x(), screen.width(), free.x(), free.width())
        && placedAlong(frame.y(), frame.height(), screen.y(), screen.height(), free.y(), free.height());
}

bool largerThanFreeArea(const QWidget& window)
{
    const QSize frame = window.frameGeometry().size();
    const QSize free = window.screen()->availableGeometry().size();
    return frame.width() > free.width() || frame.height() > free.height();
}
