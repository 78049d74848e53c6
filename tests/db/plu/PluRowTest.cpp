// The PLU row: its stored layout and size, new-PLU defaults, repair, the department-and-group codes,
// control flags, message links, the editor's flag choices and the comparison with a scale's PLU.
#include "db/plu/DeptGroupItemCode.h"
#include "db/plu/PluCompare.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluFlagChoices.h"
#include "db/plu/PluMessageLinks.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

using namespace std::string_literals;

class PluRowTest : public ::testing::Test {
protected:
    CLabProp& Def(std::uint16_t fieldNo, std::uint16_t width = 0)
    {
        CLabProp& definition = m_frame.AddFieldDef(FieldDefMap::Plu, fieldNo);
        definition.m_width = width;
        return definition;
    }

    TestMainFrame m_frame;
    CPluDefRec m_row;
};

TEST_F(PluRowTest, DataSizeIsTheFixedBlockAndTheDescriptionRoundedUpToFourBytes)
{
    const std::pair<std::size_t, std::uint16_t> cases[] = {{0, 264}, {3, 264}, {4, 268}, {7, 268}, {2050, 2312},
                                                          {3000, 2312}};
    for (const auto& [length, size] : cases) {
        m_row.SetDesc(std::string(length, 'a'), CharRule{});
        EXPECT_EQ(m_row.CalcDataSize(), size) << length;
        EXPECT_EQ(m_row.GetDataSize(), size);
    }
}

TEST_F(PluRowTest, ARowHoldsItsDescriptionAtItsLengthHoweverItIsWritten)
{
    const DBFieldDef desc{-1, "Desc", DaoLongBinary, 2051, kPluDescOffset, 0};
    // From a long description to shorter ones and back: the row grows and shrinks with it.
    for (const std::size_t length : {2050u, 7u, 0u, 300u, 3u}) {
        const std::string text(length, 'd');
        m_row.SetDesc(text, CharRule{});
        EXPECT_EQ(m_row.GetDataRoom(), m_row.CalcDataSize()) << length;
        EXPECT_EQ(m_row.GetDesc(), text) << length;
        const CPluDefRec copy = m_row;
        EXPECT_EQ(copy.GetDataRoom(), m_row.GetDataRoom()) << "a copy copies the used length";

        // The same text through the catalogue, as a database row brings it.
        CPluDefRec loaded;
        ASSERT_TRUE(loaded.SetFieldVariant(desc, std::vector<std::uint8_t>(text.begin(), text.end())));
        EXPECT_EQ(loaded.GetDataRoom(), m_row.GetDataRoom()) << length;
        EXPECT_EQ(loaded.GetFieldVariant(desc), FieldVariant(std::vector<std::uint8_t>(text.begin(), text.end())));
    }
    bool changed = false;
    ASSERT_TRUE(m_row.ParseField(desc, std::string(100, 'p'), changed));
    EXPECT_TRUE(changed);
    EXPECT_EQ(m_row.GetDesc(), std::string(100, 'p'));
    EXPECT_EQ(m_row.GetDataRoom(), 364u);
}

TEST_F(PluRowTest, ColumnsLieWhereTheStoredLayoutPutsThem)
{
    m_row.Set(PluCol::PluNo1, 0x01020304);
    m_row.Set(PluCol::Dept, 0x0506);
    m_row.Set(PluCol::SalesMode, 200);
    m_row.SetDesc("\x1B" "C1Hi"s, CharRule{});
    const auto bytes = m_row.Bytes();
    EXPECT_EQ(bytes[0], 0x04);
    EXPECT_EQ(bytes[3], 0x01);
    EXPECT_EQ(bytes[190], 0x06);
    EXPECT_EQ(bytes[191], 0x05);
    EXPECT_EQ(bytes[206], 200);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[260]), 6), "\x1B" "C1Hi\0"s);
    EXPECT_EQ(m_row.Get(PluCol::SalesMode), 200);
}

