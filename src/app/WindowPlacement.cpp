// Reading and writing the main window's placement in the profile.
#include "app/WindowPlacement.h"

#include "platform/Profile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace varnel {
namespace {

constexpr std::string_view kSection = "Window size";

int FitField(int value)
{
    return std::clamp(value, -999, 9999);
}

// The number at `position`, by its leading digits (and sign), as the Windows design's reader took it.
int NumberAt(std::string_view text, std::size_t position)
{
    if (position >= text.size()) return 0;
    const std::string field(text.substr(position, 5));
    return std::atoi(field.c_str());
}

}  // namespace

std::string FormatPlacementRect(const PlacementRect& rect)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d %04d %04d %04d", FitField(rect.left), FitField(rect.top),
                  FitField(rect.right), FitField(rect.bottom));
    return text;
}

PlacementRect ParsePlacementRect(std::string_view text)
{
    return {NumberAt(text, 0), NumberAt(text, 5), NumberAt(text, 10), NumberAt(text, 15)};
}

RestoredPlacement RestoreWindowPlacement(const CProfile& profile, bool startMinimised)
{
    RestoredPlacement placement;
    const std::string rect = profile.GetProfileString(kSection, "Rect");
    bool icon = profile.GetProfileInt(kSection, "icon", 0) != 0;
    bool max = profile.GetProfileInt(kSection, "max", 0) != 0;
    if (rect.empty()) {
        placement.normal = kDefaultWindowRect;
        max = true;
        icon = false;
    } else {
        placement.normal = ParsePlacementRect(rect);
    }
    if (startMinimised || icon) {
        placement.show = ShowCommand::MinimizedNoActivate;
        placement.restoreToMaximized = max;
    } else if (max) {
        placement.show = ShowCommand::Maximized;
        placement.restoreToMaximized = true;
    }
    placement.toolBarVisible = profile.GetProfileInt(kSection, "tool", 1) != 0;
    placement.statusBarVisible = profile.GetProfileInt(kSection, "status", 1) != 0;
    return placement;
}

void SaveWindowPlacement(CProfile& profile, const ClosingPlacement& placement)
{
    const bool icon = placement.state == WindowState::Minimized;
    const bool max = placement.state == WindowState::Maximized || (icon && placement.restoreToMaximized);
    profile.WriteProfileString(kSection, "Rect", FormatPlacementRect(placement.normal));
    profile.WriteProfileInt(kSection, "icon", icon ? 1 : 0);
    profile.WriteProfileInt(kSection, "max", max ? 1 : 0);
    char size[16];
    std::snprintf(size, sizeof size, "%04d %04d", FitField(placement.searchWidth), FitField(placement.searchHeight));
    profile.WriteProfileString(kSection, "SearchRect", size);
    if (placement.toolBarVisible) profile.WriteProfileInt(kSection, "tool", *placement.toolBarVisible ? 1 : 0);
    if (placement.statusBarVisible) profile.WriteProfileInt(kSection, "status", *placement.statusBarVisible ? 1 : 0);
}

std::optional<std::pair<int, int>> ReadSearchWindowSize(const CProfile& profile)
{
    const std::string text = profile.GetProfileString(kSection, "SearchRect");
    if (text.empty()) return std::nullopt;
    return std::pair{NumberAt(text, 0), NumberAt(text, 5)};
}

}  // namespace varnel
