// "Nutrition", panel layout.
#include "scaledata/NutrPanelForm.h"

#include "platform/NumberEntry.h"
#include "scaledata/MessageTextEditForm.h"
#include "scaledata/NutritionPluEntry.h"
#include "scaledata/NutritionTb.h"

namespace varnel {

NutrPanelForm::NutrPanelForm(const CNutritionTb* nutrition, const PanelNutrition& values)
    : m_nutrition(nutrition), m_values(values), m_pluText(std::to_string(values.plu))
{
}

void NutrPanelForm::OnCopyFrom(const PluPicker& pick)
{
    CopyPickedNutrition<CNutrPanelRec>(m_nutrition, pick, m_values);
}

bool NutrPanelForm::OnOK()
{
    const std::optional<std::uint32_t> plu = ReadNumberInRange(m_pluText, kLowestPlu, kHighestPlu);
    if (!plu) return false;
    m_values.plu = *plu;
    const CharRule chars = m_nutrition->GetRoles().Text().chars;
    m_values.serveCont = CutToWholeChars(m_values.serveCont, kServeChars, chars);
    m_values.serveSize = CutToWholeChars(m_values.serveSize, kServeChars, chars);
    m_values.extra1 = CutToWholeChars(m_values.extra1, kExtraNameChars, chars);
    for (PanelNutrient& nutrient : m_values.nutrients) {
        nutrient.perServe = CutToWholeChars(nutrient.perServe, kValueChars, chars);
        nutrient.per100 = CutToWholeChars(nutrient.per100, kValueChars, chars);
    }
    return true;
}

}  // namespace varnel
