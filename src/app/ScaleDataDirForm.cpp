// The scale data directory dialog's model.
#include "app/ScaleDataDirForm.h"

#include "db/site/MainFrame.h"
#include "db/text/PathText.h"
#include "platform/Messages.h"
#include "platform/UserPrompt.h"

namespace varnel {

constexpr MessageId kTitle = 61359;  // "Specify Scale Data Directory"

ScaleDataDirForm::ScaleDataDirForm(std::string directory)
{
    SetDirectory(std::move(directory));
}

void ScaleDataDirForm::SetDirectory(std::string directory)
{
    if (directory.size() > kMaxLength) directory.resize(kMaxLength);
    m_directory = std::move(directory);
}

bool ScaleDataDirForm::Browse()
{
    FileRequest request;
    request.kind = FileRequest::Kind::Open;
    request.title = std::string(GetMessageText(kTitle));
    request.defaultExtension = "00?";
    request.fileName = "ITEM.001";
    request.filter = "QD47 Files (*.0*) |*.0*|All Files (*.*)|*.*||";
    request.initialDirectory = m_directory;
    const std::optional<std::string> file = AskFileName(request);
    if (!file) return false;
    SetDirectory(GetFolderOfFile(*file, CurrentTextRules().chars));
    return true;
}

}  // namespace varnel
