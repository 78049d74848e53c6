#include "comms/idenq/ProdFileCode.h"

#include "db/text/DoubleByteText.h"
#include "db/site/TextRules.h"

#include <algorithm>
#include <string_view>

namespace varnel {
namespace {

std::string_view PluTotalsCode(std::uint16_t family, const CGeneralSetup& setup)
{
    switch (family) {
    case 0:
    case 4:
    case 5:
        return setup.m_market == MarketUsa ? "17" : "1701";
    case 2:
        return "17";
    case 1:
    case 3:
        return IsAusNzNutrition(setup) ? "19000000" : "720000";
    default:
        return {};
    }
}

}  // namespace

bool GetProdFileCode(const CLinkScaleSettings& scale, const CGeneralSetup& setup, std::uint32_t totalsType,
                     std::span<std::uint8_t> out, std::size_t& length)
{
    if (totalsType != kPluTotals) return false;
    const std::string_view code = PluTotalsCode(scale.GetScaleType(setup.m_defaultScaleFamily), setup);
    if (code.empty() || out.size() <= code.size()) return false;
    std::ranges::copy(code, out.begin());
    out[code.size()] = 0;
    length = code.size();
    return true;
}

}  // namespace varnel
