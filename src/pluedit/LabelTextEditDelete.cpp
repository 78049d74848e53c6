// Delete, Backspace and the clipboard: the selection goes first; Delete at a line's end joins the
// next line, Backspace never joins lines; copy puts the editor's block and the plain text on the
// clipboard, paste takes whichever of the two the clipboard offers first.
#include "pluedit/LabelTextEditForm.h"

#include "pluedit/LabelTextConversion.h"
#include "pluedit/ThaiPrintWidths.h"

#include <algorithm>

namespace varnel {
namespace {

// Plain text cut at its line ends (CR LF, LF or CR).
std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(text[i]);
        }
    }
    return lines;
}

}  // namespace

void LabelTextEditForm::DeleteSelection()
{
    SettleLayout();
    const std::optional<LabelTextSelection> selection = GetSelection();
    if (!selection) return;
    m_caret = DeleteSelectedText(*selection);
    m_anchor.reset();
    m_modified = true;
    AfterEdit();
}

void LabelTextEditForm::DeleteKey(std::size_t repeat)
{
    SettleLayout();
    if (GetSelection()) {
        DeleteSelection();
        return;
    }
    const CLabelTextLine& line = m_lines[m_caret.line];
    if (m_caret.column >= line.GetTextLength()) {
        if (m_caret.line + 1 >= m_lines.size()) return;
        JoinNextLine(m_caret.line);
    } else {
        // A Thai character goes with the marks that share its display cell.
        const std::string text = line.Text();
        std::size_t to = std::min(m_caret.column + repeat, text.size());
        while (m_settings.IsThai() && to < text.size() && IsThaiCombiningMark(static_cast<std::uint8_t>(text[to])))
            ++to;
        DeleteRange(m_caret.line, m_caret.column, to);
        Flow(m_caret.line);
    }
    m_modified = true;
    AfterEdit();
}

void LabelTextEditForm::Backspace(std::size_t repeat)
{
    SettleLayout();
    if (GetSelection()) {
        DeleteSelection();
        return;
    }
    if (m_caret.column == 0) return;
    const std::size_t from = m_caret.column - std::min(repeat, m_caret.column);
    const std::size_t removed = DeleteRange(m_caret.line, from, m_caret.column);
    m_caret.column -= std::min(removed, m_caret.column);
    Flow(m_caret.line);
    m_modified = true;
    AfterEdit();
}

void LabelTextEditForm::Copy()
{
    SettleLayout();
    const std::optional<LabelTextSelection> selection = GetSelection();
    if (!selection || m_clipboard == nullptr) return;
    const std::vector<CLabelTextLine> lines = SelectedLines(*selection);
    m_clipboard->Put(WriteDescFieldBlock(lines, m_settings.chars), PlainTextOf(lines));
}

void LabelTextEditForm::Cut()
{
    SettleLayout();
    if (!GetSelection()) return;
    Copy();
    DeleteKey(1);
}

void LabelTextEditForm::Paste()
{
    SettleLayout();
    if (m_clipboard == nullptr) return;
    PasteContent(m_clipboard->Get());
}

void LabelTextEditForm::PasteContent(const LabelTextClipboardContent& content)
{
    std::vector<CLabelTextLine> lines;
    if (content.kind == LabelTextClipboardContent::Kind::DescField) {
        std::optional<std::vector<CLabelTextLine>> read = ReadDescFieldBlock(content.bytes, m_settings);
        if (!read) return;
        lines = std::move(*read);
        for (CLabelTextLine& line : lines)
            for (CLabelTextRun& run : line.m_runs) run.m_text = ToMarketText(run.m_text, m_settings);
    } else if (content.kind == LabelTextClipboardContent::Kind::PlainText) {
        const std::string text = m_settings.ConvertsToFullWidth() && !m_settings.otherFamilyOnLinks
                                     ? ToMarketText(content.bytes, m_settings)
                                     : content.bytes;
        const CLabelTextLine& caretLine = m_lines[m_caret.line];
        const std::optional<CLabelTextLine::RunPlace> place = caretLine.RunAtColumn(m_caret.column);
        const LabelTextFormat format =
            place ? caretLine.m_runs[place->run].m_format : CLabelTextRun(caretLine.m_lineFont).m_format;
        for (const std::string& piece : SplitLines(text)) {
            CLabelTextLine line(format.font, m_caret.line + 1);
            CLabelTextLine scratch(format.font);
            scratch.m_runs.emplace_back(format);
            // Control bytes and broken characters stay out, as they do when typed.
            scratch.InsertText(0, piece, 1, false, m_context);
            line.m_runs = std::move(scratch.m_runs);
            lines.push_back(std::move(line));
        }
    }
    if (lines.empty()) return;
    if (const std::optional<LabelTextSelection> selection = GetSelection()) m_caret = DeleteSelectedText(*selection);
    m_anchor.reset();
    m_caret = InsertLines(m_caret, std::move(lines));
    m_modified = true;
    AfterEdit();
}

}  // namespace varnel
