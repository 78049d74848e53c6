// The process's prompt and the cautious answers given while none is installed.
#include "platform/UserPrompt.h"

#include <atomic>
#include <utility>

namespace varnel {
namespace {

std::atomic<IUserPrompt*> g_prompt{nullptr};

}  // namespace

MessageAnswer CautiousAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok: return MessageAnswer::Ok;
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
    case MessageButtons::RetryCancel: return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

namespace {

MessageAnswer Dispatch(MessageId id, std::string_view text, MessageButtons buttons, MessageIcon icon)
{
    IUserPrompt* prompt = g_prompt.load();
    return prompt ? prompt->Show(id, text, buttons, icon) : CautiousAnswer(buttons);
}

}  // namespace

IUserPrompt* SetUserPrompt(IUserPrompt* prompt)
{
    return g_prompt.exchange(prompt);
}

std::optional<std::string> AskSaveFileName(std::string_view defaultExtension, std::string_view fileName,
                                           std::string_view filter)
{
    IUserPrompt* prompt = g_prompt.load();
    return prompt ? prompt->AskSaveFileName(defaultExtension, fileName, filter) : std::nullopt;
}

std::optional<std::string> IUserPrompt::AskFileName(const FileRequest& request)
{
    if (request.kind == FileRequest::Kind::Open) return std::nullopt;
    return AskSaveFileName(request.defaultExtension, request.fileName, request.filter);
}

std::optional<std::string> AskFileName(const FileRequest& request)
{
    IUserPrompt* prompt = g_prompt.load();
    return prompt ? prompt->AskFileName(request) : std::nullopt;
}

MessageAnswer ShowMessage(MessageId id, MessageButtons buttons, MessageIcon icon)
{
    return Dispatch(id, GetMessageText(id), buttons, icon);
}

MessageAnswer ShowFormattedMessage(MessageId id, std::string_view text, MessageButtons buttons, MessageIcon icon)
{
    return Dispatch(id, text, buttons, icon);
}

MessageAnswer ShowMessageText(std::string_view text, MessageButtons buttons, MessageIcon icon)
{
    return Dispatch(0, text, buttons, icon);
}

}  // namespace varnel
