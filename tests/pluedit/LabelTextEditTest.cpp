#include "LabelTextFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

using test::Esc;
using test::RunTexts;
using test::Written;

const std::string kLine1 = Esc('C', '1');

// Fonts of no width, so that nothing is cut or flowed.
LabelTextSettings UnboundedSettings(std::uint16_t market = MarketUsa)
{
    return test::MakeSettings({{'1', 0, 20}, {'2', 0, 30}}, market, 9);
}

// Nine characters of 10 dots fit a line of 100.
LabelTextSettings NineCharacterSettings()
{
    LabelTextSettings settings = test::MakeSettings({{'1', 10, 20}, {'2', 10, 30}});
    settings.labelWidth60mmDots = 100;
    return settings;
}

using test::LineTexts;

TEST(LabelTextEdit, EnterSplitsTheRunAtTheCaretAndTheNewLineKeepsItsFormat)
{
    LabelTextEditForm form(UnboundedSettings());
    ASSERT_EQ(form.SetText(kLine1 + "AB" + Esc('E', '2') + "CD"), 1);
    EXPECT_EQ(form.SplitAtEnter({0, 3}, nullptr, false), (LabelTextPosition{1, 0}));
    ASSERT_EQ(form.GetLineCount(), 3u);
    EXPECT_EQ(RunTexts(form.GetLine(0)), (std::vector<std::string>{"AB", "C"}));
    const CLabelTextLine& next = form.GetLine(1);
    EXPECT_EQ(RunTexts(next), std::vector<std::string>{"D"});
    EXPECT_EQ(next.m_runs[0].m_format.font, 1u);
    EXPECT_EQ(next.m_lineFont, 1u);
    EXPECT_EQ(next.m_number, 1u);
    EXPECT_EQ(form.GetLine(2).m_number, 2u);
}

TEST(LabelTextEdit, EnterDeletesTheSelectionFirstAndInOverwriteModeOnlyMovesTheCaret)
{
    LabelTextEditForm form(UnboundedSettings());
    ASSERT_EQ(form.SetText(kLine1 + "ABCDEF"), 1);
    const LabelTextSelection selection{{0, 1}, {0, 3}};
    EXPECT_EQ(form.SplitAtEnter({0, 3}, &selection, false), (LabelTextPosition{1, 0}));
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"A", "DEF", ""}));

    EXPECT_EQ(form.SplitAtEnter({1, 1}, nullptr, true), (LabelTextPosition{2, 0}));
    EXPECT_EQ(form.GetLineCount(), 3u);
    EXPECT_EQ(form.SplitAtEnter({2, 0}, nullptr, true), (LabelTextPosition{3, 0}));
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"A", "DEF", "", ""}));
}

TEST(LabelTextEdit, TypedTextTakesTheFormatOfTheRunBeforeTheCaret)
{
    struct Case {
        std::size_t column;
        std::vector<std::string> runs;
    } const cases[] = {{2, {"ABx", "CD"}}, {0, {"xAB", "CD"}}, {3, {"AB", "CxD"}}, {4, {"AB", "CDx"}}};
    for (const Case& c : cases) {
        LabelTextEditForm form(UnboundedSettings());
        ASSERT_EQ(form.SetText(kLine1 + "AB" + Esc('D', '1') + "CD"), 1);
        EXPECT_EQ(form.InsertText({0, c.column}, "x", 1, false), (LabelTextPosition{0, c.column + 1}));
        EXPECT_EQ(RunTexts(form.GetLine(0)), c.runs) << c.column;
    }
}

