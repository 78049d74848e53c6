// Field access by number: storage kinds and values, decimals, the extra price mapping, fixed-point
// texts, and the field definitions with their archive form.
#include "db/plu/PluDefRec.h"
#include "db/plu/PluFieldAccess.h"
#include "db/plu/RuxPriceLayout.h"
#include "platform/Archive.h"
#include "platform/Messages.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

CLabProp Definition(std::uint16_t fieldNo)
{
    CLabProp definition;
    definition.m_fieldNo = fieldNo;
    return definition;
}

TEST(PluFieldAccessTest, EveryNumberHasTheKindOfItsColumn)
{
    const std::pair<std::uint16_t, std::uint16_t> cases[] = {
        {1001, FieldNone}, {1002, FieldByte}, {1005, FieldLong}, {1010, FieldWord}, {1011, FieldText},
        {1026, FieldText}, {1033, FieldNone}, {1053, FieldLong}, {1086, FieldText}, {1101, FieldWord},
        {1102, FieldNone}, {1200, FieldNone}};
    for (const auto& [fieldNo, kind] : cases) EXPECT_EQ(GetPluFieldType(Definition(fieldNo)), kind) << fieldNo;
}

TEST(PluFieldAccessTest, EveryPluFieldNumberNamesItsCaptionInTheMessageTable)
{
    for (MessageId number = 1000; number <= 1102; ++number)
        EXPECT_FALSE(GetMessageText(number).empty()) << number;
    const std::pair<MessageId, std::string_view> captions[] = {
        {1000, "User-Defined"}, {1001, "PLU Code"}, {1002, "Sales Mode"}, {1026, "POS Code"}, {1101, "Logo #3"}};
    for (const auto& [number, caption] : captions) EXPECT_EQ(GetMessageText(number), caption) << number;
}

TEST(PluFieldAccessTest, ValuesAreReadUnsignedForBytesAndWordsAndCutToTheColumnWidth)
{
    CPluDefRec row;
    struct Case {
        std::uint16_t fieldNo;
        std::int32_t written;
        std::int32_t read;
    };
    const Case cases[] = {{1002, 200, 200}, {1002, 0x1FF, 0xFF}, {1010, 0xFFFF, 0xFFFF}, {1010, 0x12345, 0x2345},
                          {1005, -5, -5},   {1053, 0x7FFFFFFF, 0x7FFFFFFF}};
    for (const Case& c : cases) {
        EXPECT_TRUE(SetPluFieldValue(row, Definition(c.fieldNo), c.written)) << c.fieldNo;
        EXPECT_EQ(GetPluFieldValue(row, Definition(c.fieldNo)), c.read) << c.fieldNo;
    }
}

TEST(PluFieldAccessTest, FieldsWithoutANumericColumnStoreNothing)
{
    CPluDefRec row;
    row.Set(PluCol::PosCode, "123");
    const CPluDefRec before = row;
    for (std::uint16_t fieldNo : {1001, 1011, 1026, 1086, 1033, 1500}) {
        EXPECT_FALSE(SetPluFieldValue(row, Definition(fieldNo), 7)) << fieldNo;
        EXPECT_EQ(GetPluFieldValue(row, Definition(fieldNo)), 0) << fieldNo;
    }
    EXPECT_TRUE(std::ranges::equal(row.Bytes(), before.Bytes()));
}

TEST(PluFieldAccessTest, ExtraPriceRecordsByNumber)
{
    std::array<std::uint8_t, kRuxPriceRecordSize> record{};
    EXPECT_TRUE(SetRuxPriceFieldValue(record, Definition(1200), 1234));
    EXPECT_EQ(record[32], 0xD2);
    EXPECT_TRUE(SetRuxPriceFieldValue(record, Definition(1234), 77));
    EXPECT_EQ(record[100], 77);
    EXPECT_TRUE(SetRuxPriceFieldValue(record, Definition(1230), 250));  // kind 4, yet a byte
    EXPECT_EQ(GetRuxPriceFieldValue(record, Definition(1230)), 250);
    EXPECT_EQ(GetRuxPriceFieldType(Definition(1230)), FieldNone);
    EXPECT_EQ(GetRuxPriceFieldType(Definition(1205)), FieldWord);
    EXPECT_FALSE(SetRuxPriceFieldValue(record, Definition(1218), 1));
    EXPECT_EQ(GetRuxPriceFieldType(Definition(1218)), FieldText);
}

