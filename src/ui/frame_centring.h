#pragma once

class QWidget;

namespace quorvane {

// Places the top-level `window`, created but not yet mapped, so that the
// frame it will get is centred on the screen's available area. Leaves the
// window where it is when the size of that frame cannot be known.
void centreFrameBeforeMapping(QWidget &window);

} // namespace quorvane
