#include "db/text/FullWidthChars.h"

#include <gtest/gtest.h>

#include <set>

namespace varnel {
namespace {

struct Case {
    std::uint8_t ch;
    std::size_t length;
    DoubleByteChar form;
};

TEST(AsciiToGb2312Char, GivesFullWidthFormsOfPrintableAscii)
{
    const Case cases[] = {
        {'A', 2, {0xA3, 0xC1}}, {' ', 2, {0xA1, 0xA1}}, {'!', 2, {0xA3, 0xA1}}, {'~', 2, {0xA3, 0xFE}},
        {'0', 2, {0xA3, 0xB0}}, {'\t', 1, {0x09, 0}},   {0x7F, 1, {0x7F, 0}},   {0xB0, 1, {0xB0, 0}},
        {0, 1, {0, 0}},
    };
    for (const Case& c : cases) {
        DoubleByteChar out{0xEE, 0xEE};
        EXPECT_EQ(AsciiToGb2312Char(c.ch, out), c.length) << int{c.ch};
        EXPECT_EQ(out, c.form) << int{c.ch};
    }
}

TEST(AsciiToBig5Char, GivesFullWidthFormsByRangesAndTable)
{
    const Case cases[] = {
        {'5', 2, {0xA2, 0xB4}},  {'0', 2, {0xA2, 0xAF}},  {'9', 2, {0xA2, 0xB8}},  {'A', 2, {0xA2, 0xCF}},
        {'Z', 2, {0xA2, 0xE8}},  {'a', 2, {0xA2, 0xE9}},  {'v', 2, {0xA2, 0xFE}},  {'w', 2, {0xA3, 0x40}},
        {'z', 2, {0xA3, 0x43}},  {0x7F, 2, {0xA1, 0x5A}}, {' ', 2, {0xA1, 0x40}},  {'$', 2, {0xA2, 0x43}},
        {'/', 2, {0xA2, 0x41}},  {':', 2, {0xA1, 0x52}},  {'@', 2, {0xA2, 0x49}},  {'\\', 2, {0xA2, 0x42}},
        {'`', 2, {0xA1, 0x42}},  {'{', 2, {0xA1, 0xA1}},  {'~', 2, {0xA1, 0xE3}},  {0x1F, 1, {0x1F, 0}},
        {0x80, 1, {0x80, 0}},    {0xFF, 1, {0xFF, 0}},
    };
    for (const Case& c : cases) {
        DoubleByteChar out{0xEE, 0xEE};
        EXPECT_EQ(AsciiToBig5Char(c.ch, out), c.length) << int{c.ch};
        EXPECT_EQ(out, c.form) << int{c.ch};
    }
}

TEST(AsciiToBig5Char, GivesEachPrintableCharacterItsOwnForm)
{
    std::set<DoubleByteChar> forms;
    for (int ch = ' '; ch <= '~'; ++ch) {
        DoubleByteChar out{};
        ASSERT_EQ(AsciiToBig5Char(static_cast<std::uint8_t>(ch), out), 2u);
        EXPECT_TRUE(forms.insert(out).second) << "duplicate form for " << char(ch);
    }
}

}  // namespace
}  // namespace varnel
