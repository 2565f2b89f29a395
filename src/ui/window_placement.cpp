#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <string_view>

#include <xcb/xcb.h>

namespace velorine::ui {

namespace {

// Window managers answer within a few milliseconds; one that never does must not hold the window.
constexpr int kAnswerChecks = 25;
constexpr unsigned long kAnswerPauseMs = 4;

template <class Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t atomNamed(xcb_connection_t* connection, std::string_view name) {
    const ReplyPointer<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data()), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

bool managerSupports(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t feature) {
    const xcb_atom_t supported = atomNamed(connection, "_NET_SUPPORTED");
    const ReplyPointer<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, root, supported, XCB_ATOM_ATOM, 0, 4096),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 32) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, feature) != atoms + count;
}

// _NET_FRAME_EXTENTS: left, right, top, bottom.
std::optional<std::array<uint32_t, 4>> frameExtentsOf(xcb_connection_t* connection, xcb_window_t window,
                                                      xcb_atom_t extents) {
    const ReplyPointer<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) return std::nullopt;
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return std::array<uint32_t, 4>{values[0], values[1], values[2], values[3]};
}

std::optional<std::array<uint32_t, 4>> askManager(xcb_connection_t* connection, xcb_window_t window) {
    const ReplyPointer<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr), &std::free);
    if (!geometry) return std::nullopt;
    const xcb_atom_t extents = atomNamed(connection, "_NET_FRAME_EXTENTS");
    if (auto known = frameExtentsOf(connection, window, extents)) return known;
    const xcb_atom_t request = atomNamed(connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || !managerSupports(connection, geometry->root, request)) return std::nullopt;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(connection, 0, geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    for (int check = 0; check < kAnswerChecks; ++check) {
        if (auto answered = frameExtentsOf(connection, window, extents)) return answered;
        QThread::msleep(kAnswerPauseMs);
    }
    return std::nullopt;
}

QMargins drawnFrame(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

}  // namespace

QMargins frameMarginsOf(QWidget& window) {
    if (const QMargins drawn = drawnFrame(window); !drawn.isNull()) return drawn;
    // The offscreen platform answers for X11 too, without a connection.
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window.isWindow()) return {};
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return {};
    const auto extents = askManager(connection, static_cast<xcb_window_t>(window.winId()));
    if (!extents) return {};
    // The manager counts device pixels, the window logical ones.
    const qreal ratio = window.devicePixelRatioF();
    const auto logical = [ratio](uint32_t pixels) { return static_cast<int>(std::lround(pixels / ratio)); };
    return {logical((*extents)[0]), logical((*extents)[2]), logical((*extents)[1]), logical((*extents)[3])};
}

namespace {

// Placed by its inside, which Qt keeps where it is asked whether the frame is known yet or not.
void centreIn(QWidget& window, const QRect& outer) {
    window.setGeometry(centredClientArea(outer, window.size(), frameMarginsOf(window)));
}

}  // namespace

QPoint centredTopLeft(const QRect& outer, const QSize& inner) {
    return {outer.left() + (outer.width() - inner.width()) / 2, outer.top() + (outer.height() - inner.height()) / 2};
}

QRect centredClientArea(const QRect& outer, const QSize& client, const QMargins& frame) {
    const QPoint frameTopLeft = centredTopLeft(outer, client.grownBy(frame));
    return {frameTopLeft + QPoint(frame.left(), frame.top()), client};
}

void centreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen()) centreIn(window, screen->geometry());
}

void centreOver(QWidget& dialog, QWidget& owner) {
    centreIn(dialog, owner.geometry().marginsAdded(frameMarginsOf(owner)));
}

}  // namespace velorine::ui
