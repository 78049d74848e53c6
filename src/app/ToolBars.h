// Which tool bar a window carries and its buttons, by command number (0 stands for a separator).
// The buttons' captions are their tool tips; the commands' handlers and update rules come from the
// command table.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace varnel {

struct ToolButton {
    std::uint32_t command = 0;  // 0: a separator
    std::string_view caption;
};

// The main window's tool bar (normal mode only), by whether departments exist, whether the scale
// exception log is on and the screen's width: 238, 248, 251, 239 or 247.
int ChooseMainToolBar(bool departmentsExist, bool exceptionLogOn, int screenWidth);

// The PLU list window's tool bar, by the nutrition the market and setup use and whether PLUs may be
// marked active: 250 (Australian/New Zealand nutrition), 244, 245, 246 or 243. The window has none on a
// screen narrower than 641 pixels.
enum class NutritionUse { None, Editable, AustraliaNewZealand };
int ChoosePluListToolBar(NutritionUse nutrition, bool markActive);
bool PluListHasToolBar(int screenWidth);

// The buttons of tool bar `resource`; empty for a number that is none of the above.
std::span<const ToolButton> ToolBarButtons(int resource);

}  // namespace varnel
