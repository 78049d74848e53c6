#include "LabelTextFixture.h"

#include "pluedit/ThaiPrintWidths.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

using test::Esc;
using test::Written;

// Thai fonts at positions 0 to 7 (wide, wide, wide doubled ...), 10 pixels a character on screen.
LabelTextSettings ThaiSettings(std::uint16_t dotsPer60mm = 440)
{
    std::vector<test::FontSpec> fonts;
    for (char code = '0'; code <= '7'; ++code) fonts.push_back({code, 10, 24});
    LabelTextSettings settings = test::MakeSettings(fonts, MarketThailand);
    settings.labelWidth60mmDots = dotsPer60mm;
    return settings;
}

TEST(ThaiPrintWidths, KeepTheTellingEntriesOfTheScalesTables)
{
    struct Case {
        std::uint8_t ch;
        std::size_t lineFont;
        bool boldOrItalic;
        std::uint16_t dots;
    } const cases[] = {
        {'A', 0, false, 17},  {'A', 2, false, 34},  {'A', 4, false, 9},   {0xE8, 0, false, 18}, {0xE8, 0, true, 13},
        {0xE8, 4, false, 9},  {0xE8, 4, true, 9},   {'C', 0, false, 15},  {'C', 5, false, 8},   {'7', 1, false, 15},
        {'7', 6, false, 16},  {' ', 0, false, 14},  {' ', 4, false, 8},   {'W', 8, false, 17},  {'M', 12, true, 9},
        {0x7F, 0, false, 2},  {0x9D, 4, false, 2},  {0xA3, 0, false, 2},  {0xA3, 4, false, 9},  {0xE5, 0, true, 2},
        {0xFF, 7, true, 4},   {'\n', 0, false, 0},  {0x00, 2, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int{c.ch} << " at " << c.lineFont << (c.boldOrItalic ? " bold" : ""));
        EXPECT_EQ(ThaiPrintWidth(c.ch, c.lineFont, c.boldOrItalic), c.dots);
    }
    // The two wide tables differ only at mai ek, the narrow ones nowhere.
    for (int ch = 32; ch < 256; ++ch) {
        const auto code = static_cast<std::uint8_t>(ch);
        if (code != 0xE8) {
            EXPECT_EQ(ThaiWidthEntry(code, 0, false), ThaiWidthEntry(code, 0, true)) << ch;
        }
        EXPECT_EQ(ThaiWidthEntry(code, 4, false), ThaiWidthEntry(code, 4, true)) << ch;
    }
}

