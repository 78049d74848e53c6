// The editor's area: where the label lies in it, what the caret and selection do after each change,
// scrolling, and which line and column lie under the mouse.
#include "pluedit/LabelTextEditForm.h"

#include <algorithm>

namespace varnel {
namespace {

// The label is centred only when the editor is this much wider than it.
constexpr int kCentringSlack = 20;
// The horizontal scroll range reaches this far past the label's right edge.
constexpr int kScrollPastLabel = 100;
constexpr int kHLine = 10;
constexpr int kHPage = 50;
constexpr int kVPage = 100;
// Pixels kept beside the caret when the view scrolls to it.
constexpr int kCaretMargin = 10;

}  // namespace

void LabelTextEditForm::SetViewSize(int width, int height)
{
    SettleLayout();
    m_viewWidth = std::max(0, width);
    m_viewHeight = std::max(0, height);
    PlaceLabel();
    AfterEdit();
}

void LabelTextEditForm::PlaceLabel()
{
    const int widthDots = m_context.WidthDots();
    const bool centred = !m_settings.IsThai() && m_viewWidth > widthDots + kCentringSlack;
    m_context.labelLeft = centred ? (m_viewWidth - widthDots) / 2 : 0;
    m_hScroll = std::clamp(m_hScroll, 0, GetHScrollRange());
}

int LabelTextEditForm::GetHScrollRange() const
{
    return IsHScrollShown() ? std::max(0, m_context.WidthDots() + kScrollPastLabel - m_viewWidth) : 0;
}

void LabelTextEditForm::ResetEditorState()
{
    m_caret = {};
    m_anchor.reset();
    m_pendingLead.reset();
    m_mouseCapture = false;
    m_modified = false;
    m_vScroll = 0;
    m_hScroll = 0;
    if (m_lines.empty() || !m_lines.back().IsEmpty()) AppendTypingLine();
    Renumber();
    ClampCaret();
    m_layoutDue = true;
    if (m_host != nullptr) m_host->OnLinesRecounted();
}

void LabelTextEditForm::AfterEdit()
{
    if (m_lines.empty() || !m_lines.back().IsEmpty()) AppendTypingLine();
    Renumber();
    m_layoutDue = false;
    m_totalHeight = LayOutLines();
    ClampCaret();
    KeepCaretVisible();
    if (m_host != nullptr) m_host->OnLinesRecounted();
}

void LabelTextEditForm::SettleLayout() const
{
    if (!m_layoutDue) return;
    m_layoutDue = false;
    m_totalHeight = LayOutLines();
    KeepCaretVisible();
}

void LabelTextEditForm::ClampCaret()
{
    const auto clamp = [this](LabelTextPosition& position) {
        position.line = std::min(position.line, m_lines.size() - 1);
        if (position.column == 0) return;  // a line's start is always a character boundary
        const std::string text = m_lines[position.line].Text();
        std::size_t boundary = 0;
        while (boundary < position.column && boundary < text.size()) {
            const std::size_t next = NextChar(text, boundary, m_settings.chars);
            if (next == boundary || next > position.column) break;
            boundary = next;
        }
        position.column = boundary;
    };
    clamp(m_caret);
    if (m_anchor) clamp(*m_anchor);
}

void LabelTextEditForm::KeepCaretVisible() const
{
    const CLabelTextLine& line = m_lines[m_caret.line];
    if (line.m_top < m_vScroll) {
        m_vScroll = line.m_top;
    } else if (m_viewHeight > 0 && line.m_bottom > m_vScroll + m_viewHeight) {
        for (const CLabelTextLine& above : m_lines) {
            if (line.m_bottom - above.m_top <= m_viewHeight || above.m_top == line.m_top) {
                m_vScroll = above.m_top;
                break;
            }
        }
    }
    m_vScroll = std::clamp(m_vScroll, 0, m_totalHeight);

    const int range = GetHScrollRange();
    const int x = line.XFromColumn(m_caret.column);
    if (x < m_hScroll) m_hScroll = x - kCaretMargin;
    if (x >= m_hScroll + m_viewWidth) m_hScroll = x - m_viewWidth + kCaretMargin;
    m_hScroll = std::clamp(m_hScroll, 0, range);
}

void LabelTextEditForm::OnVScroll(ScrollCode code, int position)
{
    SettleLayout();
    int to = m_vScroll;
    switch (code) {
    case ScrollCode::LineBack:
        to = 0;
        for (const CLabelTextLine& line : m_lines)
            if (line.m_top < m_vScroll) to = line.m_top;
        break;
    case ScrollCode::LineForward:
        to = m_totalHeight;
        for (const CLabelTextLine& line : m_lines) {
            if (line.m_top > m_vScroll) {
                to = line.m_top;
                break;
            }
        }
        break;
    case ScrollCode::PageBack: to = m_vScroll - kVPage; break;
    case ScrollCode::PageForward: to = m_vScroll + kVPage; break;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack:
        to = m_totalHeight;
        for (const CLabelTextLine& line : m_lines) {
            if (line.m_top >= position) {
                to = line.m_top;
                break;
            }
        }
        break;
    case ScrollCode::Start: to = 0; break;
    case ScrollCode::End: to = m_totalHeight; break;
    }
    m_vScroll = std::clamp(to, 0, m_totalHeight);
}

void LabelTextEditForm::OnHScroll(ScrollCode code, int position)
{
    SettleLayout();
    int to = m_hScroll;
    switch (code) {
    case ScrollCode::LineBack: to -= kHLine; break;
    case ScrollCode::LineForward: to += kHLine; break;
    case ScrollCode::PageBack: to -= kHPage; break;
    case ScrollCode::PageForward: to += kHPage; break;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack: to = position; break;
    case ScrollCode::Start: to = 0; break;
    case ScrollCode::End: to = GetHScrollRange(); break;
    }
    m_hScroll = std::clamp(to, 0, GetHScrollRange());
}

LabelTextPosition LabelTextEditForm::PositionAtPoint(int x, int y) const
{
    const int textY = y + m_vScroll;
    std::size_t line = m_lines.size() - 1;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (textY < m_lines[i].m_bottom) {
            line = i;
            break;
        }
    }
    return {line, m_lines[line].ColumnFromX(x + m_hScroll, m_settings.chars)};
}

void LabelTextEditForm::OnLButtonDown(int x, int y)
{
    SettleLayout();
    if (x < 0 || y < 0 || x >= m_viewWidth || y >= m_viewHeight) return;
    m_pendingLead.reset();
    m_caret = PositionAtPoint(x, y);
    m_anchor = m_caret;
    m_mouseCapture = true;
    KeepCaretVisible();
}

void LabelTextEditForm::OnMouseMove(int x, int y)
{
    SettleLayout();
    if (!m_mouseCapture) return;
    m_caret = PositionAtPoint(x, y);
    KeepCaretVisible();
}

void LabelTextEditForm::OnLButtonUp(int x, int y)
{
    SettleLayout();
    if (!m_mouseCapture) return;
    OnMouseMove(x, y);
    m_mouseCapture = false;
}

CaretRect LabelTextEditForm::GetCaretRect() const
{
    SettleLayout();
    const CLabelTextLine& line = m_lines[m_caret.line];
    const int x = line.XFromColumn(m_caret.column) - m_hScroll;
    const int top = line.m_top - m_vScroll;
    return {x, top, x + 1, top + m_settings.DisplayHeight(line.m_lineFont)};
}

}  // namespace varnel
