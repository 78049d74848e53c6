// The ".bch" batch journal: what batch mode records, byte for byte, and how a journal is applied to a
// database or to memory, wholly or for one department.
#include "MdbTestDatabase.h"
#include "PldBytes.h"

#include "db/store/BatchJournalFormat.h"
#include "platform/ByteOrder.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

// Builds journals by hand, for exact layouts and damaged files.
class JournalBytes {
public:
    explicit JournalBytes(std::uint16_t version = 327) : m_bytes(version) {}

    JournalBytes& Department(const std::string& department, const std::string& path = "shop.pld")
    {
        m_bytes.Le16(kBatchDepartment).Le16(static_cast<std::uint16_t>(department.size()));
        m_bytes.Le16(static_cast<std::uint16_t>(path.size())).Raw(department + '\0' + path + '\0');
        return *this;
    }
    JournalBytes& Record(std::uint16_t kind, std::uint16_t table, std::uint32_t key, const std::string& data)
    {
        const auto length = static_cast<std::uint16_t>(data.size());
        m_bytes.Le16(kind).Le16(table).Le16(length).Le16(length).Le16(0).Le32(key).Raw(data);
        return *this;
    }
    // A delete chunk: its header keeps the deleted record's length, and no data follows.
    JournalBytes& Deleted(std::uint16_t table, std::uint32_t key, std::uint16_t length)
    {
        m_bytes.Le16(kBatchDeleted).Le16(table).Le16(length).Le16(length).Le16(0).Le32(key);
        return *this;
    }
    JournalBytes& Raw(const std::string& bytes)
    {
        m_bytes.Raw(bytes);
        return *this;
    }
    const std::string& Bytes() const { return m_bytes.Bytes(); }

private:
    PldBytes m_bytes;
};

class BatchJournalTest : public ::testing::Test {
protected:
    std::string Store() const { return m_dir.File("store.pld"); }
    std::string Journal() const { return m_dir.File("changes.bch"); }

    // A ".pld" database with tables 1 and 2 made and key 5 of table 1 holding 200 bytes.
    void OpenStore(TestDatabase& db)
    {
        ASSERT_TRUE(db.Create(Store()));
        ASSERT_TRUE(db.Open(Store()));
        ASSERT_TRUE(db.EnsureTable(1) && db.EnsureTable(2));
        ASSERT_TRUE(AddRow(*db.GetTable(1), 5, 200, 'f'));
    }

    static std::vector<std::uint32_t> Keys(const CObjDBTable& table)
    {
        std::vector<std::uint32_t> keys;
        for (const auto& entry : table.GetIndex()) keys.push_back(entry.key);
        return keys;
    }

    TempDir m_dir;
    RecordingPrompt m_prompt;
};

TEST_F(BatchJournalTest, BatchModeRecordsEveryChangeByteForByteAndLeavesTheDatabaseAlone)
{
    TestDatabase db;
    OpenStore(db);
    ASSERT_TRUE(AddRow(*db.GetTable(1), 1, 4, 'k'));
    const std::string storeBefore = ReadWholeFile(Store());

    ASSERT_TRUE(db.BeginBatch(Journal(), "Dairy", false));
    CObjDBTable& table = *db.GetTable(1);
    ASSERT_TRUE(AddRow(table, 7, 5, 'a'));
    CDBRecord* record = table.FindRecord(7);
    std::memset(record->GetData(), 'b', 3);
    ASSERT_TRUE(table.UpdateRecord(record, 3));
    ASSERT_TRUE(table.DeleteKey(7));
    ASSERT_TRUE(table.ChangeKey(table.FindRecord(1), 2));
    EXPECT_EQ(Keys(table), (std::vector<std::uint32_t>{2, 5})) << "memory changes during the batch";
    ASSERT_TRUE(db.EndBatch());

    const std::string expected = JournalBytes()
                                     .Department("Dairy", Store())
                                     .Record(kBatchAdded, 1, 7, "aaaaa")
                                     .Record(kBatchUpdated, 1, 7, "bbb")
                                     .Deleted(1, 7, 3)
                                     .Deleted(1, 1, 4)
                                     .Record(kBatchAdded, 1, 2, "kkkk")
                                     .Bytes();
    EXPECT_EQ(ReadWholeFile(Journal()), expected);
    // Sizes: the department chunk 8 + both texts, then 14 + length, 14 + length and 14 bytes.
    EXPECT_EQ(expected.size(), 2 + (8 + 5 + Store().size()) + (14 + 5) + (14 + 3) + 14 + 14 + (14 + 4));
    EXPECT_EQ(ReadWholeFile(Store()), storeBefore);
    EXPECT_EQ(Keys(*db.GetTable(1)), (std::vector<std::uint32_t>{1, 5})) << "the database was read again";
}

