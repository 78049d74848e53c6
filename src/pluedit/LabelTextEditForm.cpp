// The label text model: reading and writing whole texts, the typing line, the print length, and the
// editing operations that span lines (flowing text on, Enter, formats over a selection).
#include "pluedit/LabelTextEditForm.h"

#include "db/text/EscapeCodes.h"
#include "pluedit/LabelTextConversion.h"

#include <algorithm>

namespace varnel {
namespace {

void DropEmptyRuns(std::vector<CLabelTextRun>& runs)
{
    std::erase_if(runs, [](const CLabelTextRun& r) { return r.m_text.empty(); });
}

}  // namespace

LabelTextEditForm::LabelTextEditForm(LabelTextSettings settings, const ILabelTextMeasure* measure)
    : m_settings(std::move(settings))
{
    m_context.settings = &m_settings;
    m_context.measure = measure != nullptr ? measure : &m_cellMeasure;
    SetTextKind(0);
    m_lineDefaults = !m_settings.IsFamily9Default();
    Clear();
}

std::size_t LabelTextEditForm::FirstDefaultFont() const
{
    return m_lineDefaults ? m_settings.lineFonts.GetLineFont(m_textTable, 0) : 0;
}

std::size_t LabelTextEditForm::DefaultLineFont(std::size_t number, std::size_t otherwise) const
{
    const CDefLineFont& lineFonts = m_settings.lineFonts;
    if (!m_lineDefaults || lineFonts.m_perLine[CDefLineFont::TextKindOfTable(m_textTable)] == 0) return otherwise;
    return lineFonts.GetLineFont(m_textTable, static_cast<std::uint16_t>(std::min<std::size_t>(number, CDefLineFont::kLines)));
}

void LabelTextEditForm::SetTextKind(std::uint16_t table, int mode)
{
    SettleLayout();
    m_textTable = table;
    m_lineDefaults =
        table != kTableWithoutLineFonts && !(m_settings.IsFamily9Default() && mode != 0);
    m_allowedFonts.clear();
    for (std::size_t i = 0; i < m_settings.fonts.GetSize(); ++i)
        if (IsFontAllowed(m_settings.fonts.GetAt(i), mode)) m_allowedFonts.push_back({m_settings.fonts.GetAt(i), i});
}

CLabelTextLine LabelTextEditForm::NextLine(const CLabelTextLine& previous) const
{
    const std::size_t number = previous.m_number + 1;
    const std::size_t font = number < CDefLineFont::kLines ? DefaultLineFont(number, previous.m_lineFont) : previous.m_lineFont;
    CLabelTextLine line(font, number);
    line.m_top = previous.m_bottom;
    return line;
}

std::size_t LabelTextEditForm::TypingLineFont(std::size_t lines) const
{
    const std::size_t otherwise = lines == 0 ? FirstDefaultFont() : m_lines[lines - 1].m_lineFont;
    return DefaultLineFont(lines, otherwise);
}

void LabelTextEditForm::AppendTypingLine() { m_lines.emplace_back(TypingLineFont(m_lines.size()), m_lines.size()); }

CLabelTextLine& LabelTextEditForm::LineToRefill(std::size_t index)
{
    if (index == m_lines.size()) m_lines.emplace_back();
    return m_lines[index];
}

void LabelTextEditForm::Renumber()
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) m_lines[i].m_number = i;
}

void LabelTextEditForm::Clear()
{
    m_lines.clear();
    AppendTypingLine();
    ResetEditorState();
}

// The lines already there are refilled rather than made anew: moving from PLU to PLU then allocates
// nothing once the lines have held texts as long.
int LabelTextEditForm::SetText(std::string_view text)
{
    std::size_t count = 0;
    text = text.substr(0, text.find('\0'));
    std::string converted;
    if (m_settings.ConvertsToFullWidth() && !text.empty()) text = converted = ToMarketText(text, m_settings);
    int result = 1;
    for (std::size_t offset = 0; offset + 1 < text.size();) {
        const std::string_view rest = text.substr(offset);
        if (rest[0] != kEsc || rest[1] != 'C') {
            result = 0;
            break;
        }
        if (rest.size() < 3) break;  // an opener cut by the end of the text is dropped
        CLabelTextLine& line = LineToRefill(count);
        line.m_number = count;
        const std::size_t consumed = line.Read(rest, m_settings);
        if (consumed < 3) {
            result = 0;
            break;
        }
        ++count;
        offset += consumed;
    }
    LineToRefill(count).Restart(TypingLineFont(count), count);
    m_lines.resize(count + 1);
    ResetEditorState();
    return result;
}

