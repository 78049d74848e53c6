// Lumen transfers against a simulated Lumen scale over the in-memory line, where the protocol's read
// limits run their course at once: the frames of a send and of a receive, refusals, bad block checks,
// silence, the dialog's handshake and Cancel, the questions before the line opens, and the trace.
#include "InMemoryLine.h"
#include "LumenScaleSimulator.h"
#include "LumenTestDocument.h"
#include "MemoryLumenLink.h"
#include "ScriptedLumenUi.h"
#include "comms/lumen/LumenFrames.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <thread>

namespace varnel::test {
namespace {

using Record = LumenTestDocument::Record;

Bytes Of(std::initializer_list<int> values)
{
    Bytes bytes;
    for (const int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

Bytes Filled(std::size_t size, std::uint8_t first = 0)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(first + i);
    return bytes;
}

const Bytes kAccepted = lumen::ReplyFrame(true, 'I');
const Bytes kRefusal = Of({0x02, '1', '0', '0', 0x03, '1' ^ '0' ^ '0' ^ 0x03});

// How many of the frames are this one.
std::size_t CountOf(const std::vector<Bytes>& frames, const Bytes& frame) { return std::ranges::count(frames, frame); }

class LumenTransfer : public ::testing::Test {
protected:
    void SetUp() override
    {
        link.m_logging = 1;
        link.m_logFile = dir.File("lumen.log");
    }

    MessageId Send()
    {
        sim.Start();
        return link.SendToScale(document, frame.m_setup.m_market, ui);
    }
    MessageId Receive(const std::vector<LumenRecord>& batch)
    {
        sim.SetBatch(batch);
        return ReceiveFrames();
    }
    MessageId ReceiveFrames()
    {
        sim.Start();
        return link.ReceiveFromScale(document, frame.m_setup.m_market, ui);
    }
    std::string Trace() const { return ReadWholeFile(dir.File("lumen.log")); }
    bool Traced(std::string_view text) const { return Trace().find(text) != std::string::npos; }

    TestMainFrame frame;
    RecordingPrompt prompt;
    TempDir dir;
    FakeClock clock;
    InMemoryLine line{clock};
    LumenScaleSimulator sim{line};
    MemoryLumenLink link{line};
    LumenTestDocument document;
    ScriptedLumenUi ui;
};

TEST_F(LumenTransfer, ASendGoesAsCommandsAndBlocksNumberedDownToZero)
{
    document.toSend = {{0, Filled(251)}, {0, Of({7})}, {2, Filled(250, 9)}};
    ASSERT_EQ(Send(), 0u);
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{CLumenLink::kMsgDataSent});

    // A new command only when it changes; 251 bytes as 250 in block 1 and 1 in block 0.
    const std::vector<Bytes> frames = sim.Received();
    ASSERT_EQ(frames.size(), 7u);
    EXPECT_EQ(frames[0], Of({0x02, 0x31, 0x49, 0x03, 0x7B}));
    EXPECT_EQ(frames[1][2], 1);
    EXPECT_EQ(frames[1][3], 250);
    EXPECT_EQ(frames[2][2], 0);
    EXPECT_EQ(frames[2], lumen::DataBlockFrame(0, Of({250 & 0xFF})));
    EXPECT_EQ(frames[3], lumen::DataBlockFrame(0, Of({7})));
    EXPECT_EQ(frames[4], lumen::CommandFrame('S'));
    EXPECT_EQ(frames[5], lumen::DataBlockFrame(0, Filled(250, 9)));
    EXPECT_EQ(frames[6], lumen::CommandFrame('E'));
    EXPECT_EQ(sim.Records(), (std::vector<LumenRecord>{{'I', Filled(251)}, {'I', Of({7})}, {'S', Filled(250, 9)}}));

    // The dialog counted each record fetched, the end of the batch too.
    EXPECT_EQ(ui.caption, "Communicating with Scales");
    EXPECT_EQ(ui.shownAddMode, false);
    EXPECT_EQ(ui.instructionsFor, CLumenLink::kLumenXt);
    EXPECT_EQ(document.fetches, 4u);
    EXPECT_EQ(ui.statusTexts.back(), "Sent 3 records");
}

TEST_F(LumenTransfer, OverwritingSendsSomeLettersInLowerCaseAndMarketFiveSendsO)
{
    struct Case {
        bool addMode;
        std::uint16_t market;
        std::uint32_t command;
        Bytes frame;
    };
    for (const Case& c : {Case{false, 0, 0, Of({0x02, 0x31, 0x69, 0x03, 0x5B})}, Case{true, 0, 0, Of({0x02, 0x31, 0x49, 0x03, 0x7B})},
                          Case{false, 0, 4, lumen::CommandFrame('F')}, Case{false, 5, 6, lumen::CommandFrame('o')},
                          Case{true, 0, 6, lumen::CommandFrame('N')}}) {
        SCOPED_TRACE(c.command);
        FakeClock caseClock;
        InMemoryLine caseLine{caseClock};
        LumenScaleSimulator scale{caseLine};
        MemoryLumenLink caseLink{caseLine};
        LumenTestDocument caseDocument;
        caseDocument.toSend = {{c.command, Of({1})}};
        frame.m_setup.m_market = c.market;
        ui.addModeAnswer = c.addMode;
        scale.Start();
        ASSERT_EQ(caseLink.SendToScale(caseDocument, frame.m_setup.m_market, ui), 0u);
        EXPECT_EQ(scale.Received().front(), c.frame);
    }
}

TEST_F(LumenTransfer, WithoutTheQuestionASendAdds)
{
    link.m_askAddMode = false;
    document.toSend = {{1, Of({1})}};
    ASSERT_EQ(Send(), 0u);
    EXPECT_FALSE(ui.shownAddMode);
    EXPECT_TRUE(link.m_addMode);
    EXPECT_EQ(sim.Received().front(), lumen::CommandFrame('M'));
}

TEST_F(LumenTransfer, DecliningTheQuestionOrTheInstructionsEndsBeforeTheLineOpens)
{
    // A line that would not open answers 61326: the transfers end before they try it.
    line.RefuseConnections(true);
    ui.addModeAnswer = std::nullopt;
    EXPECT_EQ(link.SendToScale(document, frame.m_setup.m_market, ui), CLumenLink::kMsgCancelled);
    EXPECT_FALSE(ui.instructionsFor);
    ui.addModeAnswer = true;
    ui.startAnswer = false;
    EXPECT_EQ(link.SendToScale(document, frame.m_setup.m_market, ui), CLumenLink::kMsgCancelled);
    EXPECT_EQ(document.fetches, 0u);
    EXPECT_TRUE(prompt.m_ids.empty());
    ui.startAnswer = true;
    EXPECT_EQ(link.SendToScale(document, frame.m_setup.m_market, ui), CLumenLink::kMsgCannotOpen);
}

TEST_F(LumenTransfer, ARefusedFrameGoesAgainAtMostThreeTimes)
{
    document.toSend = {{0, Of({1, 2})}};
    // The command is refused once, then the block twice: each gets through.
    sim.SetFaults([](LumenScaleFaults& f) { f.refuse = [](std::size_t index) { return index == 0 || index == 2 || index == 3; }; });
    ASSERT_EQ(Send(), 0u);
    EXPECT_EQ(CountOf(sim.Received(), lumen::CommandFrame('I')), 2u);
    EXPECT_EQ(CountOf(sim.Received(), lumen::DataBlockFrame(0, Of({1, 2}))), 3u);
    EXPECT_EQ(sim.Records(), (std::vector<LumenRecord>{{'I', Of({1, 2})}}));

    // Always refused: three sends, then 31491.
    sim.SetFaults([](LumenScaleFaults& f) { f.refuse = [](std::size_t index) { return index >= 6; }; });
    document.next = 0;
    EXPECT_EQ(link.SendToScale(document, frame.m_setup.m_market, ui), CLumenLink::kMsgCommsAborted);
    EXPECT_EQ(sim.Received().size(), 6u + 3u);
    EXPECT_TRUE(Traced("Error : Max. retries exceeded"));
    EXPECT_TRUE(Traced("Error : Error sending scale command"));
}

TEST_F(LumenTransfer, AScaleThatNeverAnswersIsAskedThreeTimesOverAThousandReadsEach)
{
    document.toSend = {{0, Of({1})}};
    sim.SetFaults([](LumenScaleFaults& f) { f.ignore = [](std::size_t) { return true; }; });
    const auto start = clock.MonotonicNow();
    EXPECT_EQ(Send(), CLumenLink::kMsgCommsAborted);
    EXPECT_EQ(sim.Received().size(), 3u);
    // Each empty read of the in-memory line is a second.
    EXPECT_EQ(std::chrono::duration_cast<std::chrono::seconds>(clock.MonotonicNow() - start).count(), 3000);
    const std::string trace = Trace();
    std::size_t timeouts = 0;
    for (std::size_t at = 0; (at = trace.find("Receive Timeout waiting for ACK", at)) != std::string::npos; ++at) ++timeouts;
    EXPECT_EQ(timeouts, 3u);
}

TEST_F(LumenTransfer, AReceiveStoresEachRecordUnderItsCommand)
{
    const std::vector<LumenRecord> batch{{'I', Filled(300)}, {'I', Of({5})}, {'m', Of({1, 2})}, {'K', Filled(2048)}};
    ASSERT_EQ(Receive(batch), 0u);
    EXPECT_EQ(document.stored, (std::vector<Record>{{0, Filled(300)}, {0, Of({5})}, {1, Of({1, 2})}, {8, Filled(2048)}}));
    EXPECT_TRUE(prompt.m_ids.empty());
    ASSERT_TRUE(sim.WaitExchanges(1));
    // Each frame accepted: a command with its own letter (a lower-case one too), a block with the command's.
    const std::vector<Bytes> replies = sim.Received();
    EXPECT_EQ(replies.front(), kAccepted);
    EXPECT_EQ(CountOf(replies, lumen::ReplyFrame(true, 'm')), 1u);
    EXPECT_EQ(CountOf(replies, lumen::ReplyFrame(true, 'M')), 1u);
    EXPECT_EQ(CountOf(replies, kRefusal), 0u);

    EXPECT_EQ(ui.caption, "Communicating with Scale (LumenXT)");
    EXPECT_EQ(ui.statusTexts.back(), "Received 3 records");
    EXPECT_FALSE(ui.instructionsShown.back());
    EXPECT_FALSE(ui.shownAddMode);
    EXPECT_FALSE(ui.instructionsFor);
}

TEST_F(LumenTransfer, ARecordLongerThanTheBufferEndsTheReceiveUnstored)
{
    EXPECT_EQ(Receive({{'I', Of({1})}, {'I', Filled(2049)}, {'I', Of({2})}}), CLumenLink::kMsgCommsAborted);
    EXPECT_EQ(document.stored, (std::vector<Record>{{0, Of({1})}}));
    EXPECT_TRUE(Traced("Error : Received record too long"));
}

TEST_F(LumenTransfer, ABadBlockCheckIsRefusedAndTheFrameAwaitedAgain)
{
    // The first block comes twice with a bad check, then sound; a bad command is simply refused.
    sim.SetFaults([](LumenScaleFaults& f) { f.badCheck = [](std::size_t index) { return index == 0 || index == 2 || index == 3; }; });
    ASSERT_EQ(Receive({{'S', Of({1, 2, 3})}}), 0u);
    EXPECT_EQ(document.stored, (std::vector<Record>{{2, Of({1, 2, 3})}}));
    ASSERT_TRUE(sim.WaitExchanges(1));
    EXPECT_EQ(CountOf(sim.Received(), kRefusal), 3u);
}

TEST_F(LumenTransfer, ABlockThatNeverComesSoundEndsTheReceive)
{
    sim.SetFaults([](LumenScaleFaults& f) { f.badCheck = [](std::size_t index) { return index >= 1; }; });
    EXPECT_EQ(Receive({{'S', Of({1, 2, 3})}}), CLumenLink::kMsgCommsAborted);
    EXPECT_TRUE(document.stored.empty());
    EXPECT_TRUE(Traced("Error : Max. retries exceeded"));
}

TEST_F(LumenTransfer, AScaleFallingSilentInsideTheBatchTimesOut)
{
    // The command and the first of two blocks come, then nothing.
    sim.SetFaults([](LumenScaleFaults& f) { f.silentAfter = 2; });
    const auto start = clock.MonotonicNow();
    EXPECT_EQ(Receive({{'I', Filled(300)}}), CLumenLink::kMsgTimeout);
    EXPECT_TRUE(document.stored.empty());
    EXPECT_TRUE(Traced("Error : Receive Timeout"));
    EXPECT_EQ(std::chrono::duration_cast<std::chrono::seconds>(clock.MonotonicNow() - start).count(), 1000);
}

TEST_F(LumenTransfer, TheFirstFrameIsAwaitedUntilTheUserCancels)
{
    sim.SetFaults([](LumenScaleFaults& f) { f.silentAfter = 0; });
    // The dialog stays up while the link waits through five read limits, then the user cancels.
    ui.afterShown = [this](LumenProgressForm&) {
        while (clock.MonotonicNow() < std::chrono::steady_clock::time_point(std::chrono::seconds(5000)))
            std::this_thread::yield();
        return false;
    };
    EXPECT_EQ(Receive({{'I', Of({1})}}), CLumenLink::kMsgCancelled);
    EXPECT_TRUE(document.stored.empty());
    EXPECT_FALSE(Traced("Receive Timeout"));
}

TEST_F(LumenTransfer, ABlockBeforeAnyCommandIsAProtocolError)
{
    sim.SetFrames({lumen::DataBlockFrame(0, Of({1})), lumen::CommandFrame('E')});
    EXPECT_EQ(ReceiveFrames(), CLumenLink::kMsgCommsAborted);
    EXPECT_TRUE(Traced("Error : Packet received but no command"));
    EXPECT_TRUE(document.stored.empty());
}

TEST_F(LumenTransfer, ACommandInsideARecordEndsTheReceiveWithoutStoringIt)
{
    sim.SetFrames({lumen::CommandFrame('I'), lumen::DataBlockFrame(1, Of({1})), lumen::CommandFrame('M'),
                   lumen::CommandFrame('E')});
    EXPECT_EQ(ReceiveFrames(), CLumenLink::kMsgCommsAborted);
    EXPECT_TRUE(Traced("Error : Command received inside a record"));
    EXPECT_TRUE(document.stored.empty());
}

TEST_F(LumenTransfer, ARecordTheDocumentRefusesEndsTheReceive)
{
    document.storeAnswer = false;
    EXPECT_EQ(Receive({{'I', Of({1})}, {'I', Of({2})}}), CLumenLink::kMsgCommsAborted);
    EXPECT_EQ(document.stored.size(), 1u);
    EXPECT_TRUE(Traced("Error : Error processing received record"));
}

TEST_F(LumenTransfer, AFetchTheDialogDoesNotAnswerInFiveSecondsEndsTheSend)
{
    document.toSend = {{0, Of({1})}, {0, Of({2})}};
    // The second fetch waits past its five seconds; the dialog answers it only after the link gave up,
    // when the answer must no longer reach the document.
    ui.beforePosts = [this](LumenProgressForm& form) {
        if (form.GetCounter() == 0) {
            clock.Advance(std::chrono::seconds(5));
            form.WaitForPost(2);
        }
        return true;
    };
    EXPECT_EQ(Send(), CLumenLink::kMsgCommsAborted);
    EXPECT_EQ(document.fetches, 1u);
    EXPECT_EQ(sim.Records(), (std::vector<LumenRecord>{{'I', Of({1})}}));
    EXPECT_TRUE(Traced("Error : Error getting data to send"));
}

TEST_F(LumenTransfer, CancelEndsTheTransferAtOnceEvenWhileTheLinkAwaitsTheDialog)
{
    document.toSend = {{0, Of({1})}, {0, Of({2})}, {0, Of({3})}};
    // Cancel with the second fetch unanswered: the link is waiting for the dialog and the clock stands still.
    ui.beforePosts = [](LumenProgressForm& form) { return form.GetCounter() < 0; };
    EXPECT_EQ(Send(), CLumenLink::kMsgCancelled);
    EXPECT_EQ(sim.Records().size(), 1u);
    EXPECT_EQ(link.GetResult(), CLumenLink::ResultCancelled);
    EXPECT_TRUE(prompt.m_ids.empty());
}

TEST_F(LumenTransfer, TheTraceDumpsEveryFrameAndNamesEveryError)
{
    document.toSend = {{0, Of({0x41, 0x10, 0xE9})}};
    ASSERT_EQ(Send(), 0u);
    const std::string trace = Trace();
    EXPECT_NE(trace.find("  Send: Data length = 5\r\n"
                         "02 31 49 03 7b                                    .1I.{\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(trace.find("  Received: Data length = 6\r\n"
                         "02 31 31 49 03 4a                                 .11I.J\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(trace.find("  Send: Data length = 9\r\n"
                         "02 31 00 03 41 10 e9 03 89                        .1..A.\xE9.\x89\r\n\r\n"),
              std::string::npos);

    link.m_logging = 0;
    const std::size_t before = Trace().size();
    document.next = 0;
    ASSERT_EQ(link.SendToScale(document, frame.m_setup.m_market, ui), 0u);
    EXPECT_EQ(Trace().size(), before);
}

TEST(LumenProgressForm, TheCaptionFollowsTheModeAndTheScaleAndAClosedDialogTakesNoMorePosts)
{
    MemoryLumenLink link;
    EXPECT_EQ(LumenProgressForm(link, CLumenLink::ModeSend, CLumenLink::kLumen).GetCaption(), "Communicating with Scales");
    EXPECT_EQ(LumenProgressForm(link, CLumenLink::ModeReceive, CLumenLink::kLumen).GetCaption(),
              "Communicating with Scale (Lumen)");
    LumenProgressForm form(link, CLumenLink::ModeReceive, CLumenLink::kLumenXt);
    EXPECT_EQ(form.GetCaption(), "Communicating with Scale (LumenXT)");
    EXPECT_EQ(form.GetCounter(), -1);
    EXPECT_TRUE(form.ShowsInstructions());
    std::size_t wakes = 0;
    form.SetWake([&wakes] { ++wakes; });
    form.Post(CLumenLink::kProgressMessage, CLumenLink::ProgressStore, 0);
    form.Post(CLumenLink::kProgressMessage + 1, CLumenLink::ProgressStore, 0);  // not the link's message
    form.Dispatch();
    EXPECT_EQ(wakes, 1u);
    EXPECT_EQ(form.GetStatusText(), "Received 0 records");
    EXPECT_FALSE(form.ShowsInstructions());
    form.Post(CLumenLink::kProgressMessage, CLumenLink::ProgressClose, 0);
    form.Post(CLumenLink::kProgressMessage, CLumenLink::ProgressStore, 0);
    form.Dispatch();
    EXPECT_EQ(form.GetOutcome(), true);
    EXPECT_EQ(form.GetCounter(), 0);
}

}  // namespace
}  // namespace varnel::test
