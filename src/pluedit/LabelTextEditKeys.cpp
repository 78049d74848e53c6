// The editor's keys: caret moves (extending the selection with Shift), Enter, Insert and Delete with
// their Ctrl and Shift forms, Tab and Escape for the host, the control characters, and the focus.
#include "pluedit/LabelTextEditForm.h"

#include "pluedit/ThaiPrintWidths.h"

#include <algorithm>

namespace varnel {
namespace {

enum ControlChar : std::uint32_t { CtrlC = 3, CtrlF = 6, CtrlV = 22, CtrlX = 24 };

bool IsMovementKey(std::uint32_t key)
{
    switch (key) {
    case kVkPageUp:
    case kVkPageDown:
    case kVkEnd:
    case kVkHome:
    case kVkLeft:
    case kVkUp:
    case kVkRight:
    case kVkDown: return true;
    default: return false;
    }
}

// The column of the character before `column`.
std::size_t PreviousChar(std::string_view text, std::size_t column, const CharRule& chars)
{
    std::size_t previous = 0;
    for (std::size_t i = 0; i < column;) {
        const std::size_t next = NextChar(text, i, chars);
        if (next == i || next > column) break;
        previous = i;
        i = next;
    }
    return previous;
}

}  // namespace

std::optional<LabelTextSelection> LabelTextEditForm::GetSelection() const
{
    if (!m_anchor || *m_anchor == m_caret) return std::nullopt;
    const auto before = [](const LabelTextPosition& a, const LabelTextPosition& b) {
        return a.line < b.line || (a.line == b.line && a.column < b.column);
    };
    return before(*m_anchor, m_caret) ? LabelTextSelection{*m_anchor, m_caret} : LabelTextSelection{m_caret, *m_anchor};
}

void LabelTextEditForm::MoveCaret(LabelTextPosition to, bool extend)
{
    if (extend && !m_anchor) m_anchor = m_caret;
    if (!extend) m_anchor.reset();
    m_caret = to;
    KeepCaretVisible();
}

LabelTextPosition LabelTextEditForm::CaretStep(std::uint32_t key, std::size_t repeat) const
{
    const CLabelTextLine& line = m_lines[m_caret.line];
    const std::string text = line.Text();
    const CharRule& chars = m_settings.chars;
    LabelTextPosition to = m_caret;
    const auto atSameX = [&](std::size_t target) {
        return LabelTextPosition{target, m_lines[target].ColumnFromX(line.XFromColumn(m_caret.column), chars)};
    };
    switch (key) {
    case kVkHome: to.column = 0; break;
    case kVkEnd: to.column = std::min(text.size(), line.FittingBytes(m_context)); break;
    case kVkLeft:
        for (std::size_t i = 0; i < repeat && to.column > 0; ++i) {
            to.column = PreviousChar(text, to.column, chars);
            // A Thai mark moves with the character it sits on.
            while (m_settings.IsThai() && to.column > 0 && IsThaiCombiningMark(static_cast<std::uint8_t>(text[to.column])))
                --to.column;
        }
        break;
    case kVkRight:
        for (std::size_t i = 0; i < repeat && to.column < text.size(); ++i) {
            to.column = NextChar(text, to.column, chars);
            while (m_settings.IsThai() && to.column < text.size() &&
                   IsThaiCombiningMark(static_cast<std::uint8_t>(text[to.column])))
                ++to.column;
        }
        break;
    case kVkUp:
        if (m_caret.line > 0) to = atSameX(m_caret.line - std::min(repeat, m_caret.line));
        break;
    case kVkDown:
        if (m_caret.line + 1 < m_lines.size()) to = atSameX(std::min(m_caret.line + repeat, m_lines.size() - 1));
        break;
    case kVkPageUp:
    case kVkPageDown: {
        const bool up = key == kVkPageUp;
        if (up ? m_caret.line == 0 : m_caret.line + 1 == m_lines.size()) break;
        // A page is the lines that fill the editor's height, at least one.
        std::size_t target = m_caret.line;
        int height = 0;
        for (std::size_t page = 0; page < repeat; ++page) {
            do {
                if (up ? target == 0 : target + 1 == m_lines.size()) break;
                target = up ? target - 1 : target + 1;
                height += m_lines[target].m_bottom - m_lines[target].m_top;
            } while (height < m_viewHeight);
            height = 0;
        }
        to = atSameX(target);
        break;
    }
    default: break;
    }
    return to;
}

void LabelTextEditForm::OnSinkKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t flags)
{
    SettleLayout();
    const bool shift = (flags & kKeyShift) != 0;
    const bool ctrl = (flags & kKeyCtrl) != 0;
    const std::size_t count = std::max<std::uint32_t>(repeat, 1);
    m_pendingLead.reset();
    if (IsMovementKey(key)) {
        MoveCaret(CaretStep(key, count), shift);
        return;
    }
    switch (key) {
    case kVkBack: Backspace(count); break;
    case kVkTab:
        if (m_host != nullptr) m_host->MoveFocus(shift);
        break;
    case kVkReturn: {
        const std::optional<LabelTextSelection> selection = GetSelection();
        const bool overwrite = !IsInsertMode();
        m_caret = SplitAtEnter(m_caret, selection ? &*selection : nullptr, overwrite);
        m_anchor.reset();
        if (!overwrite) m_modified = true;
        AfterEdit();
        break;
    }
    case kVkEscape:
        if (m_host != nullptr) m_host->OnEscape();
        break;
    case kVkInsert:
        if (ctrl) {
            Copy();
        } else if (shift) {
            Paste();
        } else {
            m_insertMode->Toggle();
        }
        break;
    case kVkDelete:
        if (shift) {
            Cut();
        } else {
            DeleteKey(count);
        }
        break;
    default: break;
    }
}

void LabelTextEditForm::OnSinkCtrlChar(std::uint32_t ch, std::uint32_t /*repeat*/, std::uint32_t /*flags*/)
{
    SettleLayout();
    switch (ch) {
    case CtrlC: Copy(); break;
    case CtrlF: NextLineFont(); break;
    case CtrlV: Paste(); break;
    case CtrlX: Cut(); break;
    default: break;
    }
}

void LabelTextEditForm::OnSinkSetFocus()
{
    SettleLayout();
    m_focus = true;
    if (m_host != nullptr) m_host->OnEditorFocused();
}

void LabelTextEditForm::OnSinkKillFocus()
{
    SettleLayout();
    m_focus = false;
    m_pendingLead.reset();
}

}  // namespace varnel
