// "Price Master Settings" over a PLU's five price master records, for the PLU edit window. Apart
// from the window's other services: the dialog's site and the price master tables' record site share
// a name.
#pragma once

#include "pluedit/PluEditSite.h"

namespace varnel {

class CMainFrame;
struct ScaleDataListSite;

// Runs the dialog; true (the records taken back) when it changed them.
bool EditPriceMasters(const CMainFrame& frame, const ScaleDataListSite& lists, ExtraPriceRecords& records);

}  // namespace varnel
