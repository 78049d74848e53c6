#include "app/ui/PluEditorNutrition.h"

#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "app/ui/RecordPickers.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "scaledata/CustomNutrForm.h"
#include "scaledata/EditExMsgForm.h"
#include "scaledata/ExMsgTb.h"
#include "db/site/TextRules.h"
#include "scaledata/NutrFactsForm.h"
#include "scaledata/NutrPanelForm.h"
#include "scaledata/NutritionTb.h"
#include "scaledata/PluNutrition.h"
#include "scaledata/SharedNutrition.h"
#include "scaledata/ui/MessageTextEditDlgs.h"
#include "scaledata/ui/NutritionDlgs.h"

#include <algorithm>

namespace varnel {
namespace {

template <class Row>
const Row* FindRow(const CNutritionTb& nutrition, std::uint32_t key)
{
    return dynamic_cast<const Row*>(nutrition.FindRecord(key));
}

StandardNutrition StandardOf(const CNutritionTb& nutrition, std::uint32_t key)
{
    const auto* row = FindRow<CNutritionRec>(nutrition, key);
    StandardNutrition values = row != nullptr ? row->GetValues() : CNutritionRec().GetValues();
    values.plu = key;
    return values;
}

// Template 281 on the row the PLU names, with the PLUs that share it.
std::optional<std::uint32_t> RunSharedNutrition(CVrn3Doc& document, CPluDefTb& plus, CNutritionTb& nutrition,
                                                const PluPicker& picker, CodePage codePage, QWidget* parent,
                                                std::uint32_t pluNumber)
{
    const auto* plu = dynamic_cast<const CPluDefRec*>(plus.FindRecord(pluNumber));
    const std::uint32_t number = plu != nullptr ? static_cast<std::uint32_t>(plu->Get(PluCol::NutritionID)) : 0;
    std::vector<std::uint32_t> assigned = FindPlusOfNutrition(plus, number);
    if (std::ranges::find(assigned, pluNumber) == assigned.end()) assigned.push_back(pluNumber);
    NutrFactsForm form(&plus, &nutrition, StandardOf(nutrition, number), number, assigned, pluNumber);
    CNutrFactsDlg dialog(form, picker, codePage, parent);
    if (dialog.exec() != QDialog::Accepted || !nutrition.CheckUserRights(CDBComTb::kRightUpdate, true))
        return std::nullopt;
    const SharedNutritionChange change = ApplySharedNutrition(plus, nutrition, form.GetNutritionNumber(), form.Values(),
                                                              form.GetAssignedPlus(), pluNumber);
    document.UpdateAllViews();
    if (change.editedPluNumber) return change.editedPluNumber;
    if (!change.stored) return std::nullopt;
    const auto* stored = dynamic_cast<const CPluDefRec*>(plus.FindRecord(pluNumber));
    return stored != nullptr ? std::optional<std::uint32_t>(stored->Get(PluCol::NutritionID)) : std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> RunPluNutrition(CMainFrame& frame, CVrn3Doc& document, QWidget* parent,
                                             NutritionDialog dialog, std::uint32_t pluNumber, bool hostControlled)
{
    CPluDefTb* plus = document.GetPluTable();
    auto* nutrition = dynamic_cast<CNutritionTb*>(document.GetDatabase().GetTable(CNutritionTb::kTableNo));
    if (plus == nullptr || nutrition == nullptr) return std::nullopt;
    const PluPicker picker = FramePluPicker(frame, document, parent);
    const CodePage codePage = StoreCodePage(frame.GetGeneralSetup());
    switch (dialog) {
    case NutritionDialog::Panel: {
        const auto* row = FindRow<CNutrPanelRec>(*nutrition, pluNumber);
        PanelNutrition values = row != nullptr ? row->GetValues() : CNutrPanelRec().GetValues();
        values.plu = pluNumber;
        NutrPanelForm form(nutrition, values);
        CNutrPanelDlg window(form, picker, codePage, parent);
        if (window.exec() != QDialog::Accepted || hostControlled || !StorePanelNutrition(*plus, *nutrition, form.Values()))
            return std::nullopt;
        return form.Values().plu;
    }
    case NutritionDialog::Custom: {
        CustomNutrForm form(plus, nutrition, StandardOf(*nutrition, pluNumber), pluNumber);
        CCustomNutr window(form, picker, codePage, parent);
        if (window.exec() != QDialog::Accepted) return std::nullopt;
        // A custom row goes with its PLU only to the scales that print it.
        const bool requeue = frame.HasScaleType(6, false) || frame.HasScaleType(8, false);
        return StoreStandardNutrition(*plus, *nutrition, form.Values(), requeue);
    }
    case NutritionDialog::Facts: {
        NutrFactsForm form(plus, nutrition, StandardOf(*nutrition, pluNumber), pluNumber);
        CNutrFactsDlg window(form, picker, codePage, parent);
        if (window.exec() != QDialog::Accepted) return std::nullopt;
        return StoreStandardNutrition(*plus, *nutrition, form.Values(), true);
    }
    case NutritionDialog::SharedFacts:
        return RunSharedNutrition(document, *plus, *nutrition, picker, codePage, parent, pluNumber);
    }
    return std::nullopt;
}

std::optional<std::uint32_t> EditSharedNutrition(CMainFrame& frame, CVrn3Doc& document, QWidget* parent,
                                                 std::uint32_t pluNumber)
{
    return RunPluNutrition(frame, document, parent, NutritionDialog::SharedFacts, pluNumber, false);
}

bool RunPluIngredients(CMainFrame& frame, CVrn3Doc& document, QWidget* parent, std::uint16_t tableNo,
                       std::uint32_t pluNumber, std::uint16_t labelWidth)
{
    CPluDefTb* plus = document.GetPluTable();
    auto* ingredients = dynamic_cast<CExMsgTb*>(document.GetDatabase().GetTable(tableNo));
    if (plus == nullptr || ingredients == nullptr) return false;
    const CodePage codePage = StoreCodePage(frame.GetGeneralSetup());
    return EditPluIngredients(*plus, *ingredients, pluNumber, labelWidth, [codePage, parent](EditExMsgForm& form) {
        CEditExMsg window(form, codePage, parent);
        return window.exec() == QDialog::Accepted;
    });
}

}  // namespace varnel
