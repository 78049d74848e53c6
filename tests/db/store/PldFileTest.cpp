#include "PldBytes.h"
#include "TestDatabase.h"

#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace varnel::test {
namespace {

class PldFileTest : public ::testing::Test {
protected:
    std::string Path() const { return m_dir.File("store.pld"); }

    void OpenFresh()
    {
        ASSERT_TRUE(m_db.Create(Path()));
        ASSERT_TRUE(m_db.Open(Path()));
    }

    void OpenImage(const PldBytes& image)
    {
        WriteWholeFile(Path(), image.Bytes());
        ASSERT_TRUE(m_db.Open(Path()));
    }

    std::vector<std::uint16_t> FreeCapacities() const
    {
        std::vector<std::uint16_t> capacities;
        std::uint32_t expectedNumber = 0;
        for (const auto& entry : m_db.GetTable(0)->GetIndex()) {
            EXPECT_EQ(entry.key, expectedNumber++) << "free blocks are numbered 0..n-1";
            capacities.push_back(entry.record->GetCapacity());
        }
        return capacities;
    }

    std::string FileBytes() const { return ReadWholeFile(Path()); }

    TempDir m_dir;
    RecordingPrompt m_prompt;
    TestDatabase m_db;
};

TEST_F(PldFileTest, RecordsSurviveCloseAndReopenByteForByte)
{
    OpenFresh();
    CObjDBTable& plus = *m_db.GetOrCreateTable(2);
    CObjDBTable& texts = *m_db.GetOrCreateTable(7);
    ASSERT_TRUE(AddRow(plus, 123, 264, 'p'));
    ASSERT_TRUE(AddRow(plus, 5, 1, 'q'));
    ASSERT_TRUE(AddRow(texts, 0, 0, 'x'));
    ASSERT_TRUE(AddRow(texts, 1000000, 500, 't'));
    CDBRecord* changed = plus.FindRecord(123);
    changed->GetData()[0] = 'Z';
    ASSERT_TRUE(plus.UpdateRecord(changed, 100));
    ASSERT_TRUE(plus.DeleteKey(5));
    const Snapshot before = TakeSnapshot(m_db);
    m_db.Close();

    const auto after = SnapshotOfFile(Path());
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, before);
    EXPECT_EQ((*after).at(2).at(123), "Z" + std::string(99, 'p'));
}

TEST_F(PldFileTest, ANewRecordTakesTheBestFittingFreeBlock)
{
    OpenImage(PldBytes(327).FreeBlock(40).FreeBlock(20).FreeBlock(20).FreeBlock(60));
    ASSERT_EQ(FreeCapacities(), (std::vector<std::uint16_t>{40, 20, 20, 60}));
    const std::uint32_t secondBlock = 2 + 12 + 40;

    ASSERT_TRUE(AddRow(*m_db.GetOrCreateTable(1), 77, 15, 'r'));
    const CDBRecord& record = *m_db.GetTable(1)->FindRecord(77);
    EXPECT_EQ(record.m_fileOffset, secondBlock);
    EXPECT_EQ(record.GetCapacity(), 20);
    EXPECT_EQ(FreeCapacities(), (std::vector<std::uint16_t>{40, 20, 60}));

    const std::string expected = PldBytes(0).Record(1, 20, 15, 77, std::string(15, 'r')).Bytes().substr(2);
    EXPECT_EQ(FileBytes().substr(secondBlock, 32), expected) << "header, data, then 5 zero bytes";
}

TEST_F(PldFileTest, ARecordKeepsItsRoomWhenItShrinksAndMovesWhenItOutgrowsIt)
{
    OpenFresh();
    CObjDBTable& table = *m_db.GetOrCreateTable(1);
    ASSERT_TRUE(AddRow(table, 1, 30, 'a'));
    ASSERT_TRUE(AddRow(table, 2, 8, 'b'));
    CDBRecord* record = table.FindRecord(1);
    const std::uint32_t offset = record->m_fileOffset;

    ASSERT_TRUE(table.UpdateRecord(record, 20));
    EXPECT_EQ(record->m_fileOffset, offset);
    EXPECT_EQ(record->GetCapacity(), 30);
    EXPECT_EQ(record->GetLength(), 20);
    EXPECT_TRUE(FreeCapacities().empty());

    ASSERT_TRUE(table.UpdateRecord(record, 31));
    EXPECT_NE(record->m_fileOffset, offset);
    EXPECT_EQ(record->GetCapacity(), 31);
    EXPECT_EQ(FreeCapacities(), (std::vector<std::uint16_t>{30}));
    EXPECT_EQ(FileBytes().substr(offset, 2), std::string("\0\0", 2)) << "the old room is marked free in the file";

    ASSERT_TRUE(AddRow(table, 3, 100, 'c'));
    EXPECT_EQ(table.FindRecord(3)->GetCapacity(), 100) << "no free block fits: appended";
    EXPECT_EQ(table.FindRecord(3)->m_fileOffset + 12u + 100u, FileBytes().size());
}