TEST(PluFieldAccessTest, PluFieldsMapToTheirExtraPriceFields)
{
    TestMainFrame frame;
    for (std::uint16_t fieldNo : {1200, 1205, 1218}) frame.AddFieldDef(FieldDefMap::RuxPrice, fieldNo);
    const std::pair<std::uint16_t, int> cases[] = {{1010, 1205}, {1011, 1218}, {1026, 1218}, {1006, 1200},
                                                   {1012, 0},    {1102, 0},    {1001, 0}};
    for (const auto& [fieldNo, expected] : cases) {
        const CLabProp* mapped = MapPluFieldToRuxPrice(Definition(fieldNo));
        EXPECT_EQ(mapped ? mapped->m_fieldNo : 0, expected) << fieldNo;
    }
    const CLabProp rux = Definition(1230);
    EXPECT_EQ(MapPluFieldToRuxPrice(rux), &rux);
}

TEST(PluFieldAccessTest, DecimalsComeFromTheMapOfTheNumbersRange)
{
    TestMainFrame frame;
    frame.AddFieldDef(FieldDefMap::Plu, 1005).m_decimals = 2;
    frame.AddFieldDef(FieldDefMap::Plu2, 1005).m_decimals = 3;
    frame.AddFieldDef(FieldDefMap::RuxPrice, 1200).m_decimals = 1;
    frame.AddFieldDef(FieldDefMap::Nutrition, 1200).m_decimals = 4;  // the extra price map's wins
    frame.AddFieldDef(FieldDefMap::Nutrition, 1501).m_decimals = 1;
    frame.AddFieldDef(FieldDefMap::Production, 1601).m_decimals = 2;
    EXPECT_EQ(GetFieldDecimals(1005), 2);
    EXPECT_EQ(GetFieldDecimals(1200), 1);
    EXPECT_EQ(GetFieldDecimals(1501), 1);
    EXPECT_EQ(GetFieldDecimals(1601), 2);
    EXPECT_EQ(GetFieldDecimals(1006), 0);
    EXPECT_EQ(GetFieldDecimals(1700), 0);
    frame.m_ruxScaleMix = 2;
    EXPECT_EQ(GetFieldDecimals(1005), 3);
}

TEST(PluFieldAccessTest, MarkdownAndExpiryTimeDecimalsDependOnThePlu)
{
    TestMainFrame frame;
    CLabProp markdown = Definition(1004);
    markdown.m_decimals = 2;
    CLabProp expiry = Definition(1023);
    expiry.m_decimals = 2;
    CPluDefRec row;
    row.Set(PluCol::MarkFlag, 3);  // a percentage for family 0
    EXPECT_EQ(GetPluFieldDecimals(markdown, row), 0);
    frame.m_setup.m_markdownPercentDecimal = 1;
    EXPECT_EQ(GetPluFieldDecimals(markdown, row), 1);
    row.Set(PluCol::MarkFlag, 1);
    EXPECT_EQ(GetPluFieldDecimals(markdown, row), 2);
    EXPECT_EQ(GetPluFieldDecimals(expiry, row), 0);
    row.Set(PluCol::ExpTimeFlag, 2);
    EXPECT_EQ(GetPluFieldDecimals(expiry, row), 2);

    // "Different dec. pt. for unit/fixed price": one more for a weighed PLU's price and an
    // extra-decimal markdown, none for a percentage.
    CLabProp price = Definition(1005);
    price.m_decimals = 2;
    frame.m_setup.m_unitFixedPriceDecimal = 1;
    EXPECT_EQ(GetPluFieldDecimals(price, row), 3);
    row.Set(PluCol::SalesMode, 1);
    EXPECT_EQ(GetPluFieldDecimals(price, row), 2);
    row.Set(PluCol::MarkFlag, 4);
    EXPECT_EQ(GetPluFieldDecimals(markdown, row), 3);
    row.Set(PluCol::MarkFlag, 3);
    EXPECT_EQ(GetPluFieldDecimals(markdown, row), 1);
}

TEST(PluFieldAccessTest, PercentageMarkdownFlagsByDefaultFamily)
{
    TestMainFrame frame;
    struct Case {
        std::uint16_t family;
        std::uint8_t flag;
        bool percent;
    };
    const Case cases[] = {{2, 2, true}, {3, 3, false}, {0, 3, true}, {7, 2, false}, {8, 6, true}, {12, 3, true},
                          {0, 6, false}};
    for (const Case& c : cases) {
        frame.m_setup.m_defaultScaleFamily = c.family;
        EXPECT_EQ(IsPercentMarkdown(c.flag), c.percent) << c.family << " " << int{c.flag};
    }
    EXPECT_TRUE(IsExtraDecimalMarkdown(5));
    EXPECT_FALSE(IsExtraDecimalMarkdown(3));
}

