// Campaign prices and sales modes as typed and shown.
#include "scaledata/CampaignPrice.h"

#include "db/plu/PluFieldAccess.h"
#include "db/site/SiteRules.h"
#include "db/text/PriceText.h"

#include <array>

namespace varnel {
namespace {

constexpr std::uint16_t kUnitPriceField = 1005;
constexpr std::uint32_t kUnitPriceMode = 0;
constexpr std::uint32_t kFixedPriceMode = 1;
constexpr std::uint32_t kDiscountMode = 5;
constexpr std::uint32_t kSwedishUnitPrice = 8;
constexpr std::uint32_t kSwedishOther = 9;
constexpr std::uint32_t kSecondListFirstMode = 2;

constexpr std::array<const char*, 5> kFirstListItems = {"Unit Price", "Fixed Price", "Mkd. Price", "Minus Price",
                                                        "Minus %"};
constexpr std::array<const char*, 7> kSecondListItems = {"Mkd. Price",    "Minus Price",    "Minus %", "Disc. $/lb",
                                                         "- Unit Price", "- % Unit Price", "Price"};

}  // namespace

bool IsPercentCampaignMode(std::uint32_t mode) { return mode == 4 || mode == 7; }

CampaignPriceRules CampaignPriceRules::Of(const ISiteRules& site)
{
    const CGeneralSetup& setup = site.GetGeneralSetup();
    CampaignPriceRules rules;
    rules.market = setup.m_market;
    rules.family = setup.m_defaultScaleFamily;
    rules.tenthPercent = setup.m_market == MarketUsa &&
                         (site.HasEnabledScaleType(10) || site.HasEnabledScaleType(12) || site.HasEnabledScaleType(11));
    rules.extraDecimal = setup.m_unitFixedPriceDecimal != 0;
    rules.family9Enabled = site.HasEnabledScaleType(9);
    if (const CLabProp* price = FindPluFieldDefAny(kUnitPriceField)) {
        rules.priceDecimals = GetFieldDecimals(kUnitPriceField);
        rules.priceMax = price->m_max;
    }
    return rules;
}

bool CampaignPriceRules::HasOldPrice() const { return market == MarketSweden; }

bool CampaignPriceRules::IsSalesModeEnabled() const { return !IsFixedPriceFamily(); }

bool CampaignPriceRules::UsesSecondList() const { return family >= 10 && family <= 12 && market == MarketUsa; }

std::vector<std::string> CampaignPriceRules::GetSalesModeItems() const
{
    std::vector<std::string> items(kFirstListItems.begin(), kFirstListItems.end());
    if (IsFixedPriceFamily() || family == 7 || market == MarketSweden) return items;
    items.emplace_back(GetMessageText(market == MarketUsa ? kMsgDiscountPerLb : kMsgDiscountPerKg));
    if (market == MarketSouthAfrica && family9Enabled) {
        items.push_back(std::string(GetMessageText(kMsgMinusUnitPrice)) + " (PZ only)");
        items.push_back(std::string(GetMessageText(kMsgMinusPercentUnitPrice)) + " (PZ only)");
    }
    return items;
}

std::vector<std::string> CampaignPriceRules::GetSecondListItems()
{
    return {kSecondListItems.begin(), kSecondListItems.end()};
}

int CampaignPriceRules::SelectionOfMode(std::uint32_t mode) const
{
    if (UsesSecondList()) {
        if (mode < kSecondListFirstMode) return 0;
        const std::uint32_t position = mode - kSecondListFirstMode;
        return position < kSecondListItems.size() ? static_cast<int>(position) : -1;
    }
    if (market == MarketSweden) return mode == kUnitPriceMode || mode == kSwedishUnitPrice ? 0 : 1;
    return mode < GetSalesModeItems().size() ? static_cast<int>(mode) : -1;
}

std::uint32_t CampaignPriceRules::ModeOfSelection(int position) const
{
    const auto chosen = static_cast<std::uint32_t>(position < 0 ? 0 : position);
    if (UsesSecondList()) return chosen + kSecondListFirstMode;
    if (market == MarketSweden) return chosen == 0 ? kSwedishUnitPrice : kSwedishOther;
    return chosen;
}

std::string CampaignPriceRules::SalesModeName(std::uint32_t mode) const
{
    const std::vector<std::string> items = UsesSecondList() ? GetSecondListItems() : GetSalesModeItems();
    const int position = SelectionOfMode(mode);
    return position >= 0 && static_cast<std::size_t>(position) < items.size() ? items[static_cast<std::size_t>(position)]
                                                                               : std::string();
}

std::size_t CampaignPriceRules::PluTextLimit() const
{
    switch (family) {
    case 0:
    case 1:
    case 4:
    case 5: return 6;
    case 2:
    case 3: return 4;
    default: return 8;
    }
}

bool CampaignPriceRules::StoresPercentTimesTen(std::uint32_t mode) const
{
    return IsPercentCampaignMode(mode) && market == MarketUsa && !tenthPercent;
}

std::uint16_t CampaignPriceRules::ShownDecimals(std::uint32_t mode) const
{
    if (IsPercentCampaignMode(mode)) return tenthPercent ? 1 : 0;
    const bool weighed = mode == kUnitPriceMode || mode == kDiscountMode;
    return static_cast<std::uint16_t>(priceDecimals + (extraDecimal && weighed ? 1 : 0));
}

std::size_t CampaignPriceRules::PriceTextLimit(std::uint32_t mode) const
{
    if (IsShortPriceFamily()) return 6;
    if (IsPercentCampaignMode(mode)) return tenthPercent ? 4 : 2;
    return 8;
}

std::string CampaignPriceRules::FormatPrice(std::uint32_t mode, std::uint32_t price) const
{
    if (IsPercentCampaignMode(mode) && !IsShortPriceFamily())
        return tenthPercent ? FormatFixedPoint(1, '.', static_cast<std::int32_t>(price))
                            : std::to_string(StoresPercentTimesTen(mode) ? price / 10 : price);
    if (IsShortPriceFamily() && price > 99999) price = 0;
    return FormatFixedPoint(ShownDecimals(mode), '.', static_cast<std::int32_t>(price));
}

std::optional<std::int64_t> CampaignPriceRules::ReadPrice(std::uint32_t mode, std::string_view text) const
{
    std::int32_t value = 0;
    if (!ParsePrice(text, ShownDecimals(mode), '.', value)) return std::nullopt;
    return StoresPercentTimesTen(mode) ? std::int64_t{value} * 10 : std::int64_t{value};
}

std::int64_t CampaignPriceRules::UpperLimit(std::uint32_t mode) const
{
    if (!IsPercentCampaignMode(mode)) return priceMax;
    const std::int64_t limit = tenthPercent ? 999 : 99;
    return StoresPercentTimesTen(mode) ? limit * 10 : limit;
}

std::uint32_t CampaignPriceRules::FinishPrice(std::uint32_t mode, std::uint32_t price) const
{
    return extraDecimal && mode == kFixedPriceMode ? price / 10 * 10 : price;
}

std::uint32_t CampaignPriceRules::ModeOfPlu(std::uint8_t pluSalesMode) const
{
    if (market == MarketSweden) return pluSalesMode == kUnitPriceMode ? kSwedishUnitPrice : kSwedishOther;
    return pluSalesMode;
}

}  // namespace varnel
