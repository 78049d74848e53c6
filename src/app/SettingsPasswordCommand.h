// "Show settings password" (32801, Ctrl+Alt+P): the stored setup password, as it is compared (its
// first 8 characters), in a message box. Only a user who may update the setup sees it; anyone else
// gets 61328 and nothing is shown.
#pragma once

#include <cstdint>

namespace varnel {

class CMainFrame;

namespace Commands {
inline constexpr std::uint32_t kShowSettingsPassword = 32801;
}  // namespace Commands

// True when the password was shown.
bool OnShowSettingsPassword(const CMainFrame& frame);

}  // namespace varnel
