// The user-prompt seam shown on screen: message boxes and the save-file chooser, parented on the
// active window. A prompt raised on another thread is shown by the user-interface thread while the
// caller waits for the answer.
#pragma once

#include "platform/UserPrompt.h"

#include <QString>

#include <atomic>

namespace varnel {

class QtUserPrompt final : public IUserPrompt {
public:
    explicit QtUserPrompt(QString caption);  // installs itself
    ~QtUserPrompt() override;                // puts back the prompt it replaced
    QtUserPrompt(const QtUserPrompt&) = delete;
    QtUserPrompt& operator=(const QtUserPrompt&) = delete;

    // From now on nothing is shown: every question gets the cautious answer and no file is chosen (the
    // program is being ended from outside).
    void Silence() { m_silent = true; }

    MessageAnswer Show(MessageId id, std::string_view text, MessageButtons buttons, MessageIcon icon) override;
    std::optional<std::string> AskSaveFileName(std::string_view defaultExtension, std::string_view fileName,
                                               std::string_view filter) override;
    std::optional<std::string> AskFileName(const FileRequest& request) override;

private:
    QString m_caption;
    IUserPrompt* m_previous;
    std::atomic<bool> m_silent{false};
};

// A filter of the Windows design's form "Name (*.ext) |*.ext|...||" as a file dialog's name filters.
QString ToDialogFilter(std::string_view filter);

}  // namespace varnel
