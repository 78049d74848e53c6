// What the PLU records read of this subsystem's tables: the extra-message and ingredient texts, the
// nutrition panels and the price parts of the five price master tables, which also take the price
// parts of received PLU records and compare them with the database.
#pragma once

#include "db/plu/PluCompanionData.h"
#include "db/plu/RuxPriceTables.h"

#include <cstdint>

namespace varnel {

class CObjDatabase;
class CRuxPriceTb;

class CScaleDataCompanions final : public IPluCompanionData, public IRuxPriceTables {
public:
    explicit CScaleDataCompanions(const CObjDatabase& database) : m_database(database) {}

    std::optional<std::string_view> GetExMessageText(std::uint32_t number) const override;
    std::optional<std::string_view> GetIngredientsText(std::uint32_t pluNumber) const override;
    bool HasNutritionRecord(std::uint32_t pluNumber) const override;
    std::string GetNutritionPanelText(std::uint16_t family, std::uint32_t pluNumber) const override;
    std::size_t WriteExtraPriceFields(int table, const CLinkScaleSettings& scale, std::uint32_t pluNumber,
                                      std::span<std::uint8_t> out) const override;

    bool StoreReceivedBlock(int table, const CLinkScaleSettings& scale, std::uint32_t pluNumber, std::span<char> text,
                            std::size_t& position) override;
    int CompareReceivedBlock(int table, const CLinkScaleSettings& scale, std::uint32_t pluNumber, std::span<char> text,
                             std::size_t& position, IPluCompareResults& results) override;
    std::optional<RuxPriceRecordBytes> FindRecord(int table, std::uint32_t pluNumber) const override;
    void ResetRecord(int table, std::uint32_t pluNumber) override;

private:
    // Price master table 1 to 5; null for another number or a database without it.
    CRuxPriceTb* PriceTable(int table) const;
    std::optional<std::string_view> TextOf(std::uint16_t tableNo, std::uint32_t key) const;

    const CObjDatabase& m_database;
};

}  // namespace varnel
