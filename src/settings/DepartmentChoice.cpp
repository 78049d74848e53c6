// The department choice of dialog 209.
#include "settings/DepartmentChoice.h"

#include "settings/MasterScaleList.h"

namespace varnel {

bool ChooseCurrent(CMasterScaleList& departments, const CharRule& chars, const ChangeDeptDialog& runDialog)
{
    PickerForm picker = MakeDepartmentPicker(departments, departments.GetCurrent(), chars);
    if (!runDialog(picker)) return false;
    if (const auto chosen = picker.GetChosenIndex())
        departments.SetCurrent(departments.GetDepartments().at(*chosen)->m_id);
    return true;
}

const CMasterScale* ChooseDepartment(CMasterScaleList& departments, const CharRule& chars,
                                    const ChangeDeptDialog& runDialog)
{
    const std::uint16_t current = departments.GetCurrentId();
    const CMasterScale* chosen = ChooseCurrent(departments, chars, runDialog) ? departments.GetCurrent() : nullptr;
    departments.SetCurrent(current);
    return chosen;
}

}  // namespace varnel
