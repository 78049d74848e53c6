// The main window's placement, kept in the profile's "Window size" section: "Rect" is the normal
// rectangle as "%04d %04d %04d %04d" (left, top, right, bottom), read back at the fixed character
// positions 0, 5, 10 and 15; "icon" and "max" the minimised and maximised states; "tool" and "status"
// whether the bars show; "SearchRect" the PLU list window's size as "%04d %04d".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnel {

class CProfile;

struct PlacementRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PlacementRect&) const = default;
};

// The window's first rectangle when the profile holds none.
inline constexpr PlacementRect kDefaultWindowRect{10, 10, 500, 400};

enum class ShowCommand { Normal = 1, Maximized = 3, MinimizedNoActivate = 7 };
enum class WindowState { Normal, Maximized, Minimized };

struct RestoredPlacement {
    PlacementRect normal;
    ShowCommand show = ShowCommand::Normal;
    bool restoreToMaximized = false;  // a minimised window comes back maximised
    bool toolBarVisible = true;
    bool statusBarVisible = true;
};

struct ClosingPlacement {
    PlacementRect normal;
    WindowState state = WindowState::Normal;
    bool restoreToMaximized = false;
    std::optional<bool> toolBarVisible;  // none when the window has no such bar
    std::optional<bool> statusBarVisible;
    int searchWidth = 0;  // the PLU list window's last size
    int searchHeight = 0;
};

// Coordinates are kept within -999 to 9999, so that each stays four characters wide and the fixed
// positions read it back.
std::string FormatPlacementRect(const PlacementRect& rect);
PlacementRect ParsePlacementRect(std::string_view text);

// `startMinimised`: scheduler mode with the start-minimised switch.
RestoredPlacement RestoreWindowPlacement(const CProfile& profile, bool startMinimised);
void SaveWindowPlacement(CProfile& profile, const ClosingPlacement& placement);

// The PLU list window's saved size; none when never saved.
std::optional<std::pair<int, int>> ReadSearchWindowSize(const CProfile& profile);

}  // namespace varnel
