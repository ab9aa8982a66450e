#include "ui/centring.h"

#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <cstdint>
#include <limits>

// Asking an X11 window manager needs xcb, and a Qt built for X11.
#if QUILLON_HAVE_XCB && QT_CONFIG(xcb)
#define QUILLON_ASKS_WINDOW_MANAGER 1
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string_view>
#endif

namespace ui {

namespace {

std::optional<std::int32_t> toInt32(float value)
{
    // nearbyint rounds ties to even in the default rounding mode.
    const float rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0f && rounded < 2147483648.0f))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

#if QUILLON_ASKS_WINDOW_MANAGER

struct FreeDeleter {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using XcbReply = std::unique_ptr<Reply, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, uint16_t(name.size()), name.data()), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::optional<QMargins> frameExtents(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t extents)
{
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, false, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4 * 4)
        return std::nullopt;
    const auto* sides = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    // Left, right, top, bottom.
    return QMargins(int(sides[0]), int(sides[2]), int(sides[1]), int(sides[3]));
}

// The frame an X11 window manager is going to put around a window not yet
// mapped, in native pixels. Qt learns the frame only once the window is
// mapped and reparented, too late to place it; a window manager that
// supports _NET_REQUEST_FRAME_EXTENTS tells it beforehand. Empty on other
// platforms and without such a window manager.
std::optional<QMargins> announcedFrame(QWidget& window)
{
    // The offscreen platform answers for X11 too, without a connection.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection || QGuiApplication::platformName() != QLatin1String("xcb"))
        return std::nullopt;
    const auto id = xcb_window_t(window.winId());
    const XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr));
    if (!geometry)
        return std::nullopt;
    const xcb_window_t root = geometry->root;

    const xcb_atom_t supported = atom(connection, "_NET_SUPPORTED");
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    const XcbReply<xcb_get_property_reply_t> features(xcb_get_property_reply(
        connection, xcb_get_property(connection, false, root, supported, XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!features || features->format != 32)
        return std::nullopt;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(features.get()));
    const int count = xcb_get_property_value_length(features.get()) / int(sizeof(xcb_atom_t));
    if (std::find(atoms, atoms + count, request) == atoms + count)
        return std::nullopt;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, false, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    // The window manager answers by setting the property. Its notification
    // goes to Qt's event thread, so the property is read until it is there.
    using namespace std::chrono;
    const auto giveUp = steady_clock::now() + milliseconds(500);
    std::optional<QMargins> frame;
    while (!(frame = frameExtents(connection, id, extents)) && steady_clock::now() < giveUp)
        QThread::msleep(2);

    // Working the frame out, the window manager may also tell the window a
    // position of its own making. Qt takes that in now, so that the position
    // set next is the one the window is shown at: a round trip puts every
    // event sent before it into the queue that Qt then handles.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return frame;
}

#endif

// The frame around a window in device-independent pixels, where the window
// system tells it before the window is first shown.
struct Frame {
    QMargins margins;
    // Whether a window is placed by its client area rather than its frame.
    bool placedByClient = false;
};

Frame frameOf(QWidget& window)
{
    // Creating the native window lets the window system tell the frame's
    // size before the window is first shown, where it can.
    window.winId();
#if QUILLON_ASKS_WINDOW_MANAGER
    if (!window.isVisible()) {
        if (const auto frame = announcedFrame(window)) {
            // Qt may or may not have taken this frame in yet; the client
            // area's position means the same either way.
            const qreal ratio = window.devicePixelRatioF();
            const QMargins margins(qRound(frame->left() / ratio), qRound(frame->top() / ratio),
                                   qRound(frame->right() / ratio), qRound(frame->bottom() / ratio));
            return {margins, true};
        }
    }
#endif
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                     outer.bottom() - inner.bottom()),
            false};
}

// Puts a window's frame's top-left corner at the given place.
void placeFrame(QWidget& window, const Frame& frame, QPoint outerTopLeft)
{
    if (frame.placedByClient)
        window.setGeometry(QRect(outerTopLeft + QPoint(frame.margins.left(), frame.margins.top()), window.size()));
    else
        window.move(outerTopLeft);
}

}  // namespace

std::optional<int> centredOffset(float screenTwips, float windowTwips)
{
    const auto screen = toInt32(screenTwips);
    const auto window = toInt32(windowTwips);
    if (!screen || !window)
        return std::nullopt;
    const std::int64_t offset = std::int64_t{*screen / 2} - std::int64_t{*window / 2};
    if (offset < std::numeric_limits<std::int32_t>::min() || offset > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<int>(offset);
}

QPoint insideArea(QPoint position, QSize outer, const QRect& available)
{
    const auto along = [](int start, int length, int freeStart, int freeLength) {
        if (length > freeLength)
            return freeStart;
        return qBound(freeStart, start, freeStart + freeLength - length);
    };
    return {along(position.x(), outer.width(), available.left(), available.width()),
            along(position.y(), outer.height(), available.top(), available.height())};
}

QSize fittedSize(QSize size, QSize minimum, const QMargins& frame, QSize available)
{
    return size.boundedTo(available.shrunkBy(frame)).expandedTo(minimum);
}

QPoint centredOver(const QRect& other, QSize outer, const QRect& available)
{
    return insideArea(other.center() - QPoint(outer.width() / 2, outer.height() / 2), outer, available);
}

bool centreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return true;
    const QRect area = screen->geometry();
    const Frame frame = frameOf(window);
    window.resize(fittedSize(window.size(), window.minimumSize(), frame.margins, screen->availableGeometry().size()));
    const QSize outer = window.size().grownBy(frame.margins);
    const auto left = centredOffset(float(area.width() * twips::perPixel), float(outer.width() * twips::perPixel));
    const auto top = centredOffset(float(area.height() * twips::perPixel), float(outer.height() * twips::perPixel));
    if (!left || !top)
        return false;
    // The position is set in twips as a single; the window takes whole pixels.
    const QPointF position = twips::point(float(*left), float(*top));
    const QPoint outerTopLeft = insideArea(area.topLeft() + position.toPoint(), outer, screen->availableGeometry());
    placeFrame(window, frame, outerTopLeft);
    return true;
}

void centreOver(QWidget& window, const QWidget& other)
{
    const QRect over = other.frameGeometry();
    const Frame frame = frameOf(window);
    // The screen the other window's centre is on, not where Qt first made it.
    const QScreen* screen = QGuiApplication::screenAt(over.center());
    if (!screen)
        screen = other.screen();
    if (!screen) {
        const QSize outer = window.size().grownBy(frame.margins);
        placeFrame(window, frame, over.center() - QPoint(outer.width() / 2, outer.height() / 2));
        return;
    }
    const QRect available = screen->availableGeometry();
    window.resize(fittedSize(window.size(), window.minimumSize(), frame.margins, available.size()));
    placeFrame(window, frame, centredOver(over, window.size().grownBy(frame.margins), available));
}

}  // namespace ui
