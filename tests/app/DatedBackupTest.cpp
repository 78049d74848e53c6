// Dated copies of the database: their names, which files count as this database's copies, the prune,
// and the copy itself on a real directory, also when each of its file calls fails.
#include "DocumentFixture.h"
#include "app/DatedBackup.h"
#include "support/FaultInjectingFileSystem.h"

#include <algorithm>
#include <filesystem>

namespace varnel::test {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr year_month_day kMarch9{year(2024), month(3), day(9)};

std::vector<std::string> FilesIn(const std::string& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::ranges::sort(names);
    return names;
}

TEST(DatedBackupName, TheDateGoesBetweenTheNameAndTheExtension)
{
    EXPECT_EQ(DatedBackupName("/data/Shop.pld", kMarch9), "Shop_20240309.pld");
    EXPECT_EQ(DatedBackupName("/data/v1.2/Shop.mdb", kMarch9), "Shop_20240309.mdb");
    EXPECT_EQ(DatedBackupName("Plain", year_month_day{year(2025), month(12), day(1)}), "Plain_20251201");
}

TEST(DatedBackupName, OnlyThisDatabasesCopiesOfRealDatesAreRecognised)
{
    struct Case {
        const char* fileName;
        std::optional<year_month_day> date;
    };
    const Case cases[] = {
        {"Shop_20240309.pld", kMarch9},
        {"SHOP_20240309.PLD", kMarch9},              // names are compared without case
        {"Shop_East_20240101.pld", std::nullopt},    // another database's copy
        {"Shop_2024030.pld", std::nullopt},          // a date part shorter than 8 digits
        {"Shop_20241309.pld", std::nullopt},         // month 13
        {"Shop_20240230.pld", std::nullopt},         // 30 February
        {"Shop_2024x309.pld", std::nullopt},
        {"Shop_20240309.mdb", std::nullopt},         // another extension
        {"Shop_20240309.pld.tmp", std::nullopt},
        {"Shop.pld", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseBackupDate(c.fileName, "/data/Shop.pld"), c.date) << c.fileName;
}

TEST(DatedBackupPrune, TheLastSevenDaysAndTheNewestOlderCopyStay)
{
    const year_month_day today{year(2024), month(3), day(31)};
    const std::vector<std::string> files = {
        "Shop_20240330.pld",       // 1 day
        "Shop_20240326.pld",       // 5 days
        "Shop_20240324.pld",       // 7 days
        "Shop_20240322.pld",       // 9 days: the newest copy older than a week
        "Shop_20240319.pld",       // 12 days
        "Shop_20240301.pld",       // 30 days
        "Shop_East_20240101.pld",  // not this database's
        "Shop_123.pld",            // no date
    };
    EXPECT_EQ(SelectBackupsToPrune(files, "/data/Shop.pld", today),
              (std::vector<std::string>{"Shop_20240319.pld", "Shop_20240301.pld"}));
    EXPECT_TRUE(SelectBackupsToPrune({"Shop_20240322.pld"}, "/data/Shop.pld", today).empty());
}

class DatedBackupFiles : public ::testing::Test {
protected:
    void SetUp() override { WriteWholeFile(database, "first"); }

    TempDir dir;
    FakeClock clock{DateTimeParts{2024, 3, 9, 23, 59, 0}};
    std::string database = dir.File("Shop.pld");
    std::string backups = dir.File("Backup");
};

TEST_F(DatedBackupFiles, TheDirectoryIsMadeAndASecondCopyOnTheSameDayReplacesTheFirst)
{
    CDatedBackup backup(RealFileSystem(), clock);
    ASSERT_TRUE(backup.Make(database, backups));
    EXPECT_EQ(ReadWholeFile(backups + "/Shop_20240309.pld"), "first");
    WriteWholeFile(database, "second");
    ASSERT_TRUE(backup.Make(database, backups));
    EXPECT_EQ(FilesIn(backups), std::vector<std::string>{"Shop_20240309.pld"});
    EXPECT_EQ(ReadWholeFile(backups + "/Shop_20240309.pld"), "second");
}

TEST_F(DatedBackupFiles, ThePruneDeletesOnlyThisDatabasesOldCopies)
{
    std::filesystem::create_directory(backups);
    for (const char* name : {"Shop_20240308.pld", "Shop_20240228.pld", "Shop_20240226.pld", "Shop_20240101.pld",
                             "Shop_East_20240101.pld", "Shop_2024.pld", "Other_20240101.pld"})
        WriteWholeFile(backups + "/" + name, "old");
    ASSERT_TRUE(CDatedBackup(RealFileSystem(), clock).Make(database, backups));
    EXPECT_EQ(FilesIn(backups), (std::vector<std::string>{"Other_20240101.pld", "Shop_2024.pld", "Shop_20240228.pld",
                                                          "Shop_20240308.pld", "Shop_20240309.pld",
                                                          "Shop_East_20240101.pld"}));
}

TEST_F(DatedBackupFiles, AFailingFileCallNeverHarmsTheDatabaseOrLeavesAHalfCopy)
{
    std::filesystem::create_directory(backups);
    WriteWholeFile(backups + "/Shop_20240309.pld", "earlier");
    WriteWholeFile(backups + "/Shop_20240101.pld", "old");
    WriteWholeFile(backups + "/Shop_20240201.pld", "older");
    WriteWholeFile(database, std::string(100000, 'd'));
    for (std::uint64_t n = 1;; ++n) {
        FaultInjectingFileSystem fs;
        fs.FailAt(n);
        const bool made = CDatedBackup(fs, clock).Make(database, backups).HasValue();
        EXPECT_EQ(ReadWholeFile(database), std::string(100000, 'd')) << n;
        const std::string copy = ReadWholeFile(backups + "/Shop_20240309.pld");
        EXPECT_TRUE(copy == "earlier" || copy == std::string(100000, 'd')) << n;
        if (!fs.Fired()) {
            EXPECT_TRUE(made);
            break;
        }
        WriteWholeFile(backups + "/Shop_20240309.pld", "earlier");
    }
}

}  // namespace
}  // namespace varnel::test