TEST_F(PldFileTest, AcceptedVersionsAndHeaderSizes)
{
    // The database's own version to write and the old versions; 327 only where it is the version to write.
    struct Case {
        std::uint16_t version;
        bool oldHeader;
        bool accepted;
        std::uint16_t toWrite = 327;
    } const cases[] = {{100, true, true},  {200, true, true},  {206, true, true},   {244, false, true},
                       {327, false, true}, {353, false, true}, {201, false, false}, {354, false, false},
                       {0, false, false},  {354, false, true, 354}, {327, false, false, 354},
                       {110, false, true, 110}, {327, false, false, 110}, {326, false, true, 110}};
    for (const Case& c : cases) {
        PldBytes image(c.version);
        if (c.oldHeader) image.OldRecord(3, 6, 4, 42, "abcd");
        else image.Record(3, 6, 4, 42, "abcd");
        WriteWholeFile(Path(), image.Bytes());
        m_prompt.m_ids.clear();
        TestDatabase db;
        db.SetFileVersion(c.toWrite);
        ASSERT_EQ(db.Open(Path()), c.accepted) << c.version << " in a database writing " << c.toWrite;
        if (!c.accepted) {
            EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61368}) << c.version;
            EXPECT_FALSE(db.IsOpen());
            continue;
        }
        EXPECT_EQ(db.GetHeaderSize(), c.oldHeader ? 10u : 12u);
        ASSERT_NE(db.GetTable(3)->FindRecord(42), nullptr) << c.version;
        EXPECT_EQ(TakeSnapshot(db).at(3).at(42), "abcd");
    }
}

TEST_F(PldFileTest, AShortVersionWordIsRefused)
{
    WriteWholeFile(Path(), std::string(1, '\x47'));
    EXPECT_FALSE(m_db.Open(Path()));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61368});
}

TEST_F(PldFileTest, ReaderSkipsWhatItCannotTakeAndKeepsTheFirstOfAKey)
{
    OpenImage(PldBytes(327)
                  .Record(1, 8, 3, 10, "one")
                  .Record(1, 8, 3, 10, "two")      // repeated key: the first stays
                  .Record(15, 4, 4, 1, "nope")     // no such table
                  .Record(21, 4, 4, 1, "high")     // above the highest table number
                  .Record(1, 4, 5, 11, "long")     // length above capacity
                  .Record(1, 4, 4, 2000000, "big") // key the table refuses
                  .Record(2, 2, 2, 12, "ok"));
    const Snapshot held = TakeSnapshot(m_db);
    EXPECT_EQ(held, (Snapshot{{1, {{10, "one"}}}, {2, {{12, "ok"}}}}));
}

TEST_F(PldFileTest, ACutOffHeaderFailsTheLoadButCutOffDataLosesOnlyItsRecord)
{
    WriteWholeFile(Path(), PldBytes(327).Record(1, 4, 4, 1, "keep").Raw("\x01\x00\x04").Bytes());
    EXPECT_FALSE(m_db.Open(Path()));
    EXPECT_FALSE(m_db.IsOpen());

    std::string cut = PldBytes(327).Record(1, 4, 4, 1, "keep").Record(1, 10, 10, 2, "0123456789").Bytes();
    cut.resize(cut.size() - 3);
    WriteWholeFile(Path(), cut);
    TestDatabase db;
    ASSERT_TRUE(db.Open(Path()));
    EXPECT_EQ(TakeSnapshot(db), (Snapshot{{1, {{1, "keep"}}}}));
}

TEST_F(PldFileTest, AFileOfOnlyTheVersionWordIsAnEmptyDatabase)
{
    OpenImage(PldBytes(327));
    EXPECT_TRUE(TakeSnapshot(m_db).empty());
}

