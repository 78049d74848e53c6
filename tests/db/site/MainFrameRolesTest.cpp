#include "db/site/MainFrame.h"

#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

// With no frame installed a role has no receiver: asking for it stops the program rather than let a
// log line or a send vanish.
TEST(MainFrameRolesDeathTest, ARoleWithoutAFrameStopsTheProgram)
{
    ASSERT_EQ(GetMainFrame(), nullptr);
    EXPECT_DEATH(FrameEventLog().WriteEvent(0, "lost"), "event log");
    EXPECT_DEATH(FrameSendQueue().GetDocument(), "send queue");
    EXPECT_DEATH(FrameCommsStatus().IncCommsState(2), "comms status");
    EXPECT_DEATH(FrameSiteRules().GetGeneralSetup(), "site rules");
}

TEST(MainFrameRolesTest, EachRoleIsTheInstalledFrame)
{
    test::TestMainFrame frame;
    FrameEventLog().WriteEvent(3, "line");
    FrameCommsStatus().IncCommsState(4);
    EXPECT_EQ(frame.m_events.size(), 1U);
    EXPECT_EQ(frame.m_commsStates[4], 1);
    EXPECT_EQ(&FrameSiteRules().GetGeneralSetup(), &frame.m_setup);
    EXPECT_EQ(FrameSendQueue().GetDocument(), frame.m_document);
}

}  // namespace
}  // namespace varnel