TEST(ThaiLayout, StopsAtTheCellThatReachesTheLabelWidthKeepingMarksWithTheirBase)
{
    struct Case {
        const char* name;
        std::uint16_t dots;
        std::string text;
        std::size_t laidOut;  // bytes in the position table
    };
    const std::string a25(25, 'A');
    const Case cases[] = {
        {"all fits", 440, std::string(25, 'A'), 25},                  // 425 dots
        {"the 26th reaches the width", 440, std::string(30, 'A'), 25},  // 442
        {"exactly the width does not fit", 425, std::string(25, 'A'), 24},
        // A mark wider than its base widens the cell: the base goes with it.
        {"a mark that widens the last cell", 426, a25 + "\xE8" "A", 24},
        {"a mark inside the width", 440, "A\xE8" "B", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LabelTextEditForm form(ThaiSettings(c.dots));
        ASSERT_EQ(form.SetText(Esc('C', '0') + c.text), 1);
        EXPECT_EQ(form.GetLine(0).m_xPositions.size() - 1, c.laidOut);
        EXPECT_EQ(Written(form), Esc('C', '0') + c.text.substr(0, c.laidOut));
    }
}

TEST(ThaiLayout, MarksShareTheCellOfTheCharacterBeforeThem)
{
    LabelTextEditForm form(ThaiSettings());
    ASSERT_EQ(form.SetText(Esc('C', '0') + "A\xE8\xD4" "B"), 1);
    const CLabelTextLine& line = form.GetLine(0);
    EXPECT_EQ(line.m_xPositions, (std::vector<int>{0, 10, 10, 10, 20}));
    const CharRule& chars = form.GetSettings().chars;
    // A click never lands between a character and its marks.
    EXPECT_EQ(line.ColumnFromX(4, chars), 0u);
    EXPECT_EQ(line.ColumnFromX(5, chars), 3u);
    EXPECT_EQ(line.ColumnFromX(14, chars), 3u);
    EXPECT_EQ(line.ColumnFromX(15, chars), 4u);
    EXPECT_EQ(line.Height(form.GetContext()), 24);  // no gap between Thai lines
}

TEST(ThaiLayout, BreaksAfterTheLastSpaceThatFitsOrWhereTheCellsStop)
{
    struct Case {
        std::uint16_t dots;
        std::string text;
        std::size_t breakColumn;
    } const cases[] = {
        {170, "AAAA AAAAAAAAA", 5},  // ten 'A's of 17 dots reach 170
        {170, "AAAAAAAAAAAA", 9},
        {170, "AAA", 0},
        {154, "AAAAAAAAA\xE8" "A", 8},  // the mark widens the ninth cell to the width
        {0, "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", 0},  // a label of no width breaks nowhere
    };
    for (const Case& c : cases) {
        LabelTextEditForm form(ThaiSettings(c.dots));
        ASSERT_EQ(form.SetText(Esc('C', '0') + c.text), 1);
        EXPECT_EQ(form.GetLine(0).FindBreak(form.GetContext()), c.breakColumn) << c.text;
    }
}

TEST(LabelTextLayout, PositionsFollowTheRunsCharacterWidthsAndCentringFonts)
{
    LabelTextSettings settings = test::MakeSettings({{'1', 10, 20}, {'2', 12, 30, true}});
    settings.labelWidth60mmDots = 100;
    LabelTextEditForm form(settings);
    form.SetLabelLeft(5);
    ASSERT_EQ(form.SetText(Esc('C', '1') + "AB" + Esc('E', '2') + "C" + Esc('C', '1') + "D"), 1);
    // Line 0 has the centring font '2' as its tallest: 32 dots of text centred on 100.
    const CLabelTextLine& centred = form.GetLine(0);
    EXPECT_EQ(centred.m_xPositions, (std::vector<int>{5 + 34, 15 + 34, 25 + 34, 37 + 34}));
    EXPECT_EQ(centred.XFromColumn(2), 59);
    EXPECT_EQ(centred.XFromColumn(9), 71);
    const CLabelTextLine& plain = form.GetLine(1);
    EXPECT_EQ(plain.m_xPositions, (std::vector<int>{5, 15}));
    EXPECT_EQ(centred.m_top, 0);
    EXPECT_EQ(plain.m_top, 34);  // display height 30 and a gap of 4
    EXPECT_EQ(form.Layout(), 34 + 24 + 24);
}

TEST(LabelTextLayout, AClickGoesBeforeOrAfterTheCharacterByItsMiddle)
{
    LabelTextEditForm form(test::MakeSettings({{'1', 10, 20}}, MarketChina, 9));
    ASSERT_EQ(form.SetText(Esc('C', '1') + "A\xB0\xA1" "B"), 1);
    const CLabelTextLine& line = form.GetLine(0);
    const CharRule& chars = form.GetSettings().chars;
    struct Case {
        int x;
        std::size_t column;
    } const cases[] = {{-5, 0}, {4, 0}, {5, 1}, {19, 1}, {20, 3}, {34, 3}, {35, 4}, {500, 4}};
    for (const Case& c : cases) EXPECT_EQ(line.ColumnFromX(c.x, chars), c.column) << c.x;
}

TEST(LabelTextLayout, FindBreakTakesTheLastSpaceCommaOrSemicolonThatFits)
{
    LabelTextSettings settings = test::MakeSettings({{'1', 10, 20}}, MarketChina, 9);
    settings.labelWidth60mmDots = 100;  // 100 dots: nine characters of 10 stay below it
    LabelTextEditForm form(settings);
    struct Case {
        std::string text;
        std::size_t breakColumn;
    } const cases[] = {
        {"AB CD", 0},         {"ABC DEF GHIJ", 8}, {"AB,CDEFGHIJK", 3}, {"A;BCDEFGHIJ", 2},
        {"ABCDEFGHIJKL", 9},  {"ABCDEFGH\xB0\xA1", 8},  // a double-byte character that would pass is left out whole
        {"ABCDEFGHI", 0},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(form.SetText(Esc('C', '1') + c.text), 1);
        EXPECT_EQ(form.GetLine(0).FindBreak(form.GetContext()), c.breakColumn) << c.text;
    }
}

TEST(LabelTextLayout, FontsOutsideTheListAreNineWideAndFourteenHigh)
{
    LabelTextSettings settings = test::MakeSettings({{'1', 10, 20, false, false, 16}});
    EXPECT_EQ(settings.CharWidth(0, true), 16);
    EXPECT_EQ(settings.CharWidth(7, false), 9);
    EXPECT_EQ(settings.CharWidth(7, true), 9);
    EXPECT_EQ(settings.DisplayHeight(7), 14);
    EXPECT_EQ(settings.PrintHeight(7), 14);
    settings.lineSpacing = 6;
    EXPECT_EQ(settings.LineSpacing(7), 6);
}

TEST(LabelTextLayout, ScreenFontsFollowTheMarket)
{
    struct Case {
        std::uint16_t market;
        bool bold;
        int weight;
        std::string face;
        bool fixedPitch;
    } const cases[] = {
        {MarketUsa, true, 800, "", true},         {MarketUsa, false, 550, "", true},
        {MarketChina, true, 700, "", true},       {MarketTaiwan, false, 600, "Face", false},
        {MarketThailand, true, 800, "Face", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.market);
        LabelTextEditForm form(test::MakeSettings({{'1', 10, 20, false, false, 14}}, c.market, 9));
        form.SetScreenFace("Face");
        CLabelTextRun run(0);
        run.m_format.effects[Bold] = c.bold;
        run.m_format.effects[Italic] = true;
        const LabelScreenFont font = form.GetContext().ScreenFont(run);
        EXPECT_EQ(font.weight, c.weight);
        EXPECT_EQ(font.face, c.face);
        EXPECT_EQ(font.fixedPitch, c.fixedPitch);
        EXPECT_EQ(font.width, c.bold ? 14 : 10);
        EXPECT_EQ(font.height, 20);
        EXPECT_TRUE(font.italic);
    }
}

}  // namespace
}  // namespace varnel
