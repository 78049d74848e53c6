// A PLU row as the PLU custom logs show it.
#pragma once

#include "settings/AppEventLog.h"

namespace varnel {

class CPluDefRec;

// The row's number, unit price, sales mode, shelf life and description; the description stays a view
// into the row.
PluLogEntry MakePluLogEntry(const CPluDefRec& plu);

}  // namespace varnel
