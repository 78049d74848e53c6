// The label text editor without its window: keys, typing by market, selection, style buttons, line
// fonts, the label width, scrolling, the mouse and what the host's controls show.
#include "LabelTextFixture.h"

#include "support/RecordingPrompt.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

using test::Esc;
using test::LineTexts;
using test::RunTexts;

const std::string kLine1 = Esc('C', '1');

// Nine characters of font '1' (10 dots) fit the 60 mm label of 100 dots; font '2' is 12 wide, '3'
// prints upper case only.
LabelTextSettings EditorSettings(std::uint16_t market = MarketUsa, std::uint16_t family = 0)
{
    LabelTextSettings settings =
        test::MakeSettings({{'1', 10, 20}, {'2', 12, 30}, {'3', 10, 20, false, true}}, market, family);
    settings.labelWidth60mmDots = 100;
    return settings;
}

void Key(LabelTextEditForm& form, std::uint32_t key, std::uint32_t flags = 0) { form.OnSinkKeyDown(key, 1, flags); }

void Type(LabelTextEditForm& form, std::string_view bytes)
{
    for (const char byte : bytes) form.OnSinkChar(static_cast<std::uint8_t>(byte), 1, 0);
}

class RecordingHost final : public ILabelTextHost {
public:
    void OnLinesRecounted() override { ++m_recounts; }
    void OnEditorFocused() override { ++m_focused; }
    void MoveFocus(bool backwards) override { m_moves.push_back(backwards); }
    void OnEscape() override { ++m_escapes; }

    int m_recounts = 0;
    int m_focused = 0;
    std::vector<bool> m_moves;
    int m_escapes = 0;
};

TEST(LabelTextEditor, TheWidthBoxTakes10To500MillimetresAndPutsTheOldWidthBackOtherwise)
{
    test::RecordingPrompt prompt;
    struct Case {
        const char* text;
        bool accepted;
        std::uint16_t width;
    } const cases[] = {{"10", true, 10}, {"500", true, 500}, {"9", false, 60}, {"501", false, 60}, {"abc", false, 60}, {"", false, 60}};
    for (const Case& c : cases) {
        LabelTextEditForm form(EditorSettings());
        form.SetTextAndWidth(kLine1 + "AB", 60);
        prompt.m_ids.clear();
        EXPECT_EQ(form.SetLabelWidth(std::string_view(c.text)), c.accepted) << c.text;
        EXPECT_EQ(form.GetLabelWidth(), c.width) << c.text;
        EXPECT_EQ(form.GetControls().labelWidth, std::to_string(c.width)) << c.text;
        EXPECT_EQ(prompt.m_ids, c.accepted ? std::vector<MessageId>{} : std::vector<MessageId>{61234}) << c.text;
        EXPECT_EQ(form.IsModified(), c.accepted) << c.text;
    }
    EXPECT_EQ(GetMessageText(61234), "Invalid label width specified. (Must be 10 to 500mm)");

    LabelTextEditForm form(EditorSettings());
    form.SetTextAndWidth(kLine1 + "AB", 5);
    EXPECT_EQ(form.GetControls().labelWidth, "10");
    form.SetTextAndWidth(kLine1 + "AB", 900);
    EXPECT_EQ(form.GetLabelWidth(), 500);
    EXPECT_FALSE(form.IsModified());
}

