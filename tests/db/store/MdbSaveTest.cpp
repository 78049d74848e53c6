// Moving a database between ".pld" and ".mdb" files, exporting and compacting: the records stay in
// memory, the new file holds them, and a failure at any file call leaves the target as it was or
// complete, never half written, with no work file left behind.
#include "MdbTestDatabase.h"

#include "db/store/MdbTableDef.h"

#include "support/FaultInjectingFileSystem.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace varnel::test {
namespace {

std::vector<std::string> FilesIn(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::ranges::sort(names);
    return names;
}

// A database of `name` in `dir` with records in both named tables and the one without a name.
void MakeFixture(const TempDir& dir, const std::string& name)
{
    MdbTestDatabase db;
    ASSERT_TRUE(db.Create(dir.File(name))) << db.GetLastErrorText();
    ASSERT_TRUE(db.Open(dir.File(name))) << db.GetLastErrorText();
    for (std::uint32_t key = 1; key <= 20; ++key)
        ASSERT_TRUE(AddItem(*db.GetTable(1), key, {1, 2, static_cast<std::int32_t>(key), 3.5, "item", "p"}));
    ASSERT_TRUE(AddItem(*db.GetTable(2), 7, {9, 9, 9, 9, "other", ""}));
    if (!db.IsDaoMode()) {
        ASSERT_TRUE(AddItem(*db.GetTable(3), 1, {5, 5, 5, 5, "memory and .pld only", ""}));
    }
    for (std::uint32_t key = 2; key <= 20; key += 2) ASSERT_TRUE(db.GetTable(1)->DeleteKey(key));
}

struct Move {
    const char* name;
    const char* from;
    const char* to;
    bool toMdb;
};

const Move kMoves[] = {
    {"pld to mdb", "store.pld", "saved.mdb", true},
    {"mdb to pld", "store.mdb", "saved.pld", false},
    {"mdb to mdb", "store.mdb", "saved.mdb", true},
    {"mdb onto itself", "store.mdb", "store.mdb", true},
};

class MdbSaveTest : public ::testing::TestWithParam<Move> {
protected:
    RecordingPrompt m_prompt;
};

TEST_P(MdbSaveTest, SaveAsKeepsTheRecordsAndContinuesWithTheNewFile)
{
    const Move& move = GetParam();
    TempDir dir;
    MakeFixture(dir, move.from);
    const auto source = SnapshotOfItems(dir.File(move.from));
    ASSERT_TRUE(source);

    MdbTestDatabase db;
    ASSERT_TRUE(db.Open(dir.File(move.from)));
    Snapshot inMemory = TakeSnapshot(db);
    ASSERT_TRUE(db.SaveAs(dir.File(move.to))) << db.GetLastErrorText();
    EXPECT_EQ(db.IsDaoMode(), move.toMdb);
    EXPECT_TRUE(db.IsOpen());
    EXPECT_EQ(db.GetPath(), dir.File(move.to));
    EXPECT_EQ(TakeSnapshot(db), inMemory) << "the records stay in memory";

    // Later changes go to the new file.
    ASSERT_TRUE(AddItem(*db.GetTable(1), 100, {1, 1, 1, 1, "after saving", ""}));
    inMemory = TakeSnapshot(db);
    db.Close();
    if (move.toMdb) inMemory.erase(3);
    EXPECT_EQ(SnapshotOfItems(dir.File(move.to)), inMemory);
    if (std::string(move.from) != move.to) {
        EXPECT_EQ(SnapshotOfItems(dir.File(move.from)), source);
    }
    EXPECT_EQ(FilesIn(dir.Path()).size(), std::string(move.from) == move.to ? 1u : 2u) << "a work file was left";
}

TEST_P(MdbSaveTest, AFailedFileCallLeavesTheTargetWholeAndTheSourceAlone)
{
    const Move& move = GetParam();
    TempDir reference;
    MakeFixture(reference, move.from);
    Snapshot newState;
    {
        MdbTestDatabase db;
        ASSERT_TRUE(db.Open(reference.File(move.from)));
        ASSERT_TRUE(db.SaveAs(reference.File(move.to)));
        db.Close();
        newState = *SnapshotOfItems(reference.File(move.to));
    }
    const Snapshot oldSource = *SnapshotOfItems(reference.File(move.from));

    for (std::uint64_t n = 1;; ++n) {
        ASSERT_LT(n, 100u) << "the save never finished";
        TempDir dir;
        MakeFixture(dir, move.from);
        FaultInjectingFileSystem fs;
        bool saved = false;
        {
            MdbTestDatabase db(fs);
            ASSERT_TRUE(db.Open(dir.File(move.from)));
            fs.FailAt(n);
            saved = db.SaveAs(dir.File(move.to));
            EXPECT_TRUE(db.IsOpen()) << move.name << ": call " << n;
        }
        const auto target = SnapshotOfItems(dir.File(move.to));
        if (!fs.Fired()) {
            EXPECT_TRUE(saved);
            EXPECT_EQ(target, newState);
            break;
        }
        EXPECT_FALSE(saved) << move.name << ": call " << n << " failed but the save reported success";
        if (std::string(move.from) != move.to) {
            EXPECT_TRUE(!target || *target == newState) << move.name << ": call " << n;
            EXPECT_EQ(SnapshotOfItems(dir.File(move.from)), oldSource) << move.name << ": call " << n;
        } else {
            EXPECT_TRUE(*target == oldSource || *target == newState) << move.name << ": call " << n;
        }
        EXPECT_LE(FilesIn(dir.Path()).size(), 2u) << move.name << ": call " << n << " left a work file";
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, MdbSaveTest, ::testing::ValuesIn(kMoves),
                         [](const ::testing::TestParamInfo<Move>& param) {
                             std::string name = param.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

class MdbCompactTest : public ::testing::Test {
protected:
    TempDir m_dir;
    RecordingPrompt m_prompt;
};

TEST_F(MdbCompactTest, CompactionKeepsEveryRecordAndReopensTheDatabase)
{
    for (const bool shared : {false, true}) {
        TempDir dir;
        MakeFixture(dir, "store.mdb");
        MdbTestDatabase db;
        db.SetShared(shared);
        ASSERT_TRUE(db.Open(dir.File("store.mdb")));
        EXPECT_TRUE(db.NeedsCompact());
        const Snapshot before = TakeSnapshot(db);
        const auto sizeBefore = std::filesystem::file_size(dir.File("store.mdb"));
        ASSERT_TRUE(db.Compact()) << db.GetLastErrorText();
        EXPECT_TRUE(db.IsOpen());
        EXPECT_EQ(TakeSnapshot(db), before);
        EXPECT_LE(std::filesystem::file_size(dir.File("store.mdb")), sizeBefore);
        ASSERT_TRUE(AddItem(*db.GetTable(1), 500, {1, 1, 1, 1, "after compacting", ""}));
        const Snapshot after = TakeSnapshot(db);
        db.Close();
        EXPECT_EQ(SnapshotOfItems(dir.File("store.mdb")), after);
        EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"store.mdb"});
    }
}

TEST_F(MdbCompactTest, ASharedDatabaseIsCompactedInPlaceSoOtherConnectionsKeepTheirFile)
{
    MakeFixture(m_dir, "store.mdb");
    MdbTestDatabase compacting;
    MdbTestDatabase other;
    for (MdbTestDatabase* db : {&compacting, &other}) {
        db->SetShared(true);
        ASSERT_TRUE(db->Open(m_dir.File("store.mdb")));
    }
    ASSERT_TRUE(compacting.Compact()) << compacting.GetLastErrorText();
    ASSERT_TRUE(AddItem(*other.GetTable(1), 900, {1, 1, 1, 1, "added after the compaction", ""}));
    EXPECT_FALSE(AddItem(*compacting.GetTable(1), 900, {2, 2, 2, 2, "", ""})) << "both work on the same file";
    compacting.Close();
    other.Close();
    const auto stored = SnapshotOfItems(m_dir.File("store.mdb"));
    ASSERT_TRUE(stored);
    EXPECT_TRUE(stored->at(1).contains(900));
    EXPECT_EQ(FilesIn(m_dir.Path()), std::vector<std::string>{"store.mdb"});
}

TEST_F(MdbCompactTest, AFailedFileCallLeavesTheDatabaseAsItWasAndOpen)
{
    MakeFixture(m_dir, "store.mdb");
    const Snapshot stored = *SnapshotOfItems(m_dir.File("store.mdb"));
    for (std::uint64_t n = 1;; ++n) {
        ASSERT_LT(n, 100u) << "the compaction never finished";
        TempDir dir;
        std::filesystem::copy_file(m_dir.File("store.mdb"), dir.File("store.mdb"));
        FaultInjectingFileSystem fs;
        MdbTestDatabase db(fs);
        ASSERT_TRUE(db.Open(dir.File("store.mdb")));
        fs.FailAt(n);
        const bool compacted = db.Compact();
        EXPECT_TRUE(db.IsOpen()) << "call " << n;
        EXPECT_EQ(TakeSnapshot(db), stored) << "call " << n;
        db.Close();
        EXPECT_EQ(SnapshotOfItems(dir.File("store.mdb")), stored) << "call " << n;
        EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"store.mdb"}) << "call " << n;
        if (!fs.Fired()) {
            EXPECT_TRUE(compacted);
            break;
        }
        EXPECT_FALSE(compacted) << "call " << n << " failed but the compaction reported success";
    }
}

