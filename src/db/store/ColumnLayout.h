// The columns of a fixed-layout row as data: each column's name, type, size, place in the row's
// data and field number. One table per row kind drives the catalogue (BindColumns), access by field
// number and typed access from code, whose column handles are looked up in the table when compiling.
// Integers are little-endian; texts are zero-terminated within their width.
#pragma once

#include "db/store/DBFieldDef.h"
#include "platform/ByteOrder.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

namespace varnel {

struct ColumnDef {
    std::string_view name;
    std::uint16_t daoType;
    std::uint16_t size;    // bytes; texts include their terminator
    std::uint16_t offset;  // in the row's data, or DBFieldDef::kKeyOffset for the key
    std::uint16_t fieldNo; // 0 for a column that has none
};

// Handles of single columns, by type.
struct LongColumn { std::uint16_t offset; };   // signed 32 bits
struct ShortColumn { std::uint16_t offset; };  // 16 bits, read unsigned
struct ByteColumn { std::uint16_t offset; };   // unsigned 8 bits
struct TextColumn { std::uint16_t offset; std::uint16_t size; };

// Compile-time lookups: a name that is missing or of another type fails the build.
template <std::size_t N>
constexpr const ColumnDef& FindColumn(const ColumnDef (&columns)[N], std::string_view name)
{
    for (const ColumnDef& column : columns)
        if (column.name == name) return column;
    throw std::logic_error("no such column");
}

constexpr LongColumn AsLong(const ColumnDef& c)
{
    if (c.daoType != DaoLong || c.offset == DBFieldDef::kKeyOffset) throw std::logic_error("not a long column");
    return {c.offset};
}
constexpr ShortColumn AsShort(const ColumnDef& c)
{
    if (c.daoType != DaoShort) throw std::logic_error("not a short column");
    return {c.offset};
}
constexpr ByteColumn AsByte(const ColumnDef& c)
{
    if (c.daoType != DaoByte) throw std::logic_error("not a byte column");
    return {c.offset};
}
constexpr TextColumn AsText(const ColumnDef& c)
{
    if (c.daoType != DaoText && c.daoType != DaoLongBinary) throw std::logic_error("not a text column");
    return {c.offset, c.size};
}

// Typed access to the data of a row that holds the columns.
inline std::int32_t ReadColumn(std::span<const std::uint8_t> data, LongColumn c)
{
    assert(c.offset + 4u <= data.size());
    return static_cast<std::int32_t>(LoadLe32(data.data() + c.offset));
}
inline std::uint16_t ReadColumn(std::span<const std::uint8_t> data, ShortColumn c)
{
    assert(c.offset + 2u <= data.size());
    return LoadLe16(data.data() + c.offset);
}
inline std::uint8_t ReadColumn(std::span<const std::uint8_t> data, ByteColumn c)
{
    assert(c.offset < data.size());
    return data[c.offset];
}
// The text before its terminator; a text that fills its width without one ends at the width. A text
// that ends the row may be kept at its length: the data then ends before its width does.
inline std::string_view ReadColumn(std::span<const std::uint8_t> data, TextColumn c)
{
    if (c.offset >= data.size()) return {};
    const auto* chars = reinterpret_cast<const char*>(data.data() + c.offset);
    const std::size_t width = std::min<std::size_t>(c.size - 1u, data.size() - c.offset);
    return {chars, static_cast<std::size_t>(std::find(chars, chars + width, '\0') - chars)};
}

inline void WriteColumn(std::span<std::uint8_t> data, LongColumn c, std::int32_t value)
{
    assert(c.offset + 4u <= data.size());
    StoreLe32(data.data() + c.offset, static_cast<std::uint32_t>(value));
}
inline void WriteColumn(std::span<std::uint8_t> data, ShortColumn c, std::uint16_t value)
{
    assert(c.offset + 2u <= data.size());
    StoreLe16(data.data() + c.offset, value);
}
inline void WriteColumn(std::span<std::uint8_t> data, ByteColumn c, std::uint8_t value)
{
    assert(c.offset < data.size());
    data[c.offset] = value;
}
// At most size - 1 bytes of the text (up to a 0 byte in it); the rest of the width is zeroed.
inline void WriteColumn(std::span<std::uint8_t> data, TextColumn c, std::string_view text)
{
    assert(c.offset + std::size_t{c.size} <= data.size());
    const std::size_t length = std::min<std::size_t>({text.size(), c.size - 1u, text.find('\0')});
    std::uint8_t* p = data.data() + c.offset;
    std::copy_n(text.data(), length, p);
    std::fill(p + length, p + c.size, std::uint8_t{0});
}

// Numeric access by column definition: bytes and shorts unsigned, longs signed; a value written is
// cut to the column's width. False (and 0) for a column that is not numeric or lies outside the data.
bool ReadNumber(std::span<const std::uint8_t> data, const ColumnDef& column, std::int32_t& value);
bool WriteNumber(std::span<std::uint8_t> data, const ColumnDef& column, std::int32_t value);

}  // namespace varnel