TEST(LabelTextEditor, ShiftWithMovementKeysSelectsAndMovementWithoutShiftDropsTheSelection)
{
    LabelTextEditForm form(EditorSettings());
    form.SetText(kLine1 + "ABCDEFGHIJKL" + kLine1 + "MN");
    Key(form, kVkEnd);  // not past the nine characters the label holds
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{0, 9}));
    Key(form, kVkHome);
    Key(form, kVkRight, kKeyShift);
    Key(form, kVkRight, kKeyShift);
    Key(form, kVkDown, kKeyShift);
    EXPECT_EQ(form.GetSelection(), (LabelTextSelection{{0, 0}, {1, 2}}));
    Key(form, kVkLeft, kKeyShift);
    Key(form, kVkUp, kKeyShift);
    EXPECT_EQ(form.GetSelection(), (LabelTextSelection{{0, 0}, {0, 1}}));
    Key(form, kVkLeft, kKeyShift);  // back at the anchor: no selection
    EXPECT_FALSE(form.GetSelection());
    Key(form, kVkRight, kKeyShift);
    Key(form, kVkRight);
    EXPECT_FALSE(form.GetSelection());
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{0, 2}));
    Key(form, kVkLeft);
    Key(form, kVkUp);  // nothing on the first line
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{0, 1}));
}

TEST(LabelTextEditor, LeftAndRightStepOverDoubleByteCharactersWhole)
{
    LabelTextEditForm form(EditorSettings(MarketChina, 9));
    form.SetText(kLine1 + "A\xB0\xA1" "B");
    Key(form, kVkRight);
    Key(form, kVkRight);
    EXPECT_EQ(form.GetCaret().column, 3u);
    Key(form, kVkLeft);
    EXPECT_EQ(form.GetCaret().column, 1u);
    Key(form, kVkEnd);
    Key(form, kVkBack);
    Key(form, kVkBack);
    EXPECT_EQ(LineTexts(form)[0], "A");
}

TEST(LabelTextEditor, AThaiCharacterMovesAndGoesWithItsMarks)
{
    LabelTextEditForm form(EditorSettings(MarketThailand));
    form.SetText(kLine1 + "\xA1\xE8\xA2\xD4");
    Key(form, kVkRight);
    EXPECT_EQ(form.GetCaret().column, 2u);
    Key(form, kVkEnd);
    Key(form, kVkLeft);
    EXPECT_EQ(form.GetCaret().column, 2u);
    Key(form, kVkHome);
    Key(form, kVkDelete);
    EXPECT_EQ(form.GetLine(0).Text(), "\xA2\xD4");
}

TEST(LabelTextEditor, PageKeysMoveByTheLinesThatFillTheEditor)
{
    LabelTextEditForm form(EditorSettings());
    std::string text;
    for (char c = 'A'; c <= 'H'; ++c) text += kLine1 + c;
    form.SetText(text);
    form.SetViewSize(200, 50);  // two lines of 24 pixels and a part of a third
    Key(form, kVkPageDown);
    EXPECT_EQ(form.GetCaret().line, 3u);
    Key(form, kVkPageDown);
    Key(form, kVkPageDown);
    Key(form, kVkPageDown);
    EXPECT_EQ(form.GetCaret().line, 8u);  // the typing line after H
    Key(form, kVkPageUp);
    EXPECT_EQ(form.GetCaret().line, 5u);
    EXPECT_LE(form.GetVScroll(), form.GetLine(5).m_top);
}

TEST(LabelTextEditor, TypingFlowsOnToTheNextLineAndTheCaretFollows)
{
    LabelTextEditForm form(EditorSettings());
    form.SetText(kLine1 + "ABCDEFGHI" + kLine1 + "J");
    Key(form, kVkEnd);
    Type(form, "X");
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"ABCDEFGHI", "XJ", ""}));
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{1, 1}));
    EXPECT_TRUE(form.IsModified());
}

TEST(LabelTextEditor, OverwriteOnAFullLineThatIsNotTheLastIsRefused)
{
    CInsertMode mode;
    mode.Set(false);
    LabelTextEditForm form(EditorSettings());
    form.SetInsertMode(mode);
    form.SetText(kLine1 + "ABCDEFGHI" + kLine1 + "J");
    Key(form, kVkEnd);
    Type(form, "X");
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"ABCDEFGHI", "J", ""}));
    Key(form, kVkHome);
    Type(form, "xy");  // within the line it overwrites
    EXPECT_EQ(LineTexts(form)[0], "xyCDEFGHI");
    Key(form, kVkDown);
    Type(form, "KL");  // a line with room takes them
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"xyCDEFGHI", "JKL", ""}));
}

