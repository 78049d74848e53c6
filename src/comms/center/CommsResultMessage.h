// Showing the result of a communication operation: its message, or "Unknown comms error: %d" for a
// number the message table has no text for.
#pragma once

#include "platform/Messages.h"

namespace varnel {

void ShowCommsResult(MessageId result);

}  // namespace varnel
