// The POS update lines of PLUs about to be sent to or deleted from the scales.
#pragma once

#include "db/plu/SendDataLog.h"

namespace varnel {

class CPluDefTb;

// With the general setup's POS update file output on: each PLU the table holds in the key range of a
// request of the PLU table is queued for the POS update file, 'C' for a send (kind 0) and 'D' for a
// delete (kinds 1 and 2), and the queued lines are then written. Other requests are passed over.
void QueuePosUpdatesForSend(CPluDefTb& plus, const SendRequests& requests);

}  // namespace varnel
