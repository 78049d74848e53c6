// The PLU list's copy, cut and paste through the PLU clipboard block.
#include "app/PluClipboardRecord.h"
#include "app/PluListViewForm.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/site/SiteRules.h"
#include "platform/UserPrompt.h"
#include "pluedit/PluListPanelForm.h"
#include "scaledata/NutritionTb.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace varnel {
namespace {

// Writes the nutrition record's 512 bytes under the key, made when missing.
bool StoreNutrition(CNutritionTb& nutrition, std::uint32_t key, const std::vector<std::uint8_t>& bytes)
{
    const auto size = static_cast<std::uint16_t>(bytes.size());
    if (CDBRecord* stored = nutrition.FindRecord(key)) {
        const std::vector<std::uint8_t> before(stored->GetData(), stored->GetData() + size);
        std::memcpy(stored->GetData(), bytes.data(), bytes.size());
        if (nutrition.UpdateRecord(stored, size)) return true;
        std::memcpy(stored->GetData(), before.data(), before.size());
        return false;
    }
    std::unique_ptr<CDBRecord> made = nutrition.CreateRecord(size);
    if (made == nullptr) return false;
    std::memcpy(made->GetData(), bytes.data(), bytes.size());
    return nutrition.AddRecord(key, size, std::move(made));
}

}  // namespace

bool PluListViewForm::CopySelectedPlu()
{
    const std::optional<std::uint32_t> plu = Selected();
    if (!IsEnabled(PluCommand::kCopy) || !plu) return false;
    const auto* row = dynamic_cast<const CPluDefRec*>(Plus()->FindRecord(*plu));
    if (row == nullptr) return false;

    PluClipboardRecord record;
    const std::span<const std::uint8_t> bytes = row->Bytes().first(row->CalcDataSize());
    record.row.assign(bytes.begin(), bytes.end());
    if (const CNutritionTb* nutrition = Nutrition())
        if (CDBRecord* stored = nutrition->FindRecord(NutritionKey(*row)))
            record.nutrition.assign(stored->GetData(), stored->GetData() + PluClipboardRecord::kNutritionSize);
    if (CPluPriceZoneTb* zones = Zones()) (void)zones->LoadAllEntries(*plu, record.zones);
    const std::optional<std::vector<std::uint8_t>> block = WritePluClipboardRecord(record);
    if (!block) return false;
    m_host.PutPluBlock(*block);
    return true;
}

bool PluListViewForm::CutSelectedPlu()
{
    const std::optional<std::uint32_t> plu = Selected();
    if (!IsEnabled(PluCommand::kCut) || !plu) return false;
    CPluDefRec* row = RowToChange(*plu);
    if (row == nullptr || !CopySelectedPlu()) return false;
    CPluDefTb& plus = *Plus();
    plus.WritePosUpdateLine(row, 'D', false);
    (void)plus.QueueKeyDelete(*plu, false);
    DeleteExtraPrices(*plu);
    // The zone values went to the clipboard with the row; left behind they would be taken by the next
    // PLU of this number.
    if (CPluPriceZoneTb* zones = Zones()) (void)zones->DeletePlu(*plu);
    plus.LogRecordDeleted(*plu, kMsgUserEdit, false);
    (void)plus.DeleteKey(*plu);
    Refresh();
    return true;
}

bool PluListViewForm::PastePlu()
{
    if (!IsEnabled(PluCommand::kPaste)) return false;
    const std::optional<std::vector<std::uint8_t>> block = m_host.GetPluBlock();
    if (!block) return false;
    const std::optional<PluClipboardRecord> record = ReadPluClipboardRecord(*block);
    if (!record) return false;
    const std::optional<std::uint32_t> selected = Selected();
    const std::optional<PasteChoice> choice = m_host.AskPasteTarget(record->GetPluNumber(), selected.has_value());
    if (!choice) return false;

    std::optional<std::uint32_t> target;
    switch (choice->target) {
    case PasteTarget::SelectedPlu: target = selected; break;
    case PasteTarget::TypedPlu: target = choice->typedPlu; break;
    case PasteTarget::UnusedPlu: target = FirstFreePlu(); break;
    }
    if (!target || !m_site.IsPluNumberAllowed(*target) || *target > Plus()->GetMaxKey()) return false;
    CPluDefTb& plus = *Plus();
    CPluDefRec* stored = dynamic_cast<CPluDefRec*>(plus.FindRecord(*target));
    // An overwritten PLU is checked as the current one is, however it was chosen.
    if (stored != nullptr && RowToChange(*target) == nullptr) return false;

    auto pasted = std::make_unique<CPluDefRec>(record->row.size());
    std::copy(record->row.begin(), record->row.end(), pasted->Bytes().begin());
    pasted->Set(PluCol::PluNo1, static_cast<std::int32_t>(*target));
    pasted->Normalize(plus.GetRoles().Setup(), plus.GetRoles().Fields());
    const std::uint16_t size = pasted->CalcDataSize();
    const bool created = stored == nullptr;
    CPluDefRec* row = nullptr;
    if (created) {
        row = pasted.get();
        if (!plus.AddPlu(*target, size, std::move(pasted))) return false;
    } else {
        const CPluDefRec before = *stored;
        stored->CopyDataFrom(*pasted);
        if (!plus.UpdatePlu(*stored, size)) {
            stored->CopyDataFrom(before);
            return false;
        }
        row = stored;
    }
    plus.WritePosUpdateLine(row, created ? 'N' : 'C', false);
    if (m_settings.nutritionPerPlu && !record->nutrition.empty())
        if (CNutritionTb* nutrition = Nutrition()) (void)StoreNutrition(*nutrition, *target, record->nutrition);
    if (CPluPriceZoneTb* zones = Zones()) {
        // Only values of defined zones and of price-zone fields are kept, as the table keeps them.
        PriceZoneEntries entries;
        for (const PriceZoneEntry& entry : record->zones)
            if (zones->IsZoneDefined(entry.zone) && zones->IsZoneField(entry.fieldNo))
                entries.push_back(entry);
        (void)zones->DeletePlu(*target);
        (void)zones->WritePlu(*target, entries, row);
    }
    plus.QueuePluSend(*row);
    m_panel.Refresh();
    m_panel.SelectPlu(*target);
    m_host.UpdateAllViews();
    return true;
}

}  // namespace varnel
