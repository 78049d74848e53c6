#include "scaledata/ScaleDataCompanions.h"

#include "db/plu/RuxPriceRecord.h"
#include "db/store/ObjDatabase.h"
#include "scaledata/ExMsgTb.h"
#include "scaledata/MessageRules.h"
#include "scaledata/NutritionTb.h"
#include "scaledata/RuxPriceTb.h"

#include <algorithm>

namespace varnel {

std::optional<std::string_view> CScaleDataCompanions::GetExMessageText(std::uint32_t number) const
{
    return TextOf(MsgKindToTableId(MsgExtra), number);
}

std::optional<std::string_view> CScaleDataCompanions::GetIngredientsText(std::uint32_t pluNumber) const
{
    return TextOf(MsgKindToTableId(MsgIngredients), pluNumber);
}

bool CScaleDataCompanions::HasNutritionRecord(std::uint32_t pluNumber) const
{
    const CObjDBTable* table = m_database.GetTable(CNutritionTb::kTableNo);
    return table && table->FindRecord(pluNumber);
}

std::string CScaleDataCompanions::GetNutritionPanelText(std::uint16_t family, std::uint32_t pluNumber) const
{
    const auto* table = dynamic_cast<const CNutritionTb*>(m_database.GetTable(CNutritionTb::kTableNo));
    return table ? table->GetPanelText(family, pluNumber) : std::string{};
}

std::size_t CScaleDataCompanions::WriteExtraPriceFields(int table, const CLinkScaleSettings& scale,
                                                        std::uint32_t pluNumber, std::span<std::uint8_t> out) const
{
    const CRuxPriceTb* prices = PriceTable(table);
    RecordFields fields(out);
    if (!prices || !prices->WriteCsvFields(scale, pluNumber, fields) || !fields.Ok()) return 0;
    return fields.Position();
}

bool CScaleDataCompanions::StoreReceivedBlock(int table, const CLinkScaleSettings& scale, std::uint32_t pluNumber,
                                              std::span<char> text, std::size_t& position)
{
    CRuxPriceTb* prices = PriceTable(table);
    return prices && prices->StoreReceivedRecord(scale, pluNumber, text, position);
}

int CScaleDataCompanions::CompareReceivedBlock(int table, const CLinkScaleSettings& scale, std::uint32_t pluNumber,
                                               std::span<char> text, std::size_t& position,
                                               IPluCompareResults& results)
{
    CRuxPriceTb* prices = PriceTable(table);
    return prices ? prices->CompareReceivedRecord(scale, text, position, results, pluNumber) : 0;
}

std::optional<RuxPriceRecordBytes> CScaleDataCompanions::FindRecord(int table, std::uint32_t pluNumber) const
{
    const CRuxPriceTb* prices = PriceTable(table);
    const CRuxPriceRec* row = prices ? prices->FindPrice(pluNumber) : nullptr;
    if (!row) return std::nullopt;
    RuxPriceRecordBytes record{};
    std::ranges::copy(row->Bytes(), record.begin());
    return record;
}

void CScaleDataCompanions::ResetRecord(int table, std::uint32_t pluNumber)
{
    if (CRuxPriceTb* prices = PriceTable(table)) prices->ResetRecord(pluNumber);
}

CRuxPriceTb* CScaleDataCompanions::PriceTable(int table) const
{
    if (table < 1 || table > kRuxPriceTableCount) return nullptr;
    return dynamic_cast<CRuxPriceTb*>(m_database.GetTable(static_cast<std::uint16_t>(kFirstRuxPriceTable + table - 1)));
}

std::optional<std::string_view> CScaleDataCompanions::TextOf(std::uint16_t tableNo, std::uint32_t key) const
{
    const auto* table = dynamic_cast<const CExMsgTb*>(m_database.GetTable(tableNo));
    const CExMsgRec* row = table ? table->FindMessage(key) : nullptr;
    return row ? std::optional(row->GetText()) : std::nullopt;
}

}  // namespace varnel
