// The document's services beside its commands: reports prepared for the report window, the sends to
// the outside maker's scales (by command and at exit), and whether a PLU holds a message or coupon
// number.
#include "DocumentFixture.h"
#include "app/AutomationServices.h"
#include "db/plu/PluDefTb.h"
#include "golden/PluGolden.h"
#include "support/RecordingProgramRunner.h"

#include <filesystem>

namespace varnel::test {
namespace {

// Makes reports that record the types they prepared for, failing when told to.
class RecordingReportMaker final : public IReportMaker {
public:
    class Report final : public IReport {
    public:
        Report(RecordingReportMaker& maker, ReportObject object) : m_maker(maker), m_object(object) {}
        bool Prepare(int type) override
        {
            m_maker.m_prepared.emplace_back(m_object, type);
            return !m_maker.m_failPrepare;
        }
        ReportObject Object() const { return m_object; }

    private:
        RecordingReportMaker& m_maker;
        ReportObject m_object;
    };

    std::unique_ptr<IReport> MakeReport(ReportObject object, CVrn3Doc&) override
    {
        return std::make_unique<Report>(*this, object);
    }

    std::vector<std::pair<ReportObject, int>> m_prepared;
    bool m_failPrepare = false;
};

class ReportWindowUi final : public IDocumentUi {
public:
    bool OpenReportWindow() override
    {
        ++m_opened;
        return m_opens;
    }
    int m_opened = 0;
    bool m_opens = true;
};

class DocumentReports : public DocumentTest {
protected:
    DocumentReports()
    {
        doc->SetReportMaker(&maker);
        doc->SetUi(&ui);
    }
    RecordingReportMaker maker;
    ReportWindowUi ui;
};

TEST(ReportObjects, EachTypeGoesToItsObjectAndTypesOutsideZeroTo34ToNone)
{
    using enum ReportObject;
    const std::vector<std::pair<int, std::optional<ReportObject>>> cases = {
        {0, PluList},         {1, PluProduction},  {6, PluProduction},  {9, PluProduction},
        {2, PeriodTotals},    {11, PeriodTotals},  {31, PeriodTotals},  {32, PeriodTotals},
        {4, HourlyTotals},    {5, OperatorTotals}, {17, OperatorTotals}, {12, MessageList},
        {15, MessageList},    {18, MessageList},   {29, MessageList},   {14, DeptGroupProduction},
        {30, BatchTotals},    {33, ScaleTotals},   {34, ImageList},     {35, std::nullopt},
        {-1, std::nullopt},
    };
    for (const auto& [type, object] : cases) EXPECT_EQ(ReportObjectFor(type), object) << "type " << type;
}

TEST_F(DocumentReports, APreparedReportOpensTheWindowWhichTakesIt)
{
    ASSERT_TRUE(doc->RunReport(24));
    EXPECT_EQ(maker.m_prepared, (std::vector<std::pair<ReportObject, int>>{{ReportObject::MessageList, 24}}));
    EXPECT_EQ(ui.m_opened, 1);
    EXPECT_EQ(doc->GetReportKind(), 24);
    const std::unique_ptr<IReport> taken = doc->DetachReport();
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(static_cast<RecordingReportMaker::Report&>(*taken).Object(), ReportObject::MessageList);
    EXPECT_EQ(doc->DetachReport(), nullptr);
}

TEST_F(DocumentReports, AReportThatIsNotShownIsNotKept)
{
    EXPECT_FALSE(doc->RunReport(35));  // no such report: nothing is made
    EXPECT_TRUE(maker.m_prepared.empty());

    maker.m_failPrepare = true;
    EXPECT_FALSE(doc->RunReport(33));
    EXPECT_EQ(ui.m_opened, 0);

    maker.m_failPrepare = false;
    ui.m_opens = false;
    EXPECT_FALSE(doc->RunReport(28));
    EXPECT_EQ(ui.m_opened, 1);
    EXPECT_EQ(doc->DetachReport(), nullptr);

    doc->SetReportMaker(nullptr);
    EXPECT_FALSE(doc->RunReport(0));
}

class DocumentPluServices : public DocumentTest {
protected:
    void SetUp() override
    {
        AddGoldenFieldDefs(frame);
        frame.m_setup.m_orlanComms = 1;
        ASSERT_TRUE(doc->OpenDatabase(dir.File("Shop.pld")));
        doc->GetPluTable()->SetCompanionData(&TheGoldenCompanions());
        doc->GetPluTable()->ForgetRememberedPlus();
    }

    void AddPlu(std::uint32_t plu, std::int32_t ctrlFlag = 0, std::int32_t message = 0, std::int32_t coupon = 0)
    {
        CPluDefRec row;
        doc->GetPluTable()->InitNewPlu(plu, row);
        row.SetDesc("Item " + std::to_string(plu), doc->GetPluTable()->GetRoles().Text().chars);
        row.Set(PluCol::CtrlFlag, ctrlFlag);
        row.Set(PluCol::Message7, message);
        row.Set(PluCol::Coupon, coupon);
        ASSERT_TRUE(doc->SavePluRecord(row, plu, true));
    }

