// CShortMsgTb: the storage temperature (kind 12) and storage instruction (kind 13) texts. They go to
// the scales in the message records (MessageEncoding.h), in the slot the general setup assigns them.
// A row's data is 288 bytes: the label width (16 bits, new rows 60), the list name (31 bytes), a 0
// byte and the text (at most 253 bytes and a 0 byte).
#pragma once

#include "db/site/TextRules.h"
#include "scaledata/MessageRow.h"
#include "scaledata/ScaleDataTb.h"

#include <cstdint>
#include <string>

namespace varnel {

namespace shortmsg_columns {
inline constexpr ColumnDef kColumns[] = {
    {"Message_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"LabelWidth", DaoShort, 2, 0, 0},
    {"Name", DaoText, 31, 2, 0},
    {"MsgData", DaoLongBinary, 254, 34, 0},
};
}  // namespace shortmsg_columns

class CShortMsgRec final : public CFixedScaleDataRow {
public:
    static constexpr std::size_t kSize = 288;
    static constexpr std::size_t kTextMax = 253;
    static constexpr std::size_t kNameMax = 30;

    CShortMsgRec();
    std::uint16_t GetLabelWidth() const;
    void SetLabelWidth(std::uint16_t width);
    std::string_view GetName() const;
    void SetName(std::string_view name);
    std::string_view GetText() const;
    void SetText(std::string_view text);
    void MakeNameFromText(const CharRule& chars);
    // The size the editors store: 35 and the text, rounded up to a multiple of 4.
    std::uint16_t CalcDataSize() const;
};

class CShortMsgTb final : public CScaleDataRowTb<CShortMsgRec, shortmsg_columns::kColumns> {
public:
    CShortMsgTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const ScaleDataRoles& roles,
                std::uint32_t kind);

    std::uint32_t GetKind() const { return m_kind; }
    CShortMsgRec* FindMessage(std::uint32_t number) const;

    std::uint32_t GetMinKey() const override { return 1; }
    std::uint32_t GetMaxKey() const override { return 99; }

    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;
    bool DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordOther(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    std::optional<std::string_view> GetDescText(const CDBRecord& record) const override;

private:
    bool DecodeReceived(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data);

    std::uint32_t m_kind;
};

}  // namespace varnel
