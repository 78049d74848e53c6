// The record kind (RecordLayout.h) of a table whose scale records carry the columns of one row: a
// writer reads the row and its key, a reader fills a row and takes the key back. A refused field is
// named by its column's catalogue name.
#pragma once

#include "db/records/RecordLayout.h"
#include "db/store/ColumnLayout.h"
#include "scaledata/ReceivedRows.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>
#include <string_view>

namespace varnel {

template <class Row, class SiteT>
struct RowRecordSource {
    const SiteT& site;
    std::uint32_t key;
    const Row& row;
};

template <class Row, class SiteT>
struct RowRecordTarget {
    const SiteT& site;
    std::optional<std::uint32_t>& key;
    Row& row;
};

// What a record kind reads and writes of a row, and its key as a computed field; a kind adds how it
// names a column.
template <class Row, class SiteT>
struct RowRecordAccess {
    using Source = RowRecordSource<Row, SiteT>;
    using Target = RowRecordTarget<Row, SiteT>;
    using Site = SiteT;
    using RowType = Row;

    static Site SiteOf(const Source& s) { return s.site; }
    static Site SiteOf(const Target& t) { return t.site; }
    static std::int64_t Number(const Source& s, ColumnRef c) { return GetColumnNumber(s.row, c); }
    static std::string_view Text(const Source& s, ColumnRef c) { return s.row.Get(TextColumn{c.offset, c.size}); }
    static void SetNumber(const Target& t, ColumnRef c, std::int64_t value) { SetColumnNumber(t.row, c, value); }
    static void SetText(const Target& t, ColumnRef c, std::string_view text)
    {
        t.row.Set(TextColumn{c.offset, c.size}, text);
    }

    // The key, read back only as a number that a key can be.
    static std::int64_t Key(const Source& s) { return s.key; }
    static void PutKey(const Target& t, std::int64_t value)
    {
        if (value >= 0 && value <= 0xFFFFFFFF) t.key = static_cast<std::uint32_t>(value);
    }
};

// The kind of a row laid out by a column table, which names its columns.
template <class Row, class SiteT, const auto& Columns>
struct RowRecordKind : RowRecordAccess<Row, SiteT> {
    static constexpr std::string_view ColumnName(ColumnRef c)
    {
        for (const ColumnDef& column : Columns)
            if (column.offset == c.offset) return column.name;
        return {};
    }
};

// Stores a received comma-separated record whose first field is the key: the row of the key (or a
// new one) read in the layout and stored with `size`. A key outside the table's numbers is skipped
// (true); false when no key can be read or the row cannot be stored.
template <class Kind>
bool StoreReceivedCsv(CObjDBTable& table, std::span<const LayoutField<Kind>> layout, const typename Kind::Site& site,
                      const CharRule& chars, std::span<const std::uint8_t> data, std::uint32_t low,
                      std::uint32_t high, std::uint16_t size)
{
    std::vector<char> probe = CsvTextOf(data);  // fields are read in place
    std::size_t position = 0;
    CsvFieldReader first(probe, position, chars);
    const std::optional<std::int64_t> key = first.Number();
    if (!key) return false;
    if (*key < low || *key > high) return true;
    return StoreReceivedRow(table, static_cast<std::uint32_t>(*key), [&](CDBRecord& record) -> std::uint16_t {
        std::vector<char> text = CsvTextOf(data);
        std::size_t at = 0;
        CsvFieldReader fields(text, at, chars);
        std::optional<std::uint32_t> readKey;
        ReadCsvLayout<Kind>(layout, {site, readKey, dynamic_cast<typename Kind::RowType&>(record)}, fields);
        return size;
    });
}

}  // namespace varnel
