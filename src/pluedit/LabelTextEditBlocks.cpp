// Editing over several lines: removing a selection that spans lines, joining a line with the next,
// inserting pasted lines, and copying the selected parts of lines.
#include "pluedit/LabelTextEditForm.h"

#include <algorithm>

namespace varnel {
namespace {

void TakeFont(std::vector<CLabelTextRun>& runs, std::size_t font)
{
    std::erase_if(runs, [](const CLabelTextRun& r) { return r.m_text.empty(); });
    for (CLabelTextRun& run : runs) run.m_format.font = font;
}

}  // namespace

LabelTextPosition LabelTextEditForm::DeleteSelectedText(const LabelTextSelection& selection)
{
    SettleLayout();
    const std::size_t lastLine = m_lines.size() - 1;
    const LabelTextPosition start{std::min(selection.start.line, lastLine), selection.start.column};
    const LabelTextPosition end{std::min(selection.end.line, lastLine), selection.end.column};
    CLabelTextLine& first = m_lines[start.line];
    if (start.line == end.line) {
        first.DeleteRange(start.column, end.column, m_settings.chars);
    } else {
        first.DeleteRange(start.column, first.GetTextLength(), m_settings.chars);
        CLabelTextLine& last = m_lines[end.line];
        last.DeleteRange(0, end.column, m_settings.chars);
        std::vector<CLabelTextRun> rest = std::move(last.m_runs);
        TakeFont(rest, first.m_lineFont);
        first.AppendRuns(std::move(rest));
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(start.line) + 1,
                      m_lines.begin() + static_cast<std::ptrdiff_t>(end.line) + 1);
    }
    m_lines[start.line].FitTallestFont(m_settings);
    Renumber();
    Flow(start.line);
    return {start.line, std::min(start.column, m_lines[start.line].GetTextLength())};
}

void LabelTextEditForm::JoinNextLine(std::size_t line)
{
    if (line + 1 >= m_lines.size()) return;
    CLabelTextLine& joined = m_lines[line];
    std::vector<CLabelTextRun> incoming = std::move(m_lines[line + 1].m_runs);
    TakeFont(incoming, joined.m_lineFont);
    std::vector<CLabelTextRun> overflow;
    joined.FitRunsAt(joined.GetTextLength(), std::move(incoming), overflow, m_context);
    if (overflow.empty()) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(line) + 1);
        Renumber();
        LayOutLines();
        return;
    }
    // What did not fit stays on the next line, and the lines below flow again.
    CLabelTextLine& next = m_lines[line + 1];
    next.m_runs = std::move(overflow);
    next.FitTallestFont(m_settings);
    Flow(line + 1);
}

LabelTextPosition LabelTextEditForm::InsertLines(LabelTextPosition at, std::vector<CLabelTextLine> lines)
{
    SettleLayout();
    if (lines.empty()) return at;
    at.line = std::min(at.line, m_lines.size() - 1);
    at.column = std::min(at.column, m_lines[at.line].GetTextLength());
    std::vector<CLabelTextRun> tail;
    m_lines[at.line].SplitAt(at.column, tail);
    m_lines[at.line].AppendRuns(std::move(lines.front().m_runs));
    std::size_t last = at.line;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        ++last;
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(last), std::move(lines[i]));
    }
    LabelTextPosition caret{last, m_lines[last].GetTextLength()};
    m_lines[last].AppendRuns(std::move(tail));
    for (std::size_t i = at.line; i <= last; ++i) m_lines[i].FitTallestFont(m_settings);
    Renumber();
    for (std::size_t i = at.line; i <= last; ++i) Flow(i, &caret);
    return caret;
}

std::vector<CLabelTextLine> LabelTextEditForm::SelectedLines(const LabelTextSelection& selection) const
{
    SettleLayout();
    std::vector<CLabelTextLine> selected;
    const std::size_t lastLine = std::min(selection.end.line, m_lines.size() - 1);
    for (std::size_t i = selection.start.line; i <= lastLine; ++i) {
        CLabelTextLine copy = m_lines[i];
        const std::size_t from = i == selection.start.line ? selection.start.column : 0;
        const std::size_t to = i == selection.end.line ? selection.end.column : copy.GetTextLength();
        std::vector<CLabelTextRun> after;
        copy.SplitAt(to, after);
        CLabelTextLine piece(copy.m_lineFont, selected.size());
        copy.SplitAt(from, piece.m_runs);
        std::erase_if(piece.m_runs, [](const CLabelTextRun& r) { return r.m_text.empty(); });
        selected.push_back(std::move(piece));
    }
    return selected;
}

}  // namespace varnel
