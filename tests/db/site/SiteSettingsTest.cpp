// The settings snapshot: the same one while the settings stand, a new one once they change; pinned on
// a thread, it is what that thread's reads of the settings and the field definitions answer, and
// nothing on other threads.
#include "db/site/MainFrame.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

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

// Each change the user can make to the field definitions, in place as the field-set commands and the
// Options sheet make it, gives a new snapshot; the one handed out before keeps what it copied.
TEST(SiteSettings, EveryChangeOfTheFieldDefinitionsGivesANewSnapshot)
{
    const struct {
        const char* change;
        void (*apply)(TestMainFrame&);
    } cases[] = {
        {"a definition's width", [](TestMainFrame& f) { f.m_fieldDefs[0].at(1)->m_width = 5; }},
        {"a definition's value list",
         [](TestMainFrame& f) { f.m_fieldDefs[0].at(1)->AddValue(std::make_unique<CPropValue>("Loose", 2)); }},
        {"a value's text", [](TestMainFrame& f) { f.m_fieldDefs[0].at(1)->m_values.at(1)->m_text = "By Count"; }},
        {"a definition added", [](TestMainFrame& f) { f.AddFieldDef(FieldDefMap::RuxPrice, 1200); }},
        {"a definition removed", [](TestMainFrame& f) { f.m_fieldDefs[0].erase(1); }},
        {"the price-zone fields", [](TestMainFrame& f) { f.m_priceZoneFields.push_back(1004); }},
        {"the scale mix", [](TestMainFrame& f) { f.m_ruxScaleMix = 2; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        TestMainFrame frame;
        CLabProp& unitPrice = frame.AddFieldDef(FieldDefMap::Plu, 1005);
        unitPrice.m_width = 6;
        unitPrice.AddValue(std::make_unique<CPropValue>("Weighed", 1));
        frame.m_priceZoneFields = {1005};
        const SiteSettingsPtr before = frame.GetSiteSettings();
        ASSERT_EQ(frame.GetSiteSettings(), before);
        c.apply(frame);
        const SiteSettingsPtr after = frame.GetSiteSettings();
        ASSERT_NE(after, before);
        EXPECT_TRUE(SameDefinitions(after->Fields(), FieldDefSet(frame)));
        const CLabProp& kept = *before->fieldDefs[0].at(1);
        EXPECT_EQ(kept.m_width, 6);
        EXPECT_EQ(kept.m_values.size(), 1u);
        EXPECT_EQ(kept.m_values.at(1)->m_text, "Weighed");
        EXPECT_EQ(before->priceZoneFields, std::vector<std::uint16_t>{1005});
        EXPECT_EQ(before->ruxScaleMix, 0u);
    }
}

TEST(SiteSettings, APinnedSnapshotAnswersOnItsThreadOnlyAndScopesNest)
{
    TestMainFrame frame;
    frame.m_setup.m_maxPluNo = 500;
    const SiteSettingsPtr pinned = frame.GetSiteSettings();
    {
        const SiteSettingsScope scope(pinned);
        frame.m_setup.m_maxPluNo = 700;
        frame.AddFieldDef(FieldDefMap::Plu, 1005);
        EXPECT_EQ(CurrentGeneralSetup().m_maxPluNo, 500u);
        EXPECT_EQ(CurrentTextRules().maxPluNo, 500u);
        EXPECT_TRUE(CurrentFieldDefs().Map(FieldDefMap::Plu).empty());
        std::uint32_t seenElsewhere = 0;
        std::size_t definitionsElsewhere = 0;
        std::thread other([&] {
            seenElsewhere = CurrentGeneralSetup().m_maxPluNo;
            definitionsElsewhere = CurrentFieldDefs().Map(FieldDefMap::Plu).size();
        });
        other.join();
        EXPECT_EQ(seenElsewhere, 700u);
        EXPECT_EQ(definitionsElsewhere, 1u);
        {
            const SiteSettingsScope inner(frame.GetSiteSettings());
            EXPECT_EQ(CurrentGeneralSetup().m_maxPluNo, 700u);
            EXPECT_EQ(CurrentFieldDefs().Map(FieldDefMap::Plu).size(), 1u);
        }
        EXPECT_EQ(CurrentGeneralSetup().m_maxPluNo, 500u);
    }
    EXPECT_EQ(CurrentGeneralSetup().m_maxPluNo, 700u);
}

}  // namespace
}  // namespace varnel::test
