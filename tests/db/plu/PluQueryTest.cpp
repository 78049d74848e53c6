// Queries of the PLU table: names by pattern, the merge of a decoded PLU into the row and a zone, the
// sends of a PLU by table and by scale zone, and the names of departments and groups.
#include "PriceZoneDatabase.h"
#include "db/plu/DeptGroupName.h"
#include "db/plu/PluFieldAccess.h"
#include "support/InstalledFrameRoles.h"
#include "support/RecordingDocument.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

class PluQueryTest : public PriceZoneDatabase {
protected:
    CPluDefRec& AddNamed(std::uint32_t number, const std::string& name, std::uint16_t dept = 1, std::uint16_t group = 1)
    {
        CPluDefRec& row = AddPlu(number, 100, name);
        row.Set(PluCol::Dept, dept);
        row.Set(PluCol::Group, group);
        return row;
    }
};

TEST_F(PluQueryTest, NamesMatchPatternsByWholeCharacters)
{
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {
        {"ABC", "AB*", true},      {"AB", "AB*", true},       {"XAB", "AB*", false},     {"ABCD", "A?C*", true},
        {"AC", "A?C*", false},     {"abc", "ABC", true},      {"ABC", "abc", false},     {"ABBBC", "A*C", true},
        {"ABCBD", "A*B*D", true},  {"ABCB", "A*BD", false},   {"", "*", true},           {"", "", true},
        {"A", "", false},          {"AB", "A**", true},       {"ABAB", "*AB", true},     {"Lamb shank", "*SHANK", true},
    };
    for (const Case& c : cases) {
        CPluDefRec row;
        row.Set(PluCol::Name, c.name);
        EXPECT_EQ(MatchNamePattern(row, c.pattern, m_frame.GetTextRules().chars), c.matches)
            << c.name << " ~ " << c.pattern;
    }
}

TEST_F(PluQueryTest, ADoubleByteCharacterIsOneCharacterOfThePattern)
{
    m_frame.m_setup.m_market = MarketChina;
    CPluDefRec row;
    row.Set(PluCol::Name, "A\xB0\xA1" "B");
    EXPECT_TRUE(MatchNamePattern(row, "A?B", m_frame.GetTextRules().chars));
    EXPECT_FALSE(MatchNamePattern(row, "A??B", m_frame.GetTextRules().chars));
    EXPECT_TRUE(MatchNamePattern(row, "A\xB0\xA1*", m_frame.GetTextRules().chars));
}

TEST_F(PluQueryTest, FindingByNameDepartmentAndGroupGivesPositions)
{
    AddNamed(10, "ABC", 5, 2);
    AddNamed(20, "AB", 5, 1);
    AddNamed(30, "XAB", 5, 2);
    AddNamed(40, "ABCD", 6, 2);
    struct Case {
        const char* pattern;
        std::uint16_t dept;
        std::uint16_t group;
        std::vector<std::size_t> positions;
    };
    const Case cases[] = {
        {"AB", 65535, 65535, {0, 1, 3}},
        {"AB", 5, 65535, {0, 1}},
        {"AB", 65535, 2, {0, 3}},
        {"", 5, 2, {0, 2}},
        {"A?C*", 65535, 65535, {0, 3}},
    };
    for (const Case& c : cases) {
        std::vector<std::size_t> positions{99};
        Plus().FindPlusByName(c.pattern, c.dept, c.group, positions);
        EXPECT_EQ(positions, c.positions) << c.pattern;
    }
}

