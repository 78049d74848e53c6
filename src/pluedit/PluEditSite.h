// What the PLU edit window takes from the application: the open database's tables, the settings it
// reads once when it is built, the document's state for the window, the services of other subsystems
// (pickers, promotions, price masters, extra message texts) and the site's rules and event log.
#pragma once

#include "db/plu/RuxPriceLayout.h"
#include "pluedit/LabelTextSettings.h"
#include "settings/DeptCode.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace varnel {

class CObjDatabase;
class CPluDefRec;
class CPluDefTb;
class CPriceZoneList;
class IEventLog;
class ISiteRules;

using ExtraPriceRecord = std::array<std::uint8_t, kRuxPriceRecordSize>;
using ExtraPriceRecords = std::array<ExtraPriceRecord, 5>;

// The document's part in the window: the PLU to show next (0 none), the one last shown, the zone last
// chosen and whether the PLU shown changed.
struct PluEditDocState {
    std::uint32_t showNext = 0;
    std::uint32_t lastShown = 0;
    std::uint16_t lastZone = 0;
    bool pluChanged = false;
};

// The settings the window reads as it is built (the main frame's and the logged-in user's).
struct PluEditSettings {
    std::uint32_t layoutKind = 0;          // the RUX scale mix 0..4
    bool headOffice = false;
    std::uint16_t siteZone = 0;            // head-office mode: the site's own zone; else the local zone
    bool deptGroupSearch = false;          // department and group codes in use
    DeptCodeDisplay deptCodeDisplay;       // how the department and group pickers show codes
    bool canEditNutrition = false;
    bool canEditCustomNutrition = false;
    bool ausNzNutrition = false;
    bool mayUpdatePlus = true;             // the user may update the PLU table
    bool family9Scale = false;             // a scale of family 9 is on the links
    bool logPluChanges = false;            // the event log records each changed field of a saved PLU
    std::uint16_t maxDescLength = 1001;    // the longest description the scales take, in bytes
    std::vector<std::uint16_t> fieldPermissions;  // by field number from 1000; 0 disables the field
    int screenLimitPixels = 0;             // the screen's client height less three menu bars
};

// The nutrition dialogs the window's Nutrition button opens, by the site's switches.
enum class NutritionDialog { Custom, Facts, SharedFacts, Panel };

// What the window asks of the rest of the system.
class IPluEditServices {
public:
    virtual ~IPluEditServices() = default;
    // The picker of a field (message, store, tray and category lists): the number chosen, none when
    // cancelled.
    virtual std::optional<std::uint32_t> PickFieldNumber(std::uint16_t fieldNo, std::uint32_t current) = 0;
    // 0 none, 1 or 2 a sale or current campaign, 3 or 4 a sale starting or a campaign to come.
    virtual int GetPluPromotionState(std::uint32_t pluNumber) = 0;
    virtual void EditPluPromotion(std::uint32_t pluNumber) = 0;
    // The Price Master Settings dialog on the records; true when it changed them.
    virtual bool EditExtraPrices(std::uint32_t pluNumber, ExtraPriceRecords& records) = 0;
    // A price master record's defaults for a PLU.
    virtual void InitExtraPriceRecord(std::span<std::uint8_t> record, std::uint32_t pluNumber) = 0;
    // The text of extra message `number` of set 1..3 and its label width; none when the set holds none.
    virtual std::optional<std::string> GetExtraMessageText(int set, std::uint32_t number) = 0;
    // Stores the edited row under the number (added when new) and tells the other views; false when
    // the store failed.
    virtual bool SavePluRecord(CPluDefRec& row, std::uint32_t pluNumber, bool isNew) = 0;
    // Select PLU opened on a number; the number entered, none when cancelled.
    virtual std::optional<std::uint32_t> SelectPluNumber(std::uint32_t offered) = 0;
    // The nutrition dialog on the PLU's row, stored after OK (a host-controlled PLU's panel is not):
    // the nutrition number the PLU names since, none when nothing was stored.
    virtual std::optional<std::uint32_t> EditNutrition(NutritionDialog dialog, std::uint32_t pluNumber,
                                                       bool hostControlled) = 0;
    // "Edit Message" on the PLU's ingredients; true when they were stored.
    virtual bool EditIngredients(std::uint32_t pluNumber, std::uint16_t labelWidth) = 0;
};

struct PluEditSite {
    CObjDatabase& database;
    const CPriceZoneList& zones;
    const CDeptCodeList& deptCodes;
    PluEditSettings settings;
    LabelTextSettings textSettings;
    PluEditDocState& document;
    IPluEditServices& services;
    // The general setup, the field definitions and the PLU numbers allowed, read as they stand.
    const ISiteRules& rules;
    // Where a save writes its change lines and the PLU update log.
    IEventLog& log;
};

}  // namespace varnel
