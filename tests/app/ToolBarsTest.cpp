#include "app/ToolBars.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace varnel {
namespace {

bool Holds(int bar, std::uint32_t command)
{
    return std::ranges::any_of(ToolBarButtons(bar), [command](const ToolButton& b) { return b.command == command; });
}

TEST(ToolBarsTest, MainBarByDepartmentsExceptionLogAndScreen)
{
    const std::tuple<bool, bool, int, int> cases[] = {
        {true, false, 1024, 238}, {true, true, 640, 248},   {false, true, 1024, 251},
        {false, true, 640, 251},  {false, false, 641, 239}, {false, false, 640, 247},
    };
    for (const auto& [departments, exceptionLog, width, bar] : cases)
        EXPECT_EQ(ChooseMainToolBar(departments, exceptionLog, width), bar);
}

TEST(ToolBarsTest, ButtonsFollowTheBar)
{
    constexpr std::uint32_t kChangeDepartment = 32873, kStatusLog = 32961, kNewPlu = 32773;
    EXPECT_TRUE(Holds(238, kChangeDepartment) && Holds(238, kStatusLog) && !Holds(238, kNewPlu));
    EXPECT_TRUE(Holds(248, kChangeDepartment) && Holds(248, kNewPlu));
    EXPECT_TRUE(!Holds(251, kChangeDepartment) && Holds(251, kStatusLog));
    EXPECT_TRUE(!Holds(239, kChangeDepartment) && !Holds(239, kStatusLog));
    EXPECT_TRUE(!Holds(247, kChangeDepartment) && Holds(247, kNewPlu));
}

TEST(ToolBarsTest, PluListBar)
{
    EXPECT_EQ(ChoosePluListToolBar(NutritionUse::AustraliaNewZealand, false), 250);
    EXPECT_EQ(ChoosePluListToolBar(NutritionUse::Editable, true), 244);
    EXPECT_EQ(ChoosePluListToolBar(NutritionUse::Editable, false), 245);
    EXPECT_EQ(ChoosePluListToolBar(NutritionUse::None, true), 246);
    EXPECT_EQ(ChoosePluListToolBar(NutritionUse::None, false), 243);
    EXPECT_TRUE(Holds(250, 32867) && Holds(244, 3001) && Holds(244, 32951) && !Holds(243, 3001));
    EXPECT_FALSE(PluListHasToolBar(640));
    EXPECT_TRUE(PluListHasToolBar(641));
}

}  // namespace
}  // namespace varnel
