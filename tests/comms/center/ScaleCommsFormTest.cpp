// "Scale Comms": a request over the real link manager to scales on loopback TCP, run to its end with
// and without a window; its result, market 3's error records, Cancel and the batch print refusal.
#include "BlockScaleSimulator.h"
#include "CenterSite.h"
#include "ScriptedCommsDialogs.h"
#include "comms/center/ScaleCommsForm.h"
#include "comms/idenq/IdEnqComLink.h"
#include "comms/sorrel/SorrelSocketLink.h"

#include <regex>

namespace varnel::test {
namespace {

using Mode = ScaleCommsForm::Mode;

class ScaleComms : public CenterSite {
protected:
    ScaleCommsForm::Site Site(std::uint16_t market = 0)
    {
        return {&document, market, &clock, &RealFileSystem(), dir.Path()};
    }
};

TEST_F(ScaleComms, APollOverTwoLinksEndsOnceBothReportedWithTheFirstErrorShown)
{
    AddScaleLink(0, 1, 11);
    AddDeadLink(2, 21);
    Start();
    prompt.m_ids.clear();
    EXPECT_EQ(RunScaleComms(links, {Mode::Poll, nullptr, nullptr, kNoDataKind, true}, Site()), CIdEnqLink::kMsgCannotOpen);
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{CIdEnqLink::kMsgCannotOpen});
    EXPECT_TRUE(links.FindScale(11)->IsOnline());
    EXPECT_FALSE(links.FindScale(21)->IsOnline());