    std::string SendFile() const { return ReadWholeFile(dir.File("PLUSEND.GEN")); }
    static std::size_t Count(const std::string& text, const std::string& part)
    {
        std::size_t count = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
        return count;
    }

    RecordingProgramRunner runner;
};

TEST_F(DocumentPluServices, AMessageOrCouponIsInUseOnlyWhereBothFlagBitsAreSet)
{
    AddPlu(1, 0x6, 40, 50);
    AddPlu(2, 0x2, 41, 51);  // one bit only
    AddPlu(3, 0x4, 42, 52);
    AddPlu(4, 0x7, 43, 53);
    EXPECT_TRUE(doc->IsExtraMessageInUse(40));
    EXPECT_TRUE(doc->IsExtraMessageInUse(43));
    EXPECT_TRUE(doc->IsCouponInUse(50));
    EXPECT_TRUE(doc->IsCouponInUse(53));
    for (const std::uint32_t number : {41u, 42u, 50u, 0u}) EXPECT_FALSE(doc->IsExtraMessageInUse(number)) << number;
    for (const std::uint32_t number : {51u, 52u, 40u}) EXPECT_FALSE(doc->IsCouponInUse(number)) << number;
}

TEST_F(DocumentPluServices, RecentChangesWithoutChangesWriteNothingAndStartNothing)
{
    EXPECT_FALSE(doc->HasOrlanChanges());
    EXPECT_EQ(doc->SendOrlanChanges(true), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir.File("PLUSEND.GEN")));
    EXPECT_TRUE(runner.m_started.empty());
}

TEST_F(DocumentPluServices, RecentChangesSendTheChangedPlusOnceAndAllPlusSendEveryPlu)
{
    AddPlu(2);
    AddPlu(7);
    ASSERT_TRUE(doc->HasOrlanChanges());
    EXPECT_EQ(doc->SendOrlanChanges(true), 0u);
    EXPECT_EQ(Count(SendFile(), "NAA"), 2u);
    ASSERT_EQ(runner.m_started.size(), 1u);
    EXPECT_EQ(runner.m_started[0].program, "OrlanSend.bat");
    EXPECT_FALSE(doc->HasOrlanChanges());

    AddPlu(9);
    doc->GetPluTable()->ForgetRememberedPlus();
    EXPECT_EQ(doc->SendAllOrlanPlus(), 0u);
    EXPECT_EQ(Count(SendFile(), "NAA"), 3u);
    EXPECT_EQ(doc->SendOrlanPlus(3, 8, false), 0u);
    EXPECT_EQ(Count(SendFile(), "NAA"), 1u);
    EXPECT_EQ(runner.m_started.size(), 3u);
}

TEST_F(DocumentPluServices, ChangesLeftUnsentGoAtExitInTheNormalModeWhenTheSiteSendsThem)
{
    AddPlu(4);
    host.m_switches.otherMakerSends = true;
    host.m_runMode = RunMode::Scheduler;
    EXPECT_TRUE(doc->SaveModified());
    host.m_runMode = RunMode::Normal;
    host.m_switches.otherMakerSends = false;
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_TRUE(runner.m_started.empty());
    EXPECT_TRUE(Shown().empty());

    host.m_switches.otherMakerSends = true;
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_EQ(Shown(), std::vector<MessageId>{CVrn3Doc::kMsgUnsentOtherMakerChanges});
    EXPECT_EQ(Count(SendFile(), "NAA"), 1u);
    EXPECT_EQ(runner.m_started.size(), 1u);
    // Nothing is left to send the next time.
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(runner.m_started.size(), 1u);
}

TEST_F(DocumentPluServices, TheProgramsAutomationSendsTheRangeThroughTheDocument)
{
    AddPlu(2);
    AddPlu(7);
    UnbuiltAutomationServices services;
    EXPECT_EQ(services.SendToOtherMakersScales(*doc, 5, 9, false), 0u);
    EXPECT_EQ(Count(SendFile(), "NAA"), 1u);
    EXPECT_EQ(services.SendToOtherMakersScales(*doc, -1, 9, false), UnbuiltAutomationServices::kNotAvailable);
    EXPECT_EQ(runner.m_started.size(), 1u);
}

TEST_F(DocumentPluServices, WithoutADatabaseNothingIsSentOrFound)
{
    AddPlu(1, 0x6, 40, 50);
    doc->CloseDatabase();
    EXPECT_EQ(doc->SendAllOrlanPlus(), 0u);
    EXPECT_EQ(doc->SendOrlanChanges(true), 0u);
    EXPECT_FALSE(doc->IsExtraMessageInUse(40));
    EXPECT_FALSE(std::filesystem::exists(dir.File("PLUSEND.GEN")));
    EXPECT_TRUE(runner.m_started.empty());
}

}  // namespace
}  // namespace varnel::test