TEST(LabelTextEditor, TypedBytesFollowTheMarket)
{
    struct Case {
        const char* name;
        LabelTextSettings settings;
        std::string text;
        std::string typed;
        std::string line;
    };
    std::vector<test::FontSpec> koreanFonts;
    for (int i = 0; i < 16; ++i) koreanFonts.push_back({static_cast<char>('A' + i), 10, 20});
    LabelTextSettings korean = test::MakeSettings(koreanFonts);
    korean.koreanFont = true;
    korean.chars = {CharRule::LeadBytes::From128, CodePage::Korean};
    const Case cases[] = {
        {"China full width", EditorSettings(MarketChina, 0), kLine1, "a", "\xA3\xE1"},
        {"Hong Kong full width", EditorSettings(MarketHongKong, 0), kLine1, "a", "\xA2\xE9"},
        {"family 9 keeps single bytes", EditorSettings(MarketChina, 9), kLine1, "a", "a"},
        {"a lead byte waits for its trail byte", EditorSettings(MarketChina, 9), kLine1, "\xB0\xA1", "\xB0\xA1"},
        {"upper-case-only font", EditorSettings(), Esc('C', '3'), "a\xE9", "A\xE9"},
        {"Korean: no pair in a single-byte font", korean, Esc('C', 'A'), "\xB0\xA1" "b", "b"},
        {"Korean: no single byte in a double-byte font", korean, Esc('C', 'O'), "b\xB0\xA1", "\xB0\xA1"},
    };
    for (const Case& c : cases) {
        LabelTextEditForm form(c.settings);
        form.SetText(c.text);
        Type(form, c.typed);
        EXPECT_EQ(form.GetLine(0).Text(), c.line) << c.name;
    }
}

TEST(LabelTextEditor, BackspaceNeverJoinsLinesAndDeleteAtTheEndJoinsTheNextLine)
{
    LabelTextEditForm form(EditorSettings());
    form.SetText(kLine1 + "AB" + kLine1 + "CD");
    Key(form, kVkDown);
    Key(form, kVkBack);
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"AB", "CD", ""}));
    EXPECT_FALSE(form.IsModified());
    Key(form, kVkUp);
    Key(form, kVkEnd);
    Key(form, kVkDelete);
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"ABCD", ""}));
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{0, 2}));
    Key(form, kVkDelete);
    Key(form, kVkBack);
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"AD", ""}));
    EXPECT_TRUE(form.IsModified());
}

TEST(LabelTextEditor, DeleteJoinsOnlyWhatFitsAndTheRestStaysOnTheNextLine)
{
    LabelTextEditForm form(EditorSettings());
    form.SetText(kLine1 + "ABCDEFG" + kLine1 + "HIJK" + kLine1 + "L");
    Key(form, kVkEnd);
    Key(form, kVkDelete);
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"ABCDEFGHI", "JK", "L", ""}));
}

TEST(LabelTextEditor, TypingDeletingAndCuttingTakeTheSelectionAcrossLines)
{
    test::MemoryClipboard clipboard;
    LabelTextEditForm form(EditorSettings());
    form.SetClipboard(&clipboard);
    form.SetText(kLine1 + "ABC" + kLine1 + "DEF" + kLine1 + "GHI");
    Key(form, kVkRight);
    Key(form, kVkDown, kKeyShift);
    Key(form, kVkDown, kKeyShift);
    Type(form, "x");
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"AxHI", ""}));
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{0, 2}));

    Key(form, kVkHome, kKeyShift);
    Key(form, kVkDelete, kKeyShift);  // cut
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"HI", ""}));
    EXPECT_EQ(clipboard.m_plainText, "Ax\r\n");
    Key(form, kVkDelete, kKeyShift);  // nothing selected: nothing cut
    EXPECT_EQ(clipboard.m_puts, 1);
}

