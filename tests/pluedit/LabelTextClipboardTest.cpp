// The label text clipboard: the block's bytes, the checks on a block from anywhere, and pasting
// both formats.
#include "LabelTextFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

using test::Esc;
using test::LineTexts;
using test::RunTexts;
using namespace std::string_literals;

const std::string kLine1 = Esc('C', '1');

LabelTextSettings ClipboardSettings(std::uint16_t market = MarketUsa, std::uint16_t family = 0)
{
    return test::MakeSettings({{'1', 10, 20}, {'2', 12, 30}}, market, family);
}

void Key(LabelTextEditForm& form, std::uint32_t key, std::uint32_t flags = 0) { form.OnSinkKeyDown(key, 1, flags); }

// Line 1: "A" plain and "B" Bold; line 2: "C".
const std::string kTwoLines = kLine1 + "A" + Esc('D', '1') + "B" + kLine1 + "C";

const std::string kTwoLinesBlock = "\x02\x00"s                            // two lines
                                   "\x00\x00\x00\x00\x00"s "A\x00"s "\x00\x00\x00"s  // at 2, filler to 12
                                   "\x01\x00\x00\x00\x00"s "B\x00"s "\x00"s          // at 12, filler to 20
                                   "\xFF\x00\x00\x00"s                               // mark at 20, font 0
                                   "\x00\x00\x00\x00\x00"s "C\x00"s "\x00"s          // at 24
                                   "\xFF\x00\x00\x00"s;                              // mark at 32

TEST(LabelTextClipboard, CopyingTwoLinesGivesTheBlockAndThePlainText)
{
    test::MemoryClipboard clipboard;
    LabelTextEditForm form(ClipboardSettings());
    form.SetClipboard(&clipboard);
    form.SetText(kTwoLines);
    form.OnSinkCtrlChar(3, 1, 0);  // nothing selected: nothing copied
    EXPECT_EQ(clipboard.m_puts, 0);
    Key(form, kVkDown, kKeyShift);
    Key(form, kVkEnd, kKeyShift);
    form.OnSinkCtrlChar(3, 1, 0);
    ASSERT_EQ(clipboard.m_puts, 1);
    EXPECT_EQ(clipboard.m_content.bytes, kTwoLinesBlock);
    EXPECT_EQ(clipboard.m_content.bytes.size(), 36u);
    EXPECT_EQ(clipboard.m_plainText, "AB\r\nC\r\n");
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"AB", "C", ""}));  // copy leaves the text
}

TEST(LabelTextClipboard, ALongRunIsWrittenAsRunsTheReaderTakes)
{
    const LabelTextSettings settings = ClipboardSettings();
    CLabelTextLine line(1, 0);
    line.m_runs.emplace_back(CLabelTextRun(LabelTextFormat{}, std::string(300, 'x')));
    const std::string block = WriteDescFieldBlock({line}, settings.chars);
    const std::optional<std::vector<CLabelTextLine>> read = ReadDescFieldBlock(block, settings);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 1u);
    EXPECT_EQ((*read)[0].Text(), std::string(300, 'x'));
    EXPECT_EQ((*read)[0].m_lineFont, 1u);
    EXPECT_EQ((*read)[0].m_runs[0].m_format.font, 1u);
}

