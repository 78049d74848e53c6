// CFreeMsgNameTb: the names of the five free-message sets, rows 1 to 5 of 32 bytes each: the name as
// escape-coded text, ESC 'C' '0' and the name's characters. Families 9 and 11 show them.
#pragma once

#include "scaledata/MessageRow.h"
#include "scaledata/ScaleDataTb.h"

#include <cstdint>

namespace varnel {

namespace freemsgname_columns {
inline constexpr ColumnDef kColumns[] = {
    {"Message_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"MsgData", DaoText, 32, 0, 0},
};
}  // namespace freemsgname_columns

class CFreeMsgNameRec final : public CFixedScaleDataRow {
public:
    static constexpr std::size_t kSize = 32;
    static constexpr std::size_t kAreaMax = 31;

    CFreeMsgNameRec() : CFixedScaleDataRow(kSize) {}
    // The whole name area, codes and all.
    std::string_view GetArea() const;
    void SetArea(std::string_view area);
};

class CFreeMsgNameTb final : public CScaleDataRowTb<CFreeMsgNameRec, freemsgname_columns::kColumns> {
public:
    static constexpr std::uint16_t kTableNo = 77;

    using CScaleDataRowTb::CScaleDataRowTb;

    // The characters a family shows of a name: 15 for family 11, 16 for the others.
    static std::size_t GetFreeMsgNameLength(std::uint16_t family);
    // The name's characters after its opening code; the whole area when it opens with none.
    static std::string_view GetFreeMsgName(const CFreeMsgNameRec& row);
    CFreeMsgNameRec* FindName(std::uint32_t set) const;

    std::uint32_t GetMinKey() const override { return 1; }
    std::uint32_t GetMaxKey() const override { return 5; }

    // Families 9 and 11 only.
    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;
    bool DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    std::optional<std::string_view> GetDescText(const CDBRecord& record) const override;
};

}  // namespace varnel
