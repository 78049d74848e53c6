// Operators in the site setup file, their names and report lines, and the jobs that send and clear
// them at the scales.
#include "OperatorFields.h"
#include "SettingsArchive.h"
#include "platform/ArchiveBytes.h"
#include "settings/OperatorList.h"
#include "support/RecordingDocument.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

using namespace std::string_literals;

std::unique_ptr<COperator> MakeOperator(std::uint16_t id, std::string name, std::uint8_t font = 3)
{
    auto op = std::make_unique<COperator>();
    op->m_id = id;
    op->m_name = std::move(name);
    op->m_font = font;
    return op;
}

std::vector<OperatorFields> Contents(const COperatorList& list)
{
    std::vector<OperatorFields> fields;
    for (const auto& [id, op] : list.GetOperators()) {
        EXPECT_EQ(id, op->m_id);
        fields.push_back(FieldsOf(*op));
    }
    return fields;
}

Result<void> LoadSiteSetup(COperatorList& list, const std::vector<std::uint8_t>& bytes, std::uint32_t siteVersion,
                           std::uint16_t market)
{
    SetupFileContext context;
    context.siteSetupVersion = siteVersion;
    context.textRules.market = market;
    return Load(list, bytes, context);
}

TEST(OperatorListTest, StoresTheMapFormWithTheFontInTheNameText)
{
    COperatorList list;
    auto ann = MakeOperator(3, "Ann");
    ann->m_password = "12";
    ann->m_logoffTimer = 5;
    ann->m_accessLevel = 2;
    list.SetOperator(std::move(ann));
    list.SetOperator(MakeOperator(9, "Bob", 8));

    ArchiveBytes expected;
    expected.U16(2)
        .U16(3).NewClass("COperator").U16(101).Short("\r\x03" "Ann").U16(3).Short("12").U16(5).U16(2)
        .U16(9).U16(0x8001).U16(101).Short("\r\x08" "Bob").U16(9).Short("").U16(10).U16(10);
    EXPECT_EQ(Store(list), expected.Get());

    COperatorList loaded;
    ASSERT_TRUE(Load(loaded, Store(list)));
    EXPECT_EQ(Contents(loaded), Contents(list));
}

TEST(OperatorListTest, ReadsEveryOlderFormUnderTheTextRulesOfTheLoadingSite)
{
    // The installed frame is of another market in every case: only the file's context may decide.
    TestMainFrame frame;
    struct Case {
        const char* name;
        std::uint16_t market;
        std::uint32_t siteVersion;
        ArchiveBytes operatorBytes;  // after the class tag
        OperatorFields expected;
    };
    const Case cases[] = {
        {"site setup before 312: name text and id only", MarketUsa, 311,
         ArchiveBytes().Short("\r\x05" "Zed").U16(4), {4, "Zed", 5, "", 10, 10}},
        {"version 100: no access level", MarketUsa, 383,
         ArchiveBytes().U16(100).Short("\r\x03" "Al").U16(5).Short("99").U16(20), {5, "Al", 3, "99", 20, 10}},
        {"a name text without CR keeps it whole, in the default font", MarketUsa, 383,
         ArchiveBytes().U16(101).Short("Cy").U16(6).Short("").U16(1).U16(2), {6, "Cy", 3, "", 1, 2}},
        {"the default font of Hong Kong", MarketHongKong, 300,
         ArchiveBytes().Short("Di").U16(7), {7, "Di", 6, "", 10, 10}},
        {"a lone CR is a name", MarketUsa, 300, ArchiveBytes().Short("\r").U16(8), {8, "\r", 3, "", 10, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frame.m_setup.m_market = c.market == MarketHongKong ? MarketUsa : MarketHongKong;
        ArchiveBytes bytes;
        bytes.U16(1).U16(c.expected.id).NewClass("COperator").Raw(std::string(c.operatorBytes.Get().begin(),
                                                                               c.operatorBytes.Get().end()));
        COperatorList list;
        ASSERT_TRUE(LoadSiteSetup(list, bytes, c.siteVersion, c.market));
        EXPECT_EQ(Contents(list), std::vector{c.expected});
    }
}

TEST(OperatorListTest, KeysLoadedOperatorsByTheirOwnIdAndLeavesOutNullOnes)
{
    ArchiveBytes bytes;
    bytes.U16(3)
        .U16(1).U16(0)                                                              // null object
        .U16(50).NewClass("COperator").U16(101).Short("\r\x03" "Ed").U16(2).Short("").U16(1).U16(1)
        .U16(3).U16(0x8001).U16(101).Short("\r\x03" "Flo").U16(3).Short("").U16(1).U16(1);
    COperatorList list;
    ASSERT_TRUE(Load(list, bytes));
    EXPECT_EQ(Contents(list), (std::vector<OperatorFields>{{2, "Ed", 3, "", 1, 1}, {3, "Flo", 3, "", 1, 1}}));
}

TEST(OperatorListTest, AFileCutShortFailsAndKeepsTheListAsItWas)
{
    COperatorList source;
    source.SetOperator(MakeOperator(3, "Ann"));
    source.SetOperator(MakeOperator(4, "Ben"));
    const std::vector<std::uint8_t> bytes = Store(source);

    COperatorList list;
    list.SetOperator(MakeOperator(7, "Kept"));
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(Load(list, std::vector(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size))));
        EXPECT_EQ(Contents(list), (std::vector<OperatorFields>{{7, "Kept", 3, "", 10, 10}}));
    }
}