TEST_F(PluQueryTest, MergingADecodedPluSplitsItsValuesBetweenRowAndZone)
{
    m_frame.AddFieldDef(FieldDefMap::Plu, kUnitPriceField);
    m_frame.AddFieldDef(FieldDefMap::Plu, kTareField);
    CPluDefRec& row = AddNamed(7, "Rump");
    row.Set(PluCol::PosCode, "111");
    ASSERT_TRUE(Zones().SetZoneValue(7, kUnitPriceField, 2, 250, &row));

    CPluDefRec decoded = row;
    decoded.Set(PluCol::Name, "Rump steak");
    struct Case {
        const char* name;
        std::int32_t price;
        std::uint16_t tare;
        const char* posCode;
        bool askChanged;
        bool changed;
        const char* rowName;
    };
    const Case cases[] = {
        {"same values, name only", 250, 0, "111", true, false, "Rump"},
        {"same values, no flag asked", 250, 0, "111", false, false, "Rump steak"},
        {"a zone value differs", 260, 0, "111", true, true, "Rump"},
        {"a POS code differs", 250, 0, "222", true, true, "Rump steak"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPluDefRec merged = row;
        decoded.Set(PluCol::UnitPrice, c.price);
        (void)SetPluFieldValue(decoded, kTareField, c.tare);
        decoded.Set(PluCol::PosCode, c.posCode);
        PriceZoneEntries entries;
        bool changed = !c.changed;
        Plus().MergePluData(2, decoded, merged, entries, c.askChanged ? &changed : nullptr);
        if (c.askChanged) {
            EXPECT_EQ(changed, c.changed);
        }
        EXPECT_EQ(merged.Get(PluCol::Name), c.rowName);
        EXPECT_EQ(merged.Get(PluCol::UnitPrice), 100);  // the price is a zone field: it goes to the zone
        EXPECT_EQ(entries, (PriceZoneEntries{{2, kUnitPriceField, c.price}}));
    }
    CPluDefRec merged = row;
    (void)SetPluFieldValue(decoded, kTareField, 15);
    PriceZoneEntries entries;
    Plus().MergePluData(0, decoded, merged, entries, nullptr);
    EXPECT_EQ(GetPluFieldValue(merged, kTareField), 15);
    EXPECT_EQ(merged.Get(PluCol::UnitPrice), 250);
    EXPECT_TRUE(entries.empty());
}

TEST_F(PluQueryTest, APluIsSentOrDeletedWithItsNutrition)
{
    RecordingDocument document(m_frame);
    CPluDefRec& row = AddNamed(7, "Rump");
    ASSERT_TRUE(m_db.GetTable(9)->AddRecord(7, 4, m_db.GetTable(9)->CreateRecord(4)));
    const auto sent = [&] {
        std::vector<std::tuple<std::uint32_t, std::uint16_t, std::uint32_t>> requests;
        for (const auto& send : document.m_sends)
            for (const CSendDataLog& request : send.requests)
                requests.emplace_back(request.m_kind, request.m_tableId, request.m_rangeStart);
        document.m_sends.clear();
        return requests;
    };
    using Sent = std::vector<std::tuple<std::uint32_t, std::uint16_t, std::uint32_t>>;

    Plus().QueuePluSend(row);
    EXPECT_EQ(sent(), (Sent{{SendRecords, 2, 7}}));
    m_frame.m_setup.m_nutritionInUse = 1;
    Plus().QueuePluSend(row);
    EXPECT_EQ(sent(), (Sent{{SendRecords, 2, 7}, {SendRecords, 9, 7}}));
    row.SetCtrlFlag(1, true);
    Plus().QueuePluSendEx(row, true, true, false);
    EXPECT_EQ(sent(), (Sent{{SendKeyDeletes, 2, 7}, {SendKeyDeletes, 9, 7}}));
}

TEST_F(PluQueryTest, WhenActiveMayDifferByZoneEachScaleGetsItsZonesAnswer)
{
    RecordingDocument document(m_frame);
    m_frame.m_priceZoneFields.push_back(1053);
    for (std::uint16_t zone : {0, 2, 3}) {
        CLinkScaleSettings scale;
        scale.m_scaleNo = static_cast<std::uint16_t>(10 + zone);
        scale.m_priceZone = zone;
        m_frame.m_linkScales.push_back(scale);
    }
    CPluDefRec& row = AddNamed(7, "Rump");
    ASSERT_TRUE(Zones().SetZoneValue(7, 1053, 3, 1, &row));  // inactive in zone 3
    Plus().QueuePluSend(row);
    ASSERT_EQ(document.m_sends.size(), 3u);
    for (const auto& send : document.m_sends) {
        ASSERT_EQ(send.requests.size(), 1u);
        EXPECT_EQ(send.requests[0].m_kind, send.scaleNo == 13 ? SendKeyDeletes : SendRecords) << *send.scaleNo;
        EXPECT_EQ(send.requests[0].m_tableId, 2);
    }
}

// A department table whose rows hold their names as description lines.
class NamedDeptTable final : public CDBComTb {
public:
    using CDBComTb::CDBComTb;
    std::uint32_t GetMinKey() const override { return 0; }
    std::uint32_t GetMaxKey() const override { return 65535; }
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t) override { return std::make_unique<CDBRecord>(); }
    std::optional<std::string_view> GetDescText(const CDBRecord& record) const override
    {
        return record.GetKey() == 5 ? std::optional<std::string_view>("\x1B" "C1Butchery") : std::string_view("Plain");
    }
};

class NamedDeptDatabase final : public CObjDatabase {
public:
    NamedDeptDatabase() : CObjDatabase(92) {}
    std::unique_ptr<CObjDBTable> CreateTable(std::uint16_t tableNo) override
    {
        return tableNo == kDepartmentTable ? std::make_unique<NamedDeptTable>(tableNo, this, "RuxDept", FrameRoles())
                                           : nullptr;
    }
};

TEST(DeptGroupNameTest, NamesComeFromTheTextsWhenTheSetupSaysSo)
{
    TestMainFrame frame;
    NamedDeptDatabase db;
    CObjDBTable& departments = *db.GetOrCreateTable(kDepartmentTable);
    for (std::uint32_t key : {5u, 6u}) ASSERT_TRUE(departments.AddRecord(key, 0, departments.CreateRecord(0)));
    EXPECT_EQ(GetDeptGroupName(frame.m_setup, db, kDepartmentTable, 5), "Department 5");
    frame.m_setup.m_deptGroupByText = 1;
    EXPECT_EQ(GetDeptGroupName(frame.m_setup, db, kDepartmentTable, 5), "Butchery");
    EXPECT_EQ(GetDeptGroupName(frame.m_setup, db, kDepartmentTable, 6), "Department 6");  // no description line
    EXPECT_EQ(GetDeptGroupName(frame.m_setup, db, kDepartmentTable, 7), "Department 7");
    EXPECT_EQ(GetDeptGroupName(frame.m_setup, db, kGroupTable, 7), "Group 7");
}

}  // namespace
}  // namespace varnel::test
