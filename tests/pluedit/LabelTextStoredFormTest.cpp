#include "LabelTextFixture.h"

#include "pluedit/LabelTextConversion.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

using test::Esc;
using test::RunTexts;
using test::Written;
using namespace std::string_literals;

const std::string kLine1 = Esc('C', '1');

TEST(LabelTextRead, AnOpenerAloneIsOneLineWithOneEmptyRunThatWritesBackAsItself)
{
    const LabelTextSettings settings = test::PlainSettings();
    CLabelTextLine line;
    ASSERT_EQ(line.Read(kLine1, settings), 3u);
    ASSERT_EQ(line.m_runs.size(), 1u);
    EXPECT_TRUE(line.m_runs[0].m_text.empty());

    LabelTextContext context;
    context.settings = &settings;
    std::string out(8, '\x7F');
    bool truncated = false;
    ASSERT_EQ(line.Write(out, out.size() - 1, context, truncated), 3u);
    EXPECT_EQ(out.substr(0, 4), kLine1 + '\0');
    EXPECT_FALSE(truncated);

    // As a whole text it is one empty line, which is dropped: only the 0 is written.
    LabelTextEditForm form(settings);
    EXPECT_EQ(form.SetText(kLine1), 1);
    EXPECT_EQ(Written(form), "");
}

TEST(LabelTextRead, EscapesSetTheFormatOfTheTextAfterThem)
{
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> runs;
        LabelTextFormat lastFormat;
    };
    LabelTextFormat plain;
    LabelTextFormat bold = plain;
    bold.effects[Bold] = true;
    LabelTextFormat blackBackgroundWhiteText = plain;
    blackBackgroundWhiteText.colours = {LabelColour::White, LabelColour::Black, LabelColour::Black};
    LabelTextFormat shadowInFont2 = plain;
    shadowInFont2.extraEffects[Shadow] = true;
    shadowInFont2.font = 1;
    LabelTextFormat unknownFont = plain;  // a code no font has means the first font
    const Case cases[] = {
        {"a toggle cancelled at once makes no run", kLine1 + Esc('D', '1') + Esc('D', '1') + "A", {"A"}, plain},
        {"bold on and off", kLine1 + Esc('D', '1') + "A" + Esc('D', '1') + "B", {"A", "B"}, plain},
        {"colours", kLine1 + Esc('G', '2') + Esc('I', '1') + "A", {"A"}, blackBackgroundWhiteText},
        {"operands out of range change nothing", kLine1 + Esc('D', '6') + Esc('F', '3') + Esc('G', '7') + "A", {"A"}, plain},
        {"extra effect and font", kLine1 + Esc('F', '1') + Esc('E', '2') + "A", {"A"}, shadowInFont2},
        {"font with no such code", kLine1 + Esc('E', 'Z') + "A", {"A"}, unknownFont},
        {"an escape cut by the end is dropped", kLine1 + "AB\x1B" "D", {"AB"}, plain},
        {"a toggle with no text after it", kLine1 + "A" + Esc('D', '1'), {"A"}, plain},
    };
    const LabelTextSettings settings = test::PlainSettings();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLabelTextLine line;
        EXPECT_EQ(line.Read(c.text, settings), c.text.size());
        EXPECT_EQ(RunTexts(line), c.runs);
        EXPECT_EQ(line.m_runs.back().m_format, c.lastFormat);
    }
}

