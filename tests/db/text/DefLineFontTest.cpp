#include "db/text/DefLineFont.h"
#include "db/text/ScaleFont.h"

#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <vector>

namespace varnel {
namespace {

TEST(CDefLineFont, PicksTheLinesPositionOnlyWhenTheKindHasFontsPerLine)
{
    CDefLineFont fonts;
    for (std::size_t kind = 0; kind < CDefLineFont::kTextKinds; ++kind)
        for (std::size_t line = 0; line < CDefLineFont::kLines; ++line)
            fonts.m_positions[kind][line] = static_cast<std::uint8_t>(kind * 10 + line);
    fonts.m_perLine = {1, 1, 0, 1, 0};
    struct Case {
        std::uint16_t table;
        std::uint16_t line;
        std::uint8_t position;
    } const cases[] = {
        {2, 4, 4},    {0, 7, 7},    {2, 12, 9},   {4, 3, 13},   {4, 65535, 19},
        {29, 5, 20},  {30, 5, 35},  {30, 10, 39}, {8, 5, 40},   {8, 0, 40},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fonts.GetLineFont(c.table, c.line), c.position) << "table " << c.table << " line " << c.line;
}

TEST(CDefLineFont, NewFontsTakePosition2EverywhereWithoutPerLineFonts)
{
    const CDefLineFont fonts;
    for (const std::uint16_t table : {2, 4, 8, 29, 30})
        for (std::uint16_t line = 0; line < 12; ++line) EXPECT_EQ(fonts.GetLineFont(table, line), 2);
}

std::vector<std::uint8_t> Stored(CObject& object)
{
    auto bytes = SaveArchive([&object](CArchive& ar) { object.Serialize(ar); });
    EXPECT_TRUE(bytes.HasValue());
    return bytes.HasValue() ? bytes.Value() : std::vector<std::uint8_t>{};
}

TEST(CDefLineFont, StoresAndLoadsEveryBlock)
{
    CDefLineFont fonts;
    fonts.m_positions[CDefLineFont::Coupon][9] = 7;
    fonts.m_positions[CDefLineFont::PluDescription][0] = 1;
    fonts.m_perLine[CDefLineFont::ExtraMessage3] = 1;
    const std::vector<std::uint8_t> bytes = Stored(fonts);
    ASSERT_EQ(bytes.size(), 2u + 5 * (2 + 10) + 5 * 4);
    EXPECT_EQ(bytes[0], 101);
    EXPECT_EQ(bytes[2], 10);  // the count of the first block

    CDefLineFont loaded;
    ASSERT_TRUE(LoadArchive(bytes, [&loaded](CArchive& ar) { loaded.Serialize(ar); }).HasValue());
    EXPECT_EQ(loaded.m_positions, fonts.m_positions);
    EXPECT_EQ(loaded.m_perLine, fonts.m_perLine);
}

TEST(CDefLineFont, Version100HoldsTwoBlocks)
{
    std::vector<std::uint8_t> bytes = {100, 0};
    for (int block = 0; block < 2; ++block) {
        bytes.insert(bytes.end(), {10, 0});
        for (std::uint8_t line = 0; line < 10; ++line) bytes.push_back(static_cast<std::uint8_t>(block * 10 + line));
    }
    CDefLineFont loaded;
    ASSERT_TRUE(LoadArchive(bytes, [&loaded](CArchive& ar) { loaded.Serialize(ar); }).HasValue());
    EXPECT_EQ(loaded.m_positions[CDefLineFont::ExtraMessage][9], 19);
    EXPECT_EQ(loaded.m_positions[CDefLineFont::Coupon][0], 2);
    EXPECT_EQ(loaded.m_perLine[CDefLineFont::PluDescription], 0);
}

TEST(CDefLineFont, RefusesABlockThatDoesNotHoldTenLines)
{
    for (const std::uint8_t count : {9, 11}) {
        std::vector<std::uint8_t> bytes = {101, 0, count, 0};
        bytes.resize(bytes.size() + count + 200, 0);
        CDefLineFont loaded;
        const Result<void> result = LoadArchive(bytes, [&loaded](CArchive& ar) { loaded.Serialize(ar); });
        ASSERT_FALSE(result.HasValue()) << "count " << int{count};
        EXPECT_EQ(result.GetError().code, Errc::Corrupt);
    }
}

TEST(CScaleFont, StoresSchema102AndReadsTheOlderSchemas)
{
    CScaleFont font;
    font.m_name = "3 (C36)";
    font.m_code = '1';
    font.m_flags = {1, 1, 0, 0, 0, 0, 3};
    font.m_furtherFlag = 4;
    font.m_charWidth = 24;
    font.m_charHeight = 36;
    font.m_linePitch = 47;
    font.m_metric1 = 5;
    font.m_metric2 = 6;
    font.m_lineLimit = 40;
    const std::vector<std::uint8_t> bytes = Stored(font);
    ASSERT_EQ(bytes.size(), 2u + 1 + 7 + 1 + 7 + 1 + 10 + 2);
    EXPECT_EQ(bytes[0], 102);

    CScaleFont loaded;
    ASSERT_TRUE(LoadArchive(bytes, [&loaded](CArchive& ar) { loaded.Serialize(ar); }).HasValue());
    EXPECT_EQ(loaded.m_name, font.m_name);
    EXPECT_EQ(loaded.m_flags, font.m_flags);
    EXPECT_EQ(loaded.m_furtherFlag, 4);
    EXPECT_EQ(loaded.m_linePitch, 47);
    EXPECT_EQ(loaded.m_lineLimit, 40);

    // Schema 100: no further flag byte and no line limit.
    std::vector<std::uint8_t> old = {100, 0, 1, 'A', 'E', 0, 1, 0, 0, 0, 0, 0, 9, 0, 18, 0, 24, 0, 0, 0, 0, 0};
    CScaleFont oldFont;
    ASSERT_TRUE(LoadArchive(old, [&oldFont](CArchive& ar) { oldFont.Serialize(ar); }).HasValue());
    EXPECT_EQ(oldFont.m_code, 'E');
    EXPECT_EQ(oldFont.m_flags[1], 1);
    EXPECT_EQ(oldFont.m_charHeight, 18);
    EXPECT_EQ(oldFont.m_linePitch, 24);
    EXPECT_EQ(oldFont.m_furtherFlag, 0);
    EXPECT_EQ(oldFont.m_lineLimit, 0);
}

}  // namespace
}  // namespace varnel
