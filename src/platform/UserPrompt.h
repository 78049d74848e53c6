// Messages shown to the user and questions asked of them. The core calls these; the GUI installs a
// prompt that shows a message box, automation and tests install their own. With none installed
// nothing is shown and every question gets its most cautious answer.
#pragma once

#include "platform/Messages.h"

#include <optional>
#include <string>
#include <string_view>

namespace varnel {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };
enum class MessageIcon { None, Information, Warning, Error, Question };

// A file chooser with its title and starting folder; empty texts take the dialog's defaults.
struct FileRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    std::string title;
    std::string defaultExtension;
    std::string fileName;
    std::string filter;  // "Name (*.ext) |*.ext|...||"
    std::string initialDirectory;
    bool askOverwrite = true;  // a save dialog asks before an existing file is chosen
};

class IUserPrompt {
public:
    virtual ~IUserPrompt() = default;
    virtual MessageAnswer Show(MessageId id, std::string_view text, MessageButtons buttons, MessageIcon icon) = 0;
    // The file name the user chose in a save dialog (overwriting asked about by the dialog); none
    // when the user cancelled. `filter` is in the form "Name (*.ext) |*.ext|...||".
    virtual std::optional<std::string> AskSaveFileName(std::string_view defaultExtension, std::string_view fileName,
                                                       std::string_view filter) = 0;
    // The file chosen in an open or save dialog; none when the user cancelled. Prompts that show no
    // open dialog answer a save request as AskSaveFileName does and an open request with none.
    virtual std::optional<std::string> AskFileName(const FileRequest& request);
};

// The answer given while no prompt is installed: Ok, No, or Cancel where there is one.
MessageAnswer CautiousAnswer(MessageButtons buttons);

// Installs the process's prompt (null removes it) and returns the one it replaces.
IUserPrompt* SetUserPrompt(IUserPrompt* prompt);

// Asks for a file name to save to; none while no prompt is installed.
std::optional<std::string> AskSaveFileName(std::string_view defaultExtension, std::string_view fileName,
                                           std::string_view filter);

// Asks for a file by the request; none while no prompt is installed.
std::optional<std::string> AskFileName(const FileRequest& request);

// Shows message `id` from the message table.
MessageAnswer ShowMessage(MessageId id, MessageButtons buttons = MessageButtons::Ok,
                          MessageIcon icon = MessageIcon::Warning);
// Shows message `id` with its placeholders filled in (`text`, made with FormatMessage).
MessageAnswer ShowFormattedMessage(MessageId id, std::string_view text, MessageButtons buttons = MessageButtons::Ok,
                                   MessageIcon icon = MessageIcon::Warning);
// Shows a text that is not in the message table (a system error text, a formatted message); `id` is 0.
MessageAnswer ShowMessageText(std::string_view text, MessageButtons buttons = MessageButtons::Ok,
                              MessageIcon icon = MessageIcon::Warning);

}  // namespace varnel