TEST(LabelTextEdit, InsertRepeatsOverwritesAndKeepsControlBytesOut)
{
    struct Case {
        const char* name;
        std::uint16_t market;
        std::string text;
        std::size_t column;
        std::string inserted;
        std::size_t repeat;
        bool overwrite;
        std::string result;
    };
    const Case cases[] = {
        {"repeat", MarketUsa, "AB", 1, "xy", 3, false, "AxyxyxyB"},
        {"overwrite", MarketUsa, "ABCD", 1, "xy", 1, true, "AxyD"},
        {"overwrite past the end", MarketUsa, "AB", 1, "xyz", 1, true, "Axyz"},
        {"overwrite a double-byte character", MarketChina, "A\xB0\xA1" "B", 1, "x", 1, true, "AxB"},
        {"overwrite a Thai character with its marks", MarketThailand, "A\xE8\xD4" "B", 0, "C", 1, true, "CB"},
        {"control bytes are left out", MarketUsa, "AB", 2, "a\x1B" "Cb\r\n", 1, false, "ABaCb"},
        {"nothing to insert", MarketUsa, "AB", 1, "\x1B", 1, false, "AB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LabelTextEditForm form(UnboundedSettings(c.market));
        ASSERT_EQ(form.SetText(kLine1 + c.text), 1);
        form.InsertText({0, c.column}, c.inserted, c.repeat, c.overwrite);
        EXPECT_EQ(form.GetLine(0).Text(), c.result);
    }
}

TEST(LabelTextEdit, DeleteRangeTakesWholeCharactersAndRemovesEmptiedRuns)
{
    struct Case {
        std::string text;
        std::size_t from, to;
        std::string result;
        std::size_t removed;
        std::size_t runs;
    };
    const Case cases[] = {
        {"\xB0\xA1" "AB", 1, 2, "AB", 2, 1},
        {"A\xB0\xA1" "B", 2, 3, "AB", 2, 1},
        {"AB" + Esc('D', '1') + "CD" + Esc('D', '1') + "EF", 1, 5, "AF", 4, 1},  // the neighbours merge
        {"AB" + Esc('D', '1') + "CD", 2, 4, "AB", 2, 1},
        {"AB", 0, 2, "", 2, 0},
        {"AB", 2, 0, "", 2, 0},
        {"AB", 1, 9, "A", 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        LabelTextEditForm form(UnboundedSettings(MarketChina));
        ASSERT_EQ(form.SetText(kLine1 + c.text), 1);
        EXPECT_EQ(form.DeleteRange(0, c.from, c.to), c.removed);
        EXPECT_EQ(form.GetLine(0).Text(), c.result);
        EXPECT_EQ(form.GetLine(0).m_runs.size(), c.runs);
    }
    // Typing into a line left without runs starts a plain run in the line font.
    LabelTextEditForm form(UnboundedSettings());
    ASSERT_EQ(form.SetText(Esc('C', '2') + Esc('D', '1') + "AB"), 1);
    form.DeleteRange(0, 0, 2);
    form.InsertText({0, 0}, "x", 1, false);
    ASSERT_EQ(form.GetLine(0).m_runs.size(), 1u);
    EXPECT_EQ(form.GetLine(0).m_runs[0].m_format, LabelTextFormat{.font = 1});
}

TEST(LabelTextEdit, SetEffectSplitsTheEndLinesAndSetsTheLinesBetweenWhole)
{
    LabelTextEditForm form(UnboundedSettings());
    ASSERT_EQ(form.SetText(kLine1 + "ABC" + kLine1 + "D" + Esc('D', '2') + "EF" + kLine1 + "GHI"), 1);
    form.SetEffect({{0, 1}, {2, 2}}, Bold, true);
    const std::string bold = Esc('D', '1');
    EXPECT_EQ(Written(form), kLine1 + "A" + bold + "BC" + bold + kLine1 + bold + "D" + Esc('D', '2') + "EF" + bold +
                                 Esc('D', '2') + kLine1 + bold + "GH" + bold + "I");
    EXPECT_EQ(form.FormatAt({0, 2})[Bold], true);
    EXPECT_EQ(form.FormatAt({0, 1})[Bold], false);  // column 1 belongs to the run before it
}

TEST(LabelTextEdit, ApplyFormatMakesTheLinesBetweenOneRun)
{
    LabelTextEditForm form(UnboundedSettings());
    ASSERT_EQ(form.SetText(kLine1 + "ABC" + kLine1 + "D" + Esc('D', '1') + "EF" + kLine1 + "GHI"), 1);
    LabelTextFormat format;
    format.font = 1;
    format.effects[Underline] = true;
    form.ApplyFormat({{0, 2}, {2, 1}}, format);
    EXPECT_EQ(RunTexts(form.GetLine(0)), (std::vector<std::string>{"AB", "C"}));
    EXPECT_EQ(RunTexts(form.GetLine(1)), std::vector<std::string>{"DEF"});
    EXPECT_EQ(form.GetLine(1).m_runs[0].m_format, format);
    EXPECT_EQ(RunTexts(form.GetLine(2)), (std::vector<std::string>{"G", "HI"}));
    EXPECT_EQ(form.GetLine(2).m_runs[0].m_format, format);
}

TEST(LabelTextEdit, SetLineFontRefusesFontsOfTheOtherKindUnderTheKoreanOption)
{
    std::vector<test::FontSpec> fonts;
    for (int i = 0; i < 16; ++i) fonts.push_back({static_cast<char>('A' + i), 0, 20});
    LabelTextSettings settings = test::MakeSettings(fonts);
    settings.koreanFont = true;
    settings.chars = {CharRule::LeadBytes::From128, CodePage::Korean};
    struct Case {
        std::string text;
        std::size_t font;
        bool accepted;
    } const cases[] = {{"\xB0\xA1", 0, false}, {"\xB0\xA1", 14, true}, {"AB", 14, false}, {"AB", 13, true}, {"", 15, true}, {"", 16, false}};
    for (const Case& c : cases) {
        LabelTextEditForm form(settings);
        ASSERT_EQ(form.SetText(Esc('C', 'A') + Esc('D', '3') + c.text), 1);
        EXPECT_EQ(form.SetLineFont(0, c.font), c.accepted) << c.text << " " << c.font;
        const CLabelTextLine& line = form.GetLine(0);
        EXPECT_EQ(line.m_lineFont, c.accepted ? c.font : 0u);
        EXPECT_EQ(line.m_runs[0].m_format.font, c.accepted ? c.font : 0u);
    }
}

TEST(LabelTextEdit, TheBalticScalesFirstFontHasNoItalic)
{
    for (const std::size_t font : {0u, 1u}) {
        LabelTextEditForm form(UnboundedSettings(MarketBaltic));
        ASSERT_EQ(form.SetText(Esc('C', '2') + Esc('D', '3') + "AB"), 1);
        ASSERT_TRUE(form.SetLineFont(0, font));
        EXPECT_EQ(form.GetLine(0).m_runs[0].m_format.effects[Italic], font != 0);
    }
}

TEST(LabelTextFlow, TypingPastTheWidthMovesTheWordAfterTheLastSpaceOrTheCharactersThatNoLongerFit)
{
    struct Case {
        const char* name;
        std::string text;
        std::string typed;
        std::vector<std::string> lines;
        LabelTextPosition caret;
    };
    const Case cases[] = {
        {"at a space", "ABCD EFGH", "IJ", {"ABCD ", "EFGHIJ"}, {1, 6}},
        {"without a space", "ABCDEFGHI", "JK", {"ABCDEFGHI", "JK"}, {1, 2}},
        {"the word typed into moves with the caret", "ABCD EFG", "XY", {"ABCD ", "EFGXY"}, {1, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LabelTextEditForm form(NineCharacterSettings());
        ASSERT_EQ(form.SetText(kLine1 + c.text), 1);
        EXPECT_EQ(form.InsertText({0, c.text.size()}, c.typed, 1, false), c.caret);
        EXPECT_EQ(LineTexts(form), c.lines);
    }
}

TEST(LabelTextFlow, TextThatReachesTheLastLineMakesNewLinesInTheirFonts)
{
    LabelTextEditForm form(NineCharacterSettings());
    ASSERT_EQ(form.SetText(kLine1 + Esc('D', '1') + "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234" + Esc('C', '2') + "Z"), 1);
    EXPECT_EQ(form.Flow(0), 4u);
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"ABCDEFGHI", "JKLMNOPQR", "STUVWXYZ1", "234Z"}));
    const CLabelTextLine& second = form.GetLine(1);
    ASSERT_EQ(second.m_runs.size(), 1u);
    EXPECT_EQ(second.m_runs[0].m_format.font, 1u);  // flowed text takes the line's font, and keeps Bold
    EXPECT_TRUE(second.m_runs[0].m_format.effects[Bold]);
    const CLabelTextLine& made = form.GetLine(3);
    EXPECT_EQ(RunTexts(made), (std::vector<std::string>{"234", "Z"}));
    EXPECT_EQ(made.m_number, 3u);
}

TEST(LabelTextFlow, ALineThatGivesItsTallestRunAwayTakesTheFontOfWhatStays)
{
    LabelTextEditForm form(NineCharacterSettings());
    ASSERT_EQ(form.SetText(kLine1 + "ABCDEFGHI" + Esc('E', '2') + "JK"), 1);
    ASSERT_EQ(form.GetLine(0).m_lineFont, 1u);
    form.Flow(0);
    EXPECT_EQ(form.GetLine(0).m_lineFont, 0u);
    // The model is what its stored form reads back to: the same print length and the same bytes.
    const std::uint32_t printLength = form.GetPrintLength();
    const std::string written = Written(form);
    ASSERT_EQ(form.SetText(written), 1);
    EXPECT_EQ(form.GetPrintLength(), printLength);
    EXPECT_EQ(Written(form), written);
}

TEST(LabelTextFlow, RunsFittedAtAColumnPassOnWhatNoLongerFits)
{
    const LabelTextSettings settings = NineCharacterSettings();
    LabelTextEditForm form(settings);
    ASSERT_EQ(form.SetText(kLine1 + "ABCDEFG"), 1);
    CLabelTextLine line = form.GetLine(0);
    LabelTextFormat bold;
    bold.effects[Bold] = true;
    std::vector<CLabelTextRun> overflow;
    line.FitRunsAt(2, {CLabelTextRun(bold, "1234")}, overflow, form.GetContext());
    EXPECT_EQ(RunTexts(line), (std::vector<std::string>{"AB", "1234", "CDE"}));
    ASSERT_EQ(overflow.size(), 1u);
    EXPECT_EQ(overflow[0].m_text, "FG");
}

}  // namespace
}  // namespace varnel
