// What the link manager writes for the event log: the logs of a text import and the reports of a
// comparison of the scales with the database.
#include "InMemoryLine.h"
#include "LinkTestData.h"
#include "MemoryLink.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/manager/TextImportLog.h"
#include "platform/TextFormat.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace varnel::test {
namespace {

std::string ReadOrNone(const std::string& path)
{
    return RealFileSystem().Exists(path) ? ReadWholeFile(path) : "<none>";
}

// Link 1 "Deli" (scales 11 "Ham" and 12 "Cheese") and link 2 "Meat" (scale 21 "Beef"), not started.
class LinkListReports : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::pair<std::uint16_t, const char*> names[] = {{1, "Deli"}, {2, "Meat"}};
        for (const auto& [id, name] : names) {
            auto link = std::make_unique<MemoryLink>(id == 1 ? m_line1 : m_line2);
            link->m_linkId = id;
            link->m_enabled = true;
            link->m_name = name;
            link->SetDocument(&m_document, LinkRoles::Of(m_frame));
            m_links.Add(std::move(link));
        }
        AddScale(1, 11, "Ham");
        AddScale(1, 12, "Cheese");
        AddScale(2, 21, "Beef");
        m_log.LoggingOn = 1;
        m_log.LogGeneral = 1;
        m_log.LogFile = m_dir.File("events.elg");
        m_log.ImportSummaryLogFile = m_dir.File("summary.log");
        m_log.ImportErrorLogFile = m_dir.File("errors.log");
    }

    void AddScale(std::uint16_t linkId, std::uint16_t scaleNo, const char* name)
    {
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleNo = scaleNo;
        scale->m_name = name;
        scale->m_enabled = true;
        CIdEnqLink& link = *m_links.FindLink(linkId);
        link.m_scales.push_back(std::move(scale));
        link.AddJobScale(link.m_scales.back().get());
    }
    CLinkScale& Scale(std::uint16_t scaleNo) { return *m_links.FindScale(scaleNo); }
    std::string Read(const char* name) const { return ReadOrNone(m_dir.File(name)); }

    TestMainFrame m_frame;
    LinkTestDocument m_document{m_frame};
    TempDir m_dir;
    FakeClock m_clock{DateTimeParts{2024, 3, 15, 10, 30, 0}};
    InMemoryLine m_line1{m_clock};
    InMemoryLine m_line2{m_clock};
    CIdEnqLinkList m_links{m_clock, RealFileSystem()};
    CAppEventLog m_log{m_clock};
};

constexpr const char* kDate = "03/15/2024 10:30:00";

TEST_F(LinkListReports, ATextImportLogsEachScalesSummaryAndThePlusNotSent)
{
    // Ham has the PLU jobs of the import still queued; link 2 is off and writes nothing.
    for (const std::uint32_t plu : {10u, 11u}) m_document.m_database.AddPlu(plu, 1, 1);
    for (const std::uint32_t plu : {10u, 11u})
        Scale(11).m_sendQueue.push_back(std::make_unique<CSendDataLog>(SendRecords, CPluDefTb::kTableNo, plu, plu));
    Scale(11).m_currentJobStart = 0;
    m_links.FindLink(2)->m_enabled = false;

    const std::string summaryHeader =
        std::string("Date               \t") +
        "                   Text File Import From\t                             To Database\t IP Address No.\t"
        "Record Imported\tNo. Record Sent\tNo. Record Unsent\r\n";
    const auto summary = [](int sent, int unsent) {
        return std::string(kDate) + "\t" +
               FormatText("%40s\t%40s\t%15s\t%15d\t%15d\t%15d\r\n", "/in/plus.csv", "/db/shop.pld", "", 7, sent,
                          unsent);
    };
    struct Case {
        bool logsOn;
        std::uint32_t sent;
        std::string summary;
        bool errorsWritten;
    };
    const Case cases[] = {
        {false, 5, "<none>", false},
        {true, 0, summaryHeader + summary(0, 0) + summary(0, 0), false},  // nothing sent: nothing counted
        {true, 5, summaryHeader + summary(0, 2) + summary(5, 0), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.logsOn << " " << c.sent);
        TempDir fresh;
        m_log.ImportSummaryLogFile = fresh.File("summary.log");
        m_log.ImportErrorLogFile = fresh.File("errors.log");
        m_log.ImportLogsOn = c.logsOn ? 1 : 0;
        LogTextImport(m_log, m_links, {"/in/plus.csv", "/db/shop.pld", m_frame.GetTextRules().chars}, 7, c.sent);
        EXPECT_EQ(ReadOrNone(fresh.File("summary.log")), c.summary);
        const std::string errors = ReadOrNone(fresh.File("errors.log"));
        if (!c.errorsWritten) {
            EXPECT_EQ(errors, "<none>");
            continue;
        }
        const std::string row = std::string(kDate) + "\t" +
                                FormatText("%40s\t%40s\t%15s\t%8d\t%9d\t%9d\t", "/in/plus.csv", "/db/shop.pld", "Deli",
                                           10, 0, 0);
        ASSERT_EQ(errors.find(row), errors.find('\n') + 1) << errors;  // PLU 10 first, after the header
        EXPECT_NE(errors.find(FormatText("%15s\t%8d", "Deli", 11)), std::string::npos) << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 3);
    }
}

