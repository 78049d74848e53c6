// Typing: the bytes of typed text arrive one at a time in the store's code page. A lead byte waits
// for its trail byte; single bytes become full-width characters where the market's scales print no
// others; the Korean font option keeps each line to its kind of character; upper-case-only fonts
// get upper case. Overwrite mode does not push a full line's text on to the next line.
#include "pluedit/LabelTextEditForm.h"

#include "db/text/FullWidthChars.h"

#include <cctype>

namespace varnel {
namespace {

// Under the Korean font option the fonts from this position on hold the double-byte characters.
constexpr std::size_t kFirstKoreanFont = 14;
constexpr std::uint8_t kFirstNonAscii = 128;

bool IsLead(std::uint8_t byte, const CharRule& chars)
{
    const char c = static_cast<char>(byte);
    return byte != 0 && GetCharLength(std::string_view(&c, 1), chars) == 0;
}

}  // namespace

std::optional<std::string> LabelTextEditForm::PrepareTyped(std::uint8_t byte)
{
    const std::size_t lineFont = m_lines[m_caret.line].m_lineFont;
    const bool korean = m_settings.IsKoreanFontMode();
    std::string character;
    if (m_pendingLead) {
        character = {static_cast<char>(*m_pendingLead), static_cast<char>(byte)};
        m_pendingLead.reset();
        if (korean && lineFont < kFirstKoreanFont) return std::nullopt;
    } else if (IsLead(byte, m_settings.chars)) {
        m_pendingLead = byte;
        return std::nullopt;
    } else if (m_settings.ConvertsToFullWidth()) {
        DoubleByteChar form{};
        const std::size_t length = m_settings.IsChina() ? AsciiToGb2312Char(byte, form) : AsciiToBig5Char(byte, form);
        character.assign(reinterpret_cast<const char*>(form.data()), length);
    } else {
        character = std::string(1, static_cast<char>(byte));
        if (korean && lineFont >= kFirstKoreanFont) return std::nullopt;
    }
    if (character.size() == 1 && byte < kFirstNonAscii && m_settings.fonts.IsUpperCaseOnly(lineFont))
        character[0] = static_cast<char>(std::toupper(byte));
    return character;
}

bool LabelTextEditForm::OverwriteWouldOverflow(std::string_view character) const
{
    CLabelTextLine trial = m_lines[m_caret.line];
    trial.InsertText(m_caret.column, character, 1, true, m_context);
    return trial.FittingBytes(m_context) < trial.GetTextLength();
}

void LabelTextEditForm::OnSinkChar(std::uint32_t ch, std::uint32_t repeat, std::uint32_t /*flags*/)
{
    SettleLayout();
    if (m_lines.empty()) return;
    const std::optional<std::string> character = PrepareTyped(static_cast<std::uint8_t>(ch));
    if (!character) return;
    m_modified = true;
    if (const std::optional<LabelTextSelection> selection = GetSelection()) {
        m_caret = DeleteSelectedText(*selection);
        m_anchor.reset();
    }
    m_anchor.reset();
    const bool overwrite = !IsInsertMode();
    if (overwrite && m_caret.line + 1 < m_lines.size() && OverwriteWouldOverflow(*character)) {
        AfterEdit();
        return;
    }
    m_caret = InsertText(m_caret, *character, std::max<std::uint32_t>(repeat, 1), overwrite);
    AfterEdit();
}

}  // namespace varnel