TEST(PluFieldAccessTest, FixedPointTexts)
{
    struct Case {
        std::uint16_t decimals;
        char point;
        std::int32_t value;
        const char* text;
    };
    const Case cases[] = {{2, ',', -5, "-0,05"}, {0, '.', 1234, "1234"},  {2, 0, 1234, "12.34"},
                          {3, '.', 7, "0.007"},  {1, '.', -10, "-1.0"}, {4, '.', INT32_MIN, "-214748.3648"},
                          // the longest text there is: the most fraction digits, the longest value
                          {UINT16_MAX, '.', INT32_MIN, "-0.000000002147483648"}};
    for (const Case& c : cases) EXPECT_EQ(FormatFixedPoint(c.decimals, c.point, c.value), c.text);
}

TEST(PluFieldAccessTest, DefinitionsForTheScaleMix)
{
    TestMainFrame frame;
    frame.AddFieldDef(FieldDefMap::Plu, 1010).m_name = "first";
    frame.AddFieldDef(FieldDefMap::Plu, 1005).m_name = "first";
    frame.AddFieldDef(FieldDefMap::Plu2, 1010).m_name = "second";
    const auto names = [] {
        std::vector<std::string> out;
        for (const CLabProp* definition : GetPluFieldDefs())
            out.push_back(std::to_string(definition->m_fieldNo) + definition->m_name);
        return out;
    };
    EXPECT_EQ(names(), (std::vector<std::string>{"1005first", "1010first"}));
    frame.m_ruxScaleMix = 2;
    EXPECT_EQ(names(), (std::vector<std::string>{"1010second"}));
    frame.m_ruxScaleMix = 4;
    EXPECT_EQ(names(), (std::vector<std::string>{"1005first", "1010second"}));
    EXPECT_EQ(FindPluFieldDefAny(1010)->m_name, "first");
}

TEST(LabPropTest, ANewDefinitionAllowsZeroTo255AndIsDisplayedNotPrinted)
{
    const CLabProp definition;
    EXPECT_EQ(definition.m_fieldNo, 1000);
    EXPECT_EQ(definition.m_min, 0);
    EXPECT_EQ(definition.m_max, 255);
    EXPECT_EQ(definition.m_display, 1);
    EXPECT_EQ(definition.m_print, 0);
    EXPECT_TRUE(definition.IsValueAllowed(255));
    EXPECT_FALSE(definition.IsValueAllowed(256));
}

TEST(LabPropTest, CopiesOwnTheirValuesAndTheArchiveFormRoundTrips)
{
    auto original = std::make_unique<CLabProp>();
    original->m_name = "Unit";
    original->m_fieldNo = 1028;
    original->m_key = 3;
    original->m_default = 2;
    original->m_width = 4;
    original->m_decimals = 1;
    original->m_print = 1;
    original->AddValue(std::make_unique<CPropValue>("kg", 2));
    original->AddValue(std::make_unique<CPropValue>("lb", 5));
    original->AddValue(std::make_unique<CPropValue>("pound", 5));  // replaces "lb"
    const CLabProp copy = *original;
    original.reset();
    ASSERT_EQ(copy.m_values.size(), 2u);
    EXPECT_EQ(copy.m_values.at(5)->m_text, "pound");
    EXPECT_EQ(copy.m_values.at(2)->Format(2), "* 0002 kg");
    EXPECT_EQ(copy.m_values.at(5)->Format(2), "  0005 pound");
    EXPECT_FALSE(copy.IsValueAllowed(3));

    auto bytes = SaveArchive([&](CArchive& ar) { const_cast<CLabProp&>(copy).Serialize(ar); });
    ASSERT_TRUE(bytes);
    // name, default, key, minimum, maximum, width, decimals, display, print, field number, values
    const std::vector<std::uint8_t> head{4, 'U', 'n', 'i', 't', 2, 0, 0, 0, 3, 0, 0, 0, 0, 0, 255, 0, 0, 0,
                                         4, 0, 1, 0, 1, 0, 1, 0, 0x04, 0x04, 2, 0};
    ASSERT_GE(bytes->size(), head.size());
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes->begin()));
    CLabProp read;
    ASSERT_TRUE(LoadArchive(*bytes, [&](CArchive& ar) { read.Serialize(ar); }));
    EXPECT_EQ(read.m_name, "Unit");
    EXPECT_EQ(read.m_fieldNo, 1028);
    EXPECT_EQ(read.m_width, 4);
    ASSERT_EQ(read.m_values.size(), 2u);
    EXPECT_EQ(*read.m_values.at(2), *copy.m_values.at(2));
}

}  // namespace
}  // namespace varnel::test
