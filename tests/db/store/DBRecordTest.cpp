#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

TEST(DBRecord, HeaderBytesAreTheFileHeader)
{
    TestRow row;
    row.SetHeader(2, 0x1234, 0x0102, 0xA1B2C3D4);
    const CDBRecord::Header expected = {0x02, 0x00, 0x34, 0x12, 0x02, 0x01, 0x00, 0x00, 0xD4, 0xC3, 0xB2, 0xA1};
    EXPECT_EQ(row.GetHeaderBytes(), expected);

    CDBRecord::Header fromFile = expected;
    fromFile[6] = 0x55;  // the reserved word is not taken
    TestRow copy;
    copy.CopyHeader(fromFile.data());
    EXPECT_EQ(copy.GetHeaderBytes(), expected);
}

TEST(DBRecord, FieldsFormatAndParseByType)
{
    TestRow row;
    row.SetKey(77);
    struct Case {
        DBFieldDef field;
        const char* text;
        bool parses;
        const char* formatted;
    } const cases[] = {
        {{-1, "B", DaoByte, 1, 0, 0}, "200", true, "200"},  // bytes are unsigned
        {{-1, "B", DaoByte, 1, 0, 0}, "257", true, "1"},    // stored truncated to the width
        {{-1, "S", DaoShort, 2, 2, 0}, "-5", true, "-5"},
        {{-1, "S", DaoShort, 2, 2, 0}, "40000", true, "-25536"},
        {{-1, "L", DaoLong, 4, 4, 0}, "-123456", true, "-123456"},
        {{-1, "L", DaoLong, 4, 4, 0}, "x1", false, "0"},
        {{-1, "K", DaoLong, 4, DBFieldDef::kKeyOffset, 0}, "99", true, "99"},
        {{-1, "T", DaoText, 6, 8, 0}, "abcdefgh", true, "abcde"},
        {{-1, "T", DaoText, 6, 8, 0}, "", true, ""},
        {{-1, "D", DaoDate, 8, 16, 0}, "12/10/2026 09:05:07", true, "12/10/2026 09:05:07"},
        {{-1, "D", DaoDate, 8, 16, 0}, "yesterday", false, "12/30/1899 00:00:00"},
        {{-1, "X", 5, 8, 24, 0}, "1", false, ""},
        {{-1, "Out", DaoLong, 4, TestRow::kRoom - 2, 0}, "1", false, ""},  // beyond the row
    };
    for (const Case& c : cases) {
        TestRow fresh;
        bool changed = false;
        EXPECT_EQ(fresh.ParseField(c.field, c.text, changed), c.parses) << c.field.m_name << " " << c.text;
        EXPECT_EQ(fresh.FormatField(c.field), c.formatted) << c.field.m_name << " " << c.text;
    }
}

TEST(DBRecord, ParseTellsWhetherTheValueChanged)
{
    TestRow row;
    const DBFieldDef text{-1, "T", DaoText, 6, 0, 0};
    const DBFieldDef number{-1, "N", DaoShort, 2, 8, 0};
    bool changed = false;
    ASSERT_TRUE(row.ParseField(text, "abc", changed));
    EXPECT_TRUE(changed);
    ASSERT_TRUE(row.ParseField(text, "abc", changed));
    EXPECT_FALSE(changed);
    ASSERT_TRUE(row.ParseField(text, "abcdefg", changed));
    EXPECT_TRUE(changed);
    ASSERT_TRUE(row.ParseField(text, "abcdeXX", changed));
    EXPECT_FALSE(changed) << "only the stored part counts";
    ASSERT_TRUE(row.ParseField(number, "0", changed));
    EXPECT_FALSE(changed);
    ASSERT_TRUE(row.ParseField(number, "65536", changed));
    EXPECT_FALSE(changed) << "65536 stores as 0 in 16 bits";
}

}  // namespace
}  // namespace varnel::test
