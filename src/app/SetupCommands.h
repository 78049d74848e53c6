// The main frame's small settings commands (Host Interface, e-Mail Settings) and the rule that
// enables the setup commands. Each command runs its dialog through a caller's function on a copy of
// the settings and stores the copy back only when the dialog ends with OK.
#pragma once

#include <cstdint>
#include <functional>

namespace varnel {

class CEMailSettings;
class CMainFrame;
class CUserSetupList;
class DefLineFontsForm;
class HostInterfaceForm;

namespace Commands {
inline constexpr std::uint32_t kOptions = 32802;
inline constexpr std::uint32_t kDefaultFonts = 32857;
inline constexpr std::uint32_t kHostInterface = 32906;
inline constexpr std::uint32_t kEMailSettings = 32963;
}  // namespace Commands

// The commands enabled only while the current user may view the setup (table 1): the field sets, the
// PLU range profile, the setup list and the host interface.
inline constexpr std::uint32_t kSetupCommands[] = {32803, 32846, 32914, 32783, 32847,
                                                   32884, 32885, 32906, 32980, 32943};
// Nobody logged in may do everything.
bool MayViewSetup(const CUserSetupList* users);

// `runDialog` answers whether the dialog ended with OK. The host interface is stored only when the
// user may update the setup (61328 otherwise); the answer is whether anything was stored.
bool EditHostInterface(CMainFrame& frame, const std::function<bool(HostInterfaceForm&)>& runDialog);
bool EditEMailSettings(CMainFrame& frame, const std::function<bool(CEMailSettings&)>& runDialog);
// "Default Fonts": the five line font sets, stored after OK when the user may update the setup (61328
// otherwise) and saved with the general setup.
bool EditDefaultLineFonts(CMainFrame& frame, const std::function<bool(DefLineFontsForm&)>& runDialog);

}  // namespace varnel