int LabelTextEditForm::SetTextAndWidth(std::string_view text, std::uint16_t millimetres)
{
    // The text read next replaces whatever layout was still to come.
    m_context.labelWidthMm = std::clamp(millimetres, kMinLabelWidth, kMaxLabelWidth);
    PlaceLabel();
    return SetText(text);
}

std::size_t LabelTextEditForm::GetTextChecked(std::span<char> buffer, bool& truncated)
{
    SettleLayout();
    truncated = false;
    // What the label leaves out is not written; a line left empty by it at the end is dropped as well.
    for (CLabelTextLine& line : m_lines) line.DropPastLabelWidth(m_context);
    while (!m_lines.empty() && m_lines.back().IsEmpty()) m_lines.pop_back();
    std::size_t written = 0;
    std::size_t linesWritten = 0;
    for (CLabelTextLine& line : m_lines) {
        if (written + 1 >= buffer.size()) break;
        written += line.Write(buffer.subspan(written), buffer.size() - written - 1, m_context, truncated);
        ++linesWritten;
    }
    if (linesWritten < m_lines.size()) truncated = true;  // lines left out are text lost too
    if (!buffer.empty()) buffer[written] = '\0';
    AppendTypingLine();
    AfterEdit();
    return written;
}

std::size_t LabelTextEditForm::GetText(std::span<char> buffer)
{
    bool truncated = false;
    return GetTextChecked(buffer, truncated);
}

std::uint32_t LabelTextEditForm::GetPrintLength() const
{
    std::uint32_t length = 0;
    std::uint32_t upToText = 0;
    for (const CLabelTextLine& line : m_lines) {
        length += m_settings.PrintHeight(line.m_lineFont) + m_settings.LineSpacing(line.m_lineFont);
        if (!line.IsEmpty()) upToText = length;
    }
    return upToText;
}

int LabelTextEditForm::Layout()
{
    SettleLayout();
    return LayOutLines();
}

int LabelTextEditForm::LayOutLines() const
{
    int top = 0;
    for (const CLabelTextLine& line : m_lines) {
        line.Layout(m_context, top);
        top = line.m_bottom;
    }
    return top;
}

std::size_t LabelTextEditForm::Flow(std::size_t line, LabelTextPosition* follow)
{
    SettleLayout();
    std::size_t touched = 0;
    for (std::size_t i = line; i < m_lines.size(); ++i) {
        ++touched;
        const std::size_t breakColumn = m_lines[i].FindBreak(m_context);
        if (breakColumn == 0) break;
        const std::size_t moved = m_lines[i].GetTextLength() - breakColumn;
        std::vector<CLabelTextRun> overflow;
        m_lines[i].SplitAt(breakColumn, overflow);
        m_lines[i].FitTallestFont(m_settings);
        DropEmptyRuns(overflow);
        if (i + 1 == m_lines.size()) m_lines.push_back(NextLine(m_lines[i]));
        m_lines[i + 1].PrependFlowed(std::move(overflow));
        if (follow != nullptr && follow->line == i + 1) {
            follow->column += moved;
        } else if (follow != nullptr && follow->line == i && follow->column > breakColumn) {
            *follow = {i + 1, follow->column - breakColumn};
        }
    }
    Renumber();
    LayOutLines();
    return touched;
}

