// The settings snapshot: the same one while the settings stand, a new one once they change; pinned on
// a thread, it is what that thread's reads of the settings answer, and nothing on other threads.
#include "db/site/MainFrame.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <thread>

namespace varnel::test {
namespace {

TEST(SiteSettings, TheSnapshotIsSharedWhileTheSettingsStandAndReplacedWholeWhenTheyChange)
{
    TestMainFrame frame;
    const SiteSettingsPtr first = frame.GetSiteSettings();
    EXPECT_EQ(frame.GetSiteSettings(), first);
    frame.m_setup.m_market = MarketChina;
    const SiteSettingsPtr second = frame.GetSiteSettings();
    ASSERT_NE(second, first);
    EXPECT_EQ(first->setup.m_market, MarketUsa);
    EXPECT_EQ(second->setup.m_market, MarketChina);
    EXPECT_TRUE(second->text.IsChina());
}

TEST(SiteSettings, APinnedSnapshotAnswersOnItsThreadOnlyAndScopesNest)
{
    TestMainFrame frame;
    frame.m_setup.m_maxPluNo = 500;
    const SiteSettingsPtr pinned = frame.GetSiteSettings();
    {
        const SiteSettingsScope scope(pinned);
        frame.m_setup.m_maxPluNo = 700;
        EXPECT_EQ(CurrentGeneralSetup().m_maxPluNo, 500u);
        EXPECT_EQ(CurrentTextRules().maxPluNo, 500u);
        std::uint32_t seenElsewhere = 0;
        std::thread other([&] { seenElsewhere = CurrentGeneralSetup().m_maxPluNo; });
        other.join();
        EXPECT_EQ(seenElsewhere, 700u);
        {
            const SiteSettingsScope inner(frame.GetSiteSettings());
            EXPECT_EQ(CurrentGeneralSetup().m_maxPluNo, 700u);
        }
        EXPECT_EQ(CurrentGeneralSetup().m_maxPluNo, 500u);
    }
    EXPECT_EQ(CurrentGeneralSetup().m_maxPluNo, 700u);
}

}  // namespace
}  // namespace varnel::test
