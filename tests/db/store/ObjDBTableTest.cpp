#include "TestDatabase.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

class ObjDBTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_db.Create(m_dir.File("t.pld")));
        ASSERT_TRUE(m_db.Open(m_dir.File("t.pld")));
        m_table = m_db.GetOrCreateTable(1);
        ASSERT_NE(m_table, nullptr);
    }

    void AddKeys(std::initializer_list<std::uint32_t> keys)
    {
        for (std::uint32_t key : keys) ASSERT_TRUE(AddRow(*m_table, key, 8, 'a'));
    }

    TempDir m_dir;
    TestDatabase m_db;
    CObjDBTable* m_table = nullptr;
};

TEST_F(ObjDBTableTest, AddingAPresentKeyFailsAndKeepsTheOldRecord)
{
    ASSERT_TRUE(AddRow(*m_table, 5, 4, 'x'));
    CDBRecord* old = m_table->FindRecord(5);
    EXPECT_FALSE(AddRow(*m_table, 5, 4, 'y'));
    EXPECT_EQ(m_table->FindRecord(5), old);
    EXPECT_EQ(old->GetData()[0], 'x');
    EXPECT_EQ(m_table->GetRecordCount(), 1u);
    EXPECT_EQ(m_table->GetHighestKey(), 5u);
}

TEST_F(ObjDBTableTest, WalksForwardAndBackward)
{
    AddKeys({5, 9});
    KeyCursor cursor = 0;
    EXPECT_EQ(m_table->GetNextRecord(cursor)->GetKey(), 5u);
    EXPECT_EQ(cursor, 6);
    EXPECT_EQ(m_table->GetNextRecord(cursor)->GetKey(), 9u);
    EXPECT_EQ(cursor, 10);
    EXPECT_EQ(m_table->GetNextRecord(cursor), nullptr);

    cursor = 7;
    EXPECT_EQ(m_table->GetPrevRecord(cursor)->GetKey(), 5u);
    EXPECT_EQ(cursor, 4);
    EXPECT_EQ(m_table->GetPrevRecord(cursor), nullptr);
    cursor = 0;
    EXPECT_EQ(m_table->GetPrevRecord(cursor), nullptr);
    cursor = kLastKeyCursor;
    EXPECT_EQ(m_table->GetPrevRecord(cursor)->GetKey(), 9u);
}

TEST_F(ObjDBTableTest, WalksEndAtBothEndsOfTheKeyRangeInsteadOfWrapping)
{
    AddKeys({0, 1000000});
    KeyCursor cursor = 1000000;
    ASSERT_NE(m_table->GetNextRecord(cursor), nullptr);
    cursor = kLastKeyCursor + 1;  // as left by a record of the largest key
    EXPECT_EQ(m_table->GetNextRecord(cursor), nullptr);

    cursor = 3;
    EXPECT_EQ(m_table->GetPrevRecord(cursor)->GetKey(), 0u);
    EXPECT_EQ(m_table->GetPrevRecord(cursor), nullptr) << "a backward walk past key 0 ends";
}

TEST_F(ObjDBTableTest, WalkSurvivesDeletesAndAddsOnTheWay)
{
    AddKeys({1, 2, 3, 4});
    std::vector<std::uint32_t> seen;
    KeyCursor cursor = 0;
    while (CDBRecord* record = m_table->GetNextRecord(cursor)) {
        seen.push_back(record->GetKey());
        if (record->GetKey() == 2) {
            ASSERT_TRUE(m_table->DeleteKey(2));
            ASSERT_TRUE(m_table->DeleteKey(3));
            ASSERT_TRUE(AddRow(*m_table, 0, 4, 'z'));   // behind the cursor
            ASSERT_TRUE(AddRow(*m_table, 10, 4, 'z'));  // ahead of it
        }
    }
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{1, 2, 4, 10}));
}

TEST_F(ObjDBTableTest, FindFieldIgnoresCaseAndTheFldEnding)
{
    m_table->AddField("Name", DaoText, 30, 0, 1);
    m_table->AddField("_FLD", DaoLong, 4, 30, 2);
    ASSERT_NE(m_table->FindField("name_fld"), nullptr);
    EXPECT_EQ(m_table->FindField("name_fld")->m_fieldNo, 1);
    EXPECT_EQ(m_table->FindField("NAME")->m_fieldNo, 1);
    ASSERT_NE(m_table->FindField("_fld"), nullptr) << "four characters alone keep their ending";
    EXPECT_EQ(m_table->FindField("_fld")->m_fieldNo, 2);
    EXPECT_EQ(m_table->FindField("Nam"), nullptr);
}

TEST_F(ObjDBTableTest, FindFreeKeyWithinBounds)
{
    for (std::uint32_t key = 10; key <= 20; ++key) ASSERT_TRUE(AddRow(*m_table, key, 4, 'k'));
    std::uint32_t key = 10;
    EXPECT_FALSE(m_table->FindFreeKey(key, 10, 20));

    CObjDBTable& other = *m_db.GetOrCreateTable(2);
    ASSERT_TRUE(AddRow(other, 10, 4, 'k'));
    ASSERT_TRUE(AddRow(other, 11, 4, 'k'));
    key = 10;
    EXPECT_TRUE(other.FindFreeKey(key, 10, 20));
    EXPECT_EQ(key, 12u);
    key = 30;  // outside: retried from the low bound
    EXPECT_TRUE(other.FindFreeKey(key, 10, 20));
    EXPECT_EQ(key, 12u);
}

TEST_F(ObjDBTableTest, ChangeKeyMovesTheRecordAndRefusesATakenKey)
{
    AddKeys({1, 2});
    CDBRecord* record = m_table->FindRecord(1);
    EXPECT_FALSE(m_table->ChangeKey(record, 2));
    EXPECT_EQ(m_table->FindRecord(1), record) << "a refused change loses nothing";
    ASSERT_TRUE(m_table->ChangeKey(record, 7));
    EXPECT_EQ(m_table->FindRecord(1), nullptr);
    EXPECT_EQ(m_table->FindRecord(7), record);
    EXPECT_EQ(record->GetKey(), 7u);

    m_db.Close();
    const auto reopened = SnapshotOfFile(m_dir.File("t.pld"));
    ASSERT_TRUE(reopened);
    EXPECT_EQ((*reopened).at(1).count(7), 1u);
    EXPECT_EQ((*reopened).at(1).count(1), 0u);
}

TEST_F(ObjDBTableTest, GetOrAddRecordTellsWhetherItMadeTheRecord)
{
    bool created = false;
    CDBRecord* made = m_table->GetOrAddRecordEx(3, 6, created);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(created);
    EXPECT_EQ(m_table->GetOrAddRecordEx(3, 6, created), made);
    EXPECT_FALSE(created);
}

}  // namespace
}  // namespace varnel::test