TEST(OperatorListTest, NamesAndReportLines)
{
    COperatorList list;
    std::string report;
    list.Print(report);
    EXPECT_EQ(report, "");

    list.SetOperator(MakeOperator(12, "Zoe"));
    list.SetOperator(MakeOperator(3, "Ann"));
    EXPECT_EQ(list.GetName(3), "Ann");
    EXPECT_EQ(list.GetName(5), "Operator 05");
    EXPECT_EQ(list.GetName(123), "Operator 123");
    list.Print(report);
    EXPECT_EQ(report, "Operator Names:\r\n  Id: 03  Name: Ann\r\n  Id: 12  Name: Zoe\r\n\r\n\r\n");
}

TEST(OperatorListTest, QueuesSendsAndDeletesForEveryScaleThroughTheQueueAndSetupHandedIn)
{
    TestMainFrame site;
    TestMainFrame installed;  // installed last: a send that went to the installed frame would show
    RecordingDocument elsewhere(installed);
    const COperatorList list;
    EXPECT_FALSE(list.QueueSend(site, site.m_setup, 1, 5, true));  // no document

    RecordingDocument document(site);
    EXPECT_TRUE(list.QueueSend(site, site.m_setup, 1, 5, true));
    EXPECT_TRUE(list.QueueDelete(site, 7, 7, false));
    site.m_setup.m_onlineComms = 0;
    EXPECT_TRUE(list.QueueSend(site, site.m_setup, 2, 2, true));  // answered, not queued
    EXPECT_TRUE(list.QueueDelete(site, 3, 3, false));             // deletes do not ask
    document.m_sendDataResult = false;
    EXPECT_FALSE(list.QueueDelete(site, 4, 4, false));
    EXPECT_TRUE(elsewhere.m_sends.empty());

    struct Job {
        bool showResult;
        std::uint32_t kind;
        std::uint16_t table;
        std::uint32_t first, last;
        bool operator==(const Job&) const = default;
    };
    std::vector<Job> jobs;
    for (const auto& send : document.m_sends) {
        EXPECT_FALSE(send.now);
        ASSERT_EQ(send.requests.size(), 1u);
        const CSendDataLog& job = send.requests.front();
        jobs.push_back({send.showResult, job.m_kind, job.m_tableId, job.m_rangeStart, job.m_rangeEnd});
    }
    EXPECT_EQ(jobs, (std::vector<Job>{{true, SendOperators, 0, 1, 5},
                                      {false, SendOperatorDeletes, 0, 7, 7},
                                      {false, SendOperatorDeletes, 0, 3, 3},
                                      {false, SendOperatorDeletes, 0, 4, 4}}));
}

}  // namespace
}  // namespace varnel::test
