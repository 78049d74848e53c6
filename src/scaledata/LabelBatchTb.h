// CLabelBatchTb: the label batch table (table 34, "LabelBatch"), one named list of PLUs and label
// counts a row. Families 6, 8, 10 and 12 take a batch as one record of 99 line slots of 12 bytes
// after its header (lines past the batch's last are zero):
//
//   family  code  line slot
//   6, 8    40    PLU BCD 8, its digit count (16 bits, host order), quantity BCD 8, its digit count
//   10      1025  PLU digits from the left in BCD 8 (an odd count led by a 0), 0, the digit count,
//                 the quantity likewise
//   12      1025  PLU BCD 8, 0, 8, quantity BCD 4, 0 0, 0, 4
//
// The record names no batch: a batch that a family 6 or 8 scale sends back becomes batch 1, its slots
// read in family 10's form. A PLU or quantity wider than its field refuses the record.
#pragma once

#include "scaledata/LabelBatchRec.h"
#include "scaledata/ScaleDataTb.h"

#include <cstdint>
#include <memory>

namespace varnel {

class CLabelBatchTb final : public CScaleDataTb {
public:
    static constexpr std::uint16_t kTableNo = 34;
    static constexpr std::uint32_t kReceivedBatch = 1;

    using CScaleDataTb::CScaleDataTb;

    CLabelBatchRec* FindBatch(std::uint32_t number) const;
    // The families that print batches: 6, 8, 10 and 12.
    static constexpr bool TakesFamily(std::uint16_t family)
    {
        return family == 6 || family == 8 || family == 10 || family == 12;
    }

    // A zeroed row of at most 824 bytes.
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t size) override;
    void BindColumns() override;
    std::uint32_t GetMinKey() const override { return 1; }
    std::uint32_t GetMaxKey() const override { return 9999; }

    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;
    // At least the 99 slots; the batch's lines are replaced by those read.
    bool DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
};

}  // namespace varnel
