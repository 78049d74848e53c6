// The keyboard commands over a real frame and links, with the keyboard windows recorded: what opens
// for which site (the preset list, an HBKU keyboard by number, a scale's keyboard), the pickers'
// choices, the off-line question, and the messages when nothing can be opened.
#include "app/KeyboardCommands.h"

#include "RecordingKeyboardWindows.h"
#include "MemoryLink.h"
#include "app/MainFrame.h"
#include "comms/idenq/LinkScale.h"
#include "comms/manager/SiteScales.h"
#include "keyboards/Keyboard.h"
#include "keyboards/KeyboardList.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

class KeyboardCommandsTest : public ::testing::Test {
protected:
    KeyboardCommandsTest()
    {
        m_frame.GeneralSetup().m_onlineComms = 0;  // no off-line question unless a test asks for it
        m_ui.pickScale = [this](const std::vector<CScaleChoice>& offered) {
            m_offered = offered;
            return m_pick;
        };
        m_ui.pickKeyboardScale = [this](const std::vector<CScaleChoice>& offered) -> std::optional<CScaleChoice> {
            m_offered = offered;
            if (!m_pick) return std::nullopt;
            return offered.at(*m_pick);
        };
        m_ui.chooseKeyboardOrPresets = [this] {
            ++m_choices;
            return m_choice;
        };
    }

    void AddLink(std::uint16_t linkId, const std::vector<std::pair<std::uint16_t, std::uint16_t>>& scales)
    {
        auto link = std::make_unique<test::MemoryLink>();
        link->m_linkId = linkId;
        link->m_name = "Link " + std::to_string(linkId);
        link->m_enabled = true;
        for (const auto& [scaleNo, family] : scales) {
            auto scale = std::make_unique<CLinkScale>();
            scale->m_scaleNo = scaleNo;
            scale->m_scaleType = family;
            scale->m_enabled = true;
            link->m_scales.push_back(std::move(scale));
        }
        m_frame.Links().Add(std::move(link));
        m_frame.RecalcSetupFlags();
    }
    void Run() { EditKeyboardPresets(m_frame, m_windows, m_ui); }
    static std::vector<std::pair<std::uint16_t, std::uint16_t>> Ids(const std::vector<CScaleChoice>& choices)
    {
        std::vector<std::pair<std::uint16_t, std::uint16_t>> ids;
        for (const CScaleChoice& choice : choices) ids.emplace_back(choice.linkId, choice.scaleId);
        return ids;
    }

    test::TempDir m_dir;
    test::RecordingPrompt m_prompt;
    CMainFrame m_frame{m_dir.Path() + "/"};
    test::RecordingKeyboardWindows m_windows;
    KeyboardCommandUi m_ui;
    std::vector<CScaleChoice> m_offered;
    std::optional<std::size_t> m_pick = 0;
    std::optional<bool> m_choice;
    int m_choices = 0;
};

TEST_F(KeyboardCommandsTest, ScalesWithoutKeyboardPresetsGetThePresetListAndNoQuestion)
{
    m_frame.GeneralSetup().m_onlineComms = 1;
    AddLink(1, {{1, 9}, {2, 11}});
    Run();
    EXPECT_EQ(m_windows.m_calls, std::vector<std::string>{"presets"});
    EXPECT_TRUE(m_windows.m_opened.empty());
    EXPECT_TRUE(m_prompt.m_ids.empty());
}

TEST_F(KeyboardCommandsTest, AScaleKeyboardOpensForTheOneSuitableScaleOrThePickedOne)
{
    AddLink(2, {{7, 0}, {3, 9}});
    Run();  // the family-9 scale is not offered: one scale left, taken without asking
    EXPECT_TRUE(m_offered.empty());
    EXPECT_EQ(m_windows.m_opened, (std::vector<KeyboardWindowTarget>{{std::nullopt, 0, 2, 7}}));

    AddLink(1, {{4, 6}, {5, 11}});
    m_pick = 1;
    Run();
    EXPECT_EQ(Ids(m_offered), (std::vector<std::pair<std::uint16_t, std::uint16_t>>{{1, 4}, {2, 7}}));
    EXPECT_EQ(m_windows.m_opened.back(), (KeyboardWindowTarget{std::nullopt, 0, 2, 7}));

    m_pick.reset();
    Run();
    EXPECT_EQ(m_windows.m_opened.size(), 2u);
    EXPECT_TRUE(m_prompt.m_ids.empty());
}

