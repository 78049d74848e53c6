// How a campaign line's price and sales mode are entered and shown, by the site's market, default
// scale family and scales: the sales mode lists, the price's decimals and text limits, and the
// conversions between what is typed and what a line stores.
//
// A percentage mode (4 "Minus %", 7 "-% Unit Price") stores tenths of a percent in market 0 and whole
// percents elsewhere. In market 0 with an enabled scale of family 10, 11 or 12 a percentage is typed
// with one decimal ("12.5" stores 125); otherwise whole percents are typed and market 0 stores them
// times 10 ("15" stores 150 and shows as 15 again).
#pragma once

#include "platform/Messages.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class ISiteRules;

struct CampaignPriceRules {
    static constexpr MessageId kMsgDiscountPerKg = 16412;
    static constexpr MessageId kMsgDiscountPerLb = 16413;
    static constexpr MessageId kMsgMinusUnitPrice = 17490;
    static constexpr MessageId kMsgMinusPercentUnitPrice = 17491;

    std::uint16_t market = 0;
    std::uint16_t family = 0;       // the general setup's default family
    bool tenthPercent = false;      // percentages typed with one decimal
    bool extraDecimal = false;      // "Different dec. pt. for unit/fixed price"
    bool family9Enabled = false;    // an enabled scale of family 9 (market 13's zone-price modes)
    std::uint16_t priceDecimals = 0;  // of PLU field 1005
    std::int32_t priceMax = 99999;    // of PLU field 1005

    // From the site: its general setup, scales and the definition of PLU field 1005.
    static CampaignPriceRules Of(const ISiteRules& site);

    // Market 14 (Sweden) keeps a line's old price too.
    bool HasOldPrice() const;
    // Families 1, 2 and 3 take no sales mode from the list.
    bool IsSalesModeEnabled() const;
    // Families 10 and above in market 0 choose from the second list (modes 2 to 8).
    bool UsesSecondList() const;
    // The first list: modes 0 to 4, then by market and family "Discount $/kg" or "$/lb" (5) and
    // market 13's two zone-price modes (6, 7).
    std::vector<std::string> GetSalesModeItems() const;
    static std::vector<std::string> GetSecondListItems();
    // The list position that shows a mode (-1 for none) and the mode a position chooses.
    int SelectionOfMode(std::uint32_t mode) const;
    std::uint32_t ModeOfSelection(int position) const;
    // The text of the list item that shows the mode; empty when none does.
    std::string SalesModeName(std::uint32_t mode) const;

    // The PLU number's text limit.
    std::size_t PluTextLimit() const;
    // The price's decimals and text limit in the mode.
    std::uint16_t ShownDecimals(std::uint32_t mode) const;
    std::size_t PriceTextLimit(std::uint32_t mode) const;
    // The stored price as it is shown in the mode.
    std::string FormatPrice(std::uint32_t mode, std::uint32_t price) const;
    // The typed price as stored in the mode; none when it does not read.
    std::optional<std::int64_t> ReadPrice(std::uint32_t mode, std::string_view text) const;
    // The highest price the mode stores.
    std::int64_t UpperLimit(std::uint32_t mode) const;
    // The price as a line of the mode stores it once entered: a fixed price loses its extra decimal.
    std::uint32_t FinishPrice(std::uint32_t mode, std::uint32_t price) const;
    // The mode a line takes from a picked PLU's sales mode (market 14: 8 for weighed, else 9).
    std::uint32_t ModeOfPlu(std::uint8_t pluSalesMode) const;

private:
    bool IsFixedPriceFamily() const { return family >= 1 && family <= 3; }
    bool IsShortPriceFamily() const { return family == 2 || family == 3; }
    // A percentage typed whole and stored in tenths.
    bool StoresPercentTimesTen(std::uint32_t mode) const;
};

bool IsPercentCampaignMode(std::uint32_t mode);

}  // namespace varnel
