// CRuxPriceTb: one of the five price master tables ("RuxPrice1" to "RuxPrice5", numbers 87 to 91),
// each holding up to one extra price record of 132 bytes per PLU (RuxPriceLayout.h), keyed by the PLU
// number. The records are not sent by themselves: the PLU records of the comma-separated families carry
// them as their price parts (RuxPriceCsv.h), and a received part is stored or compared here.
#pragma once

#include "db/plu/PluCompare.h"
#include "db/plu/RuxPriceTables.h"
#include "db/store/ObjDBTable.h"
#include "scaledata/ScaleDataRoles.h"
#include "db/text/RecordFields.h"
#include "scaledata/MessageRow.h"
#include "scaledata/RuxPriceCsv.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace varnel {

class CPluDefRec;

class CRuxPriceRec final : public CFixedScaleDataRow {
public:
    CRuxPriceRec() : CFixedScaleDataRow(kRuxPriceRecordSize) {}
    std::span<std::uint8_t> Bytes() { return {GetData(), kRuxPriceRecordSize}; }
    std::span<const std::uint8_t> Bytes() const { return {CDBRecord::GetData(), kRuxPriceRecordSize}; }
};

// The site a part is written for or read from: the scale's family and tare format, the setup's
// market and tray switch, the POS code field's width.
RuxPriceSite RuxPriceSiteOf(const CGeneralSetup& setup, const CLabPropMap& definitions, const CLinkScaleSettings& scale);

class CRuxPriceTb final : public CObjDBTable {
public:
    static constexpr std::uint32_t kHighestKey = 99999999;
    static constexpr std::uint16_t kInUse = 1;

    CRuxPriceTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const ScaleDataRoles& roles);
    // The site the table reads and the queue it sends through, for the editors of its rows too.
    const ScaleDataRoles& GetRoles() const { return m_roles; }

    // 1 to 5.
    int GetPriceMasterNo() const;
    CRuxPriceRec* FindPrice(std::uint32_t pluNumber) const;

    // A PLU number the main frame allows: not 0, not above "Max. PLU No.", in no excluded range.
    bool IsKeyAllowed(std::uint32_t key) const override;
    // A zeroed record of 132 bytes.
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t size) override;
    void BindColumns() override;

    // The default record of a PLU: the register code and pack type of their fields' defaults, the POS
    // code the PLU number padded with '0' to its field's width, every numeric field its default; the
    // fields are those of the extra price field definitions given.
    static void InitRecord(const CLabPropMap& definitions, std::span<std::uint8_t> record, std::uint32_t pluNumber);
    // Takes the source's texts and every value of the price field map that differs into the target.
    // With `changed`: the texts only when one of them differs, and whether anything changed.
    static void MergeRecord(const CLabPropMap& definitions, std::span<const std::uint8_t> source,
                            std::span<std::uint8_t> target, bool* changed);

    // The price part of the PLU's record in use (price number above 0); false, writing nothing, when
    // the table holds none.
    bool WriteCsvFields(const CLinkScaleSettings& scale, std::uint32_t pluNumber, RecordFields& out) const;
    // Stores a received part: an absent one (34 commas) deletes the PLU's record; any other is read
    // over the PLU's default record and merged into its record, which is then in use. The position
    // moves past the part. False when the record could not be stored.
    bool StoreReceivedRecord(const CLinkScaleSettings& scale, std::uint32_t pluNumber, std::span<char> text,
                             std::size_t& position);
    // 0 the same, 1 only on the scale, 2 only in the database (in use), 3 different; the compare
    // lines go to `results`. The position moves past the part.
    int CompareReceivedRecord(const CLinkScaleSettings& scale, std::span<char> text, std::size_t& position,
                              IPluCompareResults& results, std::uint32_t pluNumber);
    // The PLU's record back to its defaults and not in use.
    void ResetRecord(std::uint32_t pluNumber);

private:
    // The site's extra price field definitions.
    const CLabPropMap& Definitions() const;

    ScaleDataRoles m_roles;
};

}  // namespace varnel
