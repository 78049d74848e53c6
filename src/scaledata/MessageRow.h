// The rows of the scale-data tables: data areas laid out by a column table (ColumnLayout.h). A row
// owns the room it was made with and grows, up to its class's limit, for a longer text; the message
// rows keep their text at its length, so a table of short messages takes little memory.
#pragma once

#include "db/store/ColumnLayout.h"
#include "db/store/DBRecord.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace varnel {

// Sizes are stored rounded up to a multiple of 4.
constexpr std::uint16_t RoundUpTo4(std::size_t size) { return static_cast<std::uint16_t>((size + 3) & ~std::size_t{3}); }

class CScaleDataRow : public CDBRecord {
public:
    CScaleDataRow(std::size_t room, std::size_t limit) : m_data(std::min(room, limit)), m_limit(limit) {}

    std::uint8_t* GetData() override { return m_data.data(); }
    std::size_t GetDataRoom() const override { return m_data.size(); }
    std::size_t GetDataLimit() const override { return m_limit; }
    bool ReserveData(std::size_t bytes) override;
    std::uint16_t GetDataSize() const override { return GetLength(); }

    template <class Column>
    auto Get(Column c) const
    {
        return ReadColumn(std::span<const std::uint8_t>(m_data), c);
    }
    void Set(LongColumn c, std::int32_t value) { WriteColumn(m_data, c, value); }
    void Set(ShortColumn c, std::uint16_t value) { WriteColumn(m_data, c, value); }
    void Set(ByteColumn c, std::uint8_t value) { WriteColumn(m_data, c, value); }
    // Grows the row for the whole column first.
    void Set(TextColumn c, std::string_view text);
    // Takes another row's data (not its header: the key and lengths stay this row's).
    void CopyDataFrom(const CScaleDataRow& other) { m_data = other.m_data; }

protected:
    // Gives back the room after `used` bytes.
    void ShrinkTo(std::size_t used);

private:
    std::vector<std::uint8_t> m_data;
    std::size_t m_limit;
};

// A row of fixed size: its room is its limit, and the size it is stored with unless it says otherwise
// (a row read from an ".mdb" database takes this size).
class CFixedScaleDataRow : public CScaleDataRow {
public:
    explicit CFixedScaleDataRow(std::size_t size) : CScaleDataRow(size, size) {}
    std::uint16_t GetDataSize() const override { return static_cast<std::uint16_t>(GetDataRoom()); }
};

}  // namespace varnel