TEST(LabelTextEditor, EnterSplitsInInsertModeAndTheHostHearsOfKeysFocusAndHeights)
{
    RecordingHost host;
    LabelTextEditForm form(EditorSettings());
    form.SetHost(&host);
    form.SetText(kLine1 + "ABCD");
    const int recounts = host.m_recounts;
    Key(form, kVkRight);
    Key(form, kVkReturn);
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"A", "BCD", ""}));
    EXPECT_GT(host.m_recounts, recounts);
    Key(form, kVkTab);
    Key(form, kVkTab, kKeyShift);
    EXPECT_EQ(host.m_moves, (std::vector<bool>{false, true}));
    Key(form, kVkEscape);
    EXPECT_EQ(host.m_escapes, 1);
    form.OnSinkSetFocus();
    EXPECT_EQ(host.m_focused, 1);
}

TEST(LabelTextEditor, StyleButtonsNeedASelectionAndSetTheOppositeOfTheFormatAtTheCaret)
{
    LabelTextEditForm form(EditorSettings());
    form.SetText(kLine1 + "AB");
    form.OnEffectButton(Bold);
    EXPECT_EQ(RunTexts(form.GetLine(0)), std::vector<std::string>{"AB"});
    EXPECT_FALSE(form.IsModified());

    Key(form, kVkRight, kKeyShift);
    form.OnEffectButton(Bold);
    EXPECT_EQ(RunTexts(form.GetLine(0)), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(form.GetLine(0).m_runs[0].m_format.effects[Bold]);
    EXPECT_EQ(form.GetSelection(), (LabelTextSelection{{0, 0}, {0, 1}}));
    EXPECT_TRUE(form.GetControls().checked[Bold]);
    form.OnEffectButton(Bold);
    EXPECT_EQ(RunTexts(form.GetLine(0)), std::vector<std::string>{"AB"});
}

TEST(LabelTextEditor, AStyleThatWidensTheTextReflowsTheLines)
{
    // Bold and Italic runs of font '1' are 14 wide: the first line then holds fewer characters.
    LabelTextSettings settings = test::MakeSettings({{'1', 10, 20, false, false, 14}});
    settings.labelWidth60mmDots = 100;
    LabelTextEditForm form(settings);
    form.SetText(kLine1 + "ABCDEFGHI");
    Key(form, kVkEnd, kKeyShift);
    form.OnEffectButton(Bold);
    EXPECT_EQ(LineTexts(form), (std::vector<std::string>{"ABCDEFG", "HI", ""}));
}

TEST(LabelTextEditor, NextLineFontCyclesTheAllowedFontsButNotOverASelectionOfTwoLines)
{
    LabelTextEditForm form(EditorSettings());
    form.SetText(kLine1 + "AB" + kLine1 + "CD");
    Key(form, kVkDown, kKeyShift);
    form.OnSinkCtrlChar(6, 1, 0);
    EXPECT_EQ(form.GetLine(0).m_lineFont, 0u);
    EXPECT_EQ(form.GetLine(1).m_lineFont, 0u);
    EXPECT_FALSE(form.IsModified());
    Key(form, kVkLeft);
    form.OnSinkCtrlChar(6, 1, 0);
    EXPECT_EQ(form.GetLine(1).m_lineFont, 1u);
    EXPECT_EQ(form.GetControls().fontRow, 1u);
    form.NextLineFont();
    form.NextLineFont();
    EXPECT_EQ(form.GetLine(1).m_lineFont, 0u);
}

TEST(LabelTextEditor, ALineThatRefusesTheFontKeepsItAndTheUserIsTold)
{
    test::RecordingPrompt prompt;
    LabelTextSettings settings = EditorSettings();
    std::vector<CScaleFont> fonts;
    for (int i = 0; i < 16; ++i) fonts.push_back(test::MakeTestFont({static_cast<char>('A' + i), 10, 20}));
    settings.fonts = CScaleFontList(fonts);
    settings.koreanFont = true;
    settings.chars = {CharRule::LeadBytes::From128, CodePage::Korean};
    LabelTextEditForm form(settings);
    form.SetText(Esc('C', 'O') + "\xB0\xA1" + Esc('C', 'O') + "\xB0\xA2");
    Key(form, kVkDown, kKeyShift);
    form.SetLinesFont(15);
    EXPECT_EQ(form.GetLine(0).m_lineFont, 15u);
    EXPECT_TRUE(prompt.m_ids.empty());
    form.SetLinesFont(1);
    EXPECT_EQ(form.GetLine(0).m_lineFont, 15u);
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{61458});
}

