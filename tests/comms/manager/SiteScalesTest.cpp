// The main frame's answers about the site's scales: a department's scales, the families on the links,
// the mix of the comma-separated families and the department dialog's choices.
#include "MemoryLink.h"
#include "comms/manager/SiteScales.h"
#include "support/RecordingPrompt.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

class SiteScales : public ::testing::Test {
protected:
    // Link 1 "Front" with scales 11 and 12, link 2 "Back" with scale 21, of the families given.
    void Build(std::uint16_t family11, std::uint16_t family12, std::uint16_t family21)
    {
        Build(links, family11, family12, family21);
    }
    static void Build(CIdEnqLinkList& links, std::uint16_t family11, std::uint16_t family12, std::uint16_t family21)
    {
        for (const auto& [id, name] : {std::pair<std::uint16_t, const char*>{1, "Front"}, {2, "Back"}}) {
            auto link = std::make_unique<MemoryLink>();
            link->m_linkId = id;
            link->m_enabled = true;
            link->m_name = name;
            links.Add(std::move(link));
        }
        const auto add = [&](std::uint16_t linkId, std::uint16_t scaleId, std::uint16_t family) {
            auto scale = std::make_unique<CLinkScale>();
            scale->m_scaleNo = scaleId;
            scale->m_scaleType = family;
            scale->m_name = "Scale " + std::to_string(scaleId);
            links.FindLink(linkId)->m_scales.push_back(std::move(scale));
        };
        add(1, 11, family11);
        add(1, 12, family12);
        add(2, 21, family21);
    }
    void AddDepartment(std::uint16_t id, std::vector<CScaleDef> scales)
    {
        auto department = std::make_unique<CMasterScale>();
        department->m_id = id;
        for (const CScaleDef& def : scales) department->m_scales.push_back(std::make_unique<CScaleDef>(def));
        departments.Add(std::move(department));
    }

    TestMainFrame frame;
    CGeneralSetup& setup = frame.m_setup;
    CIdEnqLinkList links;
    CMasterScaleList departments;
};

TEST_F(SiteScales, TheMixOfTheCommaSeparatedFamilies)
{
    struct Case {
        std::array<std::uint16_t, 3> families;
        bool singleStore;
        std::uint32_t mix;
    };
    for (const Case& c : {Case{{0, 2, 5}, false, 0}, Case{{10, 11, 0}, false, 1}, Case{{9, 9, 9}, false, 2},
                          Case{{9, 9, 9}, true, 1}, Case{{9, 0, 9}, false, 4}, Case{{9, 12, 9}, true, 3},
                          Case{{9, 9, CLinkScaleSettings::kDefaultFamily}, false, 4}}) {
        CIdEnqLinkList site;
        Build(site, c.families[0], c.families[1], c.families[2]);
        setup.m_singleStoreOperation = c.singleStore ? 1 : 0;
        EXPECT_EQ(GetRuxScaleMix(site, setup), c.mix) << c.families[0] << c.families[1] << c.families[2];
    }
}

TEST_F(SiteScales, FamiliesOnTheLinksAreAskedOfTheCurrentDepartmentWhenOneIsChosen)
{
    setup.m_defaultScaleFamily = 6;
    EXPECT_TRUE(HasScaleType(links, departments, setup, 6, true));  // no links: the default family
    EXPECT_FALSE(HasScaleType(links, departments, setup, 0, true));
    Build(0, CLinkScaleSettings::kDefaultFamily, 10);
    EXPECT_TRUE(HasScaleType(links, departments, setup, 6, true));
    EXPECT_TRUE(HasScaleType(links, departments, setup, 10, true));
    AddDepartment(1, {{1, 11}, {1, 12}});
    departments.SetCurrent(1);
    EXPECT_FALSE(HasScaleType(links, departments, setup, 10, true));
    EXPECT_EQ(GetMasterScaleScales(departments, nullptr), (ScaleDefs{{1, 11}, {1, 12}}));

    // Enabled scales only; with none enabled, the default family.
    links.FindScale(12)->m_enabled = false;
    EXPECT_FALSE(HasScaleType(links, departments, setup, 6, false));
    EXPECT_TRUE(HasEnabledScaleType(links, departments, setup, 0));
    links.FindScale(11)->m_enabled = false;
    EXPECT_TRUE(HasEnabledScaleType(links, departments, setup, 6));
    EXPECT_FALSE(HasEnabledScaleType(links, departments, setup, 0));

    departments.SetCurrent(0);
    EXPECT_EQ(GetMasterScaleScales(departments, nullptr), std::nullopt);
    links.FindLink(2)->m_enabled = false;  // scale 21 of a disabled link does not count
    EXPECT_FALSE(HasEnabledScaleType(links, departments, setup, 10));
    EXPECT_TRUE(HasScaleType(links, departments, setup, 10, true));
}

