// The event log viewer: which lines it shows, the view file and the text viewer.
#include "settings/AppEventLog.h"
#include "settings/LogView.h"
#include "settings/LogViewRangeForm.h"
#include "support/FakeClock.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingTextViewer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

double At(int day, int hour) { return *PartsToOleDate(DateTimeParts{2024, 3, day, hour, 0, 0}); }

const std::string kAdded = "03/10/2024 09:00:00|A : Added PLU No. 1\r\n| Op: <User edit>\r\n";
const std::string kImport = "03/11/2024 09:00:00|I Text file import completed\r\n| 3 records imported\r\n";
const std::string kPrice = "03/12/2024 09:00:00|P price\r\n";
const std::string kGeneral = "03/13/2024 09:00:00|G general\r\n\r\nlink log\r\n";
const std::string kLog = "before any date\r\n" + kAdded + kImport + kPrice + kGeneral;

TEST(LogViewTest, TheContentAndRangeChooseWholeRuns)
{
    struct Case {
        int content;
        double from, to;
        std::string shown;
    };
    const Case cases[] = {
        {LogContentAll, At(1, 0), At(31, 0), kAdded + kImport + kPrice + kGeneral},
        {LogContentUserEdits, At(1, 0), At(31, 0), kAdded + kPrice},
        {LogContentImports, At(1, 0), At(31, 0), kImport},
        {LogContentPriceChanges, At(1, 0), At(31, 0), kPrice},
        {LogContentGeneral, At(1, 0), At(31, 0), kGeneral},
        {LogContentAll, At(11, 9), At(12, 9), kImport + kPrice},  // both ends inclusive
        {LogContentAll, At(14, 0), At(31, 0), ""},
        {7, At(1, 0), At(31, 0), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        EXPECT_EQ(SelectLogLines(kLog, c.from, c.to, c.content), c.shown);
    }
}

class LogViewerTest : public ::testing::Test {
protected:
    LogViewerTest() : m_log(m_clock)
    {
        m_log.LogFile = m_dir.File("events.elg");
        m_log.KeepDays = 30;
    }

    TempDir m_dir;
    FakeClock m_clock{DateTimeParts{2024, 3, 12, 15, 0, 0}};
    CAppEventLog m_log;
    RecordingPrompt m_prompt;
    RecordingTextViewer m_viewer;
};

TEST_F(LogViewerTest, TheExtractIsWrittenBesideTheLogAndShown)
{
    WriteWholeFile(m_log.LogFile, kLog);
    m_log.ViewTodaysLog(LogContentPriceChanges, CharRule{});
    const std::string viewFile = m_dir.File("LOGVIEW.TXT");
    EXPECT_EQ(m_log.GetViewFilePath(CharRule{}), viewFile);
    EXPECT_EQ(ReadWholeFile(viewFile), kPrice);
    EXPECT_EQ(m_viewer.m_shown, std::vector<std::string>{viewFile});
    EXPECT_TRUE(m_prompt.m_ids.empty());

    m_log.ViewWholeLog(CharRule{});
    EXPECT_EQ(ReadWholeFile(viewFile), kLog);
    EXPECT_EQ(m_viewer.m_shown.size(), 2u);
}

TEST_F(LogViewerTest, NothingToShowOrNoLogIsAMessageAndNoViewer)
{
    WriteWholeFile(m_log.LogFile, kLog);
    m_log.ViewTodaysLog(LogContentImports, CharRule{});
    (void)RealFileSystem().Remove(m_log.LogFile);
    m_log.ViewLog(At(1, 0), At(31, 0), LogContentAll, CharRule{});
    m_log.ViewWholeLog(CharRule{});
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61407, 61216}));
    EXPECT_TRUE(m_viewer.m_shown.empty());
}

TEST_F(LogViewerTest, TheRangeFormCoversWholeDays)
{
    LogViewRangeForm form(m_clock, m_log.KeepDays);
    EXPECT_EQ(form.GetContent(), LogContentAll);
    EXPECT_EQ(form.ViewFrom(), *PartsToOleDate(DateTimeParts{2024, 2, 4, 0, 0, 0}));  // 37 days back
    EXPECT_EQ(form.ViewTo(), *PartsToOleDate(DateTimeParts{2024, 3, 12, 23, 59, 59}));
    form.LastSevenDays();
    EXPECT_EQ(form.ViewFrom(), *PartsToOleDate(DateTimeParts{2024, 3, 5, 0, 0, 0}));
    form.TodayOnly();
    EXPECT_EQ(form.ViewFrom(), *PartsToOleDate(DateTimeParts{2024, 3, 12, 0, 0, 0}));
    EXPECT_EQ(form.ViewTo(), *PartsToOleDate(DateTimeParts{2024, 3, 12, 23, 59, 59}));
}

}  // namespace
}  // namespace varnel::test
