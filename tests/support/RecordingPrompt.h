// A user prompt for tests: records every message shown and answers from a script.
#pragma once

#include "platform/UserPrompt.h"

#include <deque>
#include <string>
#include <vector>

namespace varnel::test {

class RecordingPrompt final : public IUserPrompt {
public:
    RecordingPrompt();  // installs itself
    ~RecordingPrompt() override;  // puts back the prompt it replaced
    RecordingPrompt(const RecordingPrompt&) = delete;
    RecordingPrompt& operator=(const RecordingPrompt&) = delete;

    MessageAnswer Show(MessageId id, std::string_view text, MessageButtons buttons, MessageIcon icon) override;

    // The next questions get these answers, in order; after them every question gets Ok or Yes.
    void QueueAnswer(MessageAnswer answer) { m_answers.push_back(answer); }

    std::vector<MessageId> m_ids;      // every message shown, in order (0 for texts outside the table)
    std::vector<std::string> m_texts;

private:
    std::deque<MessageAnswer> m_answers;
    IUserPrompt* m_previous;
};

}  // namespace varnel::test
