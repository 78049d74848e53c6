// DBFieldDef: one entry of a table's field catalogue, binding a database column to a fixed place in
// the table's rows.
#pragma once

#include <cstdint>
#include <string>

namespace varnel {

enum DaoType : std::uint16_t {
    DaoByte = 2,
    DaoShort = 3,
    DaoLong = 4,
    DaoDate = 8,
    DaoText = 10,
    DaoLongBinary = 11
};

struct DBFieldDef {
    // The offset that names the key of the record header instead of a place in the data area.
    static constexpr std::uint16_t kKeyOffset = 0xFFFF;

    std::int16_t m_ordinal = -1;  // the column's position in the open record set; -1 until found
    std::string m_name;
    std::uint16_t m_daoType = DaoLong;
    std::uint16_t m_size = 0;     // bytes in the row; texts include their terminator
    std::uint16_t m_offset = 0;   // in the row's data area, or kKeyOffset
    std::uint16_t m_fieldNo = 0;  // the number by which other parts address the field
};

// Copies a catalogue entry: ordinal, name, type, size, offset and field number.
inline void CopyFieldDef(DBFieldDef& to, const DBFieldDef& from) { to = from; }

}  // namespace varnel
