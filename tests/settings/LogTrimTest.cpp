// Trimming logs by their keep days: what goes, what stays byte for byte, and what is never dropped.
#include "settings/AppEventLog.h"
#include "settings/LogTrim.h"
#include "support/FakeClock.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

const std::string kHeader = "Date               \t     PLU\tUnitPrice\r\n";

double Day(int month, int day) { return *PartsToOleDate(DateTimeParts{2024, month, day, 12, 0, 0}); }

struct TrimCase {
    const char* name;
    std::string log;
    std::optional<std::string> after;  // nullopt: deleted
};

class LogTrimTest : public ::testing::Test {
protected:
    std::string Path() const { return m_dir.File("custom.log"); }
    bool Exists() const { return RealFileSystem().Exists(Path()); }

    template <std::size_t N>
    void ExpectTrims(Result<void> (*trim)(IFileSystem&, const std::string&, double), const TrimCase (&cases)[N])
    {
        for (const TrimCase& c : cases) {
            SCOPED_TRACE(c.name);
            WriteWholeFile(Path(), c.log);
            ASSERT_TRUE(trim(RealFileSystem(), Path(), Day(3, 10)));
            ASSERT_EQ(Exists(), c.after.has_value());
            if (c.after) {
                EXPECT_EQ(ReadWholeFile(Path()), *c.after);
            }
        }
    }

    TempDir m_dir;
};

TEST_F(LogTrimTest, ACustomLogKeepsItsHeaderAndTheLinesAfterTheCutoff)
{
    const std::string old1 = "03/01/2024 08:00:00\t      12\t100\r\n";
    const std::string old2 = "03/02/2024 08:00:00\t      13\t100\r\n";
    const std::string new1 = "03/12/2024 08:00:00\t      14\t100\r\n";
    const std::string bad = "13/45/2024 08:00:00\t      15\t100\r\n";
    const TrimCase cases[] = {
        {"all old", kHeader + old1 + old2, std::nullopt},
        {"first new", kHeader + new1 + old1, kHeader + new1 + old1},
        {"old then new", kHeader + old1 + old2 + new1 + old1, kHeader + new1 + old1},
        {"unparsable date", kHeader + old1 + bad + old2, kHeader + bad + old2},
        {"header only", kHeader, kHeader},
        {"no final line feed", kHeader + old1 + "03/12/2024 08:00:00\tlast", kHeader + "03/12/2024 08:00:00\tlast"},
        {"status totals go with their run",
         kHeader + "03/01/2024 08:00:00|\t3|\tOnline |\tEnabled\r\n\r\n\r\nTotal : 1 scales\r\n\t0 scale(s)\r\n" + new1,
         kHeader + new1},
    };
    ExpectTrims(TrimCustomLog, cases);
    EXPECT_TRUE(TrimCustomLog(RealFileSystem(), m_dir.File("missing.log"), Day(3, 10)));
}

TEST_F(LogTrimTest, TheEventLogDropsOldLinesWithTheirContinuations)
{
    const std::string old = "03/01/2024 08:00:00|G old\r\n| continued\r\n\r\ncopied link log\r\n";
    const std::string fresh = "03/12/2024 08:00:00|A new\r\n| continued\r\n";
    const TrimCase cases[] = {
        {"old then new", old + fresh, fresh},
        {"all old", old + old, std::nullopt},
        {"undated start is kept", "stray text\r\n" + old + fresh, "stray text\r\n" + old + fresh},
        {"a date in another form is kept", "2024-03-01 08:00|G other form\r\n" + old + fresh,
         "2024-03-01 08:00|G other form\r\n" + old + fresh},
        {"a line that does not parse stops the trim", old + "99/99/2024 08:00:00|G bad\r\n" + old + fresh,
         "99/99/2024 08:00:00|G bad\r\n" + old + fresh},
    };
    ExpectTrims(TrimEventLog, cases);
}

TEST_F(LogTrimTest, AFailedTrimLeavesTheLogAsItWas)
{
    const std::string log = kHeader + "03/01/2024 08:00:00\t1\r\n03/12/2024 08:00:00\t2\r\n";
    FaultInjectingFileSystem faulty;
    for (std::uint64_t n = 1;; ++n) {
        WriteWholeFile(Path(), log);
        faulty.FailAt(n);
        const auto trimmed = TrimCustomLog(faulty, Path(), Day(3, 10));
        if (!faulty.Fired()) {
            ASSERT_TRUE(trimmed);
            break;
        }
        EXPECT_FALSE(trimmed) << n;
        const std::string now = ReadWholeFile(Path());
        EXPECT_TRUE(now == log || now == kHeader + "03/12/2024 08:00:00\t2\r\n") << n;
        ASSERT_LT(n, 50u);
    }
}

TEST_F(LogTrimTest, ALogHeldByAnotherProgramIsLeftForLater)
{
    const std::string log = kHeader + "03/01/2024 08:00:00\t1\r\n";
    WriteWholeFile(Path(), log);
    auto held = RealFileSystem().Open(Path(), FileAccess::ReadWrite, FileShare::DenyWrite);
    ASSERT_TRUE(held);
    EXPECT_FALSE(TrimCustomLog(RealFileSystem(), Path(), Day(3, 10)));
    EXPECT_EQ(ReadWholeFile(Path()), log);
}

TEST_F(LogTrimTest, PurgeTrimsEveryLogByItsOwnKeepDays)
{
    FakeClock clock(DateTimeParts{2024, 3, 15, 12, 0, 0});
    CAppEventLog log(clock);
    log.LogFile = m_dir.File("events.elg");
    log.PluUpdateLogFile = m_dir.File("plu.log");
    log.ImportSummaryLogFile = m_dir.File("summary.log");
    log.ScaleStatusLogFile = m_dir.File("status.log");
    log.KeepDays = 2;               // cut-off 03/12 12:00
    log.PluLogKeepDays = 5;         // 03/09 12:00
    log.ImportSummaryKeepDays = 0;  // 03/14 12:00
    log.StatusLogKeepDays = 10;     // 03/04 12:00
    const std::string lines = "03/08/2024 12:00:00|G a\r\n03/13/2024 12:00:00|G b\r\n";
    WriteWholeFile(log.LogFile, lines);
    for (const std::string* path : {&log.PluUpdateLogFile, &log.ImportSummaryLogFile, &log.ScaleStatusLogFile})
        WriteWholeFile(*path, kHeader + lines);

    log.PurgeOldEntries();
    EXPECT_EQ(ReadWholeFile(log.LogFile), "03/13/2024 12:00:00|G b\r\n");
    EXPECT_EQ(ReadWholeFile(log.PluUpdateLogFile), kHeader + "03/13/2024 12:00:00|G b\r\n");
    EXPECT_FALSE(RealFileSystem().Exists(log.ImportSummaryLogFile));
    EXPECT_EQ(ReadWholeFile(log.ScaleStatusLogFile), kHeader + lines);

    log.KeepDays = 0;  // no event log at all
    log.PurgeOldEntries();
    EXPECT_FALSE(RealFileSystem().Exists(log.LogFile));
}

}  // namespace
}  // namespace varnel::test
