// The transfer commands from their actions: the comms status opens the Communication Center only
// with a link and on-line comms, and Compare PLUs runs the compare on the scales of the site.
#include "app/ui/TransferCommandWindows.h"

#include "FrameCommandsFixture.h"
#include "ScriptedCommsDialogs.h"
#include "app/ComparePlusCommand.h"
#include "app/ui/MainFrameWindow.h"
#include "comms/center/ScaleCommsForm.h"

namespace varnel {
namespace {

class TransferCommandWindowsTest : public test::FrameCommandsFixture {
protected:
    TransferCommandWindowsTest()
    {
        OpenNewDatabase();
        RegisterTransferCommands(m_frame, window, m_document);
        dialogs.scaleComms = [](ScaleCommsForm& form) {
            form.RunUnseen();
            return true;
        };
        dialogs.commCenter = [this](CommCenterForm&) {
            ++commCenters;
            return false;
        };
    }

    bool Enabled(std::uint32_t command)
    {
        m_commands.UpdateActions();
        return m_commands.Action(command)->isEnabled();
    }

    MainFrameWindow window{m_model, m_commands};
    test::ScriptedCommsDialogs dialogs;
    int commCenters = 0;
};

TEST_F(TransferCommandWindowsTest, TheCommsStatusNeedsALinkAndOnLineComms)
{
    EXPECT_FALSE(Enabled(Commands::kShowCommsStatus));
    AddLoopbackBlockScale(1, 21, 10);
    ASSERT_TRUE(Enabled(Commands::kShowCommsStatus));
    m_commands.Action(Commands::kShowCommsStatus)->trigger();
    EXPECT_EQ(commCenters, 1);
    m_frame.GeneralSetup().m_onlineComms = 0;
    EXPECT_FALSE(Enabled(Commands::kShowCommsStatus));
}

TEST_F(TransferCommandWindowsTest, ComparePlusWithoutScalesFindsNothingToShow)
{
    ASSERT_TRUE(Enabled(Commands::kComparePlus));
    m_commands.Action(Commands::kComparePlus)->trigger();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{kMsgSamePlus});
}

}  // namespace
}  // namespace varnel