// A table whose database column refuses large amounts, as a column rule of another program would.
class RefusingDatabase final : public MdbTestDatabase {
public:
    RefusingDatabase()
    {
        DeleteAllTables();
        for (std::uint16_t tableNo = 1; tableNo <= 3; ++tableNo) EnsureTable(tableNo);
    }
    std::unique_ptr<CObjDBTable> CreateTable(std::uint16_t tableNo) override
    {
        if (tableNo != 2) return MdbTestDatabase::CreateTable(tableNo);
        class Refusing final : public ItemTable {
        public:
            using ItemTable::ItemTable;
            void CreateTableDef(MdbTableDef& definition) const override
            {
                ItemTable::CreateTableDef(definition);
                for (MdbColumnDef& column : definition.columns)
                    if (column.name == "Amount") column.sqlType += " CHECK (\"Amount\" < 1000)";
            }
        };
        return std::make_unique<Refusing>(tableNo, this, "Others");
    }
};

TEST_F(MdbCompactTest, ExportWritesAnMdbBesideTheOpenDatabaseAndFailsWhenAnyTableFails)
{
    MakeFixture(m_dir, "store.pld");
    MdbTestDatabase db;
    ASSERT_TRUE(db.Open(m_dir.File("store.pld")));
    EXPECT_FALSE(db.ExportToMdb(m_dir.File("store.pld"))) << "its own path";
    ASSERT_TRUE(db.ExportToMdb(m_dir.File("export.mdb"))) << db.GetLastErrorText();
    Snapshot expected = TakeSnapshot(db);
    expected.erase(3);
    EXPECT_EQ(SnapshotOfItems(m_dir.File("export.mdb")), expected);
    EXPECT_FALSE(db.IsDaoMode()) << "the open database stays as it was";
    db.Close();

    RefusingDatabase refusing;
    ASSERT_TRUE(refusing.Open(m_dir.File("store.pld")));
    ASSERT_TRUE(AddItem(*refusing.GetTable(2), 8, {1, 1, 5000, 1, "too much", ""}));
    EXPECT_FALSE(refusing.ExportToMdb(m_dir.File("export.mdb")));
    EXPECT_NE(refusing.GetLastErrorText().find("CHECK constraint failed"), std::string::npos)
        << refusing.GetLastErrorText();
    EXPECT_EQ(SnapshotOfItems(m_dir.File("export.mdb")), expected) << "the old export stays";
}

