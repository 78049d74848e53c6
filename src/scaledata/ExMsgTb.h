// CExMsgTb: a message table (coupons, extra messages and their second and third sets, comments, the
// five free-message sets, ingredients), told apart by its message kind (MessageRules.h). Its rows
// go to the scales in the record of each family (MessageEncoding.h), come back from them, and pass
// through the file link and Data Save files (the extra messages and coupons).
#pragma once

#include "scaledata/ExMsgRec.h"
#include "scaledata/MessageRules.h"
#include "scaledata/ScaleDataTb.h"

#include <cstdint>
#include <memory>
#include <string>

namespace varnel {

struct ReceivedMessage;

class CExMsgTb final : public CScaleDataTb {
public:
    CExMsgTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const ScaleDataRoles& roles,
             std::uint32_t kind);

    std::uint32_t GetKind() const { return m_kind; }
    CExMsgRec* FindMessage(std::uint32_t number) const;

    // A row of at most 2168 bytes.
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t size) override;
    void BindColumns() override;
    void CreateTableDef(MdbTableDef& definition) const override;

    // 1 for coupons; 7 while the default family is 2 or 3; else 1.
    std::uint32_t GetMinKey() const override;
    std::uint32_t GetMaxKey() const override;

    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;

    bool DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    // Family 2 sends no messages back: refused.
    bool DecodeRecordType2(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordOther(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;

    // The file link's records (families 6 to 8).
    bool DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data) override;
    bool EncodeLumenRecord(std::uint16_t family, std::uint32_t key, std::span<std::uint8_t> buffer,
                           std::uint16_t& length) override;

    // Data Save records. A record of a number the table holds changes it only while the load
    // overwrites existing records.
    std::size_t EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer) override;
    bool DecodeItemRecord(std::span<const std::uint8_t> record) override;
    bool HasItemRecords() const override { return true; }

    std::optional<std::string_view> GetDescText(const CDBRecord& record) const override;

private:
    // A coupon of the number of an inactive PLU stays off the scales as that PLU does.
    bool IsHeldBack(std::uint32_t number) const;
    // Stores a received text under its number: skipped (true) outside the table's numbers.
    bool StoreReceived(const std::optional<ReceivedMessage>& received, std::uint16_t labelWidth, bool keepExisting);
    bool DecodeReceived(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data,
                        std::uint16_t labelWidth);
    // The label width of a received coupon: 20 outside markets 5 and 10 (and, from text records,
    // AU/NZ nutrition); else the general setup's for PLU 1.
    std::uint16_t ReceivedLabelWidth(bool narrowCoupons) const;
    // The site of the Data Save records, which belong to no scale.
    MessageSite DataSaveSite() const;

    std::uint32_t m_kind;
};

}  // namespace varnel