TEST_F(SiteScales, TheDepartmentDialogOffersEveryScaleLabelledAsTheLinksCarryThem)
{
    Build(0, 0, 0);
    AddDepartment(1, {{1, 12}});
    const CMasterScale& department = *departments.GetDepartments()[0];
    const auto labels = [&] {
        std::vector<std::string> texts;
        for (const CScaleChoice& choice : BuildScaleChoices(department, links, setup)) texts.push_back(choice.label);
        return texts;
    };
    EXPECT_EQ(labels(), (std::vector<std::string>{"Front", "Front", "Back"}));
    setup.m_daisyChainedComms = 1;
    EXPECT_EQ(labels(), (std::vector<std::string>{"Front - Scale 11", "Front - Scale 12", "Back - Scale 21"}));
    const std::vector<CScaleChoice> choices = BuildScaleChoices(department, links, setup);
    EXPECT_EQ(choices[1], (CScaleChoice{1, 12, "Front - Scale 12", true}));
    EXPECT_FALSE(choices[0].selected);
    links.RemoveLink(2);
    EXPECT_EQ(labels(), (std::vector<std::string>{"Scale 11", "Scale 12"}));
}

TEST_F(SiteScales, TheDataPickerOffersTheScalesThatTakeTheDataInLinkAndScaleOrder)
{
    Build(8, 0, 10);
    setup.m_daisyChainedComms = 1;
    links.FindLink(1)->m_scales[1]->m_enabled = false;
    std::vector<CScaleChoice> all = BuildScaleChoiceList(links, std::nullopt, setup, false);
    EXPECT_EQ(all.size(), 3u);
    EXPECT_EQ(BuildScaleChoiceList(links, std::nullopt, setup, true).size(), 2u);
    EXPECT_EQ(BuildScaleChoiceList(links, ScaleDefs{CScaleDef(2, 21)}, setup, false),
              (std::vector<CScaleChoice>{{2, 21, "Back - Scale 21", false}}));

    // The list arrives in any order; the picker sees it by link × 100 + scale.
    std::ranges::reverse(all);
    const auto family = [this](const CScaleChoice& choice) {
        return links.FindLink(choice.linkId)->FindScale(choice.scaleId)->GetScaleType(setup.m_defaultScaleFamily);
    };
    std::vector<std::string> offered;
    const auto pickSecond = [&offered](const std::vector<CScaleChoice>& choices) -> std::optional<std::size_t> {
        for (const CScaleChoice& choice : choices) offered.push_back(choice.label);
        return 1;
    };
    const auto batchFamilies = [&](const CScaleChoice& choice) {
        const std::uint16_t f = family(choice);
        return f == 6 || f == 8 || f == 10 || f == 12;
    };
    EXPECT_EQ(SelectScaleForData(all, batchFamilies, pickSecond)->scaleId, 21);
    EXPECT_EQ(offered, (std::vector<std::string>{"Front - Scale 11", "Back - Scale 21"}));
    // One scale is taken without asking; none shows 61453.
    offered.clear();
    const auto family8 = [&](const CScaleChoice& choice) { return family(choice) == 8; };
    EXPECT_EQ(SelectScaleForData(all, family8, pickSecond)->scaleId, 11);
    EXPECT_TRUE(offered.empty());
    RecordingPrompt prompt;
    EXPECT_FALSE(SelectScaleForData(all, [](const CScaleChoice&) { return false; }, pickSecond));
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{61453});
    EXPECT_FALSE(SelectScaleForData(all, batchFamilies, [](const auto&) { return std::nullopt; }));
}

}  // namespace
}  // namespace varnel::test
