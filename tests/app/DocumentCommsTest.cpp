// Sending and receiving through the document against a simulated scale on loopback TCP, through the
// real link manager; the received-record dispatcher; the PLU editor's save.
#include "DocumentFixture.h"
#include "LinkWaits.h"
#include "SimulatedSite.h"
#include "db/plu/PluDefTb.h"
#include "golden/PluGolden.h"
#include "settings/AppEventLog.h"

#include <algorithm>
#include <filesystem>

namespace varnel::test {
namespace {

constexpr std::uint32_t kType = IDocument::kDataType;

SendRequests Plus(std::uint32_t first, std::uint32_t last) { return {CSendDataLog(SendRecords, 2, first, last)}; }

class DocumentComms : public DocumentTest {
protected:
    void SetUp() override
    {
        AddGoldenFieldDefs(frame);
        frame.m_setup.m_onlineComms = 1;
        host.GetLinks().Add(scale.MakeLink(1, 11, clock, pinger));
        ASSERT_TRUE(doc->OpenDatabase(dir.File("Shop.pld")));
        doc->GetPluTable()->SetCompanionData(&TheGoldenCompanions());
        for (const std::uint32_t plu : {2, 3, 9}) AddPlu(plu, 100 * plu);
        ASSERT_TRUE(WaitUntilIdle(host.GetLinks()));  // the start polls the scale
    }
    void TearDown() override { (void)host.GetLinks().StopLinks(false); }

    void AddPlu(std::uint32_t plu, std::int32_t price)
    {
        CPluDefRec row;
        doc->GetPluTable()->InitNewPlu(plu, row);
        row.SetDesc("Item " + std::to_string(plu), doc->GetPluTable()->GetRoles().Text().chars);
        row.Set(PluCol::UnitPrice, price);
        ASSERT_TRUE(doc->SavePluRecord(row, plu, true));
    }

    std::vector<Bytes> PacketsFrom(std::size_t first) const
    {
        const std::vector<Bytes> all = scale.Sim().Packets(1);
        return first < all.size() ? std::vector<Bytes>(all.begin() + static_cast<std::ptrdiff_t>(first), all.end())
                                  : std::vector<Bytes>{};
    }

