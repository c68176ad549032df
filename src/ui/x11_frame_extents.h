#pragma once

#include <QMargins>

#include <optional>

class QWidget;

namespace quorvane {

// The frame the X11 window manager will draw around the top-level `window`,
// created but not yet mapped, in logical pixels; nothing when the window is
// not on X11 or no window manager says how large its frame will be.
std::optional<QMargins> x11FrameToCome(QWidget &window);

} // namespace quorvane
