#include "scaledata/PluNutrition.h"

#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "scaledata/EditExMsgForm.h"
#include "scaledata/ExMsgRec.h"
#include "scaledata/ExMsgTb.h"
#include "scaledata/NutritionTb.h"

namespace varnel {
namespace {

constexpr MessageId kMsgUserEdit = 20506;
constexpr MessageId kMsgHostControlled = 31502;

// The row of the key fetched or made, filled and stored, and logged as added or updated.
template <class Row>
Row* StoreRow(CDBComTb& table, std::uint32_t key, std::uint16_t size, const std::function<std::uint16_t(Row&)>& fill)
{
    bool created = false;
    auto* row = dynamic_cast<Row*>(table.GetOrAddRecordEx(key, size, created));
    if (row == nullptr) return nullptr;
    if (!table.UpdateRecord(row, fill(*row))) return nullptr;
    if (created)
        table.LogRecordAdded(key, kMsgUserEdit, {}, false);
    else
        table.LogRecordUpdated(key, kMsgUserEdit, {}, false);
    return row;
}

bool IsActive(const CPluDefRec* plu) { return plu == nullptr || !plu->TestCtrlFlag(1); }

}  // namespace

std::optional<std::uint32_t> StoreStandardNutrition(CPluDefTb& plus, CNutritionTb& nutrition,
                                                    const StandardNutrition& values, bool requeuePlu)
{
    if (!nutrition.CheckUserRights(CDBComTb::kRightUpdate, true)) return std::nullopt;
    const std::uint32_t key = values.plu;
    const auto fill = [&values](CNutritionRec& row) {
        row.SetValues(values);
        return static_cast<std::uint16_t>(CNutritionRowBase::kSize);
    };
    if (StoreRow<CNutritionRec>(nutrition, key, CNutritionRowBase::kSize, fill) == nullptr) return std::nullopt;
    (void)nutrition.QueueKeySend(key, false);
    auto* plu = dynamic_cast<CPluDefRec*>(plus.FindRecord(key));
    if (plu != nullptr && static_cast<std::uint32_t>(plu->Get(PluCol::NutritionID)) != key) {
        plu->Set(PluCol::NutritionID, static_cast<std::int32_t>(key));
        if (plus.UpdatePlu(*plu, plu->CalcDataSize())) {
            plus.LogRecordUpdated(key, kMsgUserEdit, {}, false);
            if (requeuePlu) plus.QueuePluSend(*plu);
        }
    }
    return key;
}

bool StorePanelNutrition(CPluDefTb& plus, CNutritionTb& nutrition, const PanelNutrition& values)
{
    if (!nutrition.CheckUserRights(CDBComTb::kRightUpdate, true)) return false;
    const std::uint32_t key = values.plu;
    const auto fill = [&values](CNutrPanelRec& row) {
        row.SetValues(values);
        return static_cast<std::uint16_t>(CNutritionRowBase::kSize);
    };
    if (StoreRow<CNutrPanelRec>(nutrition, key, CNutritionRowBase::kSize, fill) == nullptr) return false;
    const auto* plu = dynamic_cast<const CPluDefRec*>(plus.FindRecord(key));
    if (IsActive(plu)) (void)nutrition.QueueKeySend(key, false);
    if (plu != nullptr) plus.QueuePluSend(*plu);
    return true;
}

bool EditPluIngredients(CPluDefTb& plus, CExMsgTb& ingredients, std::uint32_t pluNumber, std::uint16_t labelWidth,
                        const ExMsgDialog& dialog, const ILabelTextMeasure* measure)
{
    const auto* plu = dynamic_cast<const CPluDefRec*>(plus.FindRecord(pluNumber));
    const bool hostControlled = plu != nullptr && plu->IsCtrlFlagPairSet(plus.GetRoles().Setup());
    if (hostControlled) ShowMessage(kMsgHostControlled);
    EditExMsgForm form(ingredients, pluNumber, measure);
    if (const CExMsgRec* row = ingredients.FindMessage(pluNumber)) {
        form.SetName(row->GetName());
        form.SetText(row->GetText(), row->GetLabelWidth());
    } else {
        form.SetName(FormatText("PLU #%d", static_cast<int>(pluNumber)));
        form.SetText({}, labelWidth);
    }
    if (!dialog || !dialog(form) || hostControlled || !ingredients.CheckUserRights(CDBComTb::kRightUpdate, true))
        return false;
    const auto fill = [&form](CExMsgRec& row) { return FillMessageRow(form, row); };
    if (StoreRow<CExMsgRec>(ingredients, pluNumber, CExMsgRec::kMaxSize, fill) == nullptr) return false;
    if (IsActive(plu)) (void)ingredients.QueueKeySend(pluNumber, false);
    if (plu != nullptr) plus.QueuePluSend(*plu);
    return true;
}

}  // namespace varnel
