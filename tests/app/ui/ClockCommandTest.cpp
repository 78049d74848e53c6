// "&Date and Time" from its action: enabled only while on-line comms can be used, it queues one clock
// record that reaches a block scale on loopback TCP and logs 20575.
#include "app/ui/ClockCommand.h"

#include "BlockScaleSimulator.h"
#include "FrameCommandsFixture.h"
#include "LinkWaits.h"
#include "RealScaleLine.h"
#include "app/ui/MainFrameWindow.h"

#include <algorithm>
#include <cctype>

namespace varnel {
namespace {

using ClockCommandTest = test::FrameCommandsFixture;

// A family-10 clock record's text: "YYYYMMDDhhmm,".
bool EndsInClockText(const test::Bytes& payload)
{
    constexpr std::size_t kText = 13;
    if (payload.size() < kText || payload.back() != ',') return false;
    return std::all_of(payload.end() - kText, payload.end() - 1, [](std::uint8_t byte) { return std::isdigit(byte); });
}

TEST_F(ClockCommandTest, SendsTheClockToTheScalesAndLogsIt)
{
    test::TcpScaleLine line{nullptr};
    test::BlockScaleSimulator scale{line, sorrel::Form::Long};
    scale.Start();
    AddLoopbackBlockScale(line.Port(), 21, 10);
    m_frame.EventLog().LoggingOn = 1;
    m_frame.EventLog().LogGeneral = 1;
    m_frame.EventLog().LogFile = m_dir.File("events.log");

    MainFrameWindow window(m_model, m_commands);
    RegisterClockCommand(window, m_document);
    m_frame.GeneralSetup().m_onlineComms = 0;
    m_commands.UpdateActions();
    EXPECT_FALSE(m_commands.Action(32790)->isEnabled());
    m_frame.GeneralSetup().m_onlineComms = 1;
    m_commands.UpdateActions();
    ASSERT_TRUE(m_commands.Action(32790)->isEnabled());

    m_frame.Links().StartLinks(&m_document, LinkRoles::Of(m_frame), false);
    ASSERT_TRUE(test::WaitUntilIdle(m_frame.Links()));
    const std::size_t before = scale.Messages().size();
    m_commands.Action(32790)->trigger();
    ASSERT_TRUE(test::WaitUntilSent(m_frame.Links()));

    const std::vector<test::BlockMessage> messages = scale.Messages();
    const auto clock = std::find_if(messages.begin() + static_cast<std::ptrdiff_t>(before), messages.end(),
                                    [](const test::BlockMessage& message) { return EndsInClockText(message.payload); });
    EXPECT_NE(clock, messages.end());
    EXPECT_NE(test::ReadWholeFile(m_dir.File("events.log")).find("Sent date and time to scales."), std::string::npos);
    EXPECT_TRUE(m_prompt.m_ids.empty());
    (void)m_frame.Links().StopLinks(false);
}

}  // namespace
}  // namespace varnel