TEST(LabelTextEditor, TheHorizontalScrollBarServesLabelsWiderThan80Millimetres)
{
    LabelTextEditForm form(EditorSettings());
    form.SetViewSize(200, 100);
    form.SetTextAndWidth(kLine1 + "AB", 81);
    EXPECT_TRUE(form.IsHScrollShown());
    EXPECT_EQ(form.GetHScrollRange(), 135 + 100 - 200);
    form.OnHScroll(ScrollCode::PageForward, 0);
    EXPECT_EQ(form.GetHScroll(), 35);
    form.OnHScroll(ScrollCode::LineBack, 0);
    EXPECT_EQ(form.GetHScroll(), 25);
    form.SetTextAndWidth(kLine1 + "AB", 80);
    EXPECT_FALSE(form.IsHScrollShown());
    EXPECT_EQ(form.GetHScrollRange(), 0);
    form.OnHScroll(ScrollCode::End, 0);
    EXPECT_EQ(form.GetHScroll(), 0);
}

TEST(LabelTextEditor, VerticalScrollingStepsByLinesAndPagesAndTheThumbStopsAtALineStart)
{
    LabelTextEditForm form(EditorSettings());
    std::string text;
    for (char c = 'A'; c <= 'J'; ++c) text += kLine1 + c;
    form.SetText(text);
    form.SetViewSize(200, 60);
    ASSERT_EQ(form.GetTotalHeight(), 11 * 24);
    struct Step {
        ScrollCode code;
        int position;
        int expected;
    } const steps[] = {{ScrollCode::LineForward, 0, 24},  {ScrollCode::LineForward, 0, 48},  {ScrollCode::LineBack, 0, 24},
                       {ScrollCode::PageForward, 0, 124}, {ScrollCode::ThumbTrack, 30, 48},  {ScrollCode::ThumbPosition, 48, 48},
                       {ScrollCode::End, 0, 264},         {ScrollCode::LineForward, 0, 264}, {ScrollCode::PageBack, 0, 164},
                       {ScrollCode::Start, 0, 0},         {ScrollCode::PageBack, 0, 0}};
    for (const Step& step : steps) {
        form.OnVScroll(step.code, step.position);
        EXPECT_EQ(form.GetVScroll(), step.expected) << static_cast<int>(step.code);
    }
    // A key that moves the caret out of sight brings its line back.
    Key(form, kVkPageDown);
    Key(form, kVkPageDown);
    const CLabelTextLine& caretLine = form.GetLine(form.GetCaret().line);
    EXPECT_LE(form.GetVScroll(), caretLine.m_top);
    EXPECT_GE(form.GetVScroll() + 60, caretLine.m_bottom);
}

