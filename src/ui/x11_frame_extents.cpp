#include "ui/x11_frame_extents.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QList>
#include <QMargins>
#include <QThread>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace quorvane {

namespace {

// How long a window manager that offers frame estimates may take to give one.
constexpr int answerMilliseconds = 500;

template <typename Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The 32-bit values of a property, empty when the window has none of `type`.
QList<quint32> values(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    const XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, property, type, 0, 1024), nullptr),
        &std::free);
    if (!reply || reply->type != type || reply->format != 32)
        return {};
    const auto *data = static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
    return {data, data + xcb_get_property_value_length(reply.get()) / 4};
}

// Whether a running window manager (one whose check window points at
// itself, not a stale property of one that has gone) offers estimates.
bool managerEstimatesFrames(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t request)
{
    const xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const QList<quint32> manager = values(connection, root, check, XCB_ATOM_WINDOW);
    return manager.size() == 1 && values(connection, manager.front(), check, XCB_ATOM_WINDOW) == manager
        && values(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM).contains(request);
}

// The frame the window manager will put around `window` once it is mapped,
// in X11 pixels, as it estimates it on request.
std::optional<QMargins> estimatedFrame(xcb_connection_t *connection, xcb_window_t window)
{
    const XcbReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr), &std::free);
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (!tree || !managerEstimatesFrames(connection, tree->root, request))
        return std::nullopt;

    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(connection, 0, tree->root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);

    // The answer is a property the window manager sets on the window; the
    // application's event stream belongs to Qt, so the property is read.
    const QDeadlineTimer deadline(answerMilliseconds);
    for (;;) {
        const QList<quint32> frame = values(connection, window, extents, XCB_ATOM_CARDINAL);
        if (frame.size() == 4) // left, right, top, bottom
            return QMargins(static_cast<int>(frame[0]), static_cast<int>(frame[2]), static_cast<int>(frame[1]),
                            static_cast<int>(frame[3]));
        if (deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(1);
    }
}

} // namespace

std::optional<QMargins> x11FrameToCome(QWidget &window)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !connection)
        return std::nullopt;
    const std::optional<QMargins> frame = estimatedFrame(connection, static_cast<xcb_window_t>(window.winId()));
    if (!frame)
        return std::nullopt;
    const qreal ratio = window.devicePixelRatioF();
    return QMargins(qRound(frame->left() / ratio), qRound(frame->top() / ratio), qRound(frame->right() / ratio),
                    qRound(frame->bottom() / ratio));
}

} // namespace quorvane