    // Without errors shown (automation) the caller reads the result.
    prompt.m_ids.clear();
    EXPECT_EQ(RunScaleComms(links, {Mode::Poll, nullptr, nullptr, kNoDataKind, false}, Site()), CIdEnqLink::kMsgCannotOpen);
    EXPECT_TRUE(prompt.m_ids.empty());
}

TEST_F(ScaleComms, InItsWindowASendCountsTheRecordsAndEndsWithOk)
{
    AddScaleLink(0, 1, 11);
    Start();
    ScriptedCommsDialogs dialogs;
    std::optional<bool> outcome;
    std::string progress;
    dialogs.scaleComms = [&](ScaleCommsForm& form) {
        form.Open();
        EXPECT_TRUE(DispatchUntil([&] { form.Dispatch(); }, [&] { return form.GetOutcome().has_value(); }));
        outcome = form.GetOutcome();
        progress = form.GetProgressText();
        return true;
    };
    const SendRequests jobs{CSendDataLog(SendRecords, kTable, 1, 3)};
    EXPECT_EQ(RunScaleComms(links, {Mode::Send, nullptr, &jobs, kNoDataKind, true}, Site()), 0u);
    EXPECT_EQ(outcome, true);
    EXPECT_EQ(progress, "3 records transferred");
    EXPECT_TRUE(prompt.m_ids.empty());
    EXPECT_EQ(scales[0]->Sim().Packets(1).size(), 3u);
}

TEST_F(ScaleComms, WithNothingEnabledTheDialogEndsAtOnceWithResultZero)
{
    AddDeadLink(2, 21);
    links.FindScale(21)->m_enabled = false;
    ScaleCommsForm form(links, {Mode::Poll, nullptr, nullptr, kNoDataKind, true}, Site());
    form.Open();
    EXPECT_EQ(form.GetOutcome(), true);
    EXPECT_EQ(form.GetResult(), 0u);
}

TEST_F(ScaleComms, CancelDropsTheSendsJobEndsWithCancelAndHearsNothingLater)
{
    AddScaleLink(0, 1, 11);
    scales[0]->Sim().SetFaults([](ScaleFaults& faults) { faults.offline = true; });
    Start();
    const SendRequests jobs{CSendDataLog(SendRecords, kTable, 1, 3)};
    ScaleCommsForm form(links, {Mode::Send, nullptr, &jobs, kNoDataKind, true}, Site());
    form.Open();
    form.OnCancel();
    EXPECT_EQ(form.GetOutcome(), false);
    EXPECT_EQ(form.GetResult(), CIdEnqLink::kMsgCancelled);
    ASSERT_TRUE(WaitUntilIdle(links));
    form.Dispatch();
    EXPECT_EQ(form.GetOutcome(), false);
    EXPECT_FALSE(links.IsDataWaiting(nullptr));
    EXPECT_TRUE(prompt.m_ids.empty());
}

TEST_F(ScaleComms, Market3RecordsEachLinkThatEndedWithAnError)
{
    const DateTimeParts now{2024, 3, 9, 14, 5, 7};
    CIdEnqSocketLink socket;
    socket.m_address = {192, 168, 1, 5};
    EXPECT_EQ(ScaleErrorRecord(now, socket, CIdEnqLink::kMsgTimeout), "2024030914050719216800100511");
    CIdEnqComLink serial;
    serial.m_portName = "COM2";
    EXPECT_EQ(ScaleErrorRecord(now, serial, CIdEnqLink::kMsgCannotOpen), "2024030914050700000000000200");
    serial.m_portName = "/dev/ttyUSB3";
    EXPECT_EQ(ScaleErrorRecord(now, serial, CIdEnqLink::kMsgCommsError), "2024030914050700000000000307");
    const std::pair<MessageId, int> codes[] = {{61326, 0}, {31457, 13}, {61219, 11}, {61447, 8},
                                               {61456, 9}, {61218, 7},  {61370, 7}};
    for (const auto& [result, code] : codes) EXPECT_EQ(ScaleErrorCode(result), code) << result;

    AddDeadLink(2, 21);
    AddDeadLink(3, 31);
    Start();
    std::string records;
    EXPECT_EQ(RunScaleComms(links, {Mode::Poll, nullptr, nullptr, kNoDataKind, false}, Site(MarketThailand), &records),
              CIdEnqLink::kMsgCannotOpen);
    EXPECT_TRUE(std::regex_match(records, std::regex(R"(\d{14}12700000000100\r\n\d{14}12700000000100)"))) << records;
    EXPECT_EQ(RunScaleComms(links, {Mode::Poll, nullptr, nullptr, kNoDataKind, false}, Site(), &records),
              CIdEnqLink::kMsgCannotOpen);
    EXPECT_EQ(records, "");
}

TEST_F(ScaleComms, ABlockScaleInBatchPrintModeIsReportedInsteadOfTheResult)
{
    constexpr std::uint16_t kBatchTable = 34;
    constexpr std::uint16_t kNoDataToSend = 20013;
    document.m_database.Table(kBatchTable).AddRows({1});
    TcpScaleLine line{&clock};
    BlockScaleSimulator sim{line, sorrel::Form::Long};
    sim.SetScript([](const BlockMessage& message, std::size_t) -> std::optional<BlockAnswer> {
        if (message.code == sorrel::kStatusPoll) return std::nullopt;
        return BlockAnswer::Refuse(0, 0, kNoDataToSend);
    });
    sim.Start();
    auto block = std::make_unique<CSorrelSocketLink>(clock, RealFileSystem(), pinger);
    block->m_linkId = 5;
    block->m_enabled = true;
    block->m_address = {127, 0, 0, 1};
    block->m_port = line.Port();
    auto scale = std::make_unique<CLinkScale>();
    scale->m_scaleNo = 51;
    scale->m_scaleType = 10;
    block->m_scales.push_back(std::move(scale));
    links.Add(std::move(block));
    Start();
    const SendRequests jobs{CSendDataLog(SendRecords, kBatchTable, 1, 1)};
    EXPECT_NE(RunScaleComms(links, {Mode::Send, nullptr, &jobs, kNoDataKind, true}, Site()), 0u);
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{ScaleCommsForm::kMsgBatchPrintRefused});
    (void)links.StopLinks(false);
}

}  // namespace
}  // namespace varnel::test
