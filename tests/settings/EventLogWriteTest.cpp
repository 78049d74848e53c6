// Event lines, custom logs, the scale status log and the settings print.
#include "db/site/GeneralSetup.h"
#include "settings/AppEventLog.h"
#include "support/FakeClock.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <thread>

namespace varnel::test {
namespace {

const std::string kNow = "03/15/2024 10:30:00";

class EventLogWriteTest : public ::testing::Test {
protected:
    EventLogWriteTest() : m_log(m_clock)
    {
        m_log.LogFile = m_dir.File("events.elg");
        m_log.LoggingOn = 1;
    }

    std::string Log() const { return ReadWholeFile(m_log.LogFile); }
    bool LogExists() const { return RealFileSystem().Exists(m_log.LogFile); }

    TempDir m_dir;
    FakeClock m_clock{DateTimeParts{2024, 3, 15, 10, 30, 0}};
    CAppEventLog m_log;
};

TEST_F(EventLogWriteTest, EachKindIsWrittenOnlyWhenItsSwitchIsOn)
{
    struct Case {
        std::uint16_t kind;
        std::uint16_t EventLogSettings::*gate;
    };
    for (const Case c : {Case{EventAdded, &EventLogSettings::LogAdditions},
                         Case{EventUpdated, &EventLogSettings::LogUpdates},
                         Case{EventDeleted, &EventLogSettings::LogDeletions},
                         Case{EventGeneral, &EventLogSettings::LogGeneral},
                         Case{EventImport, &EventLogSettings::LogUpdates},
                         Case{EventPriceChange, &EventLogSettings::LogUpdates}}) {
        SCOPED_TRACE(c.kind);
        (void)RealFileSystem().Remove(m_log.LogFile);
        m_log.LogAdditions = m_log.LogUpdates = m_log.LogDeletions = m_log.LogGeneral = 1;
        m_log.*c.gate = 0;
        m_log.WriteEvent(c.kind, "x");
        EXPECT_FALSE(LogExists());
        m_log.*c.gate = 1;
        m_log.LoggingOn = 0;
        m_log.WriteEvent(c.kind, "x");
        EXPECT_FALSE(LogExists());
        m_log.LoggingOn = 1;
        m_log.WriteEvent(c.kind, "x");
        EXPECT_TRUE(LogExists());
    }
}

TEST_F(EventLogWriteTest, LinesAreDateTagUserTextAndCrLf)
{
    m_log.LogAdditions = m_log.LogUpdates = 1;
    m_log.WriteEvent(EventAdded, " : Added PLU No. 12");
    m_log.WriteEvent(EventContinuation, " more");
    m_log.WriteEvent(9, " kind nine");  // no tag and no switch of its own

    TestMainFrame frame;
    auto user = std::make_unique<CUserSetup>();
    user->m_name = "Ann";
    frame.m_access.m_users.Add(std::move(user));
    frame.m_access.m_users.SetCurrentUser(0);
    m_log.NameUsersOf(&frame.m_access.m_users);
    m_log.WriteEvent(EventAdded, " : Added PLU No. 13");
    m_log.WriteEvent(EventUpdated, " : Updated PLU No. 13");

    EXPECT_EQ(Log(), kNow + "|A : Added PLU No. 12\r\n"
                     "| more\r\n" +
                         kNow + "| kind nine\r\n" +
                         kNow + "|A User: <Ann> : Added PLU No. 13\r\n" +
                         kNow + "|U  User: <Ann> : Updated PLU No. 13\r\n");
}

TEST_F(EventLogWriteTest, SetupChangesNameTheirSubjectAndDetail)
{
    m_log.LogGeneral = 1;
    m_log.LogSetupModified(20522, "");
    m_log.LogSetupDeleted(20512, "Operator 7");
    m_log.LogSetupModified(0, "");
    EXPECT_EQ(Log(), kNow + "|G : Setup modified - PLU range profile\r\n" + kNow +
                         "|G : Setup deleted - Operator : Operator 7\r\n" + kNow + "|G : Setup modified - \r\n");
}

TEST_F(EventLogWriteTest, AppendFileCopiesAFileWhateverTheSwitches)
{
    m_log.LoggingOn = 0;
    const std::string linkLog = m_dir.File("link.log");
    WriteWholeFile(linkLog, "sent 3\r\nfailed 0");
    m_log.AppendFile(linkLog);
    m_log.AppendFile(m_dir.File("missing.log"));
    EXPECT_EQ(Log(), "\r\nsent 3\r\nfailed 0\r\n");
}

TEST_F(EventLogWriteTest, AppendsFromSeveralThreadsNeverInterleave)
{
    m_log.LogGeneral = 1;
    constexpr int kThreads = 4, kLines = 200;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t)
        writers.emplace_back([this, t] {
            for (int i = 0; i < kLines; ++i) m_log.WriteEvent(EventGeneral, std::string(100, static_cast<char>('a' + t)));
        });
    for (std::thread& writer : writers) writer.join();
    const std::string log = Log();
    std::size_t lines = 0;
    for (std::size_t start = 0; start < log.size(); ++lines) {
        const std::size_t end = log.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = log.substr(start, end - start);
        ASSERT_EQ(line.size(), kNow.size() + 3 + 100) << line;
        EXPECT_EQ(line.substr(kNow.size() + 3), std::string(100, line.back()));
        start = end + 2;
    }
    EXPECT_EQ(lines, std::size_t{kThreads * kLines});
}

TEST_F(EventLogWriteTest, ACustomLogGetsItsHeaderOnlyWhenCreated)
{
    m_log.PluUpdateLogFile = m_dir.File("plu.log");
    for (int i = 0; i < 2; ++i) {
        auto file = m_log.OpenCustomLog(CustomLogPluUpdates);
        ASSERT_TRUE(file);
        m_log.WritePluLogLine(*file, CustomLogPluUpdates, PluLogEntry{12, 199, 0, 3, "\x1b" "C1Apples"}, nullptr, {},
                              0);
    }
    const std::string line = kNow + "\t      12\t      199\t        0\t        3\tApples\r\n";
    EXPECT_EQ(ReadWholeFile(m_log.PluUpdateLogFile),
              "Date               \t     PLU\tUnitPrice\tSalesMode\tShelfLife\tDescription\r\n" + line + line);
    m_log.ImportPluLogFile = m_dir.Path() + "/missing-dir/iplu.log";
    EXPECT_FALSE(m_log.OpenCustomLog(CustomLogImportPlus));
    EXPECT_FALSE(m_log.OpenCustomLog(12));
}

TEST_F(EventLogWriteTest, PluLogLinesFollowTheirKind)
{
    const PluLogScale scale{"Deli 1", "Deli 192.168.1.20"};
    const PluLogEntry plu{1234, -50, -1, 7, "\x1b" "C1First\x1b" "C2Second\x1b" "C3Third"};
    struct Case {
        int kind;
        const PluLogScale* scale;
        std::string expected;  // after the date and its tab; empty: no line at all
    };
    const Case cases[] = {
        {CustomLogPluUpdates, nullptr, "    1234\t      -50\t       -1\t        7\tFirst - Second\r\n"},
        {CustomLogSendFailures, nullptr, ""},
        {CustomLogSendFailures, &scale, "    1234\t      Deli 1\t      -50\t       -1\t        7\tFirst - Second\r\n"},
        {CustomLogImportSummary, nullptr, "First - Second\r\n"},
        {CustomLogImportErrors, &scale,
         std::string(31, ' ') + "/in/a.csv\t" + std::string(34, ' ') +
             "db.pld\tDeli 192.168.1.20\t    1234\t       -1\t      -50\tFirst\r\n"},
        {CustomLogImportPlus, nullptr, "/in/a.csv\tdb.pld\t1234\t99\t-50\t-1\t7\tFirst\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const std::string path = m_dir.File("k" + std::to_string(c.kind) + (c.scale ? "s" : "") + ".log");
        WriteWholeFile(path, "");
        auto file = LogFile::Open(RealFileSystem(), path, LogFile::Mode::AppendExisting);
        ASSERT_TRUE(file);
        m_log.WritePluLogLine(*file, c.kind, plu, c.scale, {"/in/a.csv", "db.pld", CharRule{}}, 99);
        file.reset();
        EXPECT_EQ(ReadWholeFile(path), c.expected.empty() ? "" : kNow + "\t" + c.expected);
    }
}

TEST_F(EventLogWriteTest, DescriptionsAreReadWithinTheirBytes)
{
    const std::string path = m_dir.File("plu.log");
    WriteWholeFile(path, "");
    for (const std::string_view description : {std::string_view(""), std::string_view("\x1b"),
                                               std::string_view("\x1b\x1b" "Cx"), std::string_view("\x1b" "C"),
                                               std::string_view("\x1b" "C1\x1b" "C")}) {
        auto file = LogFile::Open(RealFileSystem(), path, LogFile::Mode::AppendExisting);
        ASSERT_TRUE(file);
        m_log.WritePluLogLine(*file, CustomLogPluUpdates, PluLogEntry{1, 0, 0, 0, description}, nullptr, {}, 0);
    }
    const std::string line = kNow + "\t       1\t        0\t        0\t        0\t\r\n";
    EXPECT_EQ(ReadWholeFile(path), line + line + line + line + line);
}

TEST_F(EventLogWriteTest, TheStatusLogHasAHeaderLinesAndTotals)
{
    m_log.ScaleStatusLogFile = m_dir.File("status.log");
    m_log.LogScaleStatusTotals(4, 1, 0);  // nothing: the log does not exist
    EXPECT_FALSE(RealFileSystem().Exists(m_log.ScaleStatusLogFile));

    m_log.LogScaleStatus(ScaleStatusEntry{true, 3, true, true});
    m_log.LogScaleStatus(ScaleStatusEntry{false, 4, true, true});  // not a socket link
    m_log.LogScaleStatus(ScaleStatusEntry{true, 5, false, false});
    m_log.LogScaleStatusTotals(4, 1, 4);
    const std::string header = "Date&Time\tScale No.\tLink Status\tEnable|Disable\r\n";
    const std::string run = kNow + "|\t3|\tOnline |\tEnabled\r\n" + kNow + "|\t5|\tOffline|\tDisabled\r\n" +
                            "\r\n\r\nTotal : 4 scales\r\n\t1 scale(s) are enabled but offline, please check these "
                            "scales.\r\n\t4 scale(s) are disabled.\r\n\tOffline Ratio = 1/(4-4) = 0%";
    EXPECT_EQ(ReadWholeFile(m_log.ScaleStatusLogFile), header + run);

    m_log.StatusLogKeepDays = 1;  // the next run is added
    m_log.StartScaleStatusLog();
    m_log.LogScaleStatusTotals(8, 2, 4);
    EXPECT_EQ(ReadWholeFile(m_log.ScaleStatusLogFile).substr((header + run).size()),
              "\r\n\r\nTotal : 8 scales\r\n\t2 scale(s) are enabled but offline, please check these scales.\r\n\t4 "
              "scale(s) are disabled.\r\n\tOffline Ratio = 2/(8-4) = 50%");

    m_log.StatusLogKeepDays = 0;  // the latest run only
    m_log.StartScaleStatusLog();
    EXPECT_EQ(ReadWholeFile(m_log.ScaleStatusLogFile), header);
}

TEST_F(EventLogWriteTest, TheSettingsPrintListsEverySwitch)
{
    m_log.KeepDays = 30;
    m_log.LogFile = "/logs/events.elg";
    m_log.LogAdditions = 1;
    m_log.LogPluUpdates = 1;
    m_log.PluUpdateLogFile = "/logs/plu.log";
    m_log.ImportLogsOn = 1;
    m_log.ImportErrorLogFile = "/logs/ierr.log";
    m_log.ImportSummaryLogFile = "/logs/isum.log";
    m_log.ImportPluLogFile = "/logs/iplu.log";
    m_log.PosUpdateFile = "/pos/update.txt";
    CGeneralSetup setup;
    setup.m_maxCommsLogSize = 40000;
    setup.m_kauriAucklandHostImport = 1;
    std::string out;
    m_log.PrintSettings(out, setup);
    EXPECT_EQ(out, "Event Log Settings:\r\n"
                   "  Logging                             : Enabled\r\n"
                   "  Keep log data for                   : 30 days\r\n"
                   "  Log File                            : /logs/events.elg\r\n"
                   "  Log Additions                       : Yes\r\n"
                   "  Log Updates                         : No\r\n"
                   "  Log Deletions                       : No\r\n"
                   "  Log General Items                   : No\r\n"
                   "  Log Plu Details                     : No\r\n"
                   "  Log Plu Changes                     : Yes\r\n"
                   "    Log File                      : /logs/plu.log\r\n"
                   "  Log Plu Send Errors                 : No\r\n"
                   "  Scale Exception Log                 : Disabled\r\n"
                   "  Custom Text Import Log              : Yes\r\n"
                   "    Log File                      : /logs/ierr.log\r\n"
                   "    Summary Log File              : /logs/isum.log\r\n"
                   "    PLU Log File              : /logs/iplu.log\r\n"
                   "  Max. comms log size                 : 40000 KB\r\n"
                   "\r\n"
                   "    POS update file               : /pos/update.txt\r\n"
                   "\r\n");
}

}  // namespace
}  // namespace varnel::test