TEST_F(BatchJournalTest, AJournalAppliesWhollyOrForOneDepartment)
{
    const std::string journal = JournalBytes()
                                    .Department("Dairy")
                                    .Record(kBatchAdded, 1, 1, "one")
                                    .Department("Bakery")
                                    .Record(kBatchAdded, 1, 2, "two")
                                    .Deleted(1, 5, 200)  // followed directly by the next chunk
                                    .Record(kBatchUpdated, 1, 3, "three")  // an absent key is added
                                    .Department("Dairy")                    // a journal may end here
                                    .Bytes();
    struct Case {
        const char* filter;
        std::vector<std::uint32_t> keys;
    } const cases[] = {
        {"", {1, 2, 3}},
        {"bakery", {2, 3}},  // the department is compared without case
        {"DAIRY", {1, 5}},
        {"Meat", {5}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteWholeFile(dir.File("changes.bch"), journal);
        TestDatabase db;
        ASSERT_TRUE(db.Create(dir.File("store.pld")) && db.Open(dir.File("store.pld")));
        ASSERT_TRUE(db.EnsureTable(1));
        ASSERT_TRUE(AddRow(*db.GetTable(1), 5, 200, 'f'));

        EXPECT_TRUE(db.ReadBatchFile(dir.File("changes.bch"), c.filter)) << c.filter << ": " << db.GetLastErrorText();
        EXPECT_EQ(Keys(*db.GetTable(1)), c.keys) << c.filter;
        const Snapshot applied = TakeSnapshot(db);
        db.Close();
        EXPECT_EQ(SnapshotOfFile(dir.File("store.pld")), applied) << c.filter << ": applied to the database";
    }
    std::string department;
    WriteWholeFile(Journal(), journal);
    TestDatabase db;
    EXPECT_TRUE(db.ReadBatchDepartment(Journal(), department));
    EXPECT_EQ(department, "Dairy");
}

TEST_F(BatchJournalTest, AnAddOfAPresentKeyUpdatesItAndLoadingChangesOnlyMemory)
{
    WriteWholeFile(Journal(), JournalBytes().Department("").Record(kBatchAdded, 1, 5, "new").Bytes());
    TestDatabase db;
    OpenStore(db);
    const std::string storeBefore = ReadWholeFile(Store());
    ASSERT_TRUE(db.LoadBatchFile(Journal(), ""));
    const CDBRecord& record = *db.GetTable(1)->FindRecord(5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.GetData()), record.GetLength()), "new");
    EXPECT_EQ(ReadWholeFile(Store()), storeBefore);
    EXPECT_FALSE(db.IsBatchMode());
    EXPECT_FALSE(db.IsApplyingBatch());
}

