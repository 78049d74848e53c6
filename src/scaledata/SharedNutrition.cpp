#include "scaledata/SharedNutrition.h"

#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "scaledata/NutritionTb.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr MessageId kMsgUserEdit = 20506;

// The PLU's row names another nutrition number: updated, queued and logged. Its old number.
std::optional<std::uint32_t> RenameNutrition(CPluDefTb& plus, std::uint32_t pluNumber, std::uint32_t number)
{
    auto* row = dynamic_cast<CPluDefRec*>(plus.FindRecord(pluNumber));
    if (row == nullptr) return std::nullopt;
    const auto old = static_cast<std::uint32_t>(row->Get(PluCol::NutritionID));
    if (old == number) return old;
    row->Set(PluCol::NutritionID, static_cast<std::int32_t>(number));
    if (!plus.UpdatePlu(*row, row->CalcDataSize())) return std::nullopt;
    plus.QueuePluSend(*row);
    plus.LogRecordUpdated(pluNumber, kMsgUserEdit, {}, false);
    return old;
}

}  // namespace

std::vector<std::uint32_t> FindPlusOfNutrition(const CPluDefTb& plus, std::uint32_t number)
{
    std::vector<std::uint32_t> found;
    if (number == 0) return found;
    for (std::size_t position = 0; position < plus.GetRecordCount(); ++position) {
        std::uint32_t key = 0;
        const auto* row = dynamic_cast<const CPluDefRec*>(plus.GetRecordAt(position, key));
        if (row != nullptr && static_cast<std::uint32_t>(row->Get(PluCol::NutritionID)) == number) found.push_back(key);
    }
    return found;
}

bool ReleaseNutrition(CPluDefTb& plus, CNutritionTb& nutrition, std::uint32_t number)
{
    if (number == 0 || !FindPlusOfNutrition(plus, number).empty()) return false;
    CDBRecord* row = nutrition.FindRecord(number);
    if (row == nullptr) return false;
    (void)nutrition.QueueKeyDelete(number, false);  // while the row is there to be named
    if (!nutrition.DeleteRecord(row)) return false;
    nutrition.LogRecordDeleted(number, kMsgUserEdit, false);
    return true;
}

SharedNutritionChange ApplySharedNutrition(CPluDefTb& plus, CNutritionTb& nutrition, std::uint32_t number,
                                           const StandardNutrition& values, const std::vector<std::uint32_t>& assigned,
                                           std::uint32_t editedPlu)
{
    SharedNutritionChange change;
    if (number == 0) number = nutrition.GetFreeNumber(editedPlu);
    const std::vector<std::uint32_t> before = FindPlusOfNutrition(plus, number);
    const auto listed = [&assigned](std::uint32_t plu) { return std::ranges::find(assigned, plu) != assigned.end(); };
    for (const std::uint32_t plu : before) {
        if (listed(plu)) continue;
        (void)RenameNutrition(plus, plu, 0);
        if (plu == editedPlu) change.editedPluNumber = 0;
    }
    if (assigned.empty()) {
        (void)ReleaseNutrition(plus, nutrition, number);
        return change;
    }
    for (const std::uint32_t plu : assigned) {
        const std::optional<std::uint32_t> old = RenameNutrition(plus, plu, number);
        if (old && *old != number) {
            (void)ReleaseNutrition(plus, nutrition, *old);
            if (plu == editedPlu) change.editedPluNumber = number;
        }
    }
    bool created = false;
    auto* row = dynamic_cast<CNutritionRec*>(nutrition.GetOrAddRecordEx(number, CNutritionRowBase::kSize, created));
    if (row == nullptr) return change;
    StandardNutrition stored = values;
    stored.plu = number;
    row->SetValues(stored);
    if (!nutrition.UpdateRecord(row, CNutritionRowBase::kSize)) return change;
    if (created)
        nutrition.LogRecordAdded(number, kMsgUserEdit, {}, false);
    else
        nutrition.LogRecordUpdated(number, kMsgUserEdit, {}, false);
    (void)nutrition.QueueKeySend(number, false);
    change.stored = true;
    return change;
}

}  // namespace varnel
