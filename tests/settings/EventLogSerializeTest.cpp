// The event log settings in the archive: the current form, the older versions and the oldest setup format.
#include "SettingsArchive.h"
#include "platform/ArchiveBytes.h"
#include "settings/AppEventLog.h"
#include "support/FakeClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace varnel::test {
namespace {

CAppEventLog Filled()
{
    CAppEventLog log;
    log.LogFile = "events.elg";
    log.PluUpdateLogFile = "plu.log";
    log.SendFailureLogFile = "fail.log";
    log.ImportErrorLogFile = "ierr.log";
    log.ImportSummaryLogFile = "isum.log";
    log.ImportPluLogFile = "iplu.log";
    log.PosUpdateFile = "pos.txt";
    log.ScaleStatusLogFile = "status.log";
    log.LoggingOn = 1;
    log.LogAdditions = 1;
    log.LogUpdates = 0;
    log.LogDeletions = 1;
    log.LogGeneral = 1;
    log.LogPluDetails = 1;
    log.LogPluUpdates = 1;
    log.LogSendFailures = 0;
    log.ScaleStatusLogOn = 1;
    log.ImportLogsOn = 1;
    log.KeepDays = 45;
    log.PluLogKeepDays = 5;
    log.StatusLogKeepDays = 7;
    log.ImportErrorKeepDays = 9;
    log.ImportSummaryKeepDays = 11;
    return log;
}

// The fields every version has: items 2 to 6.
ArchiveBytes& CommonItems(ArchiveBytes& bytes)
{
    return bytes.Short("events.elg").U16(1).U16(1).U16(0).U16(1).U16(1).U16(45).U16(1);
}

// The log files below are relative names that do not exist here, so loading (which trims) touches nothing.
class EventLogSerializeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousDirectory = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.Path());
    }
    void TearDown() override { std::filesystem::current_path(m_previousDirectory); }

    TempDir m_dir;
    std::filesystem::path m_previousDirectory;
};

TEST_F(EventLogSerializeTest, TheCurrentFormIsStoredFieldByField)
{
    CAppEventLog log = Filled();
    ArchiveBytes expected;
    expected.U16(105);
    CommonItems(expected)
        .Short("plu.log")
        .Short("fail.log")
        .U16(1)
        .U16(0)
        .U16(5)
        .Short("ierr.log")
        .U16(9)
        .U16(1)
        .Short("isum.log")
        .U16(11)
        .Short("iplu.log")
        .Short("pos.txt")
        .U16(1)
        .U16(7)
        .Short("status.log");
    EXPECT_EQ(Store(log), expected.Get());

    CAppEventLog loaded;
    ASSERT_TRUE(Load(loaded, expected));
    EXPECT_EQ(static_cast<const EventLogSettings&>(loaded), static_cast<const EventLogSettings&>(log));
}

TEST_F(EventLogSerializeTest, TheOldestSetupFormatHasNoVersionWordAndFiveWordsThatAreDropped)
{
    ArchiveBytes bytes;
    CommonItems(bytes).U16(9).U16(9).U16(9).U16(9).U16(9).Short("not read");
    CAppEventLog loaded;
    loaded.PluUpdateLogFile = "kept";
    ASSERT_TRUE(Load(loaded, bytes, kOldestSetupFormat));
    EXPECT_EQ(loaded.LogFile, "events.elg");
    EXPECT_EQ(loaded.KeepDays, 45);
    EXPECT_EQ(loaded.LogPluDetails, 1);
    EXPECT_EQ(loaded.PluUpdateLogFile, "kept");
    EXPECT_EQ(loaded.PluLogKeepDays, 3);
}

TEST_F(EventLogSerializeTest, EachVersionReadsItsItemsAndLeavesTheRest)
{
    struct Case {
        std::uint16_t version;
        bool hasImportPluLog, hasPosFile, hasStatusLog;
    };
    for (const Case c : {Case{101, false, false, false}, Case{102, false, false, false}, Case{103, true, false, false},
                         Case{104, true, true, false}, Case{105, true, true, true}, Case{109, true, true, true}}) {
        SCOPED_TRACE(c.version);
        ArchiveBytes bytes;
        bytes.U16(c.version);
        CommonItems(bytes).Short("plu.log").Short("fail.log").U16(1).U16(0).U16(5);
        if (c.version >= 102) bytes.Short("ierr.log").U16(9).U16(1).Short("isum.log").U16(11);
        if (c.hasImportPluLog) bytes.Short("iplu.log");
        if (c.hasPosFile) bytes.Short("pos.txt");
        if (c.hasStatusLog) bytes.U16(1).U16(7).Short("status.log");

        CAppEventLog loaded;
        loaded.ImportErrorLogFile = loaded.ImportPluLogFile = loaded.PosUpdateFile = "untouched";
        ASSERT_TRUE(Load(loaded, bytes));
        EXPECT_EQ(loaded.PluUpdateLogFile, "plu.log");
        EXPECT_EQ(loaded.PluLogKeepDays, 5);
        EXPECT_EQ(loaded.ImportErrorLogFile, c.version >= 102 ? "ierr.log" : "untouched");
        EXPECT_EQ(loaded.ImportPluLogFile, c.hasImportPluLog ? "iplu.log" : "untouched");
        EXPECT_EQ(loaded.PosUpdateFile, c.hasPosFile ? "pos.txt" : "untouched");
        EXPECT_EQ(loaded.StatusLogKeepDays, c.hasStatusLog ? 7 : 30);
    }
}

TEST_F(EventLogSerializeTest, ATruncatedRecordIsAnError)
{
    CAppEventLog log = Filled();
    std::vector<std::uint8_t> bytes = Store(log);
    for (const std::size_t cut : {std::size_t{1}, std::size_t{20}, bytes.size() - 1}) {
        CAppEventLog loaded;
        EXPECT_FALSE(Load(loaded, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut))) << cut;
    }
}

TEST_F(EventLogSerializeTest, LoadingTrimsTheLogs)
{
    FakeClock clock(DateTimeParts{2024, 3, 15, 10, 30, 0});
    CAppEventLog log(clock);
    log.LogFile = m_dir.File("events.elg");
    log.KeepDays = 5;
    WriteWholeFile(log.LogFile, "03/01/2024 08:00:00|G old\r\n03/14/2024 08:00:00|G new\r\n");
    ArchiveBytes bytes;
    bytes.U16(100).Short(log.LogFile).U16(1).U16(1).U16(1).U16(1).U16(1).U16(5).U16(0);
    bytes.U16(0).U16(0).U16(0).U16(0).U16(0);
    ASSERT_TRUE(Load(log, bytes));
    EXPECT_EQ(ReadWholeFile(log.LogFile), "03/14/2024 08:00:00|G new\r\n");
}

}  // namespace
}  // namespace varnel::test
