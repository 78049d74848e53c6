#include "db/text/CsvFields.h"

#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel {
namespace {

using namespace std::string_literals;

// A record buffer as the readers take it: the bytes, changed in place.
std::vector<char> Buffer(const std::string& bytes) { return {bytes.begin(), bytes.end()}; }
std::string Bytes(const std::vector<char>& buffer) { return {buffer.begin(), buffer.end()}; }

TEST(CsvAppend, WritesFieldsWithTheirCommasAndMovesThePosition)
{
    std::string record;
    std::size_t position = 0;
    CsvAppendInt(record, position, 12);
    CsvAppendText(record, position, "abc");
    CsvAppendQuoted(record, position, "say \"hi\", then go", CurrentTextRules().chars);
    CsvAppendComma(record, position);
    CsvAppendInt(record, position, -5);
    CsvAppendInt(record, position, 4294967295);
    EXPECT_EQ(record, "12,abc,\"say \"\"hi\"\", then go\",,-5,4294967295,");
    EXPECT_EQ(position, record.size());
}

TEST(CsvAppend, WritesAtThePositionAndEndsTheBufferThere)
{
    std::string record = "XXXXXX";
    std::size_t position = 2;
    CsvAppendInt(record, position, 7);
    EXPECT_EQ(record, "XX7,");
    EXPECT_EQ(position, 4u);
    position = 99;
    CsvAppendComma(record, position);
    EXPECT_EQ(record, "XX7,,");
    EXPECT_EQ(position, 5u);
}

TEST(CsvAppendQuoted, KeepsDoubleByteCharactersWholeAndDropsALoneLeadByte)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    std::string record;
    std::size_t position = 0;
    // A lone lead byte before the closing quote would swallow it when read back.
    CsvAppendQuoted(record, position, "\xA4\x40z\xA4", CurrentTextRules().chars);
    EXPECT_EQ(record, "\"\xA4\x40z\",");
}

TEST(CsvReadText, ReadsQuotedAndPlainFields)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    const struct {
        std::string input;
        std::size_t maximum;
        int result;
        std::string out;
        std::size_t position;
        std::string after;  // the buffer afterwards
    } cases[] = {
        {"abc,def", 10, 0, "abc", 4, "abc\0def"s},
        {"abc", 10, 0, "abc", 3, "abc"},
        {"", 10, 0, "", 0, ""},
        {",x", 10, 0, "", 1, "\0x"s},
        {"abcdef,g", 3, 0, "abc", 7, "abc\0ef,g"s},        // too long: cut, the rest skipped
        {"abcdef\"x\",g", 3, 0, "abc", 10, "abc\0ef\"x\",g"s},  // a quote past the maximum is not seen
        {"a\xA4\x40" "b,c", 2, 0, "a", 5, "a\0\x40" "b,c"s},  // cut between whole characters
        {"\"a\"\"b\"\"c\",next", 10, 1, "a\"b\"c", 10, "\"a\"\"b\"\"c\",next"},
        {"\"abc\"xyz,next", 10, 1, "abc", 9, "\"abc\"xyz,next"},
        {"\"ab,c\",d", 10, 1, "ab,c", 7, "\"ab,c\",d"},
        {"\"abc", 10, 1, "abc", 4, "\"abc"},                // no closing quote: the text ends the field
        {"\"\xA4\x40\"", 10, 1, "\xA4\x40", 4, "\"\xA4\x40\""},
        {"\"a\xA4\x40\",", 2, 1, "a", 6, "\"a\xA4\x40\","},     // whole characters within the maximum
    };
    for (const auto& c : cases) {
        std::vector<char> buffer = Buffer(c.input);
        std::size_t position = 0;
        std::string out = "old";
        EXPECT_EQ(CsvReadText(buffer, position, c.maximum, out, CurrentTextRules().chars), c.result) << testing::PrintToString(c.input);
        EXPECT_EQ(out, c.out) << testing::PrintToString(c.input);
        EXPECT_EQ(position, c.position) << testing::PrintToString(c.input);
        EXPECT_EQ(Bytes(buffer), c.after) << testing::PrintToString(c.input);
    }
}

TEST(CsvReadText, StopsAtTheTerminatorAndNeverStepsOverIt)
{
    std::vector<char> buffer = Buffer("a,\"b\"\0zzz,yyy"s);
    std::size_t position = 0;
    std::string out;
    std::vector<std::string> fields;
    for (int i = 0; i < 4; ++i) {
        CsvReadText(buffer, position, 10, out, CurrentTextRules().chars);
        fields.push_back(out);
    }
    EXPECT_EQ(fields, (std::vector<std::string>{"a", "b", "", ""}));
    EXPECT_EQ(position, 5u);
}

