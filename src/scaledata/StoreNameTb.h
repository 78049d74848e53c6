// CStoreNameTb: the store name table (table 7, "Store"), one store's name and address a row, keyed by
// the store number up to "Max. Store No.". Families 0 to 5 take stores 1 to 10 as text records,
// families 6 and 8 every store in blocks of line-coded text; the file link of families 6 to 8 and Data
// Save files carry them too (StoreNameRecords.h). Families 7 and 9 to 12 take none.
#pragma once

#include "scaledata/ScaleDataTb.h"
#include "scaledata/StoreNameRec.h"

#include <cstdint>

namespace varnel {

struct StoreRecordSite;
enum class StoreForm : std::uint8_t;

class CStoreNameTb final : public CScaleDataRowTb<CStoreNameRec, store_name_columns::kColumns> {
public:
    static constexpr std::uint16_t kTableNo = 7;
    // The stores that families 0 to 5 hold.
    static constexpr std::uint32_t kTextFamilyStores = 10;

    using CScaleDataRowTb::CScaleDataRowTb;

    CStoreNameRec* FindStore(std::uint32_t number) const;

    void CreateTableDef(MdbTableDef& definition) const override;
    std::uint32_t GetMinKey() const override { return 1; }
    // "Max. Store No."
    std::uint32_t GetMaxKey() const override;

    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;
    bool DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;

    // The file link's records: the blocks of families 6 and 8, family 7's record.
    bool DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data) override;
    bool EncodeLumenRecord(std::uint16_t family, std::uint32_t key, std::span<std::uint8_t> buffer,
                           std::uint16_t& length) override;

    // Data Save records (type 3). A store the table holds changes only while the load overwrites
    // existing records.
    std::size_t EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer) override;
    bool DecodeItemRecord(std::span<const std::uint8_t> record) override;
    bool HasItemRecords() const override { return true; }

private:
    // Stores what a record of the form holds under its number: skipped (true) outside the table's
    // numbers, false when no number can be read.
    bool StoreReceived(StoreForm form, const StoreRecordSite& site, std::span<const std::uint8_t> data,
                       bool keepExisting);
};

}  // namespace varnel
