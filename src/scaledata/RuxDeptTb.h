// CRuxDeptTb: the names of departments (kind 0) and groups (kind 1) as the comma-separated families'
// scales show them. A row's data is the name as escape-coded text, at most 61 bytes and a 0 byte.
#pragma once

#include "scaledata/MessageRow.h"
#include "scaledata/ScaleDataTb.h"

#include <cstdint>
#include <string>

namespace varnel {

namespace ruxdept_columns {
inline constexpr ColumnDef kColumns[] = {
    {"Message_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"MsgData", DaoText, 62, 0, 0},
};
}  // namespace ruxdept_columns

class CRuxDeptRec final : public CFixedScaleDataRow {
public:
    static constexpr std::size_t kSize = 64;
    static constexpr std::size_t kNameMax = 61;

    CRuxDeptRec() : CFixedScaleDataRow(kSize) {}
    std::string_view GetName() const;
    void SetName(std::string_view name);
    // The size the list stores: 1 and the name, rounded up to a multiple of 4.
    std::uint16_t CalcDataSize() const;
    std::uint16_t GetDataSize() const override { return CalcDataSize(); }
};

class CRuxDeptTb final : public CScaleDataRowTb<CRuxDeptRec, ruxdept_columns::kColumns> {
public:
    static constexpr std::uint32_t kDepartments = 0;
    static constexpr std::uint32_t kGroups = 1;

    CRuxDeptTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const ScaleDataRoles& roles, std::uint32_t kind);

    std::uint32_t GetKind() const { return m_kind; }
    CRuxDeptRec* FindName(std::uint32_t number) const;

    std::uint32_t GetMinKey() const override { return 1; }
    std::uint32_t GetMaxKey() const override { return 9999; }

    // Families 9 to 12 only; the name at most 28 bytes.
    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;
    bool DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;

    std::optional<std::string_view> GetDescText(const CDBRecord& record) const override;
    // The name after its 3-byte opening code, in the code's font; empty when the name does not open
    // with three bytes that are not 0.
    std::size_t GetDescLine(const CDBRecord& record, std::size_t position, std::size_t maxLength,
                            DescLine& line, const CharRule& chars) const override;
    std::size_t CountDescLines(const CDBRecord&) const override { return 1; }

private:
    std::uint32_t m_kind;
};

}  // namespace varnel
