// CNutritionTb: the nutrition table (table 9), one row per PLU keyed by its number, in the panel or
// the standard layout (NutritionRows.h) as the Australia/New Zealand nutrition test chooses. Its rows
// go to the scales with their PLUs, as panels (NutritionPanel.h), standard or custom records
// (NutritionRecords.h) by family and market, come back from them, and pass through the file link and
// Data Save files.
#pragma once

#include "scaledata/ScaleDataTb.h"
#include "scaledata/NutritionRows.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace varnel {

class CNutritionTb final : public CScaleDataTb {
public:
    static constexpr std::uint16_t kTableNo = 9;
    static constexpr std::uint32_t kHighestKey = 999999;

    using CScaleDataTb::CScaleDataTb;

    // The layout new rows take: the panel under the Australia/New Zealand nutrition test.
    bool IsPanelLayout() const;
    CNutritionRowBase* FindNutrition(std::uint32_t key) const;

    // The wanted number when no row has it; else the lowest n from 1 whose row in key order is not
    // keyed n.
    std::uint32_t GetFreeNumber(std::uint32_t wanted) const;
    // Deletes at the scales, at once: the rows of the range that exist (one request each), or every
    // nutrition record. True when the send succeeded.
    bool QueueDeleteRange(std::uint32_t from, std::uint32_t to);
    bool QueueDeleteAll(bool showResult);

    // The panel of the PLU's row for the family, after its prefix (the lines only); empty when the
    // PLU has no panel row.
    std::string GetPanelText(std::uint16_t family, std::uint32_t key) const;

    // A row of at most 512 bytes in the layout of the current test.
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t size) override;
    void BindColumns() override;
    std::uint32_t GetMinKey() const override { return 1; }
    std::uint32_t GetMaxKey() const override { return kHighestKey; }

    // Without standard or custom nutrition in use these queue nothing and succeed.
    bool QueueKeyDelete(std::uint32_t key, bool showResult) override;
    bool QueueKeySend(std::uint32_t key, bool showResult) override;
    bool QueueRangeSend(std::uint32_t from, std::uint32_t to, bool showResult) override;

    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    // Families 2, 3 and 7 get an empty key record, which counts as made.
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;

    // A received key outside 1 to 999999 is passed over with success; an unreadable one fails.
    bool DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordType2(const CLinkScaleSettings&, std::span<const std::uint8_t>) override { return false; }
    bool DecodeRecordOther(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;

    // The file link's records: a 6-digit key, then the panel or the standard body.
    bool DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data) override;
    bool EncodeLumenRecord(std::uint16_t family, std::uint32_t key, std::span<std::uint8_t> buffer,
                           std::uint16_t& length) override;

    // Data Save records (type 9) of standard rows: 89 bytes. A row the table holds is changed only
    // while the load overwrites existing records.
    std::size_t EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer) override;
    bool DecodeItemRecord(std::span<const std::uint8_t> record) override;
    bool HasItemRecords() const override { return true; }

private:
    // Whether the PLU of the key is kept off the scales by the active/inactive function.
    bool IsHeldBack(std::uint32_t key) const;
    // Reads the binary forms after their key: the panel, the custom body or the standard record.
    bool DecodeBinary(std::uint32_t key, std::span<const std::uint8_t> body, std::span<const std::uint8_t> record,
                      bool file);
    bool DecodeCsv(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data);
    // Stores the row of the key as `fill` changes it (a new one from the table's defaults): false
    // when the row is of the other layout or cannot be stored.
    bool StoreStandard(std::uint32_t key, const std::function<void(CNutritionRec&)>& fill, bool keepExisting = false);
    bool StorePanel(std::uint32_t key, const PanelNutrition& panel);
};

}  // namespace varnel