    ScriptedPinger pinger;
    mutable SimulatedScale scale{Transport::Tcp, &clock};
};

TEST_F(DocumentComms, WithOnLineCommunicationOffAnInteractiveSendQueuesNothingAndAnUnattendedOneFails)
{
    frame.m_setup.m_onlineComms = 0;
    EXPECT_TRUE(doc->SendData(kType, true, Plus(1, 20), nullptr));
    EXPECT_FALSE(doc->SendDateAndTime());  // nor is the clock said to be sent
    EXPECT_FALSE(host.GetLinks().IsDataWaiting(nullptr));
    for (const RunMode mode : {RunMode::Scheduler, RunMode::Automation}) {
        host.m_runMode = mode;
        EXPECT_FALSE(doc->SendData(kType, true, Plus(1, 20), nullptr));
        EXPECT_EQ(doc->SendDataNow(kType, true, Plus(1, 20), nullptr), CVrn3Doc::kMsgCommsOffline);
    }
    ASSERT_TRUE(WaitUntilIdle(host.GetLinks()));
    EXPECT_TRUE(scale.Sim().Packets(1).empty());
}

TEST_F(DocumentComms, AnInteractiveSendIsQueuedAndGoesOutWithTheLinksUnsentData)
{
    EXPECT_TRUE(doc->SendData(kType, true, Plus(1, 20), nullptr));
    ASSERT_TRUE(WaitUntilSent(host.GetLinks()));
    EXPECT_EQ(scale.Sim().Packets(1).size(), 3u);
}

TEST_F(DocumentComms, InSchedulerModeASendWaitsForTheScaleAndReportsATimeOut)
{
    host.m_runMode = RunMode::Scheduler;
    EXPECT_TRUE(doc->SendData(kType, true, Plus(1, 20), nullptr));
    EXPECT_EQ(scale.Sim().Packets(1).size(), 3u);

    scale.Sim().SetFaults([](ScaleFaults& faults) { faults.offline = true; });
    EXPECT_FALSE(doc->SendData(kType, true, Plus(2, 2), nullptr));
    EXPECT_EQ(doc->SendDataNow(kType, true, Plus(2, 2), nullptr), CIdEnqLink::kMsgTimeout);
    EXPECT_TRUE(host.GetLinks().IsDataWaiting(nullptr));
}

TEST_F(DocumentComms, UpdatingTheScaleLogPollsTheScalesAndKeepsWhetherEachAnswered)
{
    CLinkScale& polled = *host.GetLinks().FindScale(11);
    scale.Sim().SetFaults([](ScaleFaults& faults) { faults.offline = true; });
    EXPECT_EQ(doc->UpdateScaleLog(false), CIdEnqLink::kMsgTimeout);
    EXPECT_FALSE(polled.IsOnline());

    scale.Sim().SetFaults([](ScaleFaults& faults) { faults.offline = false; });
    EXPECT_EQ(doc->UpdateScaleLog(false), 0u);
    EXPECT_TRUE(polled.IsOnline());

    frame.m_setup.m_onlineComms = 0;
    EXPECT_EQ(doc->UpdateScaleLog(false), 1u);
}

TEST_F(DocumentComms, TheScaleStatusLogIsWrittenAfterThePollWithEachScalesNewState)
{
    CAppEventLog log(clock, RealFileSystem());
    log.ScaleStatusLogFile = dir.File("status.log");
    log.StatusLogKeepDays = 0;  // each run writes the log anew
    scale.Sim().SetFaults([](ScaleFaults& faults) { faults.offline = true; });
    EXPECT_EQ(doc->WriteScaleStatusLog(log, false), CIdEnqLink::kMsgTimeout);
    const std::string offline(GetMessageText(20593));
    EXPECT_NE(ReadWholeFile(log.ScaleStatusLogFile).find("|\t11|\t" + offline), std::string::npos);

    scale.Sim().SetFaults([](ScaleFaults& faults) { faults.offline = false; });
    EXPECT_EQ(doc->WriteScaleStatusLog(log, false), 0u);
    EXPECT_NE(ReadWholeFile(log.ScaleStatusLogFile).find("|\t11|\t" + std::string(GetMessageText(20592))),
              std::string::npos);

    // Without on-line communication nothing is polled and the log is left as it was.
    std::filesystem::remove(log.ScaleStatusLogFile);
    frame.m_setup.m_onlineComms = 0;
    EXPECT_EQ(doc->WriteScaleStatusLog(log, false), 1u);
    EXPECT_FALSE(std::filesystem::exists(log.ScaleStatusLogFile));
}

TEST_F(DocumentComms, ACompareThenASynchroniseDeletesWhatOnlyTheScaleHoldsAndSendsTheRest)
{
    frame.AddFieldDef(FieldDefMap::Plu, 1005).m_name = "Unit Price";  // the field changed below is compared
    host.m_runMode = RunMode::Scheduler;
    ASSERT_EQ(doc->SendDataNow(kType, false, Plus(1, 20), nullptr), 0u);
    const std::vector<Bytes> onScale = scale.Sim().Packets(1);
    ASSERT_EQ(onScale.size(), 3u);
    scale.Sim().SetReply(ToBytes("50000000"), onScale);

    // PLU 9 now only on the scale, 3 different, 1 only in the database.
    ASSERT_TRUE(doc->GetPluTable()->DeleteKey(9));
    auto* three = dynamic_cast<CPluDefRec*>(doc->GetPluTable()->FindRecord(3));
    ASSERT_NE(three, nullptr);
    CPluDefRec changed = *three;
    changed.Set(PluCol::UnitPrice, 12345);
    ASSERT_TRUE(doc->SavePluRecord(changed, 3, false));
    AddPlu(1, 50);

    ASSERT_EQ(doc->RunCompareScales(2, false, nullptr), 0u);
    EXPECT_EQ(doc->GetReceivedRecordMode(), 1);
    CLinkScale& compared = *host.GetLinks().FindScale(11);
    EXPECT_EQ(compared.m_notInDatabase, std::vector<std::uint32_t>{9});
    EXPECT_TRUE(std::ranges::find(compared.m_different, 3u) != compared.m_different.end());
    EXPECT_EQ(compared.m_notOnScale, std::vector<std::uint32_t>{1});
    EXPECT_TRUE(doc->HasCompareDifferences(nullptr));

    const std::size_t before = scale.Sim().Packets(1).size();
    ASSERT_EQ(doc->SynchronizeScale(false, 1, compared), 0u);
    const std::vector<Bytes> synchronised = PacketsFrom(before);
    // The same as the jobs sent by hand: the delete of 9 (kind 1), then 1 and each different PLU (kind 0).
    SendRequests expected{CSendDataLog(SendKeyDeletes, 2, 9, 9), CSendDataLog(SendRecords, 2, 1, 1)};
    for (const std::uint32_t plu : compared.m_different) expected.emplace_back(SendRecords, 2, plu, plu);
    ASSERT_EQ(synchronised.size(), expected.size());
    const std::size_t byHand = scale.Sim().Packets(1).size();
    ASSERT_EQ(doc->SendDataNow(kType, false, expected, nullptr), 0u);
    EXPECT_EQ(PacketsFrom(byHand), synchronised);

    // Nothing left to synchronise once the lists are empty.
    compared.ClearCompareLists();
    EXPECT_EQ(doc->SynchronizeScale(false, 1, compared), 1u);
}

TEST_F(DocumentComms, ReceivedRecordsGoByKindAndCompareModeTakesOnlyPlus)
{
    CLinkScale& from = *host.GetLinks().FindScale(11);
    const std::uint8_t record[] = {'x'};
    for (const std::uint16_t kind : {7, 8, 9, 10, 43, 60}) EXPECT_FALSE(doc->StoreReceivedRecord(kind, from, record));
    for (const std::uint16_t kind : {6, 13, 36, 37, 40}) EXPECT_TRUE(doc->StoreReceivedRecord(kind, from, record));
    EXPECT_EQ(host.m_listKinds, (std::vector<std::uint16_t>{6, 13, 36, 37, 40}));
    doc->SetReceivedRecordMode(0);
    EXPECT_FALSE(doc->StoreReceivedRecord(6, from, record));
    EXPECT_EQ(host.m_listKinds.size(), 5u);
}

TEST_F(DocumentComms, BeforeASendEachExistingPluOfThePluRequestsGetsItsPosUpdateLine)
{
    frame.m_setup.m_posUpdateFileOutput = 1;
    frame.m_setup.m_posUpdateFilePath = dir.File("pos.txt");
    doc->QueuePosUpdatesForSend({CSendDataLog(SendRecords, 2, 1, 3), CSendDataLog(SendKeyDeletes, 2, 4, 20),
                                 CSendDataLog(SendRecords, 3, 1, 20), CSendDataLog(SendPriceChanges, 2, 1, 20)});
    EXPECT_TRUE(doc->GetPluTable()->GetPosUpdateFile().GetPending().empty());
    const auto line = [&](std::uint32_t plu, char kind) {
        return CPosUpdateFile::FormatLine(*dynamic_cast<const CPluDefRec*>(doc->GetPluTable()->FindRecord(plu)), kind,
                                          frame.GetTextRules().chars);
    };
    EXPECT_EQ(ReadWholeFile(dir.File("pos.txt")), line(2, 'C') + line(3, 'C') + line(9, 'D'));
    frame.m_setup.m_posUpdateFileOutput = 0;
}

TEST_F(DocumentComms, ThePluEditorsSaveSizesTheRowByItsDescription)
{
    const std::pair<std::size_t, std::uint16_t> cases[] = {{3, 264}, {4, 268}, {7, 268}, {8, 272}};
    std::uint32_t plu = 100;
    for (const auto& [length, size] : cases) {
        CPluDefRec row;
        doc->GetPluTable()->InitNewPlu(0, row);
        row.SetDesc(std::string(length, 'a'), doc->GetPluTable()->GetRoles().Text().chars);
        ASSERT_TRUE(doc->SavePluRecord(row, ++plu, true));
        const CDBRecord* stored = doc->GetPluTable()->FindRecord(plu);
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(stored->GetLength(), size) << length;
        EXPECT_EQ(dynamic_cast<const CPluDefRec*>(stored)->Get(PluCol::PluNo1), static_cast<std::int32_t>(plu));

        CPluDefRec edited = *dynamic_cast<const CPluDefRec*>(stored);
        edited.SetDesc(std::string(length + 4, 'b'), doc->GetPluTable()->GetRoles().Text().chars);
        ASSERT_TRUE(doc->SavePluRecord(edited, plu, false));
        EXPECT_EQ(stored->GetLength(), size + 4) << length;
    }
    doc->CloseDatabase();
    EXPECT_EQ(StoredData(dir.File("Shop.pld"), 2, 101).size(), 268u);
}

}  // namespace
}  // namespace varnel::test
