// The label text editor's model: a text as lines of formatted runs, read from and written to the
// stored form, laid out at the label width and changed by the editing operations behind the
// editor's keys, buttons and clipboard. It works without a window: the view that wraps it adds the
// caret, the selection and the drawing, and hosts may reformat a text with it alone.
//
// After a text is read or written the model ends with one empty line, on which typing goes on.
#pragma once

#include "pluedit/LabelTextContext.h"
#include "pluedit/LabelTextLine.h"
#include "pluedit/LabelTextSettings.h"

#include <cstddef>
#include <cstdint>
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
};

class LabelTextEditForm {
public:
    // Without a measure the Thai layout counts one character width per character and none for marks.
    explicit LabelTextEditForm(LabelTextSettings settings, const ILabelTextMeasure* measure = nullptr);
    LabelTextEditForm(const LabelTextEditForm&) = delete;
    LabelTextEditForm& operator=(const LabelTextEditForm&) = delete;

    const LabelTextSettings& GetSettings() const { return m_settings; }
    const LabelTextContext& GetContext() const { return m_context; }
    void SetLabelWidth(std::uint16_t millimetres) { m_context.labelWidthMm = millimetres; }
    void SetLabelLeft(int x) { m_context.labelLeft = x; }
    void SetScreenFace(std::string face) { m_context.screenFace = std::move(face); }
    // The table whose texts are edited (PLU descriptions, extra messages, coupons): it picks the
    // default line fonts.
    void SetTextKind(std::uint16_t table) { m_textTable = table; }

    // Empties the model and leaves the typing line.
    void Clear();
    // Replaces the model by a stored text; 1 when it is well formed, 0 when not (the lines read before
    // the fault stay). The typing line follows either way.
    int SetText(std::string_view text);
    // Writes the text into the buffer (at most its size including the closing 0); returns the bytes
    // written without the 0. Trailing empty lines are dropped and the typing line put back.
    std::size_t GetTextChecked(std::span<char> buffer, bool& truncated);
    std::size_t GetText(std::span<char> buffer);
    // The printed height of the text in dots: print heights and spacings up to the last line with text.
    std::uint32_t GetPrintLength() const;

    std::size_t GetLineCount() const { return m_lines.size(); }
    const CLabelTextLine& GetLine(std::size_t line) const { return m_lines.at(line); }

    // Lays every line out, one below the other; returns the total height.
    int Layout();
    // Carries what no longer fits each line from `line` on into the next, making lines as needed;
    // returns the number of lines touched.
    std::size_t Flow(std::size_t line);

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

private:
    std::size_t DefaultLineFont(std::size_t number, std::size_t otherwise) const;
    CLabelTextLine NextLine(const CLabelTextLine& previous) const;
    void AppendTypingLine();
    void Renumber();

    LabelTextSettings m_settings;
    CellCountMeasure m_cellMeasure;
    LabelTextContext m_context;
    std::uint16_t m_textTable = 0;
    std::vector<CLabelTextLine> m_lines;
};

}  // namespace varnel
