#include "support/RecordingPrompt.h"

namespace varnel::test {

RecordingPrompt::RecordingPrompt() : m_previous(SetUserPrompt(this)) {}

RecordingPrompt::~RecordingPrompt() { SetUserPrompt(m_previous); }

MessageAnswer RecordingPrompt::Show(MessageId id, std::string_view text, MessageButtons buttons, MessageIcon)
{
    m_ids.push_back(id);
    m_texts.emplace_back(text);
    if (!m_answers.empty()) {
        const MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes
                                                                                       : MessageAnswer::Ok;
}

std::optional<std::string> RecordingPrompt::AskSaveFileName(std::string_view, std::string_view, std::string_view)
{
    ++m_saveDialogs;
    if (m_saveNames.empty()) return std::nullopt;
    std::optional<std::string> name = std::move(m_saveNames.front());
    m_saveNames.pop_front();
    return name;
}

std::optional<std::string> RecordingPrompt::AskFileName(const FileRequest& request)
{
    m_fileRequests.push_back(request);
    return AskSaveFileName(request.defaultExtension, request.fileName, request.filter);
}

}  // namespace varnel::test
