// The prompt of a run without a user (the automation server): every message goes to the standard
// error, where whoever started the run (the session bus, a service manager) keeps it, and every
// question gets its most cautious answer.
#pragma once

#include "platform/UnattendedPrompt.h"

#include <string>

namespace varnel {

class StandardErrorPrompt final : public UnattendedPrompt {
public:
    // `program`: the name each line starts with.
    explicit StandardErrorPrompt(std::string program) : m_program(std::move(program)) {}

    MessageAnswer Show(MessageId id, std::string_view text, MessageButtons buttons, MessageIcon icon) override;

private:
    std::string m_program;
};

}  // namespace varnel