TEST_F(KeyboardCommandsTest, HbkuSitesPickAmongTheScalesThatOwnAKeyboard)
{
    m_frame.GeneralSetup().m_defaultScaleFamily = 1;
    AddLink(1, {{5, 1}});
    AddLink(2, {{3, 1}, {4, 1}});
    m_frame.Keyboards().SetKeyboard(103, std::make_unique<CKeyboard>());
    m_frame.Keyboards().SetKeyboard(5, std::make_unique<CKeyboard>());
    m_frame.Keyboards().SetKeyboard(920, std::make_unique<CKeyboard>());  // link 10 does not exist
    m_pick = 1;
    Run();
    EXPECT_EQ(Ids(m_offered), (std::vector<std::pair<std::uint16_t, std::uint16_t>>{{1, 5}, {2, 3}}));
    EXPECT_EQ(m_windows.m_opened, (std::vector<KeyboardWindowTarget>{{std::nullopt, 103}}));
    EXPECT_EQ(HbkuKeyboardNumber(3, 31), 231u);
}

TEST_F(KeyboardCommandsTest, NothingOpensWithoutAnAnswerAWindowOrASuitableScale)
{
    m_frame.GeneralSetup().m_onlineComms = 1;
    AddLink(1, {{1, 0}});
    m_prompt.QueueAnswer(MessageAnswer::Cancel);  // editing while off-line refused
    Run();
    EXPECT_TRUE(m_windows.m_opened.empty());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31460});

    m_frame.GetRun().linksStarted = true;
    m_windows.m_open = true;
    Run();
    EXPECT_EQ(m_windows.m_calls, std::vector<std::string>{"to top"});

    m_windows.m_open = false;
    m_windows.m_opens = false;
    Run();
    EXPECT_EQ(m_prompt.m_ids.back(), kMsgNoKeyboardWindow);

    OpenDefaultKeyboard(m_windows, 8);
    EXPECT_EQ(m_windows.m_opened.back(), KeyboardWindowTarget{8});
    EXPECT_EQ(m_prompt.m_ids.back(), kMsgNoKeyboardWindow);
}

TEST_F(KeyboardCommandsTest, NoScaleForAKeyboardWindowIsTold)
{
    AddLink(3, {{1, 2}});
    m_frame.Links().FindLink(3)->m_scales.front()->m_scaleType = 11;  // flags still those of family 2
    Run();
    EXPECT_TRUE(m_windows.m_opened.empty());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{kMsgNoScaleSupports});
}

TEST_F(KeyboardCommandsTest, EditKeyboardOffersTheChoiceOnlyWhenBothAreInUse)
{
    AddLink(1, {{1, 0}});
    EditKeyboard(m_frame, m_windows, m_ui);  // no family-9 scale: straight to the keyboard
    EXPECT_EQ(m_choices, 0);
    EXPECT_EQ(m_windows.m_opened.size(), 1u);

    AddLink(2, {{2, 9}});
    EditKeyboard(m_frame, m_windows, m_ui);  // cancelled
    m_choice = false;
    EditKeyboard(m_frame, m_windows, m_ui);
    EXPECT_EQ(m_windows.m_calls, std::vector<std::string>{"presets"});
    m_choice = true;
    EditKeyboard(m_frame, m_windows, m_ui);
    EXPECT_EQ(m_choices, 3);
    EXPECT_EQ(m_windows.m_opened.size(), 2u);
}

}  // namespace
}  // namespace varnel
