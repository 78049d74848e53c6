#include "app/AutomationPrompt.h"

#include "app/DocumentAutomation.h"

namespace varnel {

MessageAnswer AutomationPrompt::Show(MessageId id, std::string_view text, MessageButtons buttons, MessageIcon icon)
{
    IUserPrompt& prompt = m_screen != nullptr && m_automation.GetShowErrors() ? *m_screen : m_quiet;
    return prompt.Show(id, text, buttons, icon);
}

}  // namespace varnel