TEST(LabelTextRead, StopsAtAnEscapeThatEndsTheLineAndTakesTheTallestFontAsLineFont)
{
    const LabelTextSettings settings = test::PlainSettings();
    const std::string text = kLine1 + "A" + Esc('E', '2') + "B" + Esc('E', '3') + "C" + Esc('C', '3') + "D";
    CLabelTextLine line;
    EXPECT_EQ(line.Read(text, settings), text.find("\x1B" "C3"));
    EXPECT_EQ(RunTexts(line), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(line.m_lineFont, 1u);  // font '2' prints tallest
}

TEST(LabelTextRead, TextPast256BytesWithoutAnEscapeGoesOnInANewRunOfTheSameFormat)
{
    const LabelTextSettings settings = test::MakeSettings({{'1', 0, 20}});  // no width cut
    const std::string text = kLine1 + Esc('D', '2') + std::string(300, 'x');
    LabelTextEditForm form(settings);
    ASSERT_EQ(form.SetText(text), 1);
    const CLabelTextLine& line = form.GetLine(0);
    ASSERT_EQ(line.m_runs.size(), 2u);
    EXPECT_EQ(line.m_runs[0].m_text.size(), 256u);
    EXPECT_EQ(line.m_runs[1].m_text.size(), 44u);
    EXPECT_FALSE(line.m_runs[0].FormatDiffers(line.m_runs[1]));
    EXPECT_EQ(Written(form), text + Esc('D', '2'));
}

TEST(LabelTextRead, ADoubleByteCharacterIsNeverSplitAcrossRunsOrCutAtTheEnd)
{
    const LabelTextSettings settings = test::MakeSettings({{'1', 0, 20}}, MarketChina, 9);
    // 255 single bytes and a double-byte character make 257 bytes in the first run.
    const std::string text = kLine1 + std::string(255, 'x') + "\xB0\xA1" "y\xB0";
    CLabelTextLine line;
    EXPECT_EQ(line.Read(text, settings), text.size() - 1);  // the lone lead byte at the end is dropped
    ASSERT_EQ(line.m_runs.size(), 2u);
    EXPECT_EQ(line.m_runs[0].m_text.size(), 257u);
    EXPECT_EQ(line.m_runs[1].m_text, "y");
}

TEST(LabelTextSetText, ReadsLinesAndAppendsTheTypingLine)
{
    LabelTextEditForm form(test::PlainSettings());
    ASSERT_EQ(form.SetText(kLine1 + "AB" + Esc('C', '2') + "CD"), 1);
    ASSERT_EQ(form.GetLineCount(), 3u);
    EXPECT_EQ(form.GetLine(0).Text(), "AB");
    EXPECT_EQ(form.GetLine(1).Text(), "CD");
    EXPECT_EQ(form.GetLine(1).m_number, 1u);
    EXPECT_TRUE(form.GetLine(2).IsEmpty());
    EXPECT_EQ(form.GetLine(2).m_lineFont, 1u);  // the last line's font when lines have no fonts of their own

    // An opener cut by the end of the text is dropped like any other cut escape.
    ASSERT_EQ(form.SetText(kLine1 + "AB\x1B" "C"), 1);
    EXPECT_EQ(form.GetLineCount(), 2u);
    EXPECT_EQ(form.GetLine(0).Text(), "AB");
}

TEST(LabelTextSetText, AFaultKeepsTheLinesBeforeItAndStillEndsWithTheTypingLine)
{
    struct Case {
        const char* name;
        std::string text;
        std::size_t linesKept;
    };
    const Case cases[] = {
        {"not an opener first", "AB"s, 0},
        {"a line ended by an escape outside the table", kLine1 + "A" + Esc('Z', '1') + "B", 1},
        {"a second line that does not open", kLine1 + "A" + Esc('C', '2') + "B" + Esc('Q', '1'), 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LabelTextEditForm form(test::PlainSettings());
        EXPECT_EQ(form.SetText(c.text), 0);
        ASSERT_EQ(form.GetLineCount(), c.linesKept + 1);
        EXPECT_TRUE(form.GetLine(c.linesKept).IsEmpty());
    }
}

TEST(LabelTextSetText, TheTypingLineTakesItsDefaultFontWhenLinesHaveTheirOwn)
{
    LabelTextSettings settings = test::MakeSettings({{'0'}, {'1'}, {'2'}, {'3'}, {'4'}, {'5'}, {'6'}, {'7'}, {'8'}, {'9'}});
    settings.lineFonts.m_perLine[CDefLineFont::ExtraMessage] = 1;
    for (std::uint8_t line = 0; line < CDefLineFont::kLines; ++line)
        settings.lineFonts.m_positions[CDefLineFont::ExtraMessage][line] = line;
    struct Case {
        std::size_t lines;
        std::size_t typingFont;
    } const cases[] = {{0, 0}, {2, 2}, {9, 9}, {12, 9}};  // lines past the tenth take the tenth's font
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        LabelTextEditForm form(settings);
        form.SetTextKind(4);
        std::string text;
        for (std::size_t i = 0; i < c.lines; ++i) text += Esc('C', '5') + "x";
        ASSERT_EQ(form.SetText(text), 1);
        EXPECT_EQ(form.GetLine(c.lines).m_lineFont, c.typingFont);
    }
}

// A form keeps its lines from text to text and reads the next text into them: what it then holds
// must be what a new form reading that text holds, whatever it held before.
TEST(LabelTextSetText, ATextReadOverAnotherIsReadAsIntoANewForm)
{
    const std::string texts[] = {
        kLine1 + Esc('E', '3') + "A" + Esc('D', '1') + Esc('E', '2') + "Bold" + Esc('G', '2') + "C" +
            Esc('C', '3') + "D" + Esc('C', '2') + "third line",
        kLine1 + "plain",
        "",
        kLine1 + "A" + Esc('Z', '1') + "B",  // a fault after the first line
        kLine1 + std::string(300, 'q') + Esc('C', '2'),
        kLine1 + "A" + Esc('D', '1') + Esc('E', '2') + "Bold" + Esc('G', '2') + "C" + Esc('C', '3') + "D",
        kLine1,
    };
    const LabelTextSettings settings = test::PlainSettings();
    LabelTextEditForm reused(settings);
    reused.SetViewSize(400, 100);
    for (int pass = 0; pass < 2; ++pass) {
        for (const std::string& text : texts) {
            SCOPED_TRACE(testing::PrintToString(text));
            LabelTextEditForm fresh(settings);
            fresh.SetViewSize(400, 100);
            EXPECT_EQ(reused.SetText(text), fresh.SetText(text));
            ASSERT_EQ(reused.GetLineCount(), fresh.GetLineCount());
            for (std::size_t i = 0; i < fresh.GetLineCount(); ++i) {
                const CLabelTextLine& got = reused.GetLine(i);
                const CLabelTextLine& expected = fresh.GetLine(i);
                EXPECT_EQ(RunTexts(got), RunTexts(expected)) << "line " << i;
                ASSERT_EQ(got.m_runs.size(), expected.m_runs.size());
                for (std::size_t run = 0; run < got.m_runs.size(); ++run)
                    EXPECT_EQ(got.m_runs[run].m_format, expected.m_runs[run].m_format) << "line " << i;
                EXPECT_EQ(got.m_lineFont, expected.m_lineFont) << "line " << i;
                EXPECT_EQ(got.m_number, expected.m_number);
                EXPECT_EQ(got.m_xPositions, expected.m_xPositions) << "line " << i;
                EXPECT_EQ(got.m_top, expected.m_top);
                EXPECT_EQ(got.m_bottom, expected.m_bottom);
            }
            EXPECT_EQ(reused.GetPrintLength(), fresh.GetPrintLength());
            EXPECT_EQ(Written(reused), Written(fresh));
        }
    }
}

TEST(LabelTextSetText, ConvertsSingleByteCharactersToFullWidthInTheDoubleByteMarkets)
{
    struct Case {
        std::uint16_t market;
        std::uint16_t family;
        std::string stored;
    } const cases[] = {
        {MarketChina, 0, kLine1 + "\xA3\xC1\xB0\xA1"},
        {MarketHongKong, 0, kLine1 + "\xA2\xCF\xB0\xA1"},
        {MarketChina, 9, kLine1 + "A\xB0\xA1"},  // family 9 has fonts for single bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.market);
        LabelTextEditForm form(test::MakeSettings({{'1', 0, 20}, {'2', 0, 20}}, c.market, c.family));
        ASSERT_EQ(form.SetText(kLine1 + "A\xB0\xA1"), 1);
        EXPECT_EQ(Written(form), c.stored);
    }
}

TEST(FullWidthText, CopiesEscapesAndDoubleByteCharactersAndStopsAtTheGivenLengthOrTheLimit)
{
    const CharRule chars{CharRule::LeadBytes::From160, CodePage::SimplifiedChinese};
    EXPECT_EQ(ToGb2312Text("\x1B" "C1 a\xB0\xA1", chars), "\x1B" "C1\xA1\xA1\xA3\xE1\xB0\xA1");
    EXPECT_EQ(ToBig5Text("a\x1B" "D", chars), "\xA2\xE9\x1B" "D");  // an escape cut by the end stays cut
    // A view of part of a buffer is read to its end only, never to a 0 beyond it.
    const std::string buffer = "ABCDEF";
    EXPECT_EQ(ToGb2312Text(std::string_view(buffer).substr(0, 2), chars), "\xA3\xC1\xA3\xC2");
    EXPECT_EQ(ToGb2312Text(std::string(3000, 'A'), chars).size(), kConvertedTextLimit);
    // The last piece added may pass the limit.
    EXPECT_EQ(ToGb2312Text("A\x1B" "C1" + std::string(2100, 'B'), chars).size(), kConvertedTextLimit + 1);
    EXPECT_EQ(ToGb2312Text("", chars), "");
}

TEST(LabelTextWrite, WritesEscapesOnlyWhereTheFormatChangesAndSwitchesEffectsOffAtTheEnd)
{
    struct Case {
        const char* name;
        std::string read;
        std::string written;
    };
    const Case cases[] = {
        {"bold to the end", kLine1 + Esc('D', '1') + "A", kLine1 + Esc('D', '1') + "A" + Esc('D', '1')},
        {"font and colours", kLine1 + "A" + Esc('E', '2') + Esc('H', '1') + "B" + Esc('E', '1') + Esc('G', '1') + "C",
         kLine1 + "A" + Esc('E', '2') + Esc('H', '1') + "B" + Esc('E', '1') + Esc('G', '1') + "C"},
        {"first run in another font opens in it", kLine1 + Esc('E', '2') + "A" + Esc('E', '1') + "B",
         Esc('C', '2') + "A" + Esc('E', '1') + "B"},
        {"effects in digit order, then font, extras, colours",
         kLine1 + Esc('I', '3') + Esc('F', '2') + Esc('E', '3') + Esc('D', '5') + Esc('D', '2') + "A",
         Esc('C', '3') + Esc('D', '2') + Esc('D', '5') + Esc('F', '2') + Esc('I', '3') + "A" + Esc('D', '2') +
             Esc('D', '5') + Esc('F', '2')},
        {"two lines and two empty ones", kLine1 + "A" + Esc('C', '2') + "B" + kLine1 + kLine1,
         kLine1 + "A" + Esc('C', '2') + "B"},
        {"an empty line between lines stays", kLine1 + "A" + kLine1 + kLine1 + "B", kLine1 + "A" + kLine1 + kLine1 + "B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LabelTextEditForm form(test::MakeSettings({{'1', 0, 20}, {'2', 0, 30}, {'3', 0, 16}}));
        ASSERT_EQ(form.SetText(c.read), 1);
        EXPECT_EQ(Written(form), c.written);
        EXPECT_TRUE(form.GetLine(form.GetLineCount() - 1).IsEmpty());  // the typing line is back
    }
}

TEST(LabelTextWrite, TheBufferLimitCutsWholeEscapesAndCharactersAndReportsIt)
{
    struct Case {
        std::string text;
        std::size_t size;
        std::string written;
        bool truncated;
    };
    const std::string twoLines = kLine1 + "AB" + Esc('C', '2') + "CD";
    const Case cases[] = {
        {kLine1 + "AB", 5, kLine1 + "A", true},
        {kLine1 + "AB", 4, "", true},
        {kLine1 + "AB", 6, kLine1 + "AB", false},
        // An escape that does not fit ends the line: its text is not written in the wrong format.
        {kLine1 + "A" + Esc('D', '1') + "B", 7, kLine1 + "A", true},
        // Escapes only with a character after them, and a line of which nothing fits is left out.
        {kLine1 + Esc('D', '1') + "A", 7, "", true},
        {kLine1 + "AB" + kLine1 + Esc('D', '1') + "C", 10, kLine1 + "AB", true},
        // A closing escape that does not fit.
        {kLine1 + Esc('D', '1') + "A", 8, kLine1 + Esc('D', '1') + "A", true},
        // A second line with no room left is text lost as well.
        {twoLines, 6, kLine1 + "AB", true},
        {twoLines, 11, twoLines, false},
        // Double-byte characters are never split.
        {kLine1 + "\xB0\xA1\xB0\xA1", 7, kLine1 + "\xB0\xA1", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " " << c.text);
        LabelTextEditForm form(test::MakeSettings({{'1', 0, 20}, {'2', 0, 20}}, MarketChina, 9));
        ASSERT_EQ(form.SetText(c.text), 1);
        bool truncated = false;
        EXPECT_EQ(Written(form, c.size, truncated), c.written);
        EXPECT_EQ(truncated, c.truncated);
    }
}

TEST(LabelTextWrite, CutsEachLineAtTheLabelWidth)
{
    struct Case {
        const char* name;
        std::uint16_t labelMm;
        std::string text;
        std::string written;
    };
    // 440 dots over 60 mm: a 10 mm label is 73 dots wide, six characters of 12 dots.
    const Case cases[] = {
        {"sixty characters", 10, kLine1 + std::string(60, 'x'), kLine1 + std::string(6, 'x')},
        {"the cut run ends the line", 10, kLine1 + "xxxx" + Esc('D', '1') + "yyyy" + Esc('D', '1') + "zz",
         kLine1 + "xxxx" + Esc('D', '1') + "y" + Esc('D', '1')},  // bold is 20 wide
        {"a run of which nothing fits adds no escapes", 10, kLine1 + "xxxxxx" + Esc('D', '2') + "y", kLine1 + "xxxxxx"},
        {"each line on its own", 10, kLine1 + "xxxxxxx" + kLine1 + "yyyyyyy",
         kLine1 + "xxxxxx" + kLine1 + "yyyyyy"},
        {"a wide label", 60, kLine1 + std::string(40, 'x'), kLine1 + std::string(36, 'x')},
        {"a label of no width cuts nothing", 0, kLine1 + std::string(60, 'x'), kLine1 + std::string(60, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LabelTextEditForm form(test::MakeSettings({{'1', 12, 20, false, false, 20}}));
        form.SetLabelWidth(c.labelMm);
        ASSERT_EQ(form.SetText(c.text), 1);
        bool truncated = false;
        EXPECT_EQ(Written(form, 4096, truncated), c.written);
        EXPECT_FALSE(truncated);  // the label width is a property of the text, not a fault
    }
}

TEST(LabelTextWrite, AFontOfNoWidthIsNeverCut)
{
    LabelTextEditForm form(test::MakeSettings({{'1', 0, 20}}));
    form.SetLabelWidth(10);
    const std::string text = kLine1 + Esc('D', '1') + std::string(60, 'x') + Esc('D', '1');
    ASSERT_EQ(form.SetText(text), 1);
    EXPECT_EQ(Written(form), text);
}

TEST(LabelTextWrite, UpperCaseFontsUpperCaseTheTextInTheModelToo)
{
    LabelTextEditForm form(test::MakeSettings({{'1', 0, 20, false, true}}, MarketChina, 9));
    ASSERT_EQ(form.SetText(kLine1 + "ab\xB0" "az"), 1);
    EXPECT_EQ(Written(form), kLine1 + "AB\xB0" "aZ");  // the trail byte of a double-byte character stays
    EXPECT_EQ(form.GetLine(0).Text(), "AB\xB0" "aZ");
}

TEST(LabelTextWrite, TaiwanPrintsShortLinesOfTheLargeFontInFontTwo)
{
    struct Case {
        const char* name;
        std::string text;
        std::string written;
    } const cases[] = {
        {"five bytes", Esc('C', '1') + "ABCDE", Esc('C', '2') + "ABCDE"},
        {"a run in another font stays", Esc('C', '1') + "AB" + Esc('E', '3') + "C",
         Esc('C', '2') + "AB" + Esc('E', '3') + "C"},
        {"24 bytes keep their font", Esc('C', '1') + std::string(24, 'A'), Esc('C', '1') + std::string(24, 'A')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LabelTextEditForm form(test::MakeSettings({{'1', 0, 40}, {'2', 0, 30}, {'3', 0, 20}}, MarketTaiwan, 9));
        ASSERT_EQ(form.SetText(c.text), 1);
        EXPECT_EQ(Written(form), c.written);
    }
}

TEST(LabelTextWrite, TaiwanJudgesALineShortByWhatTheLabelPrintsOfIt)
{
    // 26 bytes of which a 10 mm label prints six in font '1': short, so the line goes to font '2',
    // and what is written stays as it is when read and written again.
    LabelTextEditForm form(test::MakeSettings({{'1', 12, 40}, {'2', 24, 30}}, MarketTaiwan, 9));
    form.SetLabelWidth(10);
    ASSERT_EQ(form.SetText(Esc('C', '1') + std::string(26, 'A')), 1);
    const std::string written = Written(form);
    EXPECT_EQ(written, Esc('C', '2') + "AAA");
    ASSERT_EQ(form.SetText(written), 1);
    EXPECT_EQ(Written(form), written);
}

TEST(LabelTextWrite, WhatWasWrittenReadsBackToTheSameBytes)
{
    const std::string texts[] = {
        kLine1 + "A" + Esc('D', '1') + Esc('E', '2') + "B" + Esc('F', '2') + Esc('H', '3') + "C" + Esc('C', '3') + "D",
        kLine1 + Esc('G', '2') + Esc('I', '1') + std::string(300, 'q') + Esc('D', '4') + "r",
        kLine1 + kLine1 + "x" + Esc('D', '3'),
    };
    for (const std::string& text : texts) {
        LabelTextEditForm form(test::MakeSettings({{'1', 0, 20}, {'2', 0, 30}, {'3', 0, 16}}));
        ASSERT_EQ(form.SetText(text), 1);
        const std::string once = Written(form);
        ASSERT_EQ(form.SetText(once), 1);
        EXPECT_EQ(Written(form), once);
    }
}

TEST(LabelTextPrintLength, AddsPrintHeightAndSpacingUpToTheLastLineWithText)
{
    LabelTextSettings settings = test::PlainSettings();  // print heights 20, 30, 16; the fonts' spacing 3
    settings.lineSpacing = 5;
    struct Case {
        std::string text;
        std::uint16_t family;
        std::uint32_t length;
    } const cases[] = {
        {kLine1 + "A" + Esc('C', '2') + "B", 0, 23 + 33},
        {kLine1 + "A" + Esc('C', '2') + Esc('C', '3') + "B", 0, 23 + 33 + 19},
        {kLine1 + "A" + Esc('C', '2'), 0, 23},
        {kLine1, 0, 0},
        {kLine1 + "A" + Esc('C', '2') + "B", 8, 25 + 35},  // family 8 takes the setup's spacing
    };
    for (const Case& c : cases) {
        settings.defaultFamily = c.family;
        LabelTextEditForm form(settings);
        ASSERT_EQ(form.SetText(c.text), 1);
        EXPECT_EQ(form.GetPrintLength(), c.length) << c.text;
    }
}

}  // namespace
}  // namespace varnel