TEST_F(MdbCompactTest, ExportingAnMdbDatabaseKeepsItsOwnColumnsBound)
{
    // Columns in another order than the catalogue's: an export, whose new file has the catalogue's
    // order, must not leave the open database writing into the wrong columns.
    const std::string path = m_dir.File("store.mdb");
    RunSql(path, "CREATE TABLE \"Version\" (\"Version\" INTEGER); INSERT INTO \"Version\" VALUES (327);"
                 "CREATE TABLE \"Others\" (\"Key\" INTEGER PRIMARY KEY);"
                 "CREATE TABLE \"Items\" (\"Name\" TEXT, \"Amount\" INTEGER, \"Key\" INTEGER PRIMARY KEY);"
                 "INSERT INTO \"Items\" VALUES ('first', 10, 1);");
    MdbTestDatabase db;
    ASSERT_TRUE(db.Open(path));
    ASSERT_TRUE(db.ExportToMdb(m_dir.File("export.mdb"))) << db.GetLastErrorText();
    CDBRecord* record = db.GetTable(1)->FindRecord(1);
    WriteItem(*record, {0, 0, 20, 0, "changed", ""});
    ASSERT_TRUE(db.GetTable(1)->UpdateRecord(record, ItemRow::kSize));
    db.Close();
    EXPECT_EQ(QueryColumn(path, "SELECT \"Name\" || '/' || \"Amount\" FROM \"Items\""),
              std::vector<std::string>{"changed/20"});
    EXPECT_EQ(QueryColumn(m_dir.File("export.mdb"), "SELECT \"Name\" || '/' || \"Amount\" FROM \"Items\""),
              std::vector<std::string>{"first/10"});
}

}  // namespace
}  // namespace varnel::test
