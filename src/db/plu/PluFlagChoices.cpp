#include "db/plu/PluFlagChoices.h"

namespace varnel {
namespace {

// A choice of a non-zero flag: `match` when the flag is one of `values` (0 fills the list), else
// `other`. A zero flag shows nothing, or `zeroInTaiwan` in Taiwan.
struct ChoiceRule {
    std::uint8_t values[4];
    std::uint8_t match;
    std::uint8_t other;
    std::uint8_t zeroInTaiwan;
};

std::uint8_t Choose(std::uint8_t flag, std::uint16_t market, const ChoiceRule& rule)
{
    if (flag == 0) return market == MarketTaiwan ? rule.zeroInTaiwan : 0;
    for (std::uint8_t value : rule.values)
        if (value != 0 && value == flag) return rule.match;
    return rule.other;
}

}  // namespace

std::uint8_t DateFlagFirstChoice(std::uint8_t flag, const CGeneralSetup& setup)
{
    return Choose(flag, setup.m_market, {{2, 4, 6, 7}, 1, 2, 2});
}
std::uint8_t DateFlagSecondChoice(std::uint8_t flag, const CGeneralSetup& setup)
{
    return Choose(flag, setup.m_market, {{3, 4, 6, 7}, 1, 2, 2});
}

std::uint8_t JoinDateFlag(std::uint8_t first, std::uint8_t second)
{
    if (first == 1 && second == 1) return 4;
    if (second == 1) return 3;
    if (first == 1) return 2;
    return 1;
}

std::uint8_t TimeFlagFirstChoice(std::uint8_t flag, const CGeneralSetup& setup)
{
    return Choose(flag, setup.m_market, {{1}, 2, 1, 2});
}
std::uint8_t TimeFlagSecondChoice(std::uint8_t flag, const CGeneralSetup& setup)
{
    return Choose(flag, setup.m_market, {{3}, 1, 2, 2});
}

std::uint8_t JoinTimeFlag(std::uint8_t first, std::uint8_t second)
{
    if (first == 0 || second == 0) return 0;
    if (first > 1) return 1;
    return second == 1 ? 3 : 2;
}

std::uint8_t ExpTimeFlagFirstChoice(std::uint8_t flag, const CGeneralSetup& setup)
{
    return Choose(flag, setup.m_market, {{1}, 2, 1, 1});
}
std::uint8_t ExpTimeFlagSecondChoice(std::uint8_t flag, const CGeneralSetup& setup)
{
    return Choose(flag, setup.m_market, {{2}, 1, 2, 2});
}

std::uint8_t JoinExpTimeFlag(std::uint8_t first, std::uint8_t second)
{
    if (first == 0 || second == 0) return 0;
    if (first > 1) return 1;
    return second == 1 ? 2 : 3;
}

}  // namespace varnel
