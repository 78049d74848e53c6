// The keyboard commands from their actions: disabled without the keyboard windows; with them, the
// lists open, a site of two keyboard scales picks one in "Select Scale", "Edit keyboard" offers its
// chooser when family 9 is on the links too, a default keyboard opens for its family, and the image
// report waits for images.
#include "app/ui/KeyboardCommandWindows.h"

#include "RecordingKeyboardWindows.h"
#include "FrameCommandsFixture.h"
#include "app/KeyboardCommands.h"
#include "app/ui/MainFrameWindow.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>

namespace varnel {
namespace {

class KeyboardCommandWindowsTest : public test::FrameCommandsFixture {
protected:
    bool Enabled(std::uint32_t command)
    {
        m_commands.UpdateActions();
        return m_commands.Action(command)->isEnabled();
    }
    void Trigger(std::uint32_t command)
    {
        ASSERT_TRUE(Enabled(command)) << command;
        m_commands.Action(command)->trigger();
    }
    // A scale on link 1, made with the first.
    void AddScale(std::uint16_t scaleNo, std::uint16_t family)
    {
        if (CIdEnqLink* link = m_frame.Links().FindLink(1)) {
            auto scale = std::make_unique<CLinkScale>();
            scale->m_scaleNo = scaleNo;
            scale->m_enabled = true;
            scale->m_scaleType = family;
            link->m_scales.push_back(std::move(scale));
        } else {
            AddLoopbackBlockScale(9, scaleNo, family);
        }
        m_frame.GeneralSetup().m_onlineComms = 0;
        m_frame.RecalcSetupFlags();
    }

    MainFrameWindow m_window{m_model, m_commands};
    test::RecordingKeyboardWindows m_keyboards;
};

TEST_F(KeyboardCommandWindowsTest, WithoutTheKeyboardWindowsEveryCommandIsDisabled)
{
    RegisterKeyboardCommands(m_frame, m_window, m_document, nullptr);
    OpenNewDatabase();
    AddScale(1, 0);
    for (const std::uint32_t command : {32788u, 32968u, 32820u, 32819u, 32815u, 32855u, 32997u, 32902u, 32903u,
                                        32969u, 32994u})
        EXPECT_FALSE(Enabled(command)) << command;
}

TEST_F(KeyboardCommandWindowsTest, TheCommandsOpenTheirListsAndTheChosenScalesKeyboard)
{
    RegisterKeyboardCommands(m_frame, m_window, m_document, &m_keyboards);
    Trigger(32902);
    Trigger(32903);
    Trigger(32969);
    EXPECT_EQ(m_keyboards.m_calls, (std::vector<std::string>{"presets", "index presets", "images"}));
    EXPECT_FALSE(Enabled(32788));  // no database, no link
    OpenNewDatabase();
    EXPECT_FALSE(Enabled(32788));
    AddScale(1, 0);
    AddScale(2, 8);
    EXPECT_FALSE(Enabled(32994));
    m_keyboards.m_images = true;
    EXPECT_TRUE(Enabled(32994));

    test::WhenModalShows([](QWidget& modal) {
        EXPECT_EQ(modal.objectName(), "selectScaleDialog");
        test::Child<QListWidget>(modal, "list")->setCurrentRow(1);
        QTest::mouseClick(test::Child<QAbstractButton>(modal, "select"), Qt::LeftButton);
    });
    Trigger(32788);
    EXPECT_EQ(m_keyboards.m_opened, (std::vector<KeyboardWindowTarget>{{std::nullopt, 0, 1, 2}}));

    Trigger(32855);
    EXPECT_EQ(m_keyboards.m_opened.back(), KeyboardWindowTarget{8});
    m_keyboards.m_open = true;
    EXPECT_FALSE(Enabled(32855));
}

TEST_F(KeyboardCommandWindowsTest, EditKeyboardAsksWhichWhenPresetScalesAreOnTheLinksToo)
{
    RegisterKeyboardCommands(m_frame, m_window, m_document, &m_keyboards);
    OpenNewDatabase();
    AddScale(1, 0);
    AddScale(2, 9);
    test::WhenModalShows([](QWidget& modal) {
        QTest::mouseClick(test::Child<QAbstractButton>(modal, "presetScales"), Qt::LeftButton);
    });
    Trigger(32968);
    EXPECT_EQ(m_keyboards.m_calls, std::vector<std::string>{"presets"});
    test::WhenModalShows([](QWidget& modal) {
        QTest::mouseClick(test::Child<QAbstractButton>(modal, "keyboardPresets"), Qt::LeftButton);
    });
    Trigger(32968);  // the family-9 scale is not offered: the other one is taken
    EXPECT_EQ(m_keyboards.m_opened, (std::vector<KeyboardWindowTarget>{{std::nullopt, 0, 1, 1}}));
}

}  // namespace
}  // namespace varnel
