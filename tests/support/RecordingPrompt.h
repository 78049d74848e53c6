// A user prompt for tests: records every message shown and answers from a script.
#pragma once

#include "platform/UserPrompt.h"

#include <deque>
#include <optional>
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

    std::optional<std::string> AskSaveFileName(std::string_view defaultExtension, std::string_view fileName,
                                               std::string_view filter) override;

    // Open and save requests alike take the queued names; the requests are kept.
    std::optional<std::string> AskFileName(const FileRequest& request) override;
    std::vector<FileRequest> m_fileRequests;

    // The next save dialogs give these names, in order (none = Cancel); after them every dialog is cancelled.
    void QueueSaveName(std::optional<std::string> name) { m_saveNames.push_back(std::move(name)); }
    int m_saveDialogs = 0;

    // The next questions get these answers, in order; after them every question gets Ok or Yes.
    void QueueAnswer(MessageAnswer answer) { m_answers.push_back(answer); }

    std::vector<MessageId> m_ids;      // every message shown, in order (0 for texts outside the table)
    std::vector<std::string> m_texts;

private:
    std::deque<MessageAnswer> m_answers;
    std::deque<std::optional<std::string>> m_saveNames;
    IUserPrompt* m_previous;
};

}  // namespace varnel::test