TEST_F(LinkListReports, ResultFilesStartForTheSelectedScalesAndTheOthersForgetTheLastComparison)
{
    for (const std::uint16_t scaleNo : {11, 12, 21}) {
        Scale(scaleNo).m_scaleKeys = {1};
        Scale(scaleNo).m_notInDatabase = {2};
        Scale(scaleNo).m_different = {3};
        Scale(scaleNo).m_notOnScale = {4};
    }
    m_links.FindLink(2)->m_enabled = false;
    const ScaleDefs ham{CScaleDef(1, 11)};
    m_links.WriteCompareResultFiles(&ham, m_frame.m_setup, m_dir.Path());
    const auto header = [](const char* title) {
        return std::string("Scale: ") + title + "\r\n" + kDate + "\r\nPluNo,Result,Detail";
    };
    EXPECT_EQ(Read("CompareResultsScale011.txt"), header("Deli"));
    EXPECT_EQ(Read("CompareResultsScale012.txt"), "<none>");
    EXPECT_EQ(Read("CompareResultsScale021.txt"), "<none>");
    for (const std::uint16_t scaleNo : {11, 12}) {
        EXPECT_TRUE(Scale(scaleNo).m_scaleKeys.empty()) << scaleNo;
        EXPECT_FALSE(Scale(scaleNo).HasCompareDifferences()) << scaleNo;
    }
    EXPECT_TRUE(Scale(21).HasCompareDifferences());  // a disabled link is left alone
    EXPECT_EQ(Scale(21).m_scaleKeys.size(), 1u);

    m_frame.m_setup.m_daisyChainedComms = 1;
    m_links.WriteCompareResultFiles(nullptr, m_frame.m_setup, m_dir.Path());
    EXPECT_EQ(Read("CompareResultsScale011.txt"), header("Deli - Ham"));
    EXPECT_EQ(Read("CompareResultsScale012.txt"), header("Deli - Cheese"));
}

TEST_F(LinkListReports, TheCompareReportCountsEachComparedScaleAndCopiesTheFilesOfThoseThatDiffer)
{
    // Ham differs, Cheese is the same, Beef differs but is off-line.
    m_links.WriteCompareResultFiles(nullptr, m_frame.m_setup, m_dir.Path());
    for (const std::uint16_t scaleNo : {11, 12}) Scale(scaleNo).SetOnline(true);
    CScaleCompareResults hamResults(Scale(11), m_dir.Path());
    hamResults.AddNotInDatabase(5);
    hamResults.AddDifferent(6);
    hamResults.AddDifferent(7);
    hamResults.WriteLine("6,Different,UnitPrice");
    Scale(11).m_notOnScale = {8, 9, 10};
    Scale(21).m_different = {1};

    EXPECT_TRUE(m_links.ReportCompareResults(nullptr, m_dir.Path(), m_log));
    const std::string expected =
        std::string(kDate) + "|G Scale vs. Database Compare Results\r\n" +
        "|Scale                : Not in DB  Not on Scale  Different\r\n"
        "|Ham                  :         1             3          2\r\n"
        "|Cheese               :         0             0          0\r\n"
        "\r\n" + "Scale: Deli\r\n" + kDate + "\r\nPluNo,Result,Detail\r\n6,Different,UnitPrice" + "\r\n";
    EXPECT_EQ(Read("events.elg"), expected);
}

TEST_F(LinkListReports, OnlySelectedEnabledOnlineScalesDecideWhetherTheyDiffer)
{
    for (const std::uint16_t scaleNo : {11, 12, 21}) Scale(scaleNo).SetOnline(true);
    Scale(12).m_notOnScale = {4};
    const ScaleDefs ham{CScaleDef(1, 11)};
    const ScaleDefs cheese{CScaleDef(1, 12)};
    const ScaleDefs cheeseOnLink2{CScaleDef(2, 12)};
    struct Case {
        const ScaleDefs* selection;
        bool online;
        bool enabled;
        bool differs;
    };
    const Case cases[] = {
        {nullptr, true, true, true},   {&cheese, true, true, true},  {&ham, true, true, false},
        {&cheeseOnLink2, true, true, false}, {&cheese, false, true, false}, {&cheese, true, false, false},
    };
    for (const Case& c : cases) {
        Scale(12).SetOnline(c.online);
        Scale(12).m_enabled = c.enabled;
        EXPECT_EQ(m_links.ReportCompareResults(c.selection, m_dir.Path(), m_log), c.differs)
            << (c.selection ? c.selection->front().m_linkId : 0) << c.online << c.enabled;
    }

    CIdEnqLinkList none{m_clock, RealFileSystem()};
    EXPECT_FALSE(none.ReportCompareResults(nullptr, m_dir.Path(), m_log));
    m_log.LogFile = m_dir.File("none.elg");
    none.WriteCompareReport(nullptr, m_dir.Path(), m_log);
    EXPECT_EQ(Read("none.elg"), "<none>");  // no links, no report
}

}  // namespace
}  // namespace varnel::test
