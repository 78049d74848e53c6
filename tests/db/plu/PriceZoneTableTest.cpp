// The PLU price-zone table: entries spread over rows of 16, the shared row keys, values equal to the
// PLU's own, the clean-ups of rows, and what a reopened file holds.
#include "PriceZoneDatabase.h"
#include "support/FaultInjectingFileSystem.h"

#include <gtest/gtest.h>

#include <functional>

namespace varnel::test {
namespace {

using Entries = PriceZoneEntries;

class PriceZoneTableTest : public PriceZoneDatabase {
protected:
    // A row made directly, as another program or an old file may have left it.
    void AddRawRow(std::uint32_t key, std::uint32_t pluNumber, const Entries& entries)
    {
        auto row = std::make_unique<CPluPriceZoneRec>();
        row->SetPluNumber(pluNumber);
        for (std::size_t i = 0; i < entries.size(); ++i) row->SetEntry(i, entries[i]);
        ASSERT_TRUE(Zones().AddRecord(key, CPluPriceZoneRec::kDataSize, std::move(row)));
    }
    CPluPriceZoneRec& Row(std::uint32_t key) const { return *dynamic_cast<CPluPriceZoneRec*>(Zones().FindRecord(key)); }
    Entries All(std::uint32_t pluNumber) const
    {
        Entries entries;
        EXPECT_TRUE(Zones().LoadAllEntries(pluNumber, entries));
        return entries;
    }
    std::vector<std::uint32_t> Keys() const
    {
        std::vector<std::uint32_t> keys;
        for (const auto& entry : Zones().GetIndex()) keys.push_back(entry.key);
        return keys;
    }
};

TEST_F(PriceZoneTableTest, SeventeenValuesTakeTwoRowsAndComeBackFromTheFile)
{
    AddPlu(7, 100);
    Entries values;
    for (std::uint16_t i = 0; i < 17; ++i)
        values.push_back({static_cast<std::uint16_t>(1 + i % 8), i < 8 ? kUnitPriceField : kMarkdownPriceField,
                          200 + i});
    values.back().fieldNo = kMarkdownFlagField;
    ASSERT_TRUE(Zones().WritePlu(7, values, &Plu(7)));

    ASSERT_EQ(Keys(), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(Row(1).CountEntries(), 16u);
    EXPECT_EQ(Row(2).CountEntries(), 1u);
    EXPECT_EQ(Row(2).GetPluNumber(), 7u);
    EXPECT_EQ(All(7), values);

    Reopen();
    EXPECT_EQ(All(7), values);
    Entries zone3;
    ASSERT_TRUE(Zones().LoadZoneEntries(7, 3, zone3));
    EXPECT_EQ(zone3, (Entries{{3, kUnitPriceField, 202}, {3, kMarkdownPriceField, 210}}));
}

TEST_F(PriceZoneTableTest, RowsLiveInAnMdbDatabaseToo)
{
    const std::string path = m_dir.File("zones.mdb");
    const Entries values{{2, kUnitPriceField, -5}, {3, kMarkdownFlagField, 2}};
    {
        CPluDatabase db;
        db.CreateAllTables();
        ASSERT_TRUE(db.Create(path));
        ASSERT_TRUE(db.Open(path));
        ASSERT_TRUE(db.GetPluTable()->GetPriceZoneTable()->WritePlu(70000, values, nullptr));
    }
    CPluDatabase db;
    db.CreateAllTables();
    ASSERT_TRUE(db.Open(path));
    Entries entries;
    ASSERT_TRUE(db.GetPluTable()->GetPriceZoneTable()->LoadAllEntries(70000, entries));
    EXPECT_EQ(entries, values);
}

TEST_F(PriceZoneTableTest, ANewRowTakesTheSmallestFreeKey)
{
    struct Case {
        const char* name;
        std::vector<std::uint32_t> keys;
        std::uint32_t expected;
    };
    for (const Case& c : {Case{"gap", {1, 2, 4}, 3}, Case{"dense", {1, 2, 3}, 4}, Case{"none", {}, 1},
                          Case{"from 2", {2, 3}, 1}}) {
        SCOPED_TRACE(c.name);
        Zones().FreeAllRecords();
        for (std::uint32_t key : c.keys) AddRawRow(key, 900, {{1, kUnitPriceField, 5}});
        EXPECT_EQ(Zones().FindRowKey(7, 0), c.expected);
        ASSERT_TRUE(Zones().SetZoneValue(7, kUnitPriceField, 2, 300, nullptr));
        EXPECT_EQ(Row(c.expected).GetPluNumber(), 7u);
        EXPECT_EQ(Zones().FindRowKey(7, 0), c.expected);
    }
}

TEST_F(PriceZoneTableTest, AValueEqualToThePlusOwnIsNotStoredAndRemovesTheEntry)
{
    AddPlu(7, 100);
    ASSERT_TRUE(Zones().SetZoneValue(7, kUnitPriceField, 2, 100, &Plu(7)));
    EXPECT_EQ(Zones().GetRecordCount(), 0u);

    ASSERT_TRUE(Zones().SetZoneValue(7, kUnitPriceField, 2, 150, &Plu(7)));
    ASSERT_TRUE(Zones().SetZoneValue(7, kUnitPriceField, 3, 160, &Plu(7)));
    ASSERT_TRUE(Zones().SetZoneValue(7, kUnitPriceField, 2, 100, &Plu(7)));
    EXPECT_EQ(All(7), (Entries{{3, kUnitPriceField, 160}}));
    Reopen();
    EXPECT_EQ(All(7), (Entries{{3, kUnitPriceField, 160}}));
}

TEST_F(PriceZoneTableTest, ZoneZeroIsThePlusOwnValues)
{
    AddPlu(7, 100);
    EXPECT_TRUE(Zones().SetZoneValue(7, kUnitPriceField, 0, 300, &Plu(7)));
    EXPECT_EQ(Zones().GetRecordCount(), 0u);
    AddRawRow(1, 7, {{0, kUnitPriceField, 5}});
    Entries entries{{9, 9, 9}};
    EXPECT_TRUE(Zones().LoadZoneEntries(7, 0, entries));
    EXPECT_TRUE(entries.empty());
}

TEST_F(PriceZoneTableTest, LoadsTakeOnlyPriceZoneFieldsOfThePlu)
{
    AddRawRow(1, 7, {{2, kUnitPriceField, 1}, {2, kTareField, 2}, {3, kUnitPriceField, 3}});
    AddRawRow(2, 8, {{2, kUnitPriceField, 4}});
    AddRawRow(3, 7, {{2, kMarkdownPriceField, 5}});
    Entries entries;
    ASSERT_TRUE(Zones().LoadZoneEntries(7, 2, entries));
    EXPECT_EQ(entries, (Entries{{2, kUnitPriceField, 1}, {2, kMarkdownPriceField, 5}}));
    ASSERT_TRUE(Zones().LoadZoneEntriesFromIndex(7, 2, entries));
    EXPECT_EQ(entries, (Entries{{2, kUnitPriceField, 1}, {2, kMarkdownPriceField, 5}}));
    ASSERT_TRUE(Zones().LoadFieldEntries(7, kUnitPriceField, entries));
    EXPECT_EQ(entries, (Entries{{2, kUnitPriceField, 1}, {3, kUnitPriceField, 3}}));
    ASSERT_TRUE(Zones().LoadFieldEntries(7, kTareField, entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(All(7).size(), 4u);
}

TEST_F(PriceZoneTableTest, RowCleanUps)
{
    using Clean = std::function<bool(CPluPriceZoneRec&)>;
    const Clean duplicates = [this](CPluPriceZoneRec& row) {
        return row.RemoveDuplicateEntries(m_frame, FieldDefSet(m_frame));
    };
    const Clean unknown = [this](CPluPriceZoneRec& row) {
        return row.RemoveUnknownZones(m_frame, FieldDefSet(m_frame));
    };
    struct Case {
        const char* name;
        Entries before;
        Clean clean;
        bool changed;
        Entries after;
    };
    const Case cases[] = {
        {"duplicates keep the first", {{2, 1005, 1}, {3, 1005, 2}, {2, 1005, 3}, {2, 1005, 4}},
         duplicates, true, {{2, 1005, 1}, {3, 1005, 2}}},
        {"no duplicates", {{2, 1005, 1}, {2, 1004, 1}}, duplicates, false,
         {{2, 1005, 1}, {2, 1004, 1}}},
        {"unknown zone and field", {{9, 1005, 1}, {2, 1010, 2}, {2, 1005, 3}, {12, 1004, 4}},
         unknown, true, {{2, 1005, 3}}},
        {"all known", {{2, 1005, 1}}, unknown, false, {{2, 1005, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPluPriceZoneRec row;
        for (std::size_t i = 0; i < c.before.size(); ++i) row.SetEntry(i, c.before[i]);
        EXPECT_EQ(c.clean(row), c.changed);
        Entries after;
        (void)row.CollectAllEntries(after);
        EXPECT_EQ(after, c.after);
    }
}

TEST_F(PriceZoneTableTest, TableCleanUpsRewriteTheRowsTheyChange)
{
    AddRawRow(1, 7, {{2, kUnitPriceField, 1}, {2, kUnitPriceField, 2}});
    AddRawRow(2, 8, {{11, kUnitPriceField, 3}, {12, kUnitPriceField, 4}});
    ASSERT_TRUE(Zones().RemoveDuplicateEntries());
    ASSERT_TRUE(Zones().RemoveUnknownZones());
    Reopen();
    EXPECT_EQ(All(7), (Entries{{2, kUnitPriceField, 1}}));
    // The row of zones no longer defined is emptied but stays.
    EXPECT_EQ(Keys(), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_TRUE(All(8).empty());

    m_frame.m_priceZones = CPriceZoneList();
    ASSERT_TRUE(Zones().RemoveUnknownZones());
    EXPECT_TRUE(All(7).empty());
}

TEST_F(PriceZoneTableTest, ARemovedZoneStaysRemovedAfterReopening)
{
    AddPlu(7, 100);
    ASSERT_TRUE(Zones().WritePlu(7, {{2, kUnitPriceField, 150}, {3, kUnitPriceField, 160}, {2, kMarkdownPriceField, 9}},
                                 &Plu(7)));
    ASSERT_TRUE(Zones().RemoveZoneFromPlu(7, 2));
    EXPECT_EQ(All(7), (Entries{{3, kUnitPriceField, 160}}));
    Reopen();
    EXPECT_EQ(All(7), (Entries{{3, kUnitPriceField, 160}}));
}

TEST_F(PriceZoneTableTest, DeletingAPluDeletesItsRowsOnly)
{
    AddRawRow(1, 7, {{2, kUnitPriceField, 1}});
    AddRawRow(2, 8, {{2, kUnitPriceField, 2}});
    AddRawRow(3, 7, {{3, kUnitPriceField, 3}});
    ASSERT_TRUE(Zones().DeletePlu(7));
    EXPECT_EQ(Keys(), (std::vector<std::uint32_t>{2}));
    EXPECT_EQ(Zones().FindRowKey(7, 0), 1u);
}

TEST_F(PriceZoneTableTest, UnchangedValuesAreTakenOutOfAList)
{
    AddRawRow(1, 7, {{2, kUnitPriceField, 150}, {3, kUnitPriceField, 160}});
    Entries entries{{2, kUnitPriceField, 150}, {3, kUnitPriceField, 161}, {4, kUnitPriceField, 170}};
    Zones().RemoveUnchangedZoneValues(7, entries);
    EXPECT_EQ(entries, (Entries{{3, kUnitPriceField, 161}, {4, kUnitPriceField, 170}}));
}

TEST_F(PriceZoneTableTest, ListsGiveTheZoneValueElseThePlusOwn)
{
    CPluDefRec& row = AddPlu(7, 100);
    Entries entries{{2, kUnitPriceField, 120}, {3, kUnitPriceField, 130}};
    EXPECT_EQ(GetZoneValue(row, entries, kUnitPriceField, 3), 130);
    EXPECT_EQ(GetZoneValue(row, entries, kUnitPriceField, 4), 100);
    EXPECT_EQ(GetEntryValue(row, entries, kUnitPriceField), 120);
    EXPECT_EQ(GetEntryValue(row, entries, kMarkdownPriceField), 0);
    SetZoneEntry(kUnitPriceField, 3, 135, entries);
    SetZoneEntry(kUnitPriceField, 4, 140, entries);
    EXPECT_EQ(entries, (Entries{{2, kUnitPriceField, 120}, {3, kUnitPriceField, 135}, {4, kUnitPriceField, 140}}));
}

TEST_F(PriceZoneTableTest, RowsChangedOutsideTheTableAreFollowed)
{
    AddRawRow(1, 7, {{2, kUnitPriceField, 1}});
    EXPECT_EQ(Zones().FindRowKey(7, 1), 2u);
    AddRawRow(2, 7, {{3, kUnitPriceField, 2}});
    EXPECT_EQ(Zones().FindRowKey(7, 1), 2u);
    EXPECT_EQ(Zones().FindRowKey(8, 0), 3u);
    ASSERT_TRUE(Zones().DeleteKey(1));
    EXPECT_EQ(Zones().FindRowKey(7, 0), 2u);
    EXPECT_EQ(Zones().FindRowKey(8, 0), 1u);
    // A row given to another PLU in place.
    Row(2).SetPluNumber(8);
    EXPECT_TRUE(All(7).empty());
    EXPECT_EQ(All(8), (Entries{{3, kUnitPriceField, 2}}));
}

TEST_F(PriceZoneTableTest, AFailedWriteLeavesTheRowsAsStored)
{
    AddPlu(7, 100);
    ASSERT_TRUE(Zones().WritePlu(7, {{2, kUnitPriceField, 150}}, &Plu(7)));
    ASSERT_TRUE(m_db.Close());

    FaultInjectingFileSystem fs;
    CPluDatabase db(fs);
    db.CreateAllTables();
    ASSERT_TRUE(db.Open(Path()));
    CPluPriceZoneTb& zones = *db.GetPluTable()->GetPriceZoneTable();
    fs.FailAt(1, true);
    EXPECT_FALSE(zones.WritePlu(7, {{2, kUnitPriceField, 170}, {5, kUnitPriceField, 180}}, nullptr));
    Entries entries;
    ASSERT_TRUE(zones.LoadAllEntries(7, entries));
    EXPECT_EQ(entries, (Entries{{2, kUnitPriceField, 150}}));
    EXPECT_FALSE(zones.RemoveZoneFromPlu(7, 2));
    ASSERT_TRUE(zones.LoadAllEntries(7, entries));
    EXPECT_EQ(entries, (Entries{{2, kUnitPriceField, 150}}));
}

}  // namespace
}  // namespace varnel::test