TEST_F(PldFileTest, CompactionIsOfferedAboveTenFreeBlocksAndLeavesNone)
{
    OpenFresh();
    CObjDBTable& table = *m_db.GetOrCreateTable(1);
    for (std::uint32_t key = 1; key <= 12; ++key) ASSERT_TRUE(AddRow(table, key, static_cast<std::uint16_t>(key), 'c'));
    for (std::uint32_t key = 1; key <= 10; ++key) ASSERT_TRUE(table.DeleteKey(key));
    EXPECT_FALSE(m_db.NeedsCompact());
    ASSERT_TRUE(table.UpdateRecord(table.FindRecord(11), 40));  // moves: the eleventh free block
    EXPECT_TRUE(m_db.NeedsCompact());

    const Snapshot before = TakeSnapshot(m_db);
    ASSERT_TRUE(m_db.Compact());
    EXPECT_TRUE(FreeCapacities().empty());
    EXPECT_FALSE(m_db.NeedsCompact());
    EXPECT_EQ(FileBytes().size(), 2u + (12 + 40) + (12 + 12));
    EXPECT_EQ(TakeSnapshot(m_db), before);

    ASSERT_TRUE(AddRow(table, 50, 5, 'n')) << "live updates go on in the compacted file";
    const Snapshot after = TakeSnapshot(m_db);
    m_db.Close();
    EXPECT_EQ(SnapshotOfFile(Path()), after);
}

TEST_F(PldFileTest, ASecondOpenOfTheSameFileIsRefused)
{
    OpenFresh();
    TestDatabase second;
    EXPECT_FALSE(second.Open(Path()));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61460});

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TestDatabase other;
        _exit(other.Open(Path()) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "another process is refused too";

    m_db.Close();
    EXPECT_TRUE(second.Open(Path())) << "free again once closed";
}

TEST_F(PldFileTest, AMissingFileFailsWithoutAMessage)
{
    EXPECT_FALSE(m_db.Open(m_dir.File("absent.pld")));
    EXPECT_TRUE(m_prompt.m_ids.empty());
}

TEST_F(PldFileTest, SaveAsContinuesWithTheNewFileAndLeavesTheOldOne)
{
    OpenFresh();
    ASSERT_TRUE(AddRow(*m_db.GetOrCreateTable(1), 1, 10, 's'));
    ASSERT_TRUE(m_db.GetTable(1)->DeleteKey(1));
    ASSERT_TRUE(AddRow(*m_db.GetOrCreateTable(1), 2, 4, 't'));
    const std::string oldBytes = FileBytes();
    const std::string target = m_dir.File("copy.pld");

    ASSERT_TRUE(m_db.SaveAs(target));
    EXPECT_EQ(m_db.GetPath(), target);
    EXPECT_EQ(FileBytes(), oldBytes);
    ASSERT_TRUE(AddRow(*m_db.GetTable(1), 3, 4, 'u'));
    const Snapshot held = TakeSnapshot(m_db);
    m_db.Close();
    EXPECT_EQ(SnapshotOfFile(target), held);
}

TEST_F(PldFileTest, SaveAsNeverReplacesAFileThatAnotherCopyHasOpen)
{
    OpenFresh();
    const std::string target = m_dir.File("busy.pld");
    TestDatabase holder;
    ASSERT_TRUE(holder.Create(target));
    ASSERT_TRUE(holder.Open(target));
    ASSERT_TRUE(AddRow(*holder.GetOrCreateTable(1), 9, 4, 'h'));

    EXPECT_FALSE(m_db.SaveAs(target));
    EXPECT_EQ(m_db.GetPath(), Path());
    holder.Close();
    EXPECT_EQ(SnapshotOfFile(target), (Snapshot{{1, {{9, "hhhh"}}}}));
}

TEST(ObjDatabaseTables, GetOrCreateTableStoresTheFactorysNull)
{
    TestDatabase db;
    EXPECT_EQ(db.GetOrCreateTable(40), nullptr);
    EXPECT_EQ(db.GetTableSlots(), 41u);
    EXPECT_FALSE(db.EnsureTable(40));
    EXPECT_NE(db.GetOrCreateTable(3), nullptr);
    EXPECT_EQ(db.GetTable(3), db.GetOrCreateTable(3));
}

TEST(ObjDatabaseTables, FileExtensionComesFromTheFileName)
{
    struct Case {
        const char* path;
        const char* extension;
    } const cases[] = {{"a.pld", "pld"},       {"dir/store.MDB", "MDB"}, {"noext", ""},     {"trailing.", ""},
                       {".hidden", ""},        {"old.dir/noext", ""},    {"a.b.c", "c"},    {"C:\\x.y\\z", ""},
                       {"/var/db/x.bch", "bch"}};
    for (const Case& c : cases) EXPECT_EQ(CObjDatabase::GetFileExtension(c.path), c.extension) << c.path;
}

}  // namespace
}  // namespace varnel::test
