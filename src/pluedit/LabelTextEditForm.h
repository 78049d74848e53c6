// The label text editor without its window: a text as lines of formatted runs, read from and
// written to the stored form, laid out at the label width and changed by the editing operations;
// and on top of them the editor itself: caret, selection, keys and typing by market, style buttons,
// line fonts, label width, scrolling, mouse hits, deletion and the clipboard. The view paints it and
// hands it keys and mouse events; hosts may also reformat a text with it alone.
//
// After a text is read or written the model ends with one empty line, on which typing goes on.
// Screen positions are pixels of the editor's area: one dot of the label is one pixel.
#pragma once

#include "pluedit/FontDetailForm.h"
#include "pluedit/InsertMode.h"
#include "pluedit/KeyInputSink.h"
#include "pluedit/LabelTextClipboard.h"
#include "pluedit/LabelTextContext.h"
#include "pluedit/LabelTextControls.h"
#include "pluedit/LabelTextLine.h"
#include "pluedit/LabelTextSettings.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

struct LabelTextPosition {
    std::size_t line = 0;
    std::size_t column = 0;
    bool operator==(const LabelTextPosition&) const = default;
};

// From `start` up to `end`, in text order.
struct LabelTextSelection {
    LabelTextPosition start;
    LabelTextPosition end;
    bool operator==(const LabelTextSelection&) const = default;
};

// Scroll bar actions, in pixels: a line, a page, the thumb dropped or dragged, either end.
enum class ScrollCode { LineBack, LineForward, PageBack, PageForward, ThumbPosition, ThumbTrack, Start, End };

// The caret's rectangle in the editor's area.
struct CaretRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const CaretRect&) const = default;
};

class LabelTextEditForm final : public CKeyInputSink {
public:
    static constexpr std::uint16_t kMinLabelWidth = 10;
    static constexpr std::uint16_t kMaxLabelWidth = 500;
    // Label widths above this many millimetres get the horizontal scroll bar.
    static constexpr std::uint16_t kWidestUnscrolledLabel = 80;
    // The table whose texts have no default line fonts of their own.
    static constexpr std::uint16_t kTableWithoutLineFonts = 71;

    // Without a measure the Thai layout counts one character width per character and none for marks.
    explicit LabelTextEditForm(LabelTextSettings settings, const ILabelTextMeasure* measure = nullptr);
    LabelTextEditForm(const LabelTextEditForm&) = delete;
    LabelTextEditForm& operator=(const LabelTextEditForm&) = delete;

    const LabelTextSettings& GetSettings() const { return m_settings; }
    const LabelTextContext& GetContext() const { return m_context; }
    void SetLabelWidth(std::uint16_t millimetres)
    {
        SettleLayout();
        m_context.labelWidthMm = millimetres;
    }
    void SetLabelLeft(int x)
    {
        SettleLayout();
        m_context.labelLeft = x;
    }
    void SetScreenFace(std::string face)
    {
        SettleLayout();
        m_context.screenFace = std::move(face);
    }
    // The table whose texts are edited (PLU descriptions, extra messages, coupons): it picks the
    // default line fonts; the mode picks the fonts offered (IsFontAllowed).
    void SetTextKind(std::uint16_t table, int mode = 0);
    bool IsFontAllowed(const CScaleFont& font, int mode) const;
    // The pop-up message editor's fonts take no effects.
    void DisableFontEffects();
    const std::vector<AllowedFont>& GetAllowedFonts() const { return m_allowedFonts; }

    // What the editor needs of its surroundings; none of them is owned. Without a host nothing is
    // told, without a clipboard nothing is copied or pasted.
    void SetHost(ILabelTextHost* host) { m_host = host; }
    void SetClipboard(ILabelTextClipboard* clipboard) { m_clipboard = clipboard; }
    void SetInsertMode(CInsertMode& mode) { m_insertMode = &mode; }
    bool IsInsertMode() const { return m_insertMode->IsInsert(); }
    // Whether the host shows "Format..." (a general setup switch the host reads).
    void SetFormatButtonShown(bool shown) { m_formatButtonShown = shown; }
    // The editor's area in pixels, without its scroll bars.
    void SetViewSize(int width, int height);

