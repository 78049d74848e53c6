// What the PLU list reads of the site's settings, as one value its host makes: which columns it
// shows, how it colours inactive PLUs and writes prices, the highest PLU number a search may name,
// how its pickers show department and group codes, the price zone its prices are seen in and the
// store's character rule.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/site/TextRules.h"
#include "settings/DeptCode.h"

#include <cstdint>

namespace varnel {

struct PluListSettings {
    bool showPosCode = false;     // "Use POS code in search window?"
    bool showDeptGroup = false;   // departments and groups in the search window, as the main frame says
    bool twoLines = false;        // "Show 2 lines of PLU description in search window?"
    bool costColumn = false;      // the cost price beside the unit price (Australia/New Zealand nutrition)
    bool inactiveInRed = false;   // inactive PLUs are not sent to scales, and are listed in red
    bool fixedPriceDecimal = false;  // "Different dec. pt. for unit/fixed price": one more for a fixed price
    std::uint32_t maxPluNo = 999999;
    std::uint16_t priceZone = 0;  // the current price zone the prices are seen in
    DeptCodeDisplay deptCodeDisplay;
    CharRule chars;

    // The general setup's switches and the code display under the PLU field definitions; the two the
    // main frame derives come from the caller.
    static PluListSettings Of(const CGeneralSetup& setup, const FieldDefSet& fields, bool useDeptGroupSearch,
                              std::uint16_t priceZone, const CharRule& chars);
};

}  // namespace varnel
