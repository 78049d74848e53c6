// Everything the menus' update rules and pruning read, as one plain value: the window whose menu shows,
// the run mode, the current user's rights, the derived setup flags and the general setup's switches,
// and the open document's state. MenuStateOf (MenuStateSource.h) takes it from the frame and document.
#pragma once

#include "app/SetupFlags.h"
#include "settings/UserSetup.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>

namespace varnel {

// The window whose menu bar shows, by its menu resource.
enum class MenuWindow : std::uint16_t {
    NoDocument = 128,
    PluList = 129,
    Scheduler = 130,
    Report = 155,
    PluEditor = 156,
    Keyboard = 157,
};

// The current user's rights; default-constructed it is nobody logged in, who may do everything.
struct MenuRights {
    bool loggedIn = false;
    std::bitset<kUserRights> rights;                // the right switches of UserRight
    std::array<std::uint8_t, kPermissionTables> tables{};  // TableAccess bits by table number
    bool saleRestricted = false;

    bool Allows(UserRight right) const { return !loggedIn || rights[right]; }
    bool CanChangeDatabase() const { return !loggedIn || !rights[RightTiedToDatabase]; }
    bool IsRestrictedAccess() const { return loggedIn && rights[RightRestrictedAccess]; }
    bool HasTableAccess(std::size_t table, std::uint8_t mask) const
    {
        return !loggedIn || (table < kPermissionTables && (tables[table] & mask) == mask);
    }
};

// The general setup's switches the menus read.
struct MenuSwitches {
    bool hideDataSave = false;
    bool deptGroupTables = false;     // departments and groups kept in their own tables (rule S-DG)
    bool scaleStatusLog = false;      // the event log's scale status log
    bool kauriAucklandHost = false;
    bool totaraHost = false;
    bool conversion = false;          // fonts and ingredients conversion offered
    bool otherMakerSends = false;     // sending to the outside maker's scales
    bool withholdPluDeletion = false;
    bool pluActiveInactive = false;
    bool keepProductionAfterLoad = false;
};

// What each "in use" flag of the menus stands for, by its derived flag number. The data kinds share the
// Communication Center's numbers (kKindFlags); the rest follow the families that set each flag.
namespace MenuFlag {
inline constexpr std::size_t kStandardNutrition = SetupFlagStandardNutrition;
inline constexpr std::size_t kSecondNutrition = SetupFlagCustomNutrition;
inline constexpr std::size_t kAdvertising = 3;
inline constexpr std::size_t kMarkdown = 4;
inline constexpr std::size_t kExtraMessageReports = 5;
inline constexpr std::size_t kExtraMessages = 6;
inline constexpr std::size_t kExtraMessages2 = 7;
inline constexpr std::size_t kExtraMessages3 = 8;
inline constexpr std::size_t kCoupons = 9;
inline constexpr std::size_t kPopMessages = 11;
inline constexpr std::size_t kKeyboardPresets = 12;
inline constexpr std::size_t kOperators = 13;
inline constexpr std::size_t kRewrap = SetupFlagRewrapProduction;
inline constexpr std::size_t kNextDay = SetupFlagNextDayProduction;
inline constexpr std::size_t kHourly = SetupFlagHourlyProduction;
inline constexpr std::size_t kOperatorTotals = SetupFlagOperatorProduction;
inline constexpr std::size_t kOperatorOverrides = SetupFlagOperatorOverrideProduction;
inline constexpr std::size_t kDeptGroupProduction = 19;
inline constexpr std::size_t kCampaigns = 20;
inline constexpr std::size_t kBatchLabels = 21;
inline constexpr std::size_t kLotMessages = 22;
inline constexpr std::size_t kComments = kFlagFamily9Market10;  // also the index presets
inline constexpr std::size_t kStoreNames = 24;
inline constexpr std::size_t kLoadFromScales = 25;
inline constexpr std::size_t kDateAndTime = 26;
inline constexpr std::size_t kStoreSettings = 27;
inline constexpr std::size_t kDeptsAndGroups = kFlagDeptGroupNames;
inline constexpr std::size_t kBatchProduction = SetupFlagBatchProduction;
inline constexpr std::size_t kImageKeys = 30;
inline constexpr std::size_t kFreeMessages = kFlagFamily9;
inline constexpr std::size_t kTrays = 32;
inline constexpr std::size_t kMeatTest = SetupFlagProductionOption;
}  // namespace MenuFlag

struct MenuState {
    MenuWindow window = MenuWindow::PluList;
    bool schedulerMode = false;
    MenuRights user;
    SetupFlags flags;
    std::uint16_t market = 0;
    std::uint16_t defaultFamily = 0;
    std::uint32_t scaleMix = 0;       // CMainFrame::GetRuxScaleMix
    bool headOffice = false;
    bool ausNzNutrition = false;
    MenuSwitches switches;
    bool departmentsExist = false;

    // The document of the active window (or of the frame's PLU list).
    bool documentOpen = false;
    bool batchMode = false;
    bool dataSaveFileOpen = false;
    bool onlineCommsOn = false;       // the general setup's on-line comms switch
    bool linksExist = false;
    bool onlineCommsUsable = false;   // CVrn3Doc::CanUseOnlineComms
    bool keyboardWindowOpen = false;
    std::size_t recentFileCount = 0;  // the recent files File offers
};

}  // namespace varnel