    // Empties the model and leaves the typing line.
    void Clear();
    // Replaces the model by a stored text; 1 when it is well formed, 0 when not (the lines read before
    // the fault stay). The typing line follows either way. The caret goes to the start, the selection
    // and the modified flag are cleared.
    int SetText(std::string_view text);
    // The same at a label width, clamped to 10..500 mm.
    int SetTextAndWidth(std::string_view text, std::uint16_t millimetres);
    // Writes the text into the buffer (at most its size including the closing 0); returns the bytes
    // written without the 0. Trailing empty lines are dropped and the typing line put back.
    std::size_t GetTextChecked(std::span<char> buffer, bool& truncated);
    std::size_t GetText(std::span<char> buffer);
    // The printed height of the text in dots: print heights and spacings up to the last line with text.
    std::uint32_t GetPrintLength() const;

    std::size_t GetLineCount() const { return m_lines.size(); }
    const CLabelTextLine& GetLine(std::size_t line) const
    {
        SettleLayout();
        return m_lines.at(line);
    }

    // Lays every line out, one below the other; returns the total height.
    int Layout();
    // Carries what no longer fits each line from `line` on into the next, making lines as needed;
    // returns the number of lines touched. A position given to follow moves with the text after it.
    std::size_t Flow(std::size_t line, LabelTextPosition* follow = nullptr);

    // Editing; each operation lays the lines out again. A line whose runs change takes the tallest
    // of their fonts as its line font, as it will when its stored form is read back.
    LabelTextPosition InsertText(LabelTextPosition caret, std::string_view text, std::size_t repeat, bool overwrite);
    std::size_t DeleteRange(std::size_t line, std::size_t from, std::size_t to);
    void SetEffect(const LabelTextSelection& selection, LabelEffect effect, bool on);
    void ApplyFormat(const LabelTextSelection& selection, const LabelTextFormat& format);  // not in a font outside the list
    // A font the list does not hold is refused, as a font of the other kind under the Korean option.
    bool SetLineFont(std::size_t line, std::size_t font);
    // Enter: in insert mode the selected part of the caret line goes, the line is split at the caret
    // and the caret moves to the start of the new line; in overwrite mode the caret only moves to the
    // start of the next line. Returns the new caret.
    LabelTextPosition SplitAtEnter(LabelTextPosition caret, const LabelTextSelection* selection, bool overwrite);
    std::array<bool, kLabelEffects> FormatAt(LabelTextPosition position) const;
    // Removes the selected text, joining its first and last lines; returns where it began.
    LabelTextPosition DeleteSelectedText(const LabelTextSelection& selection);
    // Puts the lines at the position: the first into its line, the others after it, the rest of the
    // line after the last; the lines flow. Returns the position after the pasted text.
    LabelTextPosition InsertLines(LabelTextPosition at, std::vector<CLabelTextLine> lines);
    // Copies of the selected parts of the lines.
    std::vector<CLabelTextLine> SelectedLines(const LabelTextSelection& selection) const;

