// User-level operations on an ".mdb" database: one transaction per operation, joined by the operations
// it calls, kept whole or rolled back whole, with the tables in memory following the database.
#include "MdbTestDatabase.h"
#include "PldBytes.h"

#include "db/store/BatchJournalFormat.h"
#include "db/store/StoreTransaction.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

class StoreTransactionTest : public ::testing::Test {
protected:
    std::string Path() const { return m_dir.File("store.mdb"); }

    // Items 97 "seven" and 98 "eight" in a new database file.
    static void MakeStore(const std::string& path)
    {
        MdbTestDatabase maker;
        ASSERT_TRUE(maker.Create(path) && maker.Open(path)) << maker.GetLastErrorText();
        ASSERT_TRUE(AddItem(*maker.GetTable(1), 97, {7, 7, 7, 7, "seven", ""}));
        ASSERT_TRUE(AddItem(*maker.GetTable(1), 98, {8, 8, 8, 8, "eight", ""}));
    }

    // An add, an update, a delete and a key change in both tables.
    static void ChangeEverything(CObjDatabase& db)
    {
        CObjDBTable& items = *db.GetTable(1);
        ASSERT_TRUE(AddItem(items, 1, {1, 1, 1, 1, "new", "\x01"}));
        CDBRecord* seven = items.FindRecord(97);
        WriteItem(*seven, {9, 9, 9, 9, "changed", ""});
        ASSERT_TRUE(items.UpdateRecord(seven, ItemRow::kSize));
        ASSERT_TRUE(items.DeleteKey(98));
        ASSERT_TRUE(items.ChangeKey(items.FindRecord(1), 2));
        ASSERT_TRUE(AddItem(*db.GetTable(2), 5, {5, 5, 5, 5, "other table", ""}));
    }

    TempDir m_dir;
    RecordingPrompt m_prompt;
};

TEST_F(StoreTransactionTest, AnOperationReachesOtherProgramsOnlyWhenItCommits)
{
    MakeStore(Path());
    MdbTestDatabase db;
    db.SetShared(true);
    ASSERT_TRUE(db.Open(Path()));
    const auto keysOutside = [&] { return QueryColumn(Path(), "SELECT \"Key\" FROM \"Items\" ORDER BY \"Key\""); };
    {
        StoreTransaction operation(db);
        ASSERT_TRUE(operation.Begun()) << db.GetLastErrorText();
        ASSERT_TRUE(AddItem(*db.GetTable(1), 1, {1, 1, 1, 1, "first", ""}));
        {
            StoreTransaction nested(db);
            ASSERT_TRUE(nested.Begun());
            ASSERT_TRUE(AddItem(*db.GetTable(1), 2, {2, 2, 2, 2, "second", ""}));
            ASSERT_TRUE(nested.Commit());
        }
        EXPECT_EQ(keysOutside(), (std::vector<std::string>{"97", "98"})) << "the nested commit joined the operation";
        ASSERT_TRUE(operation.Commit()) << db.GetLastErrorText();
    }
    EXPECT_EQ(keysOutside(), (std::vector<std::string>{"1", "2", "97", "98"}));
}

TEST_F(StoreTransactionTest, AnOperationIsKeptOrRolledBackWholeAndMemoryFollowsTheDatabase)
{
    struct Case {
        const char* name;
        bool nestedCommits;
        bool outerCommits;
        bool kept;
    } const cases[] = {
        {"both commit", true, true, true},
        {"the outer scope ends without a commit", true, false, false},
        {"a nested scope ends without a commit", false, true, false},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.File("store.mdb");
        MakeStore(path);
        MdbTestDatabase db;
        ASSERT_TRUE(db.Open(path));
        const Snapshot before = TakeSnapshot(db);
        Snapshot changed;
        {
            StoreTransaction operation(db);
            {
                StoreTransaction nested(db);
                ChangeEverything(db);
                changed = TakeSnapshot(db);
                if (c.nestedCommits) {
                    EXPECT_TRUE(nested.Commit()) << c.name;
                }
            }
            if (c.outerCommits) {
                EXPECT_EQ(operation.Commit(), c.kept) << c.name;
            }
        }
        const Snapshot expected = c.kept ? changed : before;
        EXPECT_EQ(TakeSnapshot(db), expected) << c.name << ": memory";
        EXPECT_NE(changed, before) << c.name;
        db.Close();
        EXPECT_EQ(SnapshotOfItems(path), expected) << c.name << ": the database";
    }
}

TEST_F(StoreTransactionTest, AFailedChangeRollsTheOperationBackAndKeepsTheRecordsInPlace)
{
    MakeStore(Path());
    // Another program's rule refuses key 99.
    RunSql(Path(), "CREATE TRIGGER refuse BEFORE INSERT ON \"Items\" WHEN NEW.\"Key\" = 99"
                   " BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;");
    MdbTestDatabase db;
    ASSERT_TRUE(db.Open(Path()));
    const Snapshot before = TakeSnapshot(db);
    CDBRecord* seven = db.GetTable(1)->FindRecord(97);
    {
        StoreTransaction operation(db);
        ChangeEverything(db);
        EXPECT_FALSE(AddItem(*db.GetTable(1), 99, {}));
        EXPECT_EQ(db.GetLastErrorText(), "refused by the test");
    }  // the operation fails: it ends without its commit
    EXPECT_EQ(TakeSnapshot(db), before);
    EXPECT_EQ(db.GetTable(1)->FindRecord(97), seven) << "a record that stayed is read again where it is";
    EXPECT_EQ(ItemName(*seven), "seven");
    EXPECT_EQ(db.GetTable(1)->GetRecordCount(), 2u);
}

TEST_F(StoreTransactionTest, AJournalThatFailsPartWayKeepsNoneOfItsChanges)
{
    MakeStore(Path());
    // Applied to the database: an update of 97, then an entry longer than any record, which fails.
    PldBytes journal(327);
    const auto record = [&](std::uint16_t kind, std::uint32_t key, const std::string& data) {
        const auto length = static_cast<std::uint16_t>(data.size());
        journal.Le16(kind).Le16(1).Le16(length).Le16(length).Le16(0).Le32(key).Raw(data);
    };
    journal.Le16(kBatchDepartment).Le16(0).Le16(0).Raw(std::string(2, '\0'));
    record(kBatchUpdated, 97, std::string(ItemRow::kSize, 'u'));
    record(kBatchAdded, 3, std::string(600, 'x'));
    WriteWholeFile(m_dir.File("changes.bch"), journal.Bytes());

    MdbTestDatabase db;
    ASSERT_TRUE(db.Open(Path()));
    const Snapshot before = TakeSnapshot(db);
    EXPECT_FALSE(db.ReadBatchFile(m_dir.File("changes.bch"), ""));
    EXPECT_EQ(TakeSnapshot(db), before);
    db.Close();
    EXPECT_EQ(SnapshotOfItems(Path()), before);
}

TEST_F(StoreTransactionTest, WithoutAnMdbDatabaseAScopeChangesNothing)
{
    const std::string pld = m_dir.File("store.pld");
    MdbTestDatabase db;
    ASSERT_TRUE(db.Create(pld) && db.Open(pld));
    {
        StoreTransaction operation(db);
        EXPECT_TRUE(operation.Begun());
        ASSERT_TRUE(AddItem(*db.GetTable(1), 1, {1, 1, 1, 1, "kept", ""}));
    }
    EXPECT_EQ(db.GetTable(1)->GetRecordCount(), 1u) << "a file without transactions keeps what was done";
    StoreTransaction operation(db);
    EXPECT_TRUE(operation.Commit());
}

}  // namespace
}  // namespace varnel::test