LabelTextPosition LabelTextEditForm::InsertText(LabelTextPosition caret, std::string_view text, std::size_t repeat,
                                                bool overwrite)
{
    SettleLayout();
    caret.line = std::min(caret.line, m_lines.size() - 1);
    caret.column = m_lines[caret.line].InsertText(caret.column, text, repeat, overwrite, m_context);
    Flow(caret.line);
    // The caret follows the text it stands after onto the lines it flowed to.
    while (caret.line + 1 < m_lines.size() && caret.column > m_lines[caret.line].GetTextLength()) {
        caret.column -= m_lines[caret.line].GetTextLength();
        ++caret.line;
    }
    return caret;
}

std::size_t LabelTextEditForm::DeleteRange(std::size_t line, std::size_t from, std::size_t to)
{
    SettleLayout();
    CLabelTextLine& changed = m_lines.at(line);
    const std::size_t removed = changed.DeleteRange(from, to, m_settings.chars);
    changed.FitTallestFont(m_settings);
    LayOutLines();
    return removed;
}

void LabelTextEditForm::SetEffect(const LabelTextSelection& selection, LabelEffect effect, bool on)
{
    SettleLayout();
    const LabelTextPosition& start = selection.start;
    const LabelTextPosition& end = selection.end;
    for (std::size_t i = start.line; i <= end.line && i < m_lines.size(); ++i) {
        const std::size_t from = i == start.line ? start.column : 0;
        const std::size_t to = i == end.line ? end.column : m_lines[i].GetTextLength();
        m_lines[i].SetEffect(from, to, effect, on);
    }
    Flow(start.line);
}

void LabelTextEditForm::ApplyFormat(const LabelTextSelection& selection, const LabelTextFormat& format)
{
    SettleLayout();
    if (!m_settings.CanName(format.font)) return;
    const LabelTextPosition& start = selection.start;
    const LabelTextPosition& end = selection.end;
    for (std::size_t i = start.line; i <= end.line && i < m_lines.size(); ++i) {
        if (i != start.line && i != end.line) {
            m_lines[i].ReplaceByOneRun(format);
            continue;
        }
        const std::size_t from = i == start.line ? start.column : 0;
        const std::size_t to = i == end.line ? end.column : m_lines[i].GetTextLength();
        m_lines[i].ApplyFormat(from, to, format);
    }
    for (std::size_t i = start.line; i <= end.line && i < m_lines.size(); ++i) m_lines[i].FitTallestFont(m_settings);
    Flow(start.line);
}

bool LabelTextEditForm::SetLineFont(std::size_t line, std::size_t font)
{
    SettleLayout();
    if (!m_settings.CanName(font) || !m_lines.at(line).SetLineFont(font, m_settings)) return false;
    Flow(line);
    return true;
}

LabelTextPosition LabelTextEditForm::SplitAtEnter(LabelTextPosition caret, const LabelTextSelection* selection,
                                                  bool overwrite)
{
    SettleLayout();
    caret.line = std::min(caret.line, m_lines.size() - 1);
    if (overwrite) {
        if (caret.line + 1 == m_lines.size()) m_lines.push_back(NextLine(m_lines.back()));
        LayOutLines();
        return {caret.line + 1, 0};
    }
    CLabelTextLine& line = m_lines[caret.line];
    if (selection != nullptr && selection->start.line <= caret.line && caret.line <= selection->end.line) {
        const std::size_t from = selection->start.line == caret.line ? selection->start.column : 0;
        const std::size_t to = selection->end.line == caret.line ? selection->end.column : line.GetTextLength();
        const std::size_t removed = line.DeleteRange(from, to, m_settings.chars);
        if (caret.column > from) caret.column = std::max(from, caret.column - std::min(caret.column, removed));
    }
    CLabelTextLine next = NextLine(line);
    line.SplitAt(caret.column, next.m_runs);
    line.FitTallestFont(m_settings);
    next.FitTallestFont(m_settings);
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(caret.line) + 1, std::move(next));
    Renumber();
    LayOutLines();
    return {caret.line + 1, 0};
}

std::array<bool, kLabelEffects> LabelTextEditForm::FormatAt(LabelTextPosition position) const
{
    return position.line < m_lines.size() ? m_lines[position.line].FormatAt(position.column)
                                          : std::array<bool, kLabelEffects>{};
}

}  // namespace varnel
