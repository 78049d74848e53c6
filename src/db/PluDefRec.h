// CPluDefRec: one row of the PLU table. Its data is a fixed room laid out as PluLayout.h says, zeroed
// when the row is made; typed access goes through the column handles of PluCol and, by field number,
// through PluFieldAccess.h.
#pragma once

#include "db/DBRecord.h"
#include "db/DescText.h"
#include "db/PluLayout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace varnel {

class CLabProp;

class CPluDefRec : public CDBRecord {
public:
    std::uint8_t* GetData() override { return m_data.data(); }
    std::size_t GetDataRoom() const override { return m_data.size(); }
    std::uint16_t GetDataSize() const override { return CalcDataSize(); }
    // A new PLU: every fixed byte from its defaults (see PluRowRules.cpp) and an empty description.
    void InitNew(std::uint32_t pluNumber) override;

    std::span<std::uint8_t> Bytes() { return m_data; }
    std::span<const std::uint8_t> Bytes() const { return m_data; }

    std::int32_t Get(LongColumn c) const { return ReadColumn(m_data, c); }
    std::uint16_t Get(ShortColumn c) const { return ReadColumn(m_data, c); }
    std::uint8_t Get(ByteColumn c) const { return ReadColumn(m_data, c); }
    std::string_view Get(TextColumn c) const { return ReadColumn(m_data, c); }
    void Set(LongColumn c, std::int32_t value) { WriteColumn(m_data, c, value); }
    void Set(ShortColumn c, std::uint16_t value) { WriteColumn(m_data, c, value); }
    void Set(ByteColumn c, std::uint8_t value) { WriteColumn(m_data, c, value); }
    void Set(TextColumn c, std::string_view text) { WriteColumn(m_data, c, text); }

    // The escape-coded description: at most 2050 bytes.
    std::string_view GetDesc() const { return Get(PluCol::Desc); }
    // Stores at most 2050 bytes of whole characters.
    void SetDesc(std::string_view desc);

    // 261 + the description's length, rounded up to a multiple of 4.
    std::uint16_t CalcDataSize() const;
    // The line at `position` of the description (DescText.h).
    std::size_t GetDescLine(std::size_t position, std::size_t maxLength, DescLine& line) const
    {
        return varnel::GetDescLine(GetDesc(), position, maxLength, line);
    }
    std::size_t CountFontChanges() const { return CountDescLines(GetDesc()); }
    // `Name` from the first line of the description, at most 29 bytes.
    void SetNameFromDesc();

    std::uint16_t GetDept() const { return Get(PluCol::Dept); }
    // Group + Dept x 10 to the power of the display width of field 1015 "Group" (just Group + Dept
    // when that definition is missing or its width is below 1).
    std::uint64_t GetDeptGroupCode() const;
    // Kind 16: whether the department-and-group code lies in low..high; any other kind: true.
    bool MatchesFilter(std::uint16_t kind, std::uint32_t low, std::uint32_t high) const;

    bool TestCtrlFlag(std::uint32_t mask) const;
    void SetCtrlFlag(std::uint32_t mask, bool on);
    // The general setup's switch for it is on and CtrlFlag has both bits 1 and 2 set.
    bool IsCtrlFlagPairSet() const;

    // Sets the field to its default when its value is not allowed by the definition.
    void FixFieldValue(const CLabProp& definition);
    // Repairs a row read from a file or a scale (see PluRowRules.cpp).
    void Normalize();
    // Appends the PLU to the PLU update log, when that log is on.
    void WriteToPluUpdateLog() const;

private:
    std::array<std::uint8_t, kPluDataRoom> m_data{};
};

}  // namespace varnel