TEST_F(PluRowTest, ANewPluTakesItsDefaultsFromTheFieldDefinitions)
{
    Def(1011).m_default = 12;
    Def(1086).m_default = 3;
    Def(1026, 6);
    Def(1005).m_default = 250;
    Def(1002).m_default = 200;
    // The last range holding the PLU decides; the others hold every PLU at their defaults.
    m_frame.m_setup.m_labelFromPlu[5] = 40;
    m_frame.m_setup.m_labelToPlu[5] = 50;
    m_frame.m_setup.m_labelWidths[5] = 80;
    m_frame.m_setup.m_descLengths[5] = 300;

    m_row.SetDesc("old", CharRule{});
    InitPluDataDefaults(42, m_row, m_frame.m_setup, FieldDefSet(m_frame));
    EXPECT_EQ(m_row.Get(PluCol::PluNo1), 42);
    EXPECT_EQ(m_row.Get(PluCol::RegCode), "0012");
    EXPECT_EQ(m_row.Get(PluCol::PackType), "3");
    EXPECT_EQ(m_row.Get(PluCol::PosCode), "000042");
    EXPECT_EQ(m_row.Get(PluCol::LabelWidth), 80);
    EXPECT_EQ(m_row.Get(PluCol::DescLen), 300);
    EXPECT_EQ(m_row.Get(PluCol::UnitPrice), 250);
    EXPECT_EQ(m_row.Get(PluCol::SalesMode), 200);
    EXPECT_EQ(m_row.Get(PluCol::NutritionID), 42);
    EXPECT_EQ(m_row.GetDesc(), "");

    InitPluDataDefaults(7, m_row, m_frame.m_setup, FieldDefSet(m_frame));  // outside every label-size range
    EXPECT_EQ(m_row.Get(PluCol::LabelWidth), 60);
    EXPECT_EQ(m_row.Get(PluCol::DescLen), 100);
}

TEST_F(PluRowTest, RepairFixesThePosCodeLimitsAndValuesOutsideTheirDefinitions)
{
    CLabProp& salesMode = Def(1002);
    salesMode.m_max = 250;
    salesMode.m_default = 1;
    CLabProp& unit = Def(1028);
    unit.m_default = 2;
    unit.AddValue(std::make_unique<CPropValue>("kg", 2));
    unit.AddValue(std::make_unique<CPropValue>("lb", 5));

    m_row.Set(PluCol::PosCode, "12A4");
    m_row.Set(PluCol::LabelWidth, 9);
    m_row.Set(PluCol::DescLen, 1000);
    m_row.Set(PluCol::SalesMode, 200);  // allowed: a byte above 127 is no negative number
    const ColumnDef& unitColumn = FindColumn(kPluColumns, "Unit");
    m_row.Bytes()[unitColumn.offset] = 3;
    m_row.Normalize(m_frame.m_setup, FieldDefSet(m_frame));
    EXPECT_EQ(m_row.Get(PluCol::PosCode), "1204");
    EXPECT_EQ(m_row.Get(PluCol::LabelWidth), 60);
    EXPECT_EQ(m_row.Get(PluCol::DescLen), 100);
    EXPECT_EQ(m_row.Get(PluCol::SalesMode), 200);
    EXPECT_EQ(m_row.Bytes()[unitColumn.offset], 2);

    m_row.Set(PluCol::SalesMode, 251);
    m_row.Normalize(m_frame.m_setup, FieldDefSet(m_frame));
    EXPECT_EQ(m_row.Get(PluCol::SalesMode), 1);
}

TEST_F(PluRowTest, DepartmentAndGroupCodeUsesTheGroupWidth)
{
    m_row.Set(PluCol::Dept, 5);
    m_row.Set(PluCol::Group, 7);
    EXPECT_EQ(m_row.GetDeptGroupCode(FieldDefSet(m_frame)), 12u);  // no definition: a plain sum
    Def(1015, 2);
    EXPECT_EQ(m_row.GetDeptGroupCode(FieldDefSet(m_frame)), 507u);
    EXPECT_TRUE(m_row.MatchesFilter(16, 500, 507, FieldDefSet(m_frame)));
    EXPECT_FALSE(m_row.MatchesFilter(16, 508, 600, FieldDefSet(m_frame)));
    EXPECT_TRUE(m_row.MatchesFilter(2, 508, 600, FieldDefSet(m_frame)));
}

