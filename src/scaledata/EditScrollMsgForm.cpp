#include "scaledata/EditScrollMsgForm.h"

namespace varnel {
namespace {

constexpr std::size_t kLine = 19;

}  // namespace

EditScrollMsgForm::EditScrollMsgForm(std::uint16_t defaultFamily, std::string_view text, bool isScroll)
    : m_family(defaultFamily), m_isScroll(isScroll), m_text(text)
{
    if (!TakesLines()) m_isScroll = true;
    Layout();
    SetText(text);
}

EditScrollMsgForm::Edit EditScrollMsgForm::GetFocusEdit() const
{
    for (const Edit edit : {kScrolling, kOneLine, kFirstLine, kSecondLine})
        if (IsEditShown(edit)) return edit;
    return kScrolling;
}

void EditScrollMsgForm::SetEditText(Edit edit, std::string_view text)
{
    m_texts[edit] = std::string(text.substr(0, kEditLimits[edit]));
}

void EditScrollMsgForm::Layout()
{
    if (m_isScroll)
        m_layout = "YNNN";
    else
        m_layout = TakesLines() ? "NNYY" : "NYNN";
}

void EditScrollMsgForm::SetText(std::string_view text)
{
    m_texts = {};
    if (m_layout == "NNYY") {
        SetEditText(kFirstLine, text.substr(0, kLine));
        if (text.size() > kLine) SetEditText(kSecondLine, text.substr(kLine));
        return;
    }
    SetEditText(m_isScroll ? kScrolling : kOneLine, text);
}

std::string EditScrollMsgForm::ReadBack() const
{
    if (m_layout != "NNYY") return m_texts[m_isScroll ? kScrolling : kOneLine];
    std::string text = m_texts[kFirstLine];
    if (!m_texts[kSecondLine].empty()) {
        text.resize(kLine, ' ');
        text += m_texts[kSecondLine];
    }
    return text;
}

void EditScrollMsgForm::SetScroll(bool scroll)
{
    if (!TakesLines() || scroll == m_isScroll) return;
    const std::string text = ReadBack();
    m_isScroll = scroll;
    Layout();
    SetText(text);
}

void EditScrollMsgForm::OnOK() { m_text = ReadBack(); }

}  // namespace varnel
