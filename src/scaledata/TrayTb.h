// CTrayTb: the tray table (table 53, "Tray"), one row per tray 1 to 9999. Only family 9 takes trays,
// as comma-separated records.
#pragma once

#include "scaledata/ScaleDataTb.h"
#include "scaledata/TrayRec.h"

#include <cstdint>

namespace varnel {

class CTrayTb final : public CScaleDataRowTb<CTrayRec, tray_columns::kColumns> {
public:
    static constexpr std::uint16_t kTableNo = 53;

    using CScaleDataRowTb::CScaleDataRowTb;

    CTrayRec* FindTray(std::uint32_t number) const;

    void CreateTableDef(MdbTableDef& definition) const override;
    std::uint32_t GetMinKey() const override { return 1; }
    std::uint32_t GetMaxKey() const override { return 9999; }

    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;
    bool DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordType10to12(const CLinkScaleSettings&, std::span<const std::uint8_t>) override { return false; }
};

}  // namespace varnel
