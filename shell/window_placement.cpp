#include "shell/window_placement.h"

#include <algorithm>

namespace vel {

ScreenRect FrameRect(const WindowPlacement& p, const FrameMargins& f) {
    return ScreenRect{p.x, p.y, p.width + f.left + f.right, p.height + f.top + f.bottom};
}

WindowPlacement FitMainWindow(const PlacementRequest& r) {
    WindowPlacement p;
    p.width = std::max(r.width, r.contentWidth);
    p.height = r.height;
    const ScreenRect& a = r.available;
    if (a.width <= 0 || a.height <= 0) return p;

    // The largest client area whose frame still fits the available area.
    const int maxWidth = std::max(1, a.width - r.frame.left - r.frame.right);
    const int maxHeight = std::max(1, a.height - r.frame.top - r.frame.bottom);
    p.width = std::clamp(p.width, 1, maxWidth);
    p.height = std::clamp(p.height, 1, maxHeight);

    // Centred; a frame as large as the area starts at its top-left corner.
    const ScreenRect outer = FrameRect(p, r.frame);
    p.x = a.x + std::max(0, (a.width - outer.width) / 2);
    p.y = a.y + std::max(0, (a.height - outer.height) / 2);
    return p;
}

bool PlacementFits(const WindowPlacement& saved, const FrameMargins& frame, const ScreenRect& available) {
    if (saved.width <= 0 || saved.height <= 0) return false;
    if (available.width <= 0 || available.height <= 0) return false;
    return available.contains(FrameRect(saved, frame));
}

}  // namespace vel
