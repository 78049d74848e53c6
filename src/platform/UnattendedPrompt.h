// The base of the prompts of runs without a user: installed for as long as it lives (putting back the
// prompt it replaced), it never asks for a file, so an operation that needs one fails cleanly.
#pragma once

#include "platform/UserPrompt.h"

namespace varnel {

class UnattendedPrompt : public IUserPrompt {
public:
    UnattendedPrompt() : m_previous(SetUserPrompt(this)) {}
    ~UnattendedPrompt() override { SetUserPrompt(m_previous); }
    UnattendedPrompt(const UnattendedPrompt&) = delete;
    UnattendedPrompt& operator=(const UnattendedPrompt&) = delete;

    std::optional<std::string> AskSaveFileName(std::string_view, std::string_view, std::string_view) override
    {
        return std::nullopt;
    }
    std::optional<std::string> AskFileName(const FileRequest&) override { return std::nullopt; }

private:
    IUserPrompt* m_previous;
};

}  // namespace varnel
