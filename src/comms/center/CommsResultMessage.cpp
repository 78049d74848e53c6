#include "comms/center/CommsResultMessage.h"

#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

namespace varnel {

void ShowCommsResult(MessageId result)
{
    if (GetMessageText(result).empty())
        (void)ShowMessageText(FormatText("Unknown comms error: %d", static_cast<int>(result)));
    else
        (void)ShowMessage(result);
}

}  // namespace varnel