TEST_F(BatchJournalTest, AppendingComparesTheDepartmentExactly)
{
    TestDatabase db;
    OpenStore(db);
    ASSERT_TRUE(db.BeginBatch(Journal(), "Dairy", false));
    ASSERT_TRUE(db.EndBatch());
    const std::size_t begun = ReadWholeFile(Journal()).size();

    ASSERT_TRUE(db.BeginBatch(Journal(), "Dairy", true));
    ASSERT_TRUE(db.EndBatch());
    EXPECT_EQ(ReadWholeFile(Journal()).size(), begun) << "the same department adds no chunk";

    ASSERT_TRUE(db.BeginBatch(Journal(), "DAIRY", true));
    ASSERT_TRUE(AddRow(*db.GetTable(1), 9, 2, 'z'));
    ASSERT_TRUE(db.EndBatch());
    EXPECT_EQ(ReadWholeFile(Journal()),
              JournalBytes()
                  .Department("Dairy", Store())
                  .Department("DAIRY", Store())
                  .Record(kBatchAdded, 1, 9, "zz")
                  .Bytes());

    std::string department;
    ASSERT_TRUE(db.ReadBatchDepartment(Journal(), department));
    EXPECT_EQ(department, "DAIRY");
    WriteWholeFile(m_dir.File("bad.bch"), JournalBytes(201).Bytes());
    EXPECT_FALSE(db.BeginBatch(m_dir.File("bad.bch"), "Dairy", true));
    EXPECT_EQ(ReadWholeFile(m_dir.File("bad.bch")), JournalBytes(201).Bytes()) << "nothing written";
}

TEST_F(BatchJournalTest, ADamagedJournalFailsAndKeepsWhatWasAppliedBefore)
{
    const auto good = [] { return JournalBytes().Department("").Record(kBatchAdded, 1, 1, "before"); };
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::uint32_t> keys;
        bool readsWhole;  // whether the chunks themselves read to the end
    } const cases[] = {
        {"longer than a record holds", good().Record(kBatchAdded, 1, 2, std::string(600, 'x')).Bytes(), {1, 5}, true},
        {"longer than the record present", good().Record(kBatchUpdated, 1, 5, std::string(513, 'x')).Bytes(), {1, 5},
         true},
        {"the free-block table", good().Record(kBatchAdded, 0, 3, "free").Bytes(), {1, 5}, true},
        {"data cut off", good().Record(kBatchAdded, 1, 2, "abcdef").Bytes().substr(0, good().Bytes().size() + 17),
         {1, 5}, false},
        {"header cut off", good().Raw(std::string("\x02\x00\x01\x00\x05", 5)).Bytes(), {1, 5}, false},
        {"kind cut off", good().Raw("\x01").Bytes(), {1, 5}, false},
        {"department cut off", good().Raw(std::string("\x04\x00\x09\x00\x00\x00" "Dai", 9)).Bytes(), {1, 5}, false},
        {"unknown kind", good().Raw(std::string("\x09\x00", 2)).Record(kBatchAdded, 1, 2, "x").Bytes(), {1, 5}, false},
        {"unknown version", JournalBytes(201).Department("").Bytes(), {5}, false},
        {"no version", std::string("\x47", 1), {5}, false},
    };
    for (const Case& c : cases) {
        WriteWholeFile(Journal(), c.bytes);
        TestDatabase db;
        OpenStore(db);
        const std::size_t freeBlocks = db.GetTable(0)->GetRecordCount();
        EXPECT_FALSE(db.ReadBatchFile(Journal(), "")) << c.name;
        EXPECT_FALSE(db.GetLastErrorText().empty()) << c.name;
        EXPECT_EQ(Keys(*db.GetTable(1)), c.keys) << c.name;
        EXPECT_EQ(db.GetTable(0)->GetRecordCount(), freeBlocks) << c.name;
        std::string department;
        EXPECT_EQ(db.ReadBatchDepartment(Journal(), department), c.readsWhole) << c.name;
    }
}

