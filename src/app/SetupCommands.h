// The main frame's small settings commands (Host Interface, e-Mail Settings), the settings list
// commands around their editors, and the rule that enables the setup commands. Each small command runs
// its dialog through a caller's function on a copy of the settings and stores the copy back only when
// the dialog ends with OK.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace varnel {

class CEMailSettings;
struct CGeneralSetup;
class CMainFrame;
class CUserSetupList;
class DefLineFontsForm;
class HostInterfaceForm;

namespace Commands {
inline constexpr std::uint32_t kOptions = 32802;
inline constexpr std::uint32_t kDefaultFonts = 32857;
inline constexpr std::uint32_t kHostInterface = 32906;
inline constexpr std::uint32_t kEMailSettings = 32963;
inline constexpr std::uint32_t kOperators = 32870;
inline constexpr std::uint32_t kPriceZones = 32888;
inline constexpr std::uint32_t kDepartments = 32872;
inline constexpr std::uint32_t kUsers = 32871;
inline constexpr std::uint32_t kUserProfiles = 32856;
inline constexpr std::uint32_t kDeptCodes = 32930;
}  // namespace Commands

// The commands enabled only while the current user may view the setup (table 1): the field sets, the
// PLU range profile, the setup list and the host interface.
inline constexpr std::uint32_t kSetupCommands[] = {32803, 32846, 32914, 32783, 32847,
                                                   32884, 32885, 32906, 32980, 32943};
// Nobody logged in may do everything.
bool MayViewSetup(const CUserSetupList* users);

// `enterPassword` gets the stored setup password and answers whether it was entered.
using EnterSetupPassword = std::function<bool(const std::string& password)>;
// True when the setup password is off, or on and entered.
bool PassSetupPassword(const CGeneralSetup& setup, const EnterSetupPassword& enterPassword);

// What a settings list command does around its editor.
struct SettingsListSteps {
    bool passwordGuarded = false;  // the setup password is asked first
    bool siteSetup = false;        // saves "SITESETUP.DEF", else "GENSETUP.DEF"
    bool savedAnyway = false;      // saved however the editor ended
    bool recalcFlags = false;      // the derived setup flags follow the change
};
// The password (when guarded), then `runEditor` (true when it ended with OK), then the setup file saved
// and the flags recomputed. Answers whether the editor ended with OK; a refused password changes
// nothing and opens no editor.
bool RunSettingsListCommand(CMainFrame& frame, const SettingsListSteps& steps, const EnterSetupPassword& enterPassword,
                            const std::function<bool()>& runEditor);
// "Department Codes" is offered while the department and group names do not come from the scales.
bool MayEditDeptCodes(const CMainFrame& frame);

// `runDialog` answers whether the dialog ended with OK. The host interface is stored only when the
// user may update the setup (61328 otherwise); the answer is whether anything was stored.
bool EditHostInterface(CMainFrame& frame, const std::function<bool(HostInterfaceForm&)>& runDialog);
bool EditEMailSettings(CMainFrame& frame, const std::function<bool(CEMailSettings&)>& runDialog);
// "Default Fonts": the five line font sets, stored after OK when the user may update the setup (61328
// otherwise) and saved with the general setup.
bool EditDefaultLineFonts(CMainFrame& frame, const std::function<bool(DefLineFontsForm&)>& runDialog);

}  // namespace varnel
