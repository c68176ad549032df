#include "ui/frame_centring.h"

#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <optional>

#ifdef Q_OS_LINUX
#include "ui/x11_frame_extents.h"
#endif

namespace quorvane {

namespace {

std::optional<QMargins> frameToCome(QWidget &window)
{
#if defined(Q_OS_WIN)
    // Windows draws the frame from the window's style, and Qt knows its size
    // as soon as the native window exists.
    return window.windowHandle()->frameMargins();
#elif defined(Q_OS_LINUX)
    return x11FrameToCome(window);
#else
    Q_UNUSED(window);
    return std::nullopt;
#endif
}

} // namespace

void centreFrameBeforeMapping(QWidget &window)
{
    if (!window.windowHandle())
        return;
    const std::optional<QMargins> frame = frameToCome(window);
    if (!frame)
        return;
    const QRect area = window.screen()->availableGeometry();
    const QSize outer = window.size().grownBy(*frame);
    const QPoint frameTopLeft
        = area.topLeft() + QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
    window.setGeometry(QRect(frameTopLeft + QPoint(frame->left(), frame->top()), window.size()));
}

} // namespace quorvane