TEST_F(PluRowTest, DeptGroupItemCodeFillsEightDigits)
{
    m_row.Set(PluCol::Dept, 12);
    m_row.Set(PluCol::Group, 3);
    m_row.Set(PluCol::ItemCode, 45);
    EXPECT_EQ(MakeDeptGroupItemCode(m_row), std::nullopt);  // no definitions

    CLabProp& dept = Def(1014, 3);
    CLabProp& group = Def(1015, 2);
    EXPECT_EQ(MakeDeptGroupItemCode(m_row), "01203045");

    dept.m_width = 6;
    group.m_width = 4;  // the group keeps the 2 digits the department leaves, the item none
    m_row.Set(PluCol::ItemCode, 0);
    EXPECT_EQ(MakeDeptGroupItemCode(m_row), "00001203");
    EXPECT_EQ(group.m_width, 4);
    m_row.Set(PluCol::ItemCode, 45);
    EXPECT_EQ(MakeDeptGroupItemCode(m_row), std::nullopt);  // no room left for the item
    dept.m_width = 8;
    EXPECT_EQ(MakeDeptGroupItemCode(m_row), std::nullopt);

    dept.m_width = 3;
    group.m_width = 2;
    CPluDefRec parsed;
    ParseDeptGroupItemCode(parsed, "01203045");
    EXPECT_EQ(parsed.GetDept(), 12);
    EXPECT_EQ(parsed.Get(PluCol::Group), 3);
    EXPECT_EQ(parsed.Get(PluCol::ItemCode), 45);
    ParseDeptGroupItemCode(parsed, "0x1");  // nothing reads: nothing changes
    EXPECT_EQ(parsed.GetDept(), 12);
    group.m_width = 6;  // 9 digits: the department only
    ParseDeptGroupItemCode(parsed, "00799999");
    EXPECT_EQ(parsed.GetDept(), 7);
    EXPECT_EQ(parsed.Get(PluCol::Group), 3);
}

TEST_F(PluRowTest, ControlFlagBits)
{
    m_row.SetCtrlFlag(0x6, true);
    EXPECT_TRUE(m_row.TestCtrlFlag(0x2));
    EXPECT_FALSE(m_row.TestCtrlFlag(0x1));
    EXPECT_FALSE(m_row.IsCtrlFlagPairSet(m_frame.m_setup));
    m_frame.m_setup.m_ctrlFlagPair = 1;
    EXPECT_TRUE(m_row.IsCtrlFlagPairSet(m_frame.m_setup));
    m_row.SetCtrlFlag(0x4, false);
    EXPECT_FALSE(m_row.IsCtrlFlagPairSet(m_frame.m_setup));
}

TEST_F(PluRowTest, MessageSlotsFollowTheMessageFileMapping)
{
    struct Case {
        std::uint8_t setting;
        std::uint32_t written;
        const char* column;
        std::int32_t stored;  // what the column holds after the write
    };
    const Case cases[] = {
        {0, 70000, "Coupon", 70000},         {5, 70000, "FreeMsg1", 0},      {10, 70000, "Ingredients", 70000},
        {11, 70000, "Comment", 0},           {11, 300, "Comment", 300},      {13, 42, "StorageInstruct", 42},
        {4, 42, "Coupon", 0},
    };
    for (const Case& c : cases) {
        CPluDefRec row;
        m_frame.m_setup.m_messageFileMapping[0] = c.setting;
        SetMessageLink(m_frame.m_setup, row, 1, c.written);
        std::int32_t stored = 0;
        ReadNumber(row.Bytes(), FindColumn(kPluColumns, c.column), stored);
        EXPECT_EQ(stored, c.stored) << int{c.setting} << " " << c.written;
        EXPECT_EQ(GetMessageLink(m_frame.m_setup, row, 1), static_cast<std::uint32_t>(c.stored)) << int{c.setting};
    }
    EXPECT_EQ(GetMessageLink(m_frame.m_setup, m_row, 0), 0u);
    SetMessageLink(m_frame.m_setup, m_row, 5, 9);  // no such slot
    EXPECT_EQ(m_row.Bytes()[FindColumn(kPluColumns, "ExMessage3").offset], 0);
}

