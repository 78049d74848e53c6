#include "app/SetupFlags.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace varnel {
namespace {

std::vector<std::size_t> SetFlags(const SetupFlags& flags)
{
    std::vector<std::size_t> numbers;
    for (std::size_t i = 0; i < flags.size(); ++i)
        if (flags[i]) numbers.push_back(i);
    return numbers;
}

SetupFlags FlagsFor(const CGeneralSetup& setup, std::set<std::uint16_t> families)
{
    return ComputeSetupFlags(setup, [&](std::uint16_t family) { return families.contains(family); });
}

TEST(SetupFlagsTest, FamilyTwoInTheUsaWithNoOptionsGivesItsDataKinds)
{
    CGeneralSetup setup;
    setup.m_defaultScaleFamily = 2;
    EXPECT_EQ(SetFlags(FlagsFor(setup, {2})), (std::vector<std::size_t>{2, 4, 5, 6, 12, 16, 19, 20, 24, 25, 26}));
}

TEST(SetupFlagsTest, RulesByFamilyAndMarket)
{
    struct Case {
        const char* name;
        std::uint16_t market;
        std::set<std::uint16_t> families;
        std::uint8_t nutrition;
        std::vector<std::size_t> expected;
    };
    const Case cases[] = {
        {"no scales", MarketUsa, {}, 0, {2}},
        {"family 2 outside the USA", MarketAustralia, {2}, 0, {2, 3, 4, 5, 6, 12, 19, 20, 24, 25, 26}},
        {"family 9 in Taiwan", MarketTaiwan, {9}, 0, {2, 11, 16, 22, 23, 27, 28, 31, 32}},
        {"family 0 in Taiwan", MarketTaiwan, {0}, 0, {2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 16, 19, 20, 24, 25, 26}},
        {"Hong Kong nutrition is custom", MarketHongKong, {6}, 1,
         {1, 2, 5, 6, 7, 8, 9, 12, 13, 16, 17, 18, 19, 20, 21, 24, 25, 26}},
        {"Australian nutrition takes the message kinds", MarketAustralia, {8}, 1,
         {0, 2, 3, 4, 5, 6, 12, 13, 16, 17, 18, 19, 20, 21, 24, 25, 26}},
    };
    for (const Case& c : cases) {
        CGeneralSetup setup;
        setup.m_market = c.market;
        setup.m_nutritionInUse = c.nutrition;
        EXPECT_EQ(SetFlags(FlagsFor(setup, c.families)), c.expected) << c.name;
    }
}

TEST(SetupFlagsTest, OptionsTurnOffTheirDataKindsAndTheSummary)
{
    CGeneralSetup setup;
    setup.m_messageFileMapping = {5, 6, 7, 8};
    setup.m_hideDataSave = 1;
    const SetupFlags flags = FlagsFor(setup, {8});
    EXPECT_FALSE(flags[SetupFlagDataSave]);
    for (std::size_t kind : {5, 6, 7, 8, 9}) EXPECT_FALSE(flags[kind]) << kind;
}

TEST(SetupFlagsTest, FamilyTenCountsBatchProductionAndTheFamilySearchOption)
{
    CGeneralSetup setup;
    setup.m_noDeptGroupSearchFamily10 = 1;
    EXPECT_TRUE(FlagsFor(setup, {10})[SetupFlagBatchProduction]);
    EXPECT_TRUE(FlagsFor(setup, {10})[28]);
    EXPECT_FALSE(FlagsFor(setup, {12})[SetupFlagBatchProduction]);
}

}  // namespace
}  // namespace varnel
