#include "platform/StandardErrorPrompt.h"

#include <cstdio>

namespace varnel {

MessageAnswer StandardErrorPrompt::Show(MessageId id, std::string_view text, MessageButtons buttons, MessageIcon)
{
    std::string line = m_program + ": ";
    if (id != 0) line += "[" + std::to_string(id) + "] ";
    line.append(text);
    line += '\n';
    std::fputs(line.c_str(), stderr);
    return CautiousAnswer(buttons);
}

}  // namespace varnel
