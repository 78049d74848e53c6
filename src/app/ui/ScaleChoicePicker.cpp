#include "app/ui/ScaleChoicePicker.h"

#include "settings/PickerForm.h"
#include "settings/ui/PickerDlgs.h"

namespace varnel {

std::optional<std::size_t> PickScaleChoice(const std::vector<CScaleChoice>& offered, QWidget* parent)
{
    std::vector<ScaleChoiceRow> rows;
    for (const CScaleChoice& choice : offered) rows.push_back({choice.label, false});
    PickerForm picker = MakeScalePicker(rows, false);
    if (CSelectScaleDlg(picker, {}, {}, parent).exec() != QDialog::Accepted) return std::nullopt;
    return picker.GetChosenIndex();
}

}  // namespace varnel
