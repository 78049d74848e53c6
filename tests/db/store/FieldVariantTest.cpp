// Field values as they cross into and out of an ".mdb" database.
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

const DBFieldDef kByte{-1, "B", DaoByte, 1, 0, 0};
const DBFieldDef kShort{-1, "S", DaoShort, 2, 2, 0};
const DBFieldDef kLong{-1, "L", DaoLong, 4, 4, 0};
const DBFieldDef kDate{-1, "D", DaoDate, 8, 8, 0};
const DBFieldDef kText{-1, "T", DaoText, 6, 16, 0};
const DBFieldDef kBinary{-1, "X", DaoLongBinary, 5, 24, 0};
const DBFieldDef kKey{-1, "K", DaoLong, 4, DBFieldDef::kKeyOffset, 0};

TEST(FieldVariant, FieldsGoOutTypedAsTheirColumns)
{
    TestRow row;
    bool changed = false;
    ASSERT_TRUE(row.ParseField(kByte, "200", changed));
    ASSERT_TRUE(row.ParseField(kShort, "-5", changed));
    ASSERT_TRUE(row.ParseField(kLong, "-123456", changed));
    ASSERT_TRUE(row.ParseField(kText, "abcdefgh", changed));
    const double date = 46000.5;
    std::memcpy(row.GetData() + kDate.m_offset, &date, sizeof date);
    const std::uint8_t binary[] = {1, 0, 3, 4, 5};
    std::memcpy(row.GetData() + kBinary.m_offset, binary, sizeof binary);
    row.SetKey(0xFFFFFFFF);

    EXPECT_EQ(row.GetFieldVariant(kByte), FieldVariant(std::uint8_t{200}));
    EXPECT_EQ(row.GetFieldVariant(kShort), FieldVariant(std::int16_t{-5}));
    EXPECT_EQ(row.GetFieldVariant(kLong), FieldVariant(std::int32_t{-123456}));
    EXPECT_EQ(row.GetFieldVariant(kDate), FieldVariant(COleDateTime{46000.5, DateTimeStatus::Valid}));
    EXPECT_EQ(row.GetFieldVariant(kText), FieldVariant(std::string("abcde")));
    EXPECT_EQ(row.GetFieldVariant(kBinary), FieldVariant(std::vector<std::uint8_t>{1, 0, 3, 4, 5}));
    EXPECT_EQ(row.GetFieldVariant(kKey), FieldVariant(std::int32_t{-1}));
    EXPECT_EQ(row.GetFieldVariant({-1, "?", 5, 4, 40, 0}), FieldVariant{});

    TestRow empty;
    EXPECT_EQ(empty.GetFieldVariant(kText), FieldVariant(std::string(" "))) << "never an empty string";
}

TEST(FieldVariant, ValuesComeInCutToTheirFields)
{
    struct Case {
        const char* name;
        DBFieldDef field;
        FieldVariant value;
        bool stored;
        const char* formatted;  // the field afterwards; it starts as "1" for numbers and "old" for texts
    } const cases[] = {
        {"byte", kByte, std::uint8_t{250}, true, "250"},
        {"long into a byte", kByte, std::int32_t{300}, true, "44"},
        {"short into a long", kLong, std::int16_t{-2}, true, "-2"},
        {"long into a short", kShort, std::int32_t{70000}, true, "4464"},
        {"number text into a short", kShort, std::string("42"), true, "42"},
        {"other text into a long", kLong, std::string("x"), true, "0"},
        {"blank into a text", kText, std::string(" "), true, ""},
        {"long text", kText, std::string("abcdefgh"), true, "abcde"},
        {"short into a text", kText, std::int16_t{-7}, true, "-7"},
        {"date into a long", kLong, COleDateTime{2.0, DateTimeStatus::Valid}, false, "1"},
        {"text into a date", kDate, std::string("x"), false, "12/31/1899 00:00:00"},
        {"null date", kDate, COleDateTime{0.0, DateTimeStatus::Null}, false, "12/31/1899 00:00:00"},
        {"date", kDate, COleDateTime{2.5, DateTimeStatus::Valid}, true, "01/01/1900 12:00:00"},
        {"nothing into a long", kLong, FieldVariant{}, false, "1"},
        {"nothing into a text", kText, FieldVariant{}, false, "old"},
        {"bytes into a long", kLong, std::vector<std::uint8_t>{9, 9}, false, "1"},
    };
    for (const Case& c : cases) {
        TestRow row;
        bool changed = false;
        const bool text = c.field.m_daoType == DaoText;
        if (c.field.m_daoType == DaoDate) {
            const double one = 1.0;
            std::memcpy(row.GetData() + c.field.m_offset, &one, sizeof one);
        } else {
            ASSERT_TRUE(row.ParseField(c.field, text ? "old" : "1", changed));
        }
        EXPECT_EQ(row.SetFieldVariant(c.field, c.value), c.stored) << c.name;
        EXPECT_EQ(row.FormatField(c.field), c.formatted) << c.name;
    }
}

TEST(FieldVariant, BytesFillALongBinaryFieldWithoutReadingPastThem)
{
    TestRow row;
    std::memset(row.GetData(), 0xEE, 40);
    ASSERT_TRUE(row.SetFieldVariant(kBinary, std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(row.GetFieldVariant(kBinary), FieldVariant(std::vector<std::uint8_t>{1, 2, 3})) << "stored at its length";
    ASSERT_TRUE(row.SetFieldVariant(kBinary, std::vector<std::uint8_t>(9, 7)));
    EXPECT_EQ(row.GetFieldVariant(kBinary), FieldVariant(std::vector<std::uint8_t>{7, 7, 7, 7}));
    EXPECT_EQ(row.GetData()[kBinary.m_offset + kBinary.m_size], 0xEE) << "nothing written past the field";
}

}  // namespace
}  // namespace varnel::test
