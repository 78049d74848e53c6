// The "Select PLUs" range.
#include "pluedit/SelectPluRangeForm.h"

#include "platform/NumberEntry.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

namespace varnel {

SelectPluRangeForm::SelectPluRangeForm(std::uint32_t from, std::uint32_t to, std::uint32_t maxPluNo,
                                       std::string confirmation, std::string heading)
    : m_from(from), m_to(to), m_maxPluNo(maxPluNo), m_confirmation(std::move(confirmation)),
      m_heading(std::move(heading))
{
}

bool SelectPluRangeForm::ReadEdits(std::string_view fromText, std::string_view toText)
{
    const std::optional<std::uint32_t> from = ReadNumberInRange(fromText, 0, m_maxPluNo);
    if (!from) return false;
    const std::optional<std::uint32_t> to = ReadNumberInRange(toText, 0, m_maxPluNo);
    if (!to) return false;
    m_from = *from;
    m_to = *to;
    return true;
}

bool SelectPluRangeForm::OnOK(std::string_view fromText, std::string_view toText)
{
    if (!ReadEdits(fromText, toText)) return false;
    if (m_from > m_to) return ShowMessage(kMsgFromAboveTo, MessageButtons::OkCancel) == MessageAnswer::Ok;
    const std::string question =
        FormatText(m_confirmation, static_cast<long>(m_from), static_cast<long>(m_to));
    return ShowMessageText(question, MessageButtons::OkCancel, MessageIcon::Question) == MessageAnswer::Ok;
}

bool SelectPluRangeForm::OnDeleteAll()
{
    if (ShowMessage(kMsgDeleteAll, MessageButtons::OkCancel) != MessageAnswer::Ok) return false;
    m_deleteAll = true;
    return true;
}

}  // namespace varnel
