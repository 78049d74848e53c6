// What the frame tells the list editors before they open: whether editing may go on while the links
// are not running, and which extra-message sets the scales carry.
#include "app/MainFrame.h"

#include "MemoryLink.h"
#include "comms/idenq/LinkScale.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(EditorGate, EditingOffLineIsAskedAboutOnlyWhileOnLineCommsWaitForTheLinks)
{
    test::TempDir dir;
    test::RecordingPrompt prompt;
    CMainFrame frame(dir.Path() + "/");
    EXPECT_TRUE(frame.ConfirmOfflineEdit());  // on-line comms not in use

    frame.GeneralSetup().m_onlineComms = 1;
    auto link = std::make_unique<test::MemoryLink>();
    link->m_linkId = 1;
    link->m_enabled = true;
    auto scale = std::make_unique<CLinkScale>();
    scale->m_scaleType = 0;
    scale->m_enabled = true;
    link->m_scales.push_back(std::move(scale));
    frame.Links().Add(std::move(link));
    ASSERT_TRUE(frame.IsOnlineCommsActive());
    prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(frame.ConfirmOfflineEdit());
    EXPECT_TRUE(frame.ConfirmOfflineEdit());
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{31460, 31460}));

    frame.GetRun().linksStarted = true;
    EXPECT_TRUE(frame.ConfirmOfflineEdit());
    EXPECT_EQ(prompt.m_ids.size(), 2u);
}

TEST(EditorGate, TheExtraMessageSetsInUseFollowTheFamiliesAndTheMessageOptions)
{
    test::TempDir dir;
    CMainFrame frame(dir.Path() + "/");
    frame.GeneralSetup().m_defaultScaleFamily = 11;
    frame.RecalcSetupFlags();
    EXPECT_EQ(frame.GetExtraMessageSetsInUse(), (std::array<bool, 3>{true, true, true}));
    frame.GeneralSetup().m_messageFileMapping = {0, 6, 0, 7};  // sets 1 and 3 carry free messages instead
    frame.RecalcSetupFlags();
    EXPECT_EQ(frame.GetExtraMessageSetsInUse(), (std::array<bool, 3>{false, true, false}));
}

}  // namespace
}  // namespace varnel
