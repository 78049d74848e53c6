// CPopMsgTb: the pop-up (POP) messages, kind 0, and the country-of-origin messages, kind 1: short
// escape-coded texts a PLU refers to by number. A row's data is 128 bytes: the label width (16 bits)
// and the text (at most 125 bytes and a 0 byte).
#pragma once

#include "scaledata/MessageRow.h"
#include "scaledata/ScaleDataTb.h"

#include <cstdint>
#include <string>

namespace varnel {

namespace popmsg_columns {
inline constexpr ColumnDef kColumns[] = {
    {"Message_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"LabelWidth", DaoShort, 2, 0, 0},
    {"MsgData", DaoText, 126, 2, 0},
};
}  // namespace popmsg_columns

class CPopMsgRec final : public CFixedScaleDataRow {
public:
    static constexpr std::size_t kSize = 128;
    static constexpr std::size_t kTextMax = 125;

    CPopMsgRec() : CFixedScaleDataRow(kSize) {}
    std::uint16_t GetLabelWidth() const;
    void SetLabelWidth(std::uint16_t width);
    std::string_view GetText() const;
    void SetText(std::string_view text);
};

class CPopMsgTb final : public CScaleDataRowTb<CPopMsgRec, popmsg_columns::kColumns> {
public:
    static constexpr std::uint32_t kPop = 0;
    static constexpr std::uint32_t kOrigin = 1;

    CPopMsgTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const ScaleDataRoles& roles, std::uint32_t kind);

    std::uint32_t GetKind() const { return m_kind; }
    CPopMsgRec* FindMessage(std::uint32_t number) const;
    // The text a family's scales take: 14 bytes for family 6, 80 for the others.
    static std::size_t GetPopMsgTextLimit(std::uint16_t family);

    // POP messages start at 7 while a family-0 scale is in use; else 1.
    std::uint32_t GetMinKey() const override;
    // 999; POP messages of market 10 stop at 99 while a scale of family 6, 10 or 12 is in use.
    std::uint32_t GetMaxKey() const override;

    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;
    bool DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    std::optional<std::string_view> GetDescText(const CDBRecord& record) const override;

private:
    // The families that take the kind at all: family 6 and 11 take only POP messages (an origin
    // message there would replace the POP message of its number).
    bool TakesKind(std::uint16_t family) const;

    std::uint32_t m_kind;
};

}  // namespace varnel
