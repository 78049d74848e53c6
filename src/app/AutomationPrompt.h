// The prompt while the automation server runs: a message goes on the screen only when the client
// asked for messages (ShowErrors) and the session has a screen to show it on; otherwise to the quiet
// prompt (the standard error). Nobody is asked for a file.
#pragma once

#include "platform/UnattendedPrompt.h"

namespace varnel {

class DocumentAutomation;

class AutomationPrompt final : public UnattendedPrompt {
public:
    // `screen`: null when the session has no display.
    AutomationPrompt(const DocumentAutomation& automation, IUserPrompt& quiet, IUserPrompt* screen)
        : m_automation(automation), m_quiet(quiet), m_screen(screen)
    {
    }

    MessageAnswer Show(MessageId id, std::string_view text, MessageButtons buttons, MessageIcon icon) override;

private:
    const DocumentAutomation& m_automation;
    IUserPrompt& m_quiet;
    IUserPrompt* m_screen;
};

}  // namespace varnel
