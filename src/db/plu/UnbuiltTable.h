// Tables of the PLU database whose own classes are not built yet. Each keeps its rows byte for byte,
// and, having no name, lives in memory and in ".pld" files only: an ".mdb" database's table of that
// number is left as it is. The factory makes one of the base kind the real class will have: a plain
// table, or a scale-data table that takes every key and encodes nothing.
#pragma once

#include "db/plu/DBComTb.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace varnel {

// A row that owns exactly the room it was made with.
class CByteRowRecord final : public CDBRecord {
public:
    explicit CByteRowRecord(std::size_t room) : m_data(room) {}
    std::uint8_t* GetData() override { return m_data.data(); }
    std::size_t GetDataRoom() const override { return m_data.size(); }
    std::uint16_t GetDataSize() const override { return GetLength(); }

private:
    std::vector<std::uint8_t> m_data;
};

// A table of rows kept as bytes, over either base (the scale-data base made with its roles).
template <class Base>
class CByteRowTable : public Base {
public:
    template <class... Roles>
    CByteRowTable(std::uint16_t tableNo, CObjDatabase* database, const Roles&... roles)
        : Base(tableNo, database, "", roles...)
    {
    }
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t size) override
    {
        return std::make_unique<CByteRowRecord>(size);
    }
};

using CUnbuiltPlainTb = CByteRowTable<CObjDBTable>;

// The scale-data kind: its keys are those the real table takes, so none is refused here.
class CUnbuiltScaleDataTb final : public CByteRowTable<CDBComTb> {
public:
    using CByteRowTable::CByteRowTable;
    std::uint32_t GetMinKey() const override { return 0; }
    std::uint32_t GetMaxKey() const override { return std::numeric_limits<std::uint32_t>::max(); }
};

}  // namespace varnel