class HookedDatabase final : public TestDatabase {
public:
    void ApplyUnknownTableChunk(std::uint16_t kind, const CDBRecord::Header& header,
                                std::span<const std::uint8_t> data) override
    {
        unknown.push_back({kind, LoadLe32(&header[8]), std::string(data.begin(), data.end())});
    }
    bool AcceptBatchChunk(std::uint16_t, const CDBRecord::Header& header) override { return LoadLe32(&header[8]) != 2; }
    bool OnBatchChunkApplied(std::uint16_t kind, const CDBRecord::Header& header, CObjDBTable&) override
    {
        applied.push_back({kind, LoadLe32(&header[8]), ""});
        return LoadLe32(&header[8]) != 3;
    }
    struct Seen {
        std::uint16_t kind;
        std::uint32_t key;
        std::string data;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> unknown;
    std::vector<Seen> applied;
};

TEST_F(BatchJournalTest, TheDatabasesHooksChooseEntriesAndMayStopTheBatch)
{
    WriteWholeFile(Journal(), JournalBytes()
                                  .Department("")
                                  .Record(kBatchAdded, 14, 70, "price")  // a number without a table
                                  .Record(kBatchAdded, 1, 1, "a")
                                  .Record(kBatchAdded, 1, 2, "b")  // refused by the hook
                                  .Deleted(1, 9, 0)                // absent: no failure
                                  .Record(kBatchAdded, 1, 3, "c")  // the hook stops after it
                                  .Record(kBatchAdded, 1, 4, "d")
                                  .Bytes());
    HookedDatabase db;
    OpenStore(db);
    EXPECT_TRUE(db.ReadBatchFile(Journal(), ""));
    EXPECT_EQ(Keys(*db.GetTable(1)), (std::vector<std::uint32_t>{1, 3, 5}));
    using Seen = HookedDatabase::Seen;
    EXPECT_EQ(db.unknown, (std::vector<Seen>{{kBatchAdded, 70, "price"}}));
    EXPECT_EQ(db.applied, (std::vector<Seen>{{kBatchAdded, 1, ""}, {kBatchDeleted, 9, ""}, {kBatchAdded, 3, ""}}));
}

TEST_F(BatchJournalTest, AFailedJournalWriteFailsTheChangeAndTheJournalStillReads)
{
    FaultInjectingFileSystem fs;
    TestDatabase db(fs);
    OpenStore(db);
    ASSERT_TRUE(db.BeginBatch(Journal(), "Dairy", false));
    fs.FailAt(1);
    EXPECT_FALSE(AddRow(*db.GetTable(1), 7, 5, 'a'));
    EXPECT_EQ(db.GetTable(1)->FindRecord(7), nullptr);
    fs.FailAt(1);
    EXPECT_FALSE(db.GetTable(1)->DeleteKey(5));
    EXPECT_NE(db.GetTable(1)->FindRecord(5), nullptr);
    fs.FailAt(0);
    ASSERT_TRUE(AddRow(*db.GetTable(1), 8, 2, 'b'));
    ASSERT_TRUE(db.EndBatch());
    EXPECT_EQ(ReadWholeFile(Journal()),
              JournalBytes().Department("Dairy", Store()).Record(kBatchAdded, 1, 8, "bb").Bytes());
}

TEST_F(BatchJournalTest, AnMdbDatabaseInBatchModeJournalsEveryChangeAndIsReadAgainAfter)
{
    const std::string store = m_dir.File("store.mdb");
    MdbTestDatabase db;
    ASSERT_TRUE(db.Create(store) && db.Open(store));
    ASSERT_TRUE(AddItem(*db.GetTable(1), 1, {1, 1, 1, 1, "stored", ""}));
    const Snapshot stored = TakeSnapshot(db);

    ASSERT_TRUE(db.BeginBatch(Journal(), "Dairy", false));
    ASSERT_TRUE(AddItem(*db.GetTable(1), 2, {2, 2, 2, 2, "batch", ""}));
    ASSERT_TRUE(db.GetTable(1)->DeleteKey(1));
    ASSERT_TRUE(db.EndBatch());
    EXPECT_EQ(TakeSnapshot(db), stored);

    // The journal carries the add too, and applies to another database.
    TempDir other;
    const std::string copy = other.File("copy.mdb");
    MdbTestDatabase target;
    ASSERT_TRUE(target.Create(copy) && target.Open(copy));
    ASSERT_TRUE(AddItem(*target.GetTable(1), 1, {1, 1, 1, 1, "stored", ""}));
    ASSERT_TRUE(target.ReadBatchFile(Journal(), "dairy")) << target.GetLastErrorText();
    EXPECT_EQ(Keys(*target.GetTable(1)), std::vector<std::uint32_t>{2});
    const Snapshot applied = TakeSnapshot(target);
    target.Close();
    EXPECT_EQ(SnapshotOfItems(copy)->at(1), applied.at(1));
}

}  // namespace
}  // namespace varnel::test
