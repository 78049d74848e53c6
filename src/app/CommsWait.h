// A job of the "Scale Comms" dialog run without a window: the job is handed to the links and the
// caller waits until every selected link has finished it; the result is the dialog's status.
#pragma once

#include "app/DocumentHost.h"
#include "platform/Messages.h"

namespace varnel {

class CIdEnqLinkList;

// 0 when every selected link finished without an error; else 61219 when a link timed out, 61225 when
// one was cancelled, 61218 for any other error. Received records are handed to the document.
MessageId RunCommsJobUnseen(CIdEnqLinkList& links, const ScaleCommsJob& job);

}  // namespace varnel
