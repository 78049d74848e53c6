// The bases of the scale-data tables. CScaleDataTb is made with what a table reads of the site and whom
// it hands work to (ScaleDataRoles.h), which the scale-data base keeps, and reads what the
// comma-separated families 10 to 12 send back as family 9's records, which they are unless a table
// says otherwise. CScaleDataRowTb is a table of one
// row class laid out by one column table: its rows made, its catalogue bound and its rows found by key
// from those two alone, so that a new table of that kind writes only its records.
#pragma once

#include "db/plu/DBComTb.h"
#include "scaledata/ReceivedRows.h"
#include "scaledata/ScaleDataRoles.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace varnel {

// A row of the class for a stored size up to the class's kSize; none for a larger one.
template <class Row>
std::unique_ptr<CDBRecord> MakeRowUpTo(std::size_t size)
{
    if (size > Row::kSize) return nullptr;
    return std::make_unique<Row>();
}

class CScaleDataTb : public CDBComTb {
public:
    CScaleDataTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const ScaleDataRoles& roles)
        : CDBComTb(tableNo, database, std::move(name), roles)
    {
    }

    bool DecodeRecordType10to12(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override
    {
        return DecodeRecordType9(scale, data);
    }
};

template <class Row, const auto& Columns>
class CScaleDataRowTb : public CScaleDataTb {
public:
    using CScaleDataTb::CScaleDataTb;

    std::unique_ptr<CDBRecord> CreateRecord(std::size_t size) override { return MakeRowUpTo<Row>(size); }
    void BindColumns() override { AddColumns(*this, Columns); }

protected:
    Row* FindRow(std::uint32_t key) const { return dynamic_cast<Row*>(FindRecord(key)); }
    static const Row* AsRow(const CDBRecord& record) { return dynamic_cast<const Row*>(&record); }
};

}  // namespace varnel
