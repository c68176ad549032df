#pragma once

class QWidget;

namespace quorvane {

// Places the top-level `window`, created but not yet mapped, so that the
// frame the X11 window manager will draw around it is centred on the
// screen's available area. Leaves the window where it is when it is not on
// X11 or no window manager says how large its frame will be.
void centreFrameBeforeMapping(QWidget &window);

} // namespace quorvane
