// CStoreSetupTb: the store settings table (table 71, "StoreInfo"), one row per store 1 to 9999 with
// its name and address as label text and its price master, printing and POS settings. Families 9 to
// 12 take them as comma-separated records: family 9 every setting, families 10 and 11 the texts and
// fifteen empty fields, family 12 the texts only.
#pragma once

#include "scaledata/ScaleDataTb.h"
#include "scaledata/StoreSetupRec.h"

#include <cstdint>

namespace varnel {

class CStoreSetupTb final : public CScaleDataRowTb<CStoreSetupRec, store_setup_columns::kColumns> {
public:
    static constexpr std::uint16_t kTableNo = 71;

    using CScaleDataRowTb::CScaleDataRowTb;

    CStoreSetupRec* FindStore(std::uint32_t number) const;

    std::uint32_t GetMinKey() const override { return 1; }
    std::uint32_t GetMaxKey() const override { return 9999; }

    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;
    // A received record: a field sent empty keeps the stored value.
    bool DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
};

}  // namespace varnel
