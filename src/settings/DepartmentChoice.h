// "Change Department" (dialog 209): the departments by name in list order, the current one (else the
// first) selected. "Select" makes the selected department current and closes (with none selected the
// current one stays); "Cancel" changes nothing.
//
//   ChooseCurrent      the user's choice of the current department; true when closed with Select
//   ChooseDepartment   the same dialog to pick a department; the current one is left as it was. The
//                      department chosen (the current one when Select had no row), none after Cancel
#pragma once

#include "settings/PickerForm.h"

#include <functional>

namespace varnel {

class CMasterScale;
class CMasterScaleList;

// Runs dialog 209 on the picker; true when it closed with Select.
using ChangeDeptDialog = std::function<bool(PickerForm& picker)>;

bool ChooseCurrent(CMasterScaleList& departments, const CharRule& chars, const ChangeDeptDialog& runDialog);
const CMasterScale* ChooseDepartment(CMasterScaleList& departments, const CharRule& chars,
                                    const ChangeDeptDialog& runDialog);

}  // namespace varnel
