#pragma once
// Where the main window opens and how large: the program's own size where the
// screen allows, wider when the channel table needs it, never larger than the
// screen's available area, and the user's last placement when it still fits.
// Plain integers in pixels, so the rule is tested without a window system.

namespace vel {

/// A rectangle in screen pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }     ///< one past the last column
    int bottom() const { return y + height; }   ///< one past the last row
    bool contains(const ScreenRect& other) const {
        return other.x >= x && other.y >= y && other.right() <= right() && other.bottom() <= bottom();
    }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

/// What the window system adds around a window's client area: the title bar
/// (top) and the borders.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

/// Frame margins assumed before the window system has told the real ones: a
/// title bar and thin borders as common desktops draw them.
inline constexpr FrameMargins kAssumedFrameMargins{8, 32, 8, 8};

/// A main window's placement: (x, y) is the top-left corner of its frame (the
/// title bar's corner), width and height are the client area's size, menu,
/// toolbar, form and status bar included.
struct WindowPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

/// The outer rectangle (frame included) of a placement.
ScreenRect FrameRect(const WindowPlacement& placement, const FrameMargins& frame);

/// The inputs of the start-up placement.
struct PlacementRequest {
    int width = 0;          ///< the program's window width (client area)
    int height = 0;         ///< the program's window height (client area)
    int contentWidth = 0;   ///< client width at which every column of the table shows; 0: none
    FrameMargins frame;     ///< title bar and borders
    ScreenRect available;   ///< the screen without its panels and task bars
};

/// The start-up placement: width = the larger of the program's width and the
/// table's width, height = the program's height, each cut to what the
/// available area leaves after the frame; the frame is centred on the
/// available area and never starts above or left of it, so the title bar,
/// the menu and the status bar are on the screen. An empty available area
/// gives the unclamped size at (0, 0).
WindowPlacement FitMainWindow(const PlacementRequest& request);

/// True when a remembered placement may be restored on the screen whose
/// available area is `available`: its client area is not empty and its whole
/// frame lies inside the available area.
bool PlacementFits(const WindowPlacement& saved, const FrameMargins& frame, const ScreenRect& available);

}  // namespace vel
