// The texts of a PLU list row.
#include "pluedit/PluListRow.h"

#include "db/plu/PluDefRec.h"
#include "db/plu/PluFieldAccess.h"
#include "db/text/DbcsString.h"
#include "db/text/DescText.h"
#include "db/text/NumberText.h"

namespace varnel {
namespace {

constexpr std::size_t kNameBytes = 29;
constexpr std::size_t kDescBytes = 2050;
constexpr std::uint32_t kInactiveFlag = 1;

std::string FormatPrice(std::int32_t price, std::uint16_t decimals) { return FormatFixedPoint(decimals, '.', price); }

}  // namespace

std::string DoubleAmpersands(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

PluListRow MakePluListRow(const CPluDefRec& plu, std::uint32_t pluNumber, const PluListSettings& settings,
                          const PluListFieldWidths& widths, const PluListColumnsShown& shown)
{
    PluListRow row;
    row.red = settings.inactiveInRed && plu.TestCtrlFlag(kInactiveFlag);
    FormatPluNumber(pluNumber, settings.maxPluNo, row.pluNumber);
    if (shown.posCode) row.posCode = PadLeft(plu.Get(PluCol::PosCode), '0', widths.posCode);
    if (shown.deptGroup)
        row.deptGroup = FormatLongPadded(plu.GetDept(), '0', widths.dept) + "-" +
                        FormatLongPadded(plu.Get(PluCol::Group), '0', widths.group);
    row.name = DoubleAmpersands(DbcsLeft(plu.Get(PluCol::Name), kNameBytes, settings.chars));
    if (settings.twoLines) row.line2 = DoubleAmpersands(ExtractDescLine(plu.GetDesc(), 1, kDescBytes, settings.chars));
    const bool extraDecimal = settings.fixedPriceDecimal && plu.Get(PluCol::SalesMode) != 0;
    const auto decimals = static_cast<std::uint16_t>(widths.priceDecimals + (extraDecimal ? 1 : 0));
    row.unitPrice = FormatPrice(plu.Get(PluCol::UnitPrice), decimals);
    if (shown.costPrice) row.costPrice = FormatPrice(plu.Get(PluCol::CostPrice), decimals);
    return row;
}

}  // namespace varnel