TEST(LabelTextEditor, TheMouseSetsTheCaretAtTheNearestColumnAndDragsASelection)
{
    LabelTextEditForm form(EditorSettings());
    form.SetText(kLine1 + "ABCD" + kLine1 + "EF");
    form.SetViewSize(300, 100);  // the 100-dot label is centred: its left edge at 100
    ASSERT_EQ(form.GetContext().labelLeft, 100);
    form.OnLButtonDown(114, 5);
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{0, 1}));
    form.OnLButtonUp(114, 5);
    form.OnLButtonDown(115, 5);  // the middle of B lands after it
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{0, 2}));
    form.OnMouseMove(135, 30);
    EXPECT_TRUE(form.HasMouseCapture());
    form.OnLButtonUp(135, 95);  // below the last line counts as the last line
    EXPECT_FALSE(form.HasMouseCapture());
    EXPECT_EQ(form.GetSelection(), (LabelTextSelection{{0, 2}, {2, 0}}));
    form.OnMouseMove(100, 5);  // no longer captured
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{2, 0}));
    form.OnLButtonDown(350, 5);  // outside the editor
    EXPECT_EQ(form.GetCaret(), (LabelTextPosition{2, 0}));
}

TEST(LabelTextEditor, TheControlsFollowTheCaretTheFocusAndTheInsertMode)
{
    CInsertMode mode;
    LabelTextEditForm form(EditorSettings());
    form.SetInsertMode(mode);
    form.SetFormatButtonShown(true);
    form.SetText(kLine1 + "A" + Esc('D', '1') + "B" + Esc('C', '2') + "C");
    EXPECT_EQ(form.GetControls().mode, "");
    form.OnSinkSetFocus();
    EXPECT_EQ(form.GetControls().mode, "INS");
    Key(form, kVkInsert);
    EXPECT_EQ(form.GetControls().mode, "OVR");
    EXPECT_FALSE(mode.IsInsert());
    Key(form, kVkEnd);
    LabelTextControls controls = form.GetControls();
    EXPECT_TRUE(controls.checked[Bold]);
    EXPECT_EQ(controls.fontRow, 0u);
    EXPECT_FALSE(controls.formatEnabled);
    EXPECT_TRUE(controls.formatShown);
    EXPECT_FALSE(controls.boxedShown);  // outside family 9
    EXPECT_EQ(controls.enabled, (std::array<bool, kLabelEffects>{true, true, true, true, true}));
    Key(form, kVkDown);
    EXPECT_EQ(form.GetControls().fontRow, 1u);
    EXPECT_FALSE(form.GetControls().checked[Bold]);
    Key(form, kVkLeft, kKeyShift);
    EXPECT_TRUE(form.GetControls().formatEnabled);
    form.OnSinkKillFocus();
    EXPECT_EQ(form.GetControls().mode, "");
}

TEST(LabelTextEditor, TheStyleButtonsFollowTheFontsAndTheMarket)
{
    struct Case {
        const char* name;
        std::uint16_t market;
        std::uint16_t family;
        bool noFonts;
        std::array<bool, kLabelEffects> enabled;
        bool boxedShown;
    } const cases[] = {
        {"fonts allowed, family 9", MarketUsa, 9, false, {true, true, true, true, true}, true},
        {"no fonts, China", MarketChina, 0, true, {false, true, false, false, false}, true},
        {"no fonts, Thailand", MarketThailand, 9, true, {true, true, false, true, true}, true},
        {"Baltic first font", MarketBaltic, 0, false, {true, true, false, true, true}, false},
    };
    for (const Case& c : cases) {
        LabelTextSettings settings = EditorSettings(c.market, c.family);
        if (c.noFonts) settings.fonts = CScaleFontList();
        LabelTextEditForm form(settings);
        form.SetText(kLine1 + "A");
        const LabelTextControls controls = form.GetControls();
        EXPECT_EQ(controls.enabled, c.enabled) << c.name;
        EXPECT_EQ(controls.boxedShown, c.boxedShown) << c.name;
    }

    LabelTextEditForm popUp(EditorSettings());
    popUp.DisableFontEffects();
    EXPECT_EQ(popUp.GetControls().enabled, (std::array<bool, kLabelEffects>{}));
}