TEST_F(PluRowTest, FlagChoicesAndTheirJoins)
{
    struct Case {
        std::uint8_t flag;
        std::uint8_t date[2];
        std::uint8_t time[2];
        std::uint8_t expiry[2];
    };
    const Case cases[] = {
        {0, {0, 0}, {0, 0}, {0, 0}}, {1, {2, 2}, {2, 2}, {2, 2}}, {2, {1, 2}, {1, 2}, {1, 1}},
        {3, {2, 1}, {1, 1}, {1, 2}}, {4, {1, 1}, {1, 2}, {1, 2}},
    };
    const CGeneralSetup usa;
    for (const Case& c : cases) {
        EXPECT_EQ(DateFlagFirstChoice(c.flag, usa), c.date[0]) << int{c.flag};
        EXPECT_EQ(DateFlagSecondChoice(c.flag, usa), c.date[1]) << int{c.flag};
        EXPECT_EQ(TimeFlagFirstChoice(c.flag, usa), c.time[0]) << int{c.flag};
        EXPECT_EQ(TimeFlagSecondChoice(c.flag, usa), c.time[1]) << int{c.flag};
        EXPECT_EQ(ExpTimeFlagFirstChoice(c.flag, usa), c.expiry[0]) << int{c.flag};
        EXPECT_EQ(ExpTimeFlagSecondChoice(c.flag, usa), c.expiry[1]) << int{c.flag};
    }
    CGeneralSetup taiwan;
    taiwan.m_market = MarketTaiwan;
    EXPECT_EQ(DateFlagFirstChoice(0, taiwan), 2);
    EXPECT_EQ(TimeFlagFirstChoice(0, taiwan), 2);
    EXPECT_EQ(ExpTimeFlagFirstChoice(0, taiwan), 1);

    EXPECT_EQ(JoinDateFlag(1, 1), 4);
    EXPECT_EQ(JoinDateFlag(2, 1), 3);
    EXPECT_EQ(JoinDateFlag(1, 2), 2);
    EXPECT_EQ(JoinDateFlag(2, 2), 1);
    EXPECT_EQ(JoinTimeFlag(0, 1), 0);
    EXPECT_EQ(JoinTimeFlag(2, 1), 1);
    EXPECT_EQ(JoinTimeFlag(1, 1), 3);
    EXPECT_EQ(JoinTimeFlag(1, 2), 2);
    EXPECT_EQ(JoinExpTimeFlag(1, 1), 2);
    EXPECT_EQ(JoinExpTimeFlag(1, 2), 3);
}

TEST_F(PluRowTest, ComparisonWithAScalePluNamesEachDifferingField)
{
    struct Lines final : IPluCompareResults {
        void AddScaleKey(std::uint32_t) override {}
        void AddNotInDatabase(std::uint32_t) override {}
        void AddDifferent(std::uint32_t plu) override { different.push_back(plu); }
        void WriteLine(std::string_view line) override { lines.emplace_back(line); }
        std::vector<std::uint32_t> different;
        std::vector<std::string> lines;
    } results;
    Def(1005).m_name = "Unit Price";
    Def(1026).m_name = "POS Code";
    Def(1086).m_name = "Pack Type";
    Def(1010).m_name = "Tare";
    CPluDefRec scale;
    CPluDefRec database;
    scale.Set(PluCol::PosCode, "42");
    database.Set(PluCol::PosCode, "0000000000042");
    scale.Set(PluCol::PackType, "12345");
    database.Set(PluCol::PackType, "123");
    PluDifferenceLines same(results, 9);
    EXPECT_FALSE(ComparePluWithScale(same, scale, database));
    EXPECT_TRUE(results.lines.empty());
    // POS codes compare right-aligned to 13 digits on both sides, as the families 0, 4 and 5 send them back.
    struct Codes {
        const char* onScale;
        const char* inDatabase;
        bool differ;
    };
    for (const Codes& c : {Codes{"0000000004242", "04242", false}, Codes{"4242", "4242", false},
                           Codes{"0000000004242", "4243", true}}) {
        CPluDefRec scaleCode;
        CPluDefRec databaseCode;
        scaleCode.Set(PluCol::PosCode, c.onScale);
        databaseCode.Set(PluCol::PosCode, c.inDatabase);
        struct Ignored final : IPluCompareResults {
            void AddScaleKey(std::uint32_t) override {}
            void AddNotInDatabase(std::uint32_t) override {}
            void AddDifferent(std::uint32_t) override {}
            void WriteLine(std::string_view) override {}
        } ignored;
        PluDifferenceLines lines(ignored, 9);
        EXPECT_EQ(ComparePluWithScale(lines, scaleCode, databaseCode), c.differ) << c.onScale << " / " << c.inDatabase;
    }

    scale.Set(PluCol::UnitPrice, 150);
    database.Set(PluCol::UnitPrice, 100);
    database.Set(PluCol::PackType, "124");
    PluDifferenceLines different(results, 9);
    EXPECT_TRUE(ComparePluWithScale(different, scale, database));
    EXPECT_EQ(results.lines, (std::vector<std::string>{"9,\"Scale PLU does not match database\"",
                                                        "\"Unit Price : Scale = 150 DB = 100\"",
                                                        "\"Pack Type : Scale = 123 DB = 124\""}));
    EXPECT_EQ(results.different, (std::vector<std::uint32_t>{9}));
}

}  // namespace
}  // namespace varnel::test
