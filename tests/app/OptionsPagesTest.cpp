#include "app/MainFrame.h"
#include "app/OptionsCommand.h"

#include "MemoryLink.h"
#include "comms/idenq/LinkScale.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(OptionsPages, FollowTheMarketNutritionAndTheFamiliesOnTheLinks)
{
    using enum OptionsPage;
    test::TempDir dir;
    CMainFrame frame(dir.Path() + "/");
    IMainFrame* previous = SetMainFrame(&frame);
    frame.GeneralSetup().m_defaultScaleFamily = 9;
    frame.RecalcSetupFlags();
    EXPECT_EQ(OptionsPagesFor(frame).size(), 10u);

    // Australia with nutrition: neither Multi-Store nor Data Save.
    frame.GeneralSetup().m_market = MarketAustralia;
    frame.GeneralSetup().m_nutritionInUse = 1;
    frame.RecalcSetupFlags();
    const std::vector<OptionsPage> australian = OptionsPagesFor(frame);
    EXPECT_EQ(std::ranges::count(australian, MultiStore), 0);
    EXPECT_EQ(std::ranges::count(australian, DataSave), 0);

    // Another default family: the RUX page only for a family-9 scale on the links, disabled or not.
    frame.GeneralSetup().m_defaultScaleFamily = 0;
    EXPECT_EQ(OptionsPagesFor(frame).back(), LabelWidths);
    auto link = std::make_unique<test::MemoryLink>();
    link->m_linkId = 1;
    auto scale = std::make_unique<CLinkScale>();
    scale->m_scaleType = 9;
    scale->m_enabled = false;
    link->m_scales.push_back(std::move(scale));
    frame.Links().Add(std::move(link));
    EXPECT_EQ(OptionsPagesFor(frame).back(), Rux);
    SetMainFrame(previous);
}

}  // namespace
}  // namespace varnel
