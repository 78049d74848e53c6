#include "db/text/FieldText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel {
namespace {

using namespace std::string_literals;

std::vector<std::uint8_t> Record(const std::string& bytes) { return {bytes.begin(), bytes.end()}; }

TEST(CopyFixedText, CopiesTheFieldUpToItsTerminatorWithinTheRecord)
{
    const std::vector<std::uint8_t> record = Record("AB\0CDEFG"s);
    const struct {
        std::size_t n, offset;
        std::string out;
    } cases[] = {{5, 0, "AB"}, {3, 3, "CDE"}, {10, 6, "FG"}, {2, 4, "DE"}, {0, 3, ""}, {4, 8, ""}, {4, 99, ""}};
    for (const auto& c : cases) {
        std::string out = "old";
        EXPECT_EQ(CopyFixedText(record, out, c.n, c.offset), c.out.size()) << c.n << "@" << c.offset;
        EXPECT_EQ(out, c.out) << c.n << "@" << c.offset;
    }
}

TEST(CopyFixedTextTrimmed, SkipsLeadingBlanksAndCountsThem)
{
    const std::vector<std::uint8_t> record = Record("  AB  CD   \0X"s);
    const struct {
        std::size_t n, offset;
        std::string out;
        std::size_t count;
    } cases[] = {{6, 0, "AB  ", 6}, {3, 8, "", 3}, {99, 8, "", 3}, {99, 4, "CD   ", 7}, {0, 0, "", 0}};
    for (const auto& c : cases) {
        std::string out = "old";
        EXPECT_EQ(CopyFixedTextTrimmed(record, out, c.n, c.offset), c.count) << c.n << "@" << c.offset;
        EXPECT_EQ(out, c.out) << c.n << "@" << c.offset;
    }
}

TEST(StripLeadingChar, RemovesEveryLeadingOccurrence)
{
    const struct {
        std::string text;
        char ch;
        std::string out;
    } cases[] = {{"000120", '0', "120"}, {"000", '0', ""}, {"abc", '0', "abc"}, {"", '0', ""}, {"  a b", ' ', "a b"}};
    for (const auto& c : cases) {
        std::string text = c.text;
        StripLeadingChar(text, c.ch);
        EXPECT_EQ(text, c.out) << c.text;
    }
}

TEST(ToUpperAscii, ChangesOnlyAsciiLetters)
{
    const std::pair<std::uint8_t, std::uint8_t> cases[] = {
        {'a', 'A'}, {'z', 'Z'}, {'A', 'A'}, {'`', '`'}, {'{', '{'}, {'5', '5'}, {0xE4, 0xE4}, {0xC1, 0xC1},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(ToUpperAscii(in), out) << int{in};
}

}  // namespace
}  // namespace varnel
