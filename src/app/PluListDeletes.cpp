// The PLU list's deletes: of the current PLU, of a range, and of the current PLU's nutrition.
#include "app/PluListViewForm.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/store/StoreTransaction.h"
#include "platform/UserPrompt.h"
#include "pluedit/PluListPanelForm.h"
#include "scaledata/NutritionTb.h"

#include <algorithm>
#include <set>

namespace varnel {
namespace {

// The five price master tables ("RuxPrice1" to "RuxPrice5").
constexpr std::uint16_t kFirstExtraPriceTable = 87;
constexpr std::uint16_t kLastExtraPriceTable = 91;

// The keys of the table's records from `from` to `to`, highest first: deleting from the end of the
// key index moves nothing behind the deleted entry.
std::vector<std::uint32_t> KeysDescending(const CObjDBTable& table, std::uint32_t from, std::uint32_t to)
{
    std::vector<std::uint32_t> keys;
    bool found = false;
    const CDBKeyIndex& index = table.GetIndex();
    for (auto entry = index.begin() + static_cast<std::ptrdiff_t>(index.FindPosition(from, found));
         entry != index.end() && entry->key <= to; ++entry)
        keys.push_back(entry->key);
    std::reverse(keys.begin(), keys.end());
    return keys;
}

// Holds the wait cursor for the life of a long operation.
class WaitCursor {
public:
    explicit WaitCursor(IPluListViewHost& host) : m_host(host) { m_host.BeginWaitCursor(); }
    ~WaitCursor() { m_host.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    IPluListViewHost& m_host;
};

}  // namespace

std::uint32_t PluListViewForm::NutritionKey(const CPluDefRec& row) const
{
    return m_settings.nutritionPerPlu ? static_cast<std::uint32_t>(row.Get(PluCol::PluNo1))
                                      : static_cast<std::uint32_t>(row.Get(PluCol::NutritionID));
}

void PluListViewForm::DeleteKeyedRecord(CDBComTb* table, std::uint32_t key, bool queue) const
{
    if (table == nullptr || key == 0 || table->FindRecord(key) == nullptr) return;
    if (queue) (void)table->QueueKeyDelete(key, false);
    if (table->DeleteKey(key)) table->LogRecordDeleted(key, kMsgUserEdit, false);
}

void PluListViewForm::ReleaseSharedNutrition(std::vector<std::uint32_t> numbers) const
{
    CNutritionTb* nutrition = Nutrition();
    std::set<std::uint32_t> unused(numbers.begin(), numbers.end());
    unused.erase(0);
    if (nutrition == nullptr || unused.empty()) return;
    for (const auto& entry : Plus()->GetIndex()) {
        if (const auto* row = dynamic_cast<const CPluDefRec*>(entry.record.get()))
            unused.erase(static_cast<std::uint32_t>(row->Get(PluCol::NutritionID)));
        if (unused.empty()) return;
    }
    for (const std::uint32_t number : unused) DeleteKeyedRecord(nutrition, number, true);
}

void PluListViewForm::DeleteExtraPrices(std::uint32_t pluNumber) const
{
    for (std::uint16_t table = kFirstExtraPriceTable; table <= kLastExtraPriceTable; ++table)
        if (CObjDBTable* prices = m_database.GetTable(table); prices != nullptr && prices->FindRecord(pluNumber))
            (void)prices->DeleteKey(pluNumber);
}

bool PluListViewForm::DeleteSelectedPlu()
{
    const std::optional<std::uint32_t> plu = Selected();
    if (!IsEnabled(PluCommand::kDeletePlu) || !plu) return false;
    CPluDefRec* row = RowToChange(*plu);
    if (row == nullptr) return false;
    if (ShowMessage(kMsgDeletePlu, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) return false;

    CPluDefTb& plus = *Plus();
    plus.LogRecordDeleted(*plu, kMsgUserEdit, false);
    if (m_settings.nutritionPerPlu)
        DeleteKeyedRecord(Nutrition(), *plu, true);
    else
        ReleaseSharedNutrition({static_cast<std::uint32_t>(row->Get(PluCol::NutritionID))});
    DeleteKeyedRecord(AusNzIngredients(), *plu, true);
    if (CPluPriceZoneTb* zones = Zones()) (void)zones->DeletePlu(*plu);
    plus.WritePosUpdateLine(row, 'D', false);
    (void)plus.QueueKeyDelete(*plu, false);
    DeleteExtraPrices(*plu);
    (void)plus.DeleteKey(*plu);
    Refresh();
    return true;
}

bool PluListViewForm::DeletePluRange()
{
    if (!IsEnabled(PluCommand::kDeleteRange)) return false;
    const std::optional<PluDeleteRange> range = m_host.PickDeleteRange();
    if (!range) return false;
    CPluDefTb& plus = *Plus();
    const std::optional<std::uint32_t> edited = m_host.GetPluInEditor();
    const std::uint32_t from = range->all ? 0 : range->from;
    const std::uint32_t to = range->all ? plus.GetMaxKey() : range->to;
    if (edited && (range->all || (*edited >= from && *edited <= to))) {
        ShowMessage(kMsgBeingEdited);
        return false;
    }
    const std::vector<std::uint32_t> keys = KeysDescending(plus, from, to);
    CNutritionTb* nutrition = Nutrition();
    const bool nutritionInUse = m_settings.standardNutrition || m_settings.customNutrition;
    if (range->all) {
        (void)plus.DeleteAllRecords(false);
        if (nutritionInUse && nutrition != nullptr) (void)nutrition->QueueDeleteAll(false);
    } else if (!keys.empty()) {
        (void)plus.DeleteRecordRange(from, to);
        if (m_settings.nutritionPerPlu && nutritionInUse && nutrition != nullptr)
            (void)nutrition->QueueDeleteRange(from, to);
    }

    const WaitCursor wait(m_host);
    StoreTransaction transaction(m_database);
    CPluPriceZoneTb* zones = Zones();
    std::vector<std::uint32_t> sharedNutrition;
    for (const std::uint32_t plu : keys) {
        auto* row = dynamic_cast<CPluDefRec*>(plus.FindRecord(plu));
        if (row == nullptr) continue;
        // The scales were told of the whole range above.
        if (m_settings.nutritionPerPlu)
            DeleteKeyedRecord(nutrition, plu, false);
        else
            sharedNutrition.push_back(static_cast<std::uint32_t>(row->Get(PluCol::NutritionID)));
        plus.WritePosUpdateLine(row, 'D', false);
        plus.LogRecordDeleted(plu, kMsgUserEdit, false);
        if (zones != nullptr) (void)zones->DeletePlu(plu);
        (void)plus.DeleteKey(plu);
        DeleteExtraPrices(plu);
        if (m_settings.ausNzNutrition) {
            DeleteKeyedRecord(nutrition, plu, false);
            DeleteKeyedRecord(AusNzIngredients(), plu, false);
        }
    }
    ReleaseSharedNutrition(std::move(sharedNutrition));
    const bool committed = transaction.Commit();
    Refresh();
    return committed && !keys.empty();
}

bool PluListViewForm::DeleteSelectedNutrition()
{
    const std::optional<std::uint32_t> plu = Selected();
    if (!IsEnabled(PluCommand::kDeleteNutrition) || !plu) return false;
    CPluDefRec* row = RowToChange(*plu);
    if (row == nullptr) return false;
    if (ShowMessage(kMsgDeleteNutrition, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return false;
    CPluDefTb& plus = *Plus();
    const std::uint32_t shared = static_cast<std::uint32_t>(row->Get(PluCol::NutritionID));
    if (shared != 0) {
        row->Set(PluCol::NutritionID, 0);
        if (!plus.UpdatePlu(*row, row->CalcDataSize())) {
            row->Set(PluCol::NutritionID, static_cast<std::int32_t>(shared));
            return false;
        }
        plus.LogRecordUpdated(*plu, kMsgUserEdit, {}, false);
    }
    if (m_settings.nutritionPerPlu)
        DeleteKeyedRecord(Nutrition(), *plu, true);
    else
        ReleaseSharedNutrition({shared});
    plus.QueuePluSend(*row);
    Refresh();
    return true;
}

}  // namespace varnel
