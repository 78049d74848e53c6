// The menus as the site and the user see them: the commands the configured scales, the market, the
// setup's switches and the current user do not use are taken out, a popup left without items goes
// and no separator begins, ends or doubles a popup. Run each time a menu is about to open, so a change
// of setup or user shows at the next opening.
#pragma once

#include "app/MenuCommands.h"
#include "app/MenuState.h"

#include <cstdint>
#include <set>

namespace varnel {

// The command numbers the state takes out of every menu of the frame.
std::set<std::uint32_t> PrunedCommands(const MenuState& state);

// The menu without those numbers (a window's own commands stay), emptied popups and stray separators.
MenuNode PruneMenu(const MenuNode& menu, const std::set<std::uint32_t>& pruned);

// The state's window's menu bar, pruned, with the labels the setup chooses; File offers recent files
// when there are any.
MenuNode MenuBarFor(const MenuState& state);

}  // namespace varnel
