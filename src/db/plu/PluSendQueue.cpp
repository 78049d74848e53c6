// Queueing the send of a PLU (or the delete of an inactive one) with its nutrition and ingredients.
#include "db/plu/PluDefTb.h"

#include "db/plu/Document.h"
#include "db/text/DoubleByteText.h"
#include "db/site/LinkScaleSettings.h"
#include "db/store/ObjDatabase.h"
#include "db/plu/PluPriceZoneTb.h"

namespace varnel {
namespace {

constexpr std::uint16_t kNutritionTable = 9;
constexpr std::uint16_t kIngredientsTable = 78;
constexpr std::uint16_t kActiveInactiveField = 1053;
constexpr std::uint32_t kInactive = 1;
constexpr bool kShowResult = true;

CDBComTb* ScaleDataTable(const CPluDefTb& plus, std::uint16_t tableNo)
{
    CObjDatabase* database = plus.GetDatabase();
    return database ? dynamic_cast<CDBComTb*>(database->GetTable(tableNo)) : nullptr;
}

}  // namespace

void CPluDefTb::QueuePluSend(const CPluDefRec& row)
{
    const bool ausNz = IsAusNzNutrition(GetRoles().Setup());
    QueuePluSendEx(row, true, ausNz, ausNz);
}

void CPluDefTb::QueuePluSendEx(const CPluDefRec& row, bool plu, bool ingredients, bool nutrition)
{
    nutrition = nutrition || (plu && GetRoles().CanEditNutrition());
    const std::uint32_t number = row.GetKey();
    CDBComTb* nutritionTable = nutrition ? ScaleDataTable(*this, kNutritionTable) : nullptr;

    if (!IsPriceZoneField(GetRoles().Fields(), kActiveInactiveField)) {
        CDBComTb* ingredientTable = ingredients ? ScaleDataTable(*this, kIngredientsTable) : nullptr;
        const bool inactive = row.TestCtrlFlag(kInactive);
        for (CDBComTb* table : {plu ? static_cast<CDBComTb*>(this) : nullptr, nutritionTable, ingredientTable}) {
            if (!table) continue;
            // Deletes and sends of PLU numbers the nutrition and ingredient tables do not hold are refused.
            if (inactive) (void)table->QueueKeyDelete(number, kShowResult);
            else (void)table->QueueKeySend(number, kShowResult);
        }
        return;
    }

    // Each scale sends or deletes the PLU as its zone has it.
    const ISendQueue& sendQueue = GetRoles().sends;
    IDocument* document = sendQueue.GetDocument();
    CPluPriceZoneTb* zones = GetPriceZoneTable();
    if (!document) return;
    for (const CLinkScaleSettings* scale : sendQueue.GetLinkScales()) {
        PriceZoneEntries entries;
        if (zones) (void)zones->LoadZoneEntriesFromIndex(number, scale->m_priceZone, entries);
        const auto ctrlFlag =
            static_cast<std::uint32_t>(GetZoneValue(row, entries, kActiveInactiveField, scale->m_priceZone));
        const std::uint32_t kind = (ctrlFlag & kInactive) != 0 ? SendKeyDeletes : SendRecords;
        SendRequests requests;
        if (plu) requests.emplace_back(kind, kTableNo, number, number);
        if (nutritionTable) requests.emplace_back(kind, kNutritionTable, number, number);
        if (!requests.empty()) (void)document->SendDataToScale(IDocument::kDataType, kShowResult, requests, *scale);
    }
}

}  // namespace varnel