TEST(LabelTextEditor, TheTextKindAndModePickTheFontsOffered)
{
    const std::vector<test::FontSpec> fonts = {{'0'}, {'1'}, {'2'}, {'3'}, {'4'}, {'6'}};
    struct Case {
        const char* name;
        std::uint16_t market;
        std::uint16_t family;
        bool otherFamilies;
        int mode;
        std::string codes;
    } const cases[] = {
        {"other families than 9 and 11 restrict nothing", MarketUsa, 6, false, 2, "012346"},
        {"family 9, mode 2", MarketUsa, 9, false, 2, "0"},
        {"family 9, mode 2, China", MarketChina, 9, false, 2, "03"},
        {"family 9, mode 3", MarketUsa, 9, false, 3, "12"},
        {"family 9, mode 4", MarketUsa, 9, false, 4, "6"},
        {"family 9, mode 1", MarketUsa, 9, false, 1, "0123"},
        {"descriptions of a single-byte market", MarketUsa, 9, true, 0, "012346"},
        {"descriptions in China beside other families", MarketChina, 9, true, 0, "0123"},
        {"family 11 restricts mode 5 only", MarketUsa, 11, false, 2, "012346"},
        {"family 11, mode 5", MarketUsa, 11, false, 5, "0"},
    };
    for (const Case& c : cases) {
        LabelTextSettings settings = test::MakeSettings(fonts, c.market, c.family);
        settings.otherFamilyOnLinks = c.otherFamilies;
        LabelTextEditForm form(settings);
        form.SetTextKind(8, c.mode);
        std::string codes;
        for (const AllowedFont& allowed : form.GetAllowedFonts()) codes += static_cast<char>(allowed.font.m_code);
        EXPECT_EQ(codes, c.codes) << c.name;
    }
}

TEST(LabelTextEditor, TheFontComboRowIsAnAllowedFontsPlaceNotItsPositionInTheList)
{
    LabelTextSettings settings = test::MakeSettings({{'0'}, {'1'}, {'2'}, {'3'}}, MarketUsa, 9);
    LabelTextEditForm form(settings);
    form.SetTextKind(8, 3);  // fonts '1' and '2' only
    form.SetText(Esc('C', '2') + "A");
    EXPECT_EQ(form.GetControls().fontRow, 1u);
    form.SetLinesFont(0);
    EXPECT_EQ(form.GetLine(0).m_lineFont, 1u);
    form.NextLineFont();
    EXPECT_EQ(form.GetLine(0).m_lineFont, 2u);
}

TEST(LabelTextEditor, TheFontDetailsStartFromTheRunAtTheCaretAndApplyToTheSelection)
{
    LabelTextEditForm form(EditorSettings());
    form.SetText(kLine1 + "AB" + Esc('D', '2') + "CD");
    EXPECT_FALSE(form.MakeFontDetail());
    Key(form, kVkRight);
    Key(form, kVkRight, kKeyShift);
    Key(form, kVkRight, kKeyShift);
    std::optional<FontDetailForm> detail = form.MakeFontDetail();
    ASSERT_TRUE(detail);
    EXPECT_TRUE(detail->IsChecked(Reverse));  // the caret stands after C
    detail->SetChecked(Reverse, false);
    detail->SetChecked(FontDetailForm::kChecks - 1, true);
    detail->SetColour(BackgroundColour, LabelColour::Red);
    detail->SelectFontRow(1);
    form.ApplyFontDetail(*detail);
    const CLabelTextLine& line = form.GetLine(0);
    ASSERT_EQ(RunTexts(line), (std::vector<std::string>{"A", "BC", "D"}));
    const LabelTextFormat& applied = line.m_runs[1].m_format;
    EXPECT_EQ(applied.font, 1u);
    EXPECT_FALSE(applied.effects[Reverse]);
    EXPECT_TRUE(applied.extraEffects[Outline]);
    EXPECT_EQ(applied.colours[BackgroundColour], LabelColour::Red);
    EXPECT_TRUE(form.IsModified());
}

}  // namespace
}  // namespace varnel
