// The block link driven by the link manager against a simulated block scale on loopback TCP, in both
// forms: polls, sends cut into blocks, refusals and faults, receives (paged too), clearing production
// totals, and the link's archive form and setup lines.
#include "BlockScaleSimulator.h"
#include "LinkTestData.h"
#include "LinkWaits.h"
#include "RealScaleLine.h"
#include "RecordingWindow.h"
#include "SimulatedSite.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/sorrel/SorrelSocketLink.h"
#include "platform/ArchiveBytes.h"
#include "settings/SettingsArchive.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

using sorrel::Form;

constexpr std::uint32_t kDone = CIdEnqLink::ResultDone;
constexpr std::uint32_t kReceived = CIdEnqLink::ResultReceiveDone;
constexpr std::uint16_t kTable = 3;

Bytes Of(std::initializer_list<int> values)
{
    Bytes bytes;
    for (const int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

Bytes Header(const sorrel::Header& header) { return Bytes(header.begin(), header.end()); }

// The records of the table's rows, back to back, as a block carries them.
Bytes RecordsOf(std::initializer_list<std::uint32_t> keys, char kind = 'P', std::string_view body = "row")
{
    Bytes records;
    for (const std::uint32_t key : keys) {
        const Bytes record = ScaleRecordOf(kind, key, body);
        records.insert(records.end(), record.begin(), record.end());
    }
    return records;
}

std::vector<std::uint16_t> CodesOf(const std::vector<BlockMessage>& messages)
{
    std::vector<std::uint16_t> codes;
    for (const BlockMessage& message : messages) codes.push_back(message.code);
    return codes;
}

// The link, its scale and the simulated scale of one form: family 8 speaks the short form, 10 the long.
class BlockLink : public ::testing::TestWithParam<Form> {
protected:
    void SetUp() override
    {
        frame.m_setup.m_usePing = 0;
        document.m_database.Table(kTable).AddRows({1, 3, 17, 42, 99});
        sim.Start();
        auto made = std::make_unique<CSorrelSocketLink>(clock, RealFileSystem(), pinger);
        made->m_linkId = 1;
        made->m_enabled = true;
        made->m_name = "Deli";
        made->m_address = {127, 0, 0, 1};
        made->m_port = line.Port();
        made->m_logging = true;
        made->m_logFile = dir.File("block.log");
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleNo = 21;
        scale->m_enabled = true;
        scale->m_scaleType = Family();
        scale->m_name = "Scale 21";
        made->m_scales.push_back(std::move(scale));
        link = made.get();
        links.Add(std::move(made));
    }
    void TearDown() override { links.StopLinks(false); }

    std::uint16_t Family() const { return GetParam() == Form::Long ? 10 : 8; }
    bool IsShort() const { return GetParam() == Form::Short; }
    void Start()
    {
        links.StartLinks(&document, LinkRoles::Of(frame), false);
        ASSERT_TRUE(WaitUntilIdle(links));
    }
    // The messages after the start's poll (a status poll in the short form, nothing in the long).
    std::vector<BlockMessage> MessagesAfterPoll() const
    {
        std::vector<BlockMessage> messages = sim.Messages();
        if (IsShort() && !messages.empty() && messages.front().code == sorrel::kStatusPoll)
            messages.erase(messages.begin());
        return messages;
    }
    // The codes of a send's messages: start and end of transfer around the blocks in the short form.
    std::vector<std::uint16_t> SendCodes(std::vector<std::uint16_t> blocks) const
    {
        if (!IsShort()) return blocks;
        blocks.insert(blocks.begin(), sorrel::kStartOfTransfer);
        blocks.push_back(sorrel::kEndOfTransfer);
        return blocks;
    }
    MessageId Send(const SendRequests& jobs)
    {
        RecordingWindow window;
        links.QueueJob(nullptr, jobs, &window);
        EXPECT_TRUE(window.WaitFor(kDone));
        EXPECT_TRUE(WaitUntilIdle(links));
        return link->GetCommsError();
    }
    MessageId ReceiveKind(std::uint16_t kind)
    {
        RecordingWindow window;
        links.ReceiveData(nullptr, kind, &window);
        EXPECT_TRUE(window.WaitFor(kReceived));
        EXPECT_TRUE(WaitUntilIdle(links));
        return link->FinishReceive();
    }
    std::string Trace() const { return ReadWholeFile(dir.File("block.log")); }
    CLinkScale& Scale() const { return *link->m_scales.front(); }

    TestMainFrame frame;
    LinkTestDocument document{frame};
    FakeClock clock;
    ScriptedPinger pinger;
    TempDir dir;
    TcpScaleLine line{&clock};
    BlockScaleSimulator sim{line, GetParam()};
    CIdEnqLinkList links{clock, RealFileSystem()};
    CSorrelSocketLink* link = nullptr;
};

TEST_P(BlockLink, TheStartPollsTheScaleAndASendGoesInOneBlock)
{
    Start();
    EXPECT_TRUE(Scale().IsOnline());
    EXPECT_EQ(CodesOf(sim.Messages()), IsShort() ? std::vector<std::uint16_t>{91} : std::vector<std::uint16_t>{});

    ASSERT_EQ(Send({CSendDataLog(SendRecords, kTable, 1, 50)}), 0u);
    const std::vector<BlockMessage> messages = MessagesAfterPoll();
    ASSERT_EQ(CodesOf(messages), SendCodes({0}));
    const BlockMessage& block = messages[IsShort() ? 1 : 0];
    const Bytes records = RecordsOf({1, 3, 17, 42});
    EXPECT_EQ(block.payload, records);
    EXPECT_EQ(Bytes(block.wire.begin(), block.wire.begin() + 8),
              Header(sorrel::BlockHeader(GetParam(), 0, static_cast<std::uint32_t>(records.size()))));
    EXPECT_FALSE(links.IsDataWaiting(nullptr));
    EXPECT_EQ(Scale().GetRecordCounter(), 4u);
    // The short form connects anew for every exchange: poll, start, block, end.
    EXPECT_EQ(sim.Connections(), IsShort() ? 4u : 2u);
}

TEST_P(BlockLink, JobsAreCutIntoBlocksByCountKindAndTable)
{
    link->m_recordsPerBlock = 2;
    document.m_database.Table(4).AddRows({7});
    Start();
    ASSERT_EQ(Send({CSendDataLog(SendRecords, kTable, 1, 99), CSendDataLog(SendRecords, kTable, 1, 1),
                    CSendDataLog(SendKeyDeletes, kTable, 5, 6), CSendDataLog(SendRecords, 4, 1, 9)}),
              0u);
    const std::vector<BlockMessage> messages = MessagesAfterPoll();
    std::vector<Bytes> payloads;
    for (const BlockMessage& message : messages)
        if (!message.payload.empty()) payloads.push_back(message.payload);
    // Two records a block; the second job of the same kind and table fills the third block.
    EXPECT_EQ(payloads, (std::vector<Bytes>{RecordsOf({1, 3}), RecordsOf({17, 42}), RecordsOf({99, 1}),
                                            RecordsOf({5, 6}, 'D', ""), RecordsOf({7})}));
    EXPECT_FALSE(links.IsDataWaiting(nullptr));
}

TEST_P(BlockLink, ARecordThatWouldPassTheByteLimitOpensTheNextBlock)
{
    // Two records a block allow 440 bytes. Records of 150, 305, 500 and 150 bytes: each would pass the
    // limit behind the one before, so each opens a block, and the 500-byte record goes alone.
    link->m_recordsPerBlock = 2;
    const std::string mid(145, 'm');
    const std::string big(300, 'b');
    const std::string huge(495, 'h');
    document.m_database.Table(5).AddRows({1, 4}, mid);
    document.m_database.Table(5).AddRows({2}, big);
    document.m_database.Table(5).AddRows({3}, huge);
    Start();
    ASSERT_EQ(Send({CSendDataLog(SendRecords, 5, 1, 4)}), 0u);
    std::vector<Bytes> payloads;
    for (const BlockMessage& message : MessagesAfterPoll())
        if (!message.payload.empty()) payloads.push_back(message.payload);
    EXPECT_EQ(payloads, (std::vector<Bytes>{RecordsOf({1}, 'P', mid), RecordsOf({2}, 'P', big),
                                            RecordsOf({3}, 'P', huge), RecordsOf({4}, 'P', mid)}));
    EXPECT_FALSE(links.IsDataWaiting(nullptr));
}

TEST_P(BlockLink, RefusedBlocksLeaveTheQueueAndTheSendGoesOn)
{
    struct Case {
        std::uint16_t first, second;
        MessageId result;
    };
    for (const Case& c : {Case{5, 5, 31457}, Case{5, 3, 61456}}) {
        SCOPED_TRACE(c.result);
        link->m_recordsPerBlock = 2;
        std::size_t blocks = 0;
        sim.SetScript([&blocks, c](const BlockMessage& message, std::size_t) -> std::optional<BlockAnswer> {
            if (message.payload.empty() || blocks++ != 0) return std::nullopt;
            return BlockAnswer::Refuse(c.first, c.second, 20003);
        });
        Start();
        EXPECT_EQ(Send({CSendDataLog(SendRecords, kTable, 1, 99)}), c.result);
        EXPECT_EQ(blocks, 3u);
        EXPECT_FALSE(links.IsDataWaiting(nullptr));
        EXPECT_EQ(link->GetLastScaleError(), 20003);
        EXPECT_NE(Trace().find("NAK received from scale - "), std::string::npos);
        links.StopLinks(false);
    }
}

TEST_P(BlockLink, AReplyHeaderOfAnotherLengthIsTracedAndFlushed)
{
    sim.SetScript([](const BlockMessage& message, std::size_t) -> std::optional<BlockAnswer> {
        if (message.payload.empty()) return std::nullopt;
        return BlockAnswer::WrongLength(ToBytes("junk!"));
    });
    Start();
    EXPECT_EQ(Send({CSendDataLog(SendRecords, kTable, 1, 3)}), 0u);
    EXPECT_FALSE(links.IsDataWaiting(nullptr));
    EXPECT_NE(Trace().find("Received data length invalid: len = 5"), std::string::npos);
    EXPECT_NE(Trace().find("Attempted to flush buffer:"), std::string::npos);
}

TEST_P(BlockLink, RepliesAreAwaitedFiveSecondsForACommandAndFiveMinutesForABlock)
{
    Start();
    // A block answered after four minutes is delivered.
    sim.SetScript([](const BlockMessage& message, std::size_t) -> std::optional<BlockAnswer> {
        if (message.payload.empty()) return std::nullopt;
        return BlockAnswer::Late(240);
    });
    EXPECT_EQ(Send({CSendDataLog(SendRecords, kTable, 1, 3)}), 0u);
    EXPECT_FALSE(links.IsDataWaiting(nullptr));

    // A block never answered times out and stays queued.
    sim.SetScript([](const BlockMessage& message, std::size_t) -> std::optional<BlockAnswer> {
        if (message.payload.empty()) return std::nullopt;
        return BlockAnswer::Of(BlockAnswer::Kind::Silent);
    });
    EXPECT_EQ(Send({CSendDataLog(SendRecords, kTable, 1, 3)}), CIdEnqLink::kMsgTimeout);
    EXPECT_TRUE(links.IsDataWaiting(nullptr));
    EXPECT_NE(Trace().find("Communication link to scales timed out. (Waiting for 8 bytes - received 0 bytes)"),
              std::string::npos);
    if (!IsShort()) return;

    // A status poll answered after six seconds is a time-out; the scale goes off-line.
    sim.SetScript([](const BlockMessage& message, std::size_t) -> std::optional<BlockAnswer> {
        if (message.code != sorrel::kStatusPoll) return std::nullopt;
        return BlockAnswer::Late(6);
    });
    RecordingWindow window;
    links.TestLinks(nullptr, &window);
    ASSERT_TRUE(window.WaitFor(kDone));
    EXPECT_FALSE(Scale().IsOnline());
    EXPECT_EQ(Scale().GetLastResult(), CIdEnqLink::kMsgTimeout);
}

TEST_P(BlockLink, ABusyScaleIsOnLineButTakesNoBlocks)
{
    if (!IsShort()) GTEST_SKIP() << "the long form has no start of transfer";
    sim.SetScript([](const BlockMessage& message, std::size_t) -> std::optional<BlockAnswer> {
        if (message.code == sorrel::kStartOfTransfer || message.code == sorrel::kStatusPoll)
            return BlockAnswer::Refuse(0, 0);
        return std::nullopt;
    });
    Start();
    EXPECT_TRUE(Scale().IsOnline());
    EXPECT_EQ(Send({CSendDataLog(SendRecords, kTable, 1, 3)}), CIdEnqLink::kMsgScaleBusy);
    EXPECT_EQ(CodesOf(MessagesAfterPoll()), (std::vector<std::uint16_t>{80, 81}));
    EXPECT_TRUE(links.IsDataWaiting(nullptr));
}

TEST_P(BlockLink, AConnectionDroppedInsideABlockLosesNothing)
{
    link->m_recordsPerBlock = 2;
    std::size_t blocks = 0;
    sim.SetScript([&blocks](const BlockMessage& message, std::size_t) -> std::optional<BlockAnswer> {
        if (message.payload.empty() || blocks++ != 1) return std::nullopt;
        return BlockAnswer::Of(BlockAnswer::Kind::Drop);
    });
    Start();
    EXPECT_EQ(Send({CSendDataLog(SendRecords, kTable, 1, 99)}), CIdEnqLink::kMsgCommsError);
    EXPECT_TRUE(links.IsDataWaiting(nullptr));
    // The rerun starts after what was delivered.
    RecordingWindow resend;
    links.SendUnsentData(nullptr, &resend);
    ASSERT_TRUE(resend.WaitFor(kDone));
    ASSERT_TRUE(WaitUntilIdle(links));
    std::vector<Bytes> payloads;
    for (const BlockMessage& message : MessagesAfterPoll())
        if (!message.payload.empty()) payloads.push_back(message.payload);
    EXPECT_EQ(payloads, (std::vector<Bytes>{RecordsOf({1, 3}), RecordsOf({17, 42}), RecordsOf({17, 42}), RecordsOf({99})}));
    EXPECT_FALSE(links.IsDataWaiting(nullptr));
}

TEST_P(BlockLink, AReceiveCollectsTheRecordsOfTheReplyBlock)
{
    const std::uint16_t requestCode = IsShort() ? 50 : 2001;
    sim.SetRecords(requestCode, IsShort() ? 30 : 2001, {ToBytes("plu one"), ToBytes(""), ToBytes("plu two")});
    Start();
    ASSERT_EQ(ReceiveKind(0), 0u);
    ASSERT_EQ(document.m_stored.size(), 2u);
    EXPECT_EQ(document.m_stored[0], (LinkTestDocument::Stored{0, 21, ToBytes("plu one")}));
    EXPECT_EQ(document.m_stored[1].packet, ToBytes("plu two"));
    const std::vector<BlockMessage> messages = MessagesAfterPoll();
    ASSERT_EQ(CodesOf(messages), IsShort() ? (std::vector<std::uint16_t>{80, 50, 81}) : std::vector<std::uint16_t>{2001});
    // The short form asks with the file code; the long form asks from record 0.
    EXPECT_EQ(messages[IsShort() ? 1 : 0].wire,
              IsShort() ? Of({0x50, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0})
                        : Of({0x20, 0x01, 0, 0, 0, 0, 0, 18, 0x20, 0x01, 1, 0, 0, 0, 0, 2, '0', ','}));
}

TEST_P(BlockLink, ARecordLongerThanItsBlockEndsTheReceiveWithAnError)
{
    const std::uint16_t requestCode = IsShort() ? 50 : 2001;
    // The record header claims 200 bytes; 3 follow.
    sim.SetRawReply(requestCode, IsShort() ? Of({0x30, 0, 0, 0, 0, 0, 200, 0, 'a', 'b', 'c'})
                                           : Of({0x20, 0x01, 0, 0, 0, 0, 0, 200, 'a', 'b', 'c'}));
    Start();
    EXPECT_EQ(ReceiveKind(0), CIdEnqLink::kMsgCommsError);
    EXPECT_TRUE(document.m_stored.empty());
    EXPECT_NE(Trace().find("Received record length invalid: len = 200"), std::string::npos);
}

TEST_P(BlockLink, ARefusedRequestIsTheScalesErrorUnlessItHasNoData)
{
    const std::uint16_t requestCode = IsShort() ? 50 : 2001;
    std::uint16_t error = 20001;
    sim.SetScript([&](const BlockMessage& message, std::size_t) -> std::optional<BlockAnswer> {
        if (message.code != requestCode) return std::nullopt;
        return BlockAnswer::Refuse(0, 0, error);
    });
    Start();
    EXPECT_EQ(ReceiveKind(0), 0u);
    error = 20002;
    EXPECT_EQ(ReceiveKind(0), CSorrelSocketLink::kMsgScaleReportedError);
    EXPECT_EQ(link->GetLastScaleError(), 20002);
}

TEST_P(BlockLink, ProductionTotalsAreClearedAfterTheyWereRead)
{
    const std::uint16_t requestCode = IsShort() ? 61 : 2031;
    sim.SetRecords(requestCode, requestCode, {ToBytes("totals")});
    Start();
    ASSERT_EQ(ReceiveKind(14), 0u);
    std::vector<BlockMessage> messages = MessagesAfterPoll();
    ASSERT_FALSE(messages.empty());
    const Bytes expected = IsShort() ? Of({0x11, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0})
                                     : Of({0x00, 0x31, 0, 0, 0, 0, 0, 0x12, 0x00, 0x31, 0, 0, 0, 0, 0, 0x02, 0x30, 0x2C});
    EXPECT_EQ(messages[IsShort() ? 2 : 1].wire, expected);

    // Kept when the setup says so.
    frame.m_setup.m_keepProductionAfterLoad = 1;
    const std::size_t before = sim.Messages().size();
    ASSERT_EQ(ReceiveKind(14), 0u);
    EXPECT_EQ(sim.Messages().size() - before, IsShort() ? 3u : 1u);
}

TEST_P(BlockLink, AMasterSatelliteSendToATr5400EndsWith3019)
{
    if (IsShort()) GTEST_SKIP() << "family 10 speaks the long form";
    frame.m_setup.m_tr5400MasterSatellite = 1;
    Start();
    ASSERT_EQ(Send({CSendDataLog(SendRecords, kTable, 1, 3)}), 0u);
    const std::vector<BlockMessage> messages = sim.Messages();
    ASSERT_EQ(CodesOf(messages), (std::vector<std::uint16_t>{0, 3019}));
    EXPECT_EQ(messages[1].wire, Of({0x30, 0x19, 0, 0, 0, 0, 0, 0x08}));
}

INSTANTIATE_TEST_SUITE_P(Forms, BlockLink, ::testing::Values(Form::Short, Form::Long),
                         [](const ::testing::TestParamInfo<Form>& param) {
                             return param.param == Form::Short ? "Short" : "Long";
                         });

TEST(SorrelSocketLink, MessageTwentyEightScalesAreAskedForPagesOfPlus)
{
    TestMainFrame frame;
    frame.m_setup.m_usePing = 0;
    LinkTestDocument document{frame};
    FakeClock clock;
    ScriptedPinger pinger;
    TcpScaleLine line{&clock};
    BlockScaleSimulator sim{line, Form::Short};
    sim.SetRecords(28, 30, {ToBytes("p1"), ToBytes("p2")});
    sim.Start();
    CIdEnqLinkList links{clock, RealFileSystem()};
    auto made = std::make_unique<CSorrelSocketLink>(clock, RealFileSystem(), pinger);
    made->m_enabled = true;
    made->m_address = {127, 0, 0, 1};
    made->m_port = line.Port();
    made->m_recordsPerBlock = 150;
    auto scale = std::make_unique<CLinkScale>();
    scale->m_scaleNo = 2;
    scale->m_enabled = true;
    scale->m_scaleType = 6;
    scale->m_message28 = 1;
    made->m_scales.push_back(std::move(scale));
    CSorrelSocketLink& link = *made;
    links.Add(std::move(made));
    links.StartLinks(&document, LinkRoles::Of(frame), false);
    ASSERT_TRUE(WaitUntilIdle(links));
    RecordingWindow window;
    links.ReceiveData(nullptr, 0, &window);
    ASSERT_TRUE(window.WaitFor(kReceived));
    ASSERT_TRUE(WaitUntilIdle(links));
    ASSERT_EQ(link.FinishReceive(), 0u);
    EXPECT_EQ(document.m_stored.size(), 2u);
    const std::vector<BlockMessage> messages = sim.Messages();
    ASSERT_EQ(CodesOf(messages), (std::vector<std::uint16_t>{91, 80, 28, 81}));
    EXPECT_EQ(messages[2].wire, Of({0x28, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x50}));
    links.StopLinks(false);
}

TEST(SorrelSocketLink, StoresVersion101AndReadsOlderLinksWithAHundredRecordsABlock)
{
    TestMainFrame frame;
    CSorrelSocketLink link;
    link.m_name = "Deli";
    link.m_port = 50031;
    link.m_address = {10, 0, 0, 7};
    link.m_connectTimeout = 9;
    link.m_recordsPerBlock = 40;
    const auto bytes = Store(link);
    ArchiveBytes tail;
    tail.U16(101).U16(50031).U16(10).U16(0).U16(0).U16(7).U32(21).U32(9).U16(40);
    ASSERT_GE(bytes.size(), tail.Get().size());
    EXPECT_TRUE(std::equal(tail.Get().begin(), tail.Get().end(), bytes.end() - static_cast<std::ptrdiff_t>(tail.Get().size())));
    CSorrelSocketLink loaded;
    ASSERT_TRUE(Load(loaded, bytes));
    EXPECT_EQ(loaded.m_address, link.m_address);
    EXPECT_EQ(loaded.m_recordsPerBlock, 40);

    // Version 100 has no block size.
    Bytes old(bytes.begin(), bytes.end() - 2);
    old[old.size() - tail.Get().size() + 2] = 100;
    ASSERT_TRUE(Load(loaded, old));
    EXPECT_EQ(loaded.m_recordsPerBlock, 100);

    std::string lines;
    link.WriteSetupDetails(lines);
    EXPECT_EQ(lines, "  IP address                          : 10.0.0.7 (Port = 50031)\r\n"
                     "  Connect timeout                     : 9\r\n"
                     "  Max. records per block              : 40\r\n");
}

TEST(SorrelSocketLink, DescriptionsByFamily)
{
    TestMainFrame frame;
    CSorrelSocketLink link;
    link.m_name = "Deli";
    EXPECT_EQ(link.GetDescription(frame.m_setup), "LumenXT");
    EXPECT_EQ(link.GetStatusText(frame.m_setup), "TR-5400      Deli");
    link.m_scales.push_back(std::make_unique<CLinkScale>());
    for (const auto& [family, description] : std::initializer_list<std::pair<std::uint16_t, std::string>>{
             {6, "LumenXT"}, {8, "TR-5400 XT"}, {9, "RUX/PZ4/TARN4"}, {10, "TR-5400"}, {11, "VM-8100b/QF"}, {12, "KB-7100"}}) {
        link.m_scales.front()->m_scaleType = family;
        EXPECT_EQ(link.GetDescription(frame.m_setup), description);
    }
    link.m_scales.front()->m_scaleType = 8;
    link.m_enabled = true;
    EXPECT_EQ(link.GetStatusText(frame.m_setup), "TR-5400 XT  Deli*");
    link.m_address = {10, 0, 0, 7};
    EXPECT_TRUE(link.IsSameAddress({10, 0, 0, 7}));
    link.m_address = {127, 0, 0, 1};
    EXPECT_FALSE(link.IsSameAddress({127, 0, 0, 1}));
}

}  // namespace
}  // namespace varnel::test
