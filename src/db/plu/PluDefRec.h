// CPluDefRec: one row of the PLU table. Its data is laid out as PluLayout.h says, zeroed when the row
// is made, and holds what the row uses: the fixed part and the description at its length, growing and
// shrinking with it (which moves the data), so a copy copies only that; typed access goes through the
// column handles of PluCol and, by field number, through PluFieldAccess.h.
#pragma once

#include "db/store/DBRecord.h"
#include "db/store/RowData.h"
#include "db/text/DescText.h"
#include "db/plu/PluLayout.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnel {

class CLabProp;
class FieldDefSet;
struct CGeneralSetup;

class CPluDefRec : public CDBRecord, public ArenaRow {
public:
    // A row of `room` zeroed data bytes (at least the fixed part's), as a file's row of that length needs.
    explicit CPluDefRec(std::size_t room = kPluEmptyDescRoom) : m_data(std::max(room, kPluEmptyDescRoom)) {}
    // A row of the data bytes read from a file (zeros after them up to the fixed part's room), kept
    // in the load's arena (as the row itself may be: `new (arena) CPluDefRec(bytes, arena)`).
    CPluDefRec(std::span<const std::uint8_t> bytes, RowArena& arena)
        : m_data(bytes, std::max(bytes.size(), kPluEmptyDescRoom), arena)
    {
    }

    std::uint8_t* GetData() override { return m_data.data(); }
    std::size_t GetDataRoom() const override { return m_data.size(); }
    bool ReserveData(std::size_t bytes) override;
    std::size_t GetDataLimit() const override { return kPluDataRoom; }
    void FitData() override;
    std::uint16_t GetDataSize() const override { return CalcDataSize(); }

    std::span<std::uint8_t> Bytes() { return m_data; }
    // The other row's data, header left alone.
    void CopyDataFrom(const CPluDefRec& other) { m_data = other.m_data; }
    std::span<const std::uint8_t> Bytes() const { return m_data; }

    std::int32_t Get(LongColumn c) const { return ReadColumn(m_data, c); }
    std::uint16_t Get(ShortColumn c) const { return ReadColumn(m_data, c); }
    std::uint8_t Get(ByteColumn c) const { return ReadColumn(m_data, c); }
    std::string_view Get(TextColumn c) const { return ReadColumn(m_data, c); }
    void Set(LongColumn c, std::int32_t value) { WriteColumn(m_data, c, value); }
    void Set(ShortColumn c, std::uint16_t value) { WriteColumn(m_data, c, value); }
    void Set(ByteColumn c, std::uint8_t value) { WriteColumn(m_data, c, value); }
    // The description (the text that ends the row) resizes the row to fit it.
    void Set(TextColumn c, std::string_view text);

    // The escape-coded description: at most 2050 bytes.
    std::string_view GetDesc() const { return Get(PluCol::Desc); }
    // Stores at most 2050 bytes of whole characters.
    void SetDesc(std::string_view desc, const CharRule& chars);

    // 261 + the description's length, rounded up to a multiple of 4.
    std::uint16_t CalcDataSize() const;
    // The line at `position` of the description (DescText.h).
    std::size_t GetDescLine(std::size_t position, std::size_t maxLength, DescLine& line, const CharRule& chars) const
    {
        return varnel::GetDescLine(GetDesc(), position, maxLength, line, chars);
    }
    // The same line's text and font alone.
    std::size_t GetDescLineFont(std::size_t position, std::size_t maxLength, std::string& text, char& font,
                                const CharRule& chars) const
    {
        DescLine line;
        const std::size_t next = GetDescLine(position, maxLength, line, chars);
        text = std::move(line.text);
        font = line.font;
        return next;
    }
    std::size_t CountFontChanges() const { return CountDescLines(GetDesc()); }
    // `Name` from the first line of the description, at most 29 bytes.
    void SetNameFromDesc(const CharRule& chars);

    std::uint16_t GetDept() const { return Get(PluCol::Dept); }
    // Group + Dept x 10 to the power of the display width of field 1015 "Group" in the PLU map of
    // `fields` (just Group + Dept when that definition is missing or its width is below 1).
    std::uint64_t GetDeptGroupCode(const FieldDefSet& fields) const;
    // Kind 16: whether the department-and-group code lies in low..high; any other kind: true.
    bool MatchesFilter(std::uint16_t kind, std::uint32_t low, std::uint32_t high, const FieldDefSet& fields) const;

    bool TestCtrlFlag(std::uint32_t mask) const;
    void SetCtrlFlag(std::uint32_t mask, bool on);
    // The setup's switch for it is on and CtrlFlag has both bits 1 and 2 set.
    bool IsCtrlFlagPairSet(const CGeneralSetup& setup) const;

    // Sets the field to its default when its value is not allowed by the definition.
    void FixFieldValue(const CLabProp& definition);
    // Repairs a row read from a file or a scale under that setup and those field definitions (see
    // PluRowRules.cpp).
    void Normalize(const CGeneralSetup& setup, const FieldDefSet& fields);
    // Appends the PLU to the PLU update log, when that log is on.
    void WriteToPluUpdateLog() const;

private:
    RowData m_data;
};

// Makes `plu` a new PLU of that number: every fixed byte from its defaults under that setup and those
// field definitions (see PluRowRules.cpp) and an empty description.
void InitPluDataDefaults(std::uint32_t pluNumber, CPluDefRec& plu, const CGeneralSetup& setup,
                         const FieldDefSet& fields);

}  // namespace varnel
