// The Paste PLU dialog's model.
#include "app/PastePluForm.h"

#include "db/site/SiteRules.h"
#include "platform/UserPrompt.h"

#include <charconv>

namespace varnel {
namespace {

// The number the text starts with after blanks; 0 when it starts with none or it passes 32 bits.
std::uint32_t ReadNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc{} ? number : 0;
}

}  // namespace

PastePluForm::PastePluForm(std::uint32_t clipboardPlu, bool pluSelected, std::uint32_t maxPluNo,
                           const ISiteRules& site)
    : m_clipboardPlu(clipboardPlu), m_pluSelected(pluSelected), m_maxPluNo(maxPluNo), m_site(site)
{
}

std::string PastePluForm::GetClipboardText() const
{
    return "The PLU in the clipboard is No. " + std::to_string(m_clipboardPlu);
}

bool PastePluForm::OnOverwriteSelected()
{
    if (!m_pluSelected) return false;
    m_choice = PasteChoice{PasteTarget::SelectedPlu, 0};
    return true;
}

bool PastePluForm::OnAssignUnused()
{
    m_choice = PasteChoice{PasteTarget::UnusedPlu, 0};
    return true;
}

bool PastePluForm::OnOverwriteTyped(std::string_view text)
{
    const std::uint32_t number = ReadNumber(text);
    if (number == 0 || number > m_maxPluNo) {
        const std::string range = " (Min = 1, Max = " + std::to_string(m_maxPluNo) + ")";
        ShowFormattedMessage(kMsgOutOfRange, std::string(GetMessageText(kMsgOutOfRange)) + range);
        return false;
    }
    if (!m_site.IsPluNumberAllowed(number)) {
        ShowMessage(kMsgProhibited);
        return false;
    }
    m_choice = PasteChoice{PasteTarget::TypedPlu, number};
    return true;
}

}  // namespace varnel
