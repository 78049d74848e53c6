// The PLU edit window's Nutrition and Ingredients buttons: the dialog the site's switches choose.
#include "pluedit/PluEditForm.h"

#include "platform/UserPrompt.h"

namespace varnel {
namespace {

constexpr MessageId kMsgHostControlled = 31502;

}  // namespace

bool PluEditForm::OnNutrition()
{
    const PluEditSettings& settings = m_site.settings;
    const bool hostControlled = IsHostControlledRecord();
    NutritionDialog dialog = NutritionDialog::Facts;
    if (!settings.canEditNutrition) {
        if (!settings.canEditCustomNutrition) return false;
        dialog = NutritionDialog::Custom;
    } else if (settings.ausNzNutrition) {
        if (hostControlled) ShowMessage(kMsgHostControlled);
        dialog = NutritionDialog::Panel;
    } else if (Setup().m_oneToManyNutrition != 0) {
        dialog = NutritionDialog::SharedFacts;
    }
    const std::optional<std::uint32_t> number = m_site.services.EditNutrition(dialog, m_current, hostControlled);
    if (!number) return false;
    if (dialog == NutritionDialog::Panel)
        m_site.document.pluChanged = true;
    else
        m_row.Set(PluCol::NutritionID, static_cast<std::int32_t>(*number));
    return true;
}

bool PluEditForm::OnIngredients() { return m_site.services.EditIngredients(m_current, m_editor.GetLabelWidth()); }

}  // namespace varnel