TEST(LabelTextClipboard, ABlockIsReadOnlyWhenEveryCountTextAndMarkLiesWithinIt)
{
    const LabelTextSettings settings = ClipboardSettings();
    const auto oneRun = [](std::size_t textBytes, char fill = 'x') {
        std::string block = "\x01\x00"s "\x00\x00\x00\x00\x00"s + std::string(textBytes, fill) + '\0';
        block.resize((block.size() + 3) / 4 * 4, '\0');
        return block + "\xFF\x00\x01\x00"s;
    };
    struct Case {
        const char* name;
        std::string block;
        bool read;
    } const cases[] = {
        {"the two lines", kTwoLinesBlock, true},
        {"bytes after the last line", kTwoLinesBlock + "junk", true},
        {"no lines", "\x00\x00"s, true},
        {"a run of 256 bytes", oneRun(256), true},
        {"a run of 257 bytes", oneRun(257), false},
        {"a count beyond the block", "\x0A\x00"s + kTwoLinesBlock.substr(2), false},
        {"a count of 65535", "\xFF\xFF"s + kTwoLinesBlock.substr(2), false},
        {"a line without its mark", kTwoLinesBlock.substr(0, 32), false},
        {"a mark cut short", kTwoLinesBlock.substr(0, 34), false},
        {"a text without its 0", "\x01\x00"s "\x00\x00\x00\x00\x00"s "AB", false},
        {"flags cut short", "\x01\x00\x00\x00"s, false},
        {"a flag other than 0 or 1", "\x01\x00"s "\x00\x02\x00\x00\x00"s "A\x00"s "\x00\x00\x00"s "\xFF\x00\x00\x00"s, false},
        {"a font the list does not hold", "\x01\x00"s "\xFF\x00\x07\x00"s, false},
        {"an escape in the text", oneRun(3, '\x1B'), false},
        {"only a count byte", "\x01"s, false},
        {"nothing", ""s, false},
    };
    for (const Case& c : cases) {
        const std::optional<std::vector<CLabelTextLine>> lines = ReadDescFieldBlock(c.block, settings);
        EXPECT_EQ(lines.has_value(), c.read) << c.name;
    }
    const std::optional<std::vector<CLabelTextLine>> lines = ReadDescFieldBlock(kTwoLinesBlock, settings);
    ASSERT_TRUE(lines);
    EXPECT_EQ(RunTexts((*lines)[0]), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE((*lines)[0].m_runs[1].m_format.effects[Bold]);
    EXPECT_EQ(RunTexts((*lines)[1]), std::vector<std::string>{"C"});
}

TEST(LabelTextClipboard, PastingTheBlockInsertsItsLinesAtTheCaret)
{
    test::MemoryClipboard clipboard;
    clipboard.m_content = {LabelTextClipboardContent::Kind::DescField, kTwoLinesBlock};
    LabelTextEditForm form(ClipboardSettings());
    form.SetClipboard(&clipboard);
    form.SetText(Esc('C', '2') + "XY");
    Key(form, kVkRight);
    form.OnSinkCtrlChar(22, 1, 0);
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"XAB", "CY", ""}));
    EXPECT_EQ(RunTexts(form.GetLine(0)), (std::vector<std::string>{"X", "A", "B"}));
    EXPECT_TRUE(form.GetLine(0).m_runs[2].m_format.effects[Bold]);
    EXPECT_EQ(form.GetLine(1).m_runs[0].m_format.font, 0u);
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{1, 1}));
    EXPECT_TRUE(form.IsModified());
}

TEST(LabelTextClipboard, PastedPlainTextTakesTheFormatOfTheRunAtTheCaret)
{
    test::MemoryClipboard clipboard;
    clipboard.m_content = {LabelTextClipboardContent::Kind::PlainText, "X\r\nY"};
    LabelTextEditForm form(ClipboardSettings());
    form.SetClipboard(&clipboard);
    form.SetText(kLine1 + Esc('D', '1') + "AB");
    Key(form, kVkRight);
    Key(form, kVkInsert, kKeyShift);
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"AX", "YB", ""}));
    for (std::size_t line = 0; line < 2; ++line) {
        ASSERT_EQ(form.GetLine(line).m_runs.size(), 1u);
        EXPECT_TRUE(form.GetLine(line).m_runs[0].m_format.effects[Bold]);
    }
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{1, 1}));
}

TEST(LabelTextClipboard, PastedTextReplacesTheSelectionAndFlowsOn)
{
    LabelTextSettings settings = ClipboardSettings();
    settings.labelWidth60mmDots = 100;  // nine characters
    test::MemoryClipboard clipboard;
    clipboard.m_content = {LabelTextClipboardContent::Kind::PlainText, "1234567"};
    LabelTextEditForm form(settings);
    form.SetClipboard(&clipboard);
    form.SetText(kLine1 + "ABCDEF");
    Key(form, kVkRight);
    Key(form, kVkRight, kKeyShift);
    form.Paste();
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"A1234567C", "DEF", ""}));
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{0, 8}));
    // Pasted text that flows on carries the caret with it.
    clipboard.m_content.bytes = "xyz";
    form.Paste();
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"A1234567x", "yzCDEF", ""}));
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{1, 2}));
}

TEST(LabelTextClipboard, AMalformedBlockOrAnEmptyClipboardPastesNothing)
{
    test::MemoryClipboard clipboard;
    LabelTextEditForm form(ClipboardSettings());
    form.SetClipboard(&clipboard);
    form.SetText(kLine1 + "AB");
    form.Paste();
    clipboard.m_content = {LabelTextClipboardContent::Kind::DescField, "\x09\x00"s + kTwoLinesBlock.substr(2)};
    form.Paste();
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"AB", ""}));
    EXPECT_FALSE(form.IsModified());
}

TEST(LabelTextClipboard, PastingInTheFullWidthMarketsConvertsSingleBytes)
{
    test::MemoryClipboard clipboard;
    LabelTextEditForm form(ClipboardSettings(MarketChina, 0));
    form.SetClipboard(&clipboard);
    form.SetText("");
    clipboard.m_content = {LabelTextClipboardContent::Kind::DescField,
                           "\x01\x00"s "\x00\x00\x00\x00\x00"s "a\x00"s "\x00\x00\x00"s "\xFF\x00\x00\x00"s};
    form.Paste();
    EXPECT_EQ(form.GetLine(0).Text(), "\xA3\xE1");
    clipboard.m_content = {LabelTextClipboardContent::Kind::PlainText, "b"};
    form.Paste();
    EXPECT_EQ(form.GetLine(0).Text(), "\xA3\xE1\xA3\xE2");
}

}  // namespace
}  // namespace varnel
