// The prompt of a run without a user (the automation server): every message goes to the standard
// error, where whoever started the run (the session bus, a service manager) keeps it, and every
// question gets its most cautious answer. No file is ever chosen.
#pragma once

#include "platform/UserPrompt.h"

#include <string>

namespace varnel {

class StandardErrorPrompt final : public IUserPrompt {
public:
    // `program`: the name each line starts with. Installs itself and puts back, when destroyed, the
    // prompt it replaced.
    explicit StandardErrorPrompt(std::string program);
    ~StandardErrorPrompt() override;
    StandardErrorPrompt(const StandardErrorPrompt&) = delete;
    StandardErrorPrompt& operator=(const StandardErrorPrompt&) = delete;

    MessageAnswer Show(MessageId id, std::string_view text, MessageButtons buttons, MessageIcon icon) override;
    std::optional<std::string> AskSaveFileName(std::string_view, std::string_view, std::string_view) override
    {
        return std::nullopt;
    }

private:
    std::string m_program;
    IUserPrompt* m_previous;
};

}  // namespace varnel
