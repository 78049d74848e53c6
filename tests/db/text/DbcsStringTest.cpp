#include "db/text/DbcsString.h"

#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

using namespace std::string_literals;

class DbcsStringTest : public testing::Test {
protected:
    DbcsStringTest() { m_frame.m_setup.m_market = MarketTaiwan; }

    test::TestMainFrame m_frame;
    // 'A', a Big5 character, 'B', 'C'.
    const std::string m_text = "A\xA4\x40" "BC";
};

TEST_F(DbcsStringTest, LeftNeverSplitsACharacter)
{
    const struct {
        std::size_t n;
        std::string left;
    } cases[] = {{0, ""}, {1, "A"}, {2, "A"}, {3, "A\xA4\x40"}, {4, "A\xA4\x40" "B"}, {99, m_text}};
    for (const auto& c : cases) EXPECT_EQ(DbcsLeft(m_text, c.n, CurrentTextRules().chars), c.left) << c.n;
}

TEST_F(DbcsStringTest, LeftEndsAtTheTerminatorAndAtALoneLeadByte)
{
    EXPECT_EQ(DbcsLeft("AB\0CD"s, 99, CurrentTextRules().chars), "AB");
    EXPECT_EQ(DbcsLeft("AB\xA4"s, 99, CurrentTextRules().chars), "AB");
    EXPECT_EQ(DbcsLeft("AB\xA4\0\x40"s, 99, CurrentTextRules().chars), "AB");
}

TEST_F(DbcsStringTest, MidRoundsStartAndCountDownToWholeCharacters)
{
    const struct {
        std::size_t start, count;
        std::string mid;
    } cases[] = {
        {0, 2, "A"},
        {1, 1, ""},
        {1, 2, "\xA4\x40"},
        {2, 3, "\xA4\x40" "B"},  // byte 2 is the character's second byte
        {3, 99, "BC"},
        {4, 1, "C"},
        {5, 1, ""},
        {99, 5, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(DbcsMid(m_text, c.start, c.count, CurrentTextRules().chars), c.mid) << c.start << "," << c.count;
}

TEST_F(DbcsStringTest, ReverseFindSeesOnlyOneByteCharacters)
{
    // The Big5 character B3 5C ends in a backslash byte that is not a backslash.
    const std::string path = "dir\\\xB3\x5C";
    EXPECT_EQ(DbcsReverseFind(path, '\\', CurrentTextRules().chars), 3u);
    EXPECT_EQ(DbcsReverseFind("abc", '\\', CurrentTextRules().chars), std::string_view::npos);
    EXPECT_EQ(DbcsReverseFind("\\abc", '\\', CurrentTextRules().chars), 0u);
    EXPECT_EQ(DbcsReverseFind("a\\b\0\\"s, '\\', CurrentTextRules().chars), 1u);
}

TEST_F(DbcsStringTest, SkipCharsStopsAtTheEnd)
{
    const struct {
        std::size_t position, n, result;
    } cases[] = {{0, 0, 0}, {0, 1, 1}, {0, 2, 3}, {1, 1, 3}, {0, 99, 5}, {5, 1, 5}, {99, 1, 99}};
    for (const auto& c : cases) EXPECT_EQ(SkipChars(m_text, c.position, c.n, CurrentTextRules().chars), c.result) << c.position << "+" << c.n;
    EXPECT_EQ(SkipChars("A\xA4", 0, 5, CurrentTextRules().chars), 1u);
}

TEST(DbcsString, WesternTextIsCutAtAnyByte)
{
    ASSERT_EQ(GetMainFrame(), nullptr);
    EXPECT_EQ(DbcsLeft("A\xA4\x40", 2, CurrentTextRules().chars), "A\xA4");
    EXPECT_EQ(DbcsMid("A\xA4\x40", 2, 1, CurrentTextRules().chars), "\x40");
}

}  // namespace
}  // namespace varnel
