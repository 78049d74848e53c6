// CScrollMsgTb: the advertising message table (table 3, "ScrollMsg"), nine messages for the scales'
// customer displays in the records of each family (ScrollMsgRecords.h): text records for families
// 0 to 5, binary ones for family 8, comma-separated ones for families 10 to 12; families 6, 7 and 9
// take none. Received records are read back by family, and family 8's from the file link; Data Save
// files carry them as section type 6.
#pragma once

#include "scaledata/ScaleDataTb.h"
#include "scaledata/ScrollMsgRec.h"

#include <cstdint>

namespace varnel {

struct ScrollRecordSite;
enum class ScrollForm : std::uint8_t;

class CScrollMsgTb final : public CScaleDataRowTb<CScrollMsgRec, scroll_columns::kColumns> {
public:
    static constexpr std::uint16_t kTableNo = 3;
    static constexpr std::uint32_t kMessages = 9;

    using CScaleDataRowTb::CScaleDataRowTb;

    CScrollMsgRec* FindMessage(std::uint32_t number) const;

    std::uint32_t GetMinKey() const override { return 1; }
    std::uint32_t GetMaxKey() const override { return kMessages; }

    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;

    // Family 9 and family 2 send none back.
    bool DecodeRecordType9(const CLinkScaleSettings&, std::span<const std::uint8_t>) override { return false; }
    bool DecodeRecordType10to12(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordType2(const CLinkScaleSettings&, std::span<const std::uint8_t>) override { return false; }
    bool DecodeRecordOther(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    // Family 8's binary records only.
    bool DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data) override;

    // Data Save records (type 6). A message the table holds changes only while the load overwrites
    // existing records.
    std::size_t EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer) override;
    bool DecodeItemRecord(std::span<const std::uint8_t> record) override;
    bool HasItemRecords() const override { return true; }

private:
    // Stores what a record holds under its number; false for a number that cannot be read or lies
    // outside 1 to 9, unless `skipOutside` makes that a skip (true).
    bool StoreReceived(ScrollForm form, const ScrollRecordSite& site, std::span<const std::uint8_t> data,
                       bool skipOutside, bool keepExisting);
};

}  // namespace varnel
