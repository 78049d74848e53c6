// The PLU list's nutrition and ingredients of the current PLU.
#include "app/PluListViewForm.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "platform/UserPrompt.h"
#include "pluedit/PluListPanelForm.h"

namespace varnel {
namespace {

constexpr std::uint32_t kInactiveBit = 1;

}  // namespace

std::optional<NutritionDialog> PluListViewForm::ChooseNutritionDialog() const
{
    if (m_settings.canEditNutrition) {
        if (m_settings.ausNzNutrition) return NutritionDialog::Panel;
        return m_settings.nutritionPerPlu ? NutritionDialog::Facts : NutritionDialog::SharedFacts;
    }
    if (m_settings.canEditCustomNutrition) return NutritionDialog::Custom;
    return std::nullopt;
}

bool PluListViewForm::EditSelectedNutrition()
{
    const std::optional<std::uint32_t> plu = Selected();
    if (!IsEnabled(PluCommand::kNutrition) || !plu) return false;
    const std::optional<NutritionDialog> dialog = ChooseNutritionDialog();
    const auto* row = dynamic_cast<const CPluDefRec*>(Plus()->FindRecord(*plu));
    if (!dialog || row == nullptr) return false;
    // The shared editor changes the PLU's nutrition number, which the open editor would write back.
    if (*dialog == NutritionDialog::SharedFacts && m_host.GetPluInEditor() == *plu) {
        ShowMessage(kMsgBeingEdited);
        return false;
    }
    const bool hostControlled = row->IsCtrlFlagPairSet(m_site.GetGeneralSetup());
    if (*dialog == NutritionDialog::Panel && hostControlled) ShowMessage(kMsgHostControlled);
    m_host.EditNutrition(*dialog, *plu, hostControlled);
    Refresh();
    return true;
}

bool PluListViewForm::EditSelectedIngredients()
{
    const std::optional<std::uint32_t> plu = Selected();
    if (!IsEnabled(PluCommand::kIngredients) || !plu || Ingredients() == nullptr) return false;
    const auto* row = dynamic_cast<const CPluDefRec*>(Plus()->FindRecord(*plu));
    if (row == nullptr) return false;
    m_host.EditIngredients(*plu, static_cast<std::uint16_t>(row->Get(PluCol::LabelWidth)));
    Refresh();
    return true;
}

bool PluListViewForm::DeleteSelectedIngredients()
{
    const std::optional<std::uint32_t> plu = Selected();
    CDBComTb* ingredients = Ingredients();
    if (!IsEnabled(PluCommand::kDeleteIngredients) || !plu || ingredients == nullptr) return false;
    const auto* row = dynamic_cast<const CPluDefRec*>(Plus()->FindRecord(*plu));
    if (row == nullptr || ingredients->FindRecord(*plu) == nullptr) return false;
    if (row->IsCtrlFlagPairSet(m_site.GetGeneralSetup())) {
        ShowMessage(kMsgHostControlled);
        return false;
    }
    if (!ingredients->CheckUserRights(CDBComTb::kRightUpdate, true)) return false;
    // An inactive PLU's ingredients are not on the scales.
    DeleteKeyedRecord(ingredients, *plu, !row->TestCtrlFlag(kInactiveBit));
    Plus()->QueuePluSend(*row);
    Refresh();
    return true;
}

}  // namespace varnel