TEST(CsvReadText, ReadsBackWhatTheWritersWrote)
{
    const std::string texts[] = {"plain", "with, comma", "\"quoted\"", "", "a\"\"b"};
    std::string record;
    std::size_t position = 0;
    for (const std::string& text : texts) CsvAppendQuoted(record, position, text, CurrentTextRules().chars);
    std::vector<char> buffer = Buffer(record);
    position = 0;
    for (const std::string& text : texts) {
        std::string out;
        EXPECT_EQ(CsvReadText(buffer, position, 100, out, CurrentTextRules().chars), 1);
        EXPECT_EQ(out, text);
    }
    EXPECT_EQ(position, record.size());
}

TEST(CsvReadField, CopiesUpToTheCommaAndSkipsTheRest)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    const struct {
        std::string input;
        std::size_t maximum;
        std::string out;
        std::size_t position;
    } cases[] = {
        {"abcdef,gh", 3, "abc", 7},
        {"ab\"c\",d", 10, "ab\"c\"", 6},
        {"abc", 10, "abc", 3},
        {"", 10, "", 0},
        {"a\xA4\x40,b", 2, "a", 4},
        {"ab\0,cd"s, 10, "ab", 2},
    };
    for (const auto& c : cases) {
        std::size_t position = 0;
        std::string out;
        CsvReadField(c.input, position, c.maximum, out, CurrentTextRules().chars);
        EXPECT_EQ(out, c.out) << testing::PrintToString(c.input);
        EXPECT_EQ(position, c.position) << testing::PrintToString(c.input);
    }
}

TEST(CsvReadNumbers, ReadTheFieldInPlaceAndRefuseWhatDoesNotFit)
{
    const struct {
        std::string input;
        int bits;
        bool ok;
        std::uint32_t value;
        std::size_t position;
    } cases[] = {
        {"12,x", 32, true, 12, 3},
        {" -5,", 32, true, 0xFFFFFFFB, 4},
        {"+8", 32, true, 8, 2},
        {"7x,", 32, true, 7, 3},
        {"4294967295", 32, true, 4294967295u, 10},
        {"-2147483648", 32, true, 0x80000000, 11},
        {"4294967296", 32, false, 0, 10},
        {"-2147483649", 32, false, 0, 11},
        {"99999999999999999999999", 32, false, 0, 23},
        {"abc,1", 32, false, 0, 4},
        {",5", 32, false, 0, 1},   // an empty field leaves the value as it was
        {"-", 32, false, 0, 1},
        {"", 32, false, 0, 0},
        {"65535,", 16, true, 65535, 6},
        {"-32768", 16, true, 0x8000, 6},
        {"65536", 16, false, 0, 5},
        {"-32769", 16, false, 0, 6},
        {"255", 8, true, 255, 3},
        {"-1", 8, true, 255, 2},
        {"256", 8, false, 0, 3},
    };
    for (const auto& c : cases) {
        std::vector<char> buffer = Buffer(c.input);
        std::size_t position = 0;
        bool ok = false;
        std::uint32_t value = 0;
        if (c.bits == 32) {
            std::uint32_t v = 42;
            ok = CsvReadInt(buffer, position, v);
            value = v;
        } else if (c.bits == 16) {
            std::uint16_t v = 42;
            ok = CsvReadShort(buffer, position, v);
            value = v;
        } else {
            std::uint8_t v = 42;
            ok = CsvReadByte(buffer, position, v);
            value = v;
        }
        EXPECT_EQ(ok, c.ok) << c.input;
        EXPECT_EQ(value, c.ok ? c.value : 42u) << c.input;
        EXPECT_EQ(position, c.position) << c.input;
    }
    std::vector<char> buffer = Buffer("12,34");
    std::size_t position = 0;
    std::uint32_t value = 0;
    ASSERT_TRUE(CsvReadInt(buffer, position, value));
    EXPECT_EQ(Bytes(buffer), "12\0" "34"s);
}

TEST(CsvNextFieldInPlace, WalksPlainAndQuotedFields)
{
    std::vector<char> buffer = Buffer("1,\"two, \"\"too\"\"\"x,,3"s);
    std::size_t position = 0;
    std::vector<std::string> fields;
    for (int i = 0; i < 5; ++i) fields.emplace_back(CsvNextFieldInPlace(buffer, position, CurrentTextRules().chars));
    EXPECT_EQ(fields, (std::vector<std::string>{"1", "two, \"\"too\"\"", "", "3", ""}));
    EXPECT_EQ(position, buffer.size());
    // Each field is terminated in the buffer: the comma after "1" and the closing quote became 0.
    EXPECT_EQ(buffer[1], '\0');
    EXPECT_EQ(buffer[15], '\0');
}

TEST(CsvNextFieldInPlace, EndsAnUnclosedQuoteAtTheEndOfTheText)
{
    std::vector<char> buffer = Buffer("\"abc\0,def"s);
    std::size_t position = 0;
    EXPECT_EQ(CsvNextFieldInPlace(buffer, position, CurrentTextRules().chars), "abc");
    EXPECT_EQ(position, 4u);
    EXPECT_EQ(CsvNextFieldInPlace(buffer, position, CurrentTextRules().chars), "");
    EXPECT_EQ(position, 4u);
}

}  // namespace
}  // namespace varnel