    // The editor. Keys, typed bytes and control characters as the window hands them over.
    void OnSinkKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t flags) override;
    void OnSinkChar(std::uint32_t ch, std::uint32_t repeat, std::uint32_t flags) override;
    void OnSinkCtrlChar(std::uint32_t ch, std::uint32_t repeat, std::uint32_t flags) override;
    void OnSinkSetFocus() override;
    void OnSinkKillFocus() override;

    LabelTextPosition GetCaret() const { return m_caret; }
    std::optional<LabelTextSelection> GetSelection() const;
    bool IsModified() const { return m_modified; }
    // Once the text is stored.
    void ClearModified() { m_modified = false; }
    bool HasFocus() const { return m_focus; }
    bool HasMouseCapture() const { return m_mouseCapture; }
    // The host's controls as they should show now.
    LabelTextControls GetControls() const;

    // Style buttons: without a selection they change nothing.
    void OnEffectButton(LabelEffect effect);
    // The allowed font of the combo row for the caret line or every selected line; a line that
    // refuses it keeps its font and message 61458 is shown.
    void SetLinesFont(std::size_t row);
    // The next allowed font for the caret line (Ctrl+F); not while a selection spans lines.
    void NextLineFont();
    // The width box's text: 10 to 500 mm is taken; anything else shows message 61234 and the box
    // gets the current width back. True when the text was a width.
    bool SetLabelWidth(std::string_view text);
    std::uint16_t GetLabelWidth() const { return m_context.labelWidthMm; }

    void Copy();
    void Cut();
    void Paste();
    void DeleteSelection();
    void DeleteKey(std::size_t repeat);
    void Backspace(std::size_t repeat);
    // The detailed font settings of the run at the caret; none without a selection.
    std::optional<FontDetailForm> MakeFontDetail() const;
    void ApplyFontDetail(const FontDetailForm& detail);

    // Scrolling, in pixels.
    void OnVScroll(ScrollCode code, int position);
    void OnHScroll(ScrollCode code, int position);
    int GetVScroll() const
    {
        SettleLayout();
        return m_vScroll;
    }
    int GetHScroll() const
    {
        SettleLayout();
        return m_hScroll;
    }
    int GetTotalHeight() const
    {
        SettleLayout();
        return m_totalHeight;
    }
    bool IsHScrollShown() const { return m_context.labelWidthMm > kWidestUnscrolledLabel; }
    int GetHScrollRange() const;

    // The mouse, in the editor's area.
    void OnLButtonDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnLButtonUp(int x, int y);

    // Where the caret is drawn, in the editor's area.
    CaretRect GetCaretRect() const;
    int GetViewWidth() const { return m_viewWidth; }
    int GetViewHeight() const { return m_viewHeight; }

private:
    std::size_t DefaultLineFont(std::size_t number, std::size_t otherwise) const;
    std::size_t FirstDefaultFont() const;
    CLabelTextLine NextLine(const CLabelTextLine& previous) const;
    void AppendTypingLine();
    // The font of an empty line typed after the first `lines` lines.
    std::size_t TypingLineFont(std::size_t lines) const;
    // Line `index`, added when the lines end just before it.
    CLabelTextLine& LineToRefill(std::size_t index);
    void Renumber();
    void JoinNextLine(std::size_t line);

    // Editor state after each change.
    void ResetEditorState();
    void AfterEdit();
    void ClampCaret();
    void KeepCaretVisible() const;
    // After a text is read the lines are laid out, and the caret kept in view, only when something
    // first asks where they lie or changes the editor: moving from PLU to PLU lays out no text that
    // is not shown. Every other operation settles the layout first, so it sees what it would have.
    void SettleLayout() const;
    int LayOutLines() const;
    void PlaceLabel();
    void MoveCaret(LabelTextPosition to, bool extend);
    LabelTextPosition CaretStep(std::uint32_t key, std::size_t repeat) const;
    LabelTextPosition PositionAtPoint(int x, int y) const;
    std::size_t RowOf(std::size_t font) const;
    std::size_t FormatColumn() const;
    std::optional<std::string> PrepareTyped(std::uint8_t byte);
    bool OverwriteWouldOverflow(std::string_view character) const;
    void PasteContent(const LabelTextClipboardContent& content);

    LabelTextSettings m_settings;
    CellCountMeasure m_cellMeasure;
    LabelTextContext m_context;
    std::uint16_t m_textTable = 0;
    bool m_lineDefaults = true;  // the kind's default line fonts apply (else font 0 for every line)
    std::vector<CLabelTextLine> m_lines;
    std::vector<AllowedFont> m_allowedFonts;

    ILabelTextHost* m_host = nullptr;
    ILabelTextClipboard* m_clipboard = nullptr;
    CInsertMode* m_insertMode = &ApplicationInsertMode();
    bool m_formatButtonShown = false;

    LabelTextPosition m_caret;
    std::optional<LabelTextPosition> m_anchor;
    std::optional<std::uint8_t> m_pendingLead;
    bool m_focus = false;
    bool m_modified = false;
    bool m_mouseCapture = false;
    int m_viewWidth = 0;
    int m_viewHeight = 0;
    // Worked out as the layout settles (SettleLayout).
    mutable bool m_layoutDue = false;
    mutable int m_totalHeight = 0;
    mutable int m_vScroll = 0;
    mutable int m_hScroll = 0;
};

}  // namespace varnel
