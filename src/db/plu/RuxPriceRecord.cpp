#include "db/plu/RuxPriceRecord.h"

#include "db/plu/PluDefRec.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace varnel {
namespace {

bool SameName(std::string_view a, std::string_view b)
{
    const auto sameChar = [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); };
    return std::ranges::equal(a, b, sameChar);
}

bool IsText(const ColumnDef& column) { return column.daoType == DaoText || column.daoType == DaoLongBinary; }

struct SharedColumn {
    const ColumnDef* price;
    const ColumnDef* plu;
};

// The columns of the extra price record with the PLU's column of the same name and kind, matched
// once: a price change and the PLU editor copy them for every PLU.
const std::vector<SharedColumn>& SharedColumns()
{
    static const std::vector<SharedColumn> shared = [] {
        std::vector<SharedColumn> pairs;
        for (const ColumnDef& price : kRuxPriceColumns) {
            if (price.offset == DBFieldDef::kKeyOffset) continue;
            const auto plu =
                std::ranges::find_if(kPluColumns, [&](const ColumnDef& c) { return SameName(c.name, price.name); });
            if (plu == std::end(kPluColumns) || plu->offset == DBFieldDef::kKeyOffset || IsText(*plu) != IsText(price))
                continue;
            pairs.push_back({&price, &*plu});
        }
        return pairs;
    }();
    return shared;
}

// Each shared column that fits a record of that size, as `copy` takes them (extra price column, PLU
// column).
template <class Copy>
void ForEachSharedColumn(std::size_t recordSize, Copy copy)
{
    for (const SharedColumn& column : SharedColumns())
        if (column.price->offset + std::size_t{column.price->size} <= recordSize) copy(*column.price, *column.plu);
}

}  // namespace

void RuxPriceRecordFromPlu(std::span<std::uint8_t> record, const CPluDefRec& plu)
{
    ForEachSharedColumn(record.size(), [&](const ColumnDef& target, const ColumnDef& source) {
        if (IsText(target)) {
            WriteColumn(record, AsText(target), ReadColumn(plu.Bytes(), AsText(source)));
        } else {
            std::int32_t value = 0;
            if (ReadNumber(plu.Bytes(), source, value)) (void)WriteNumber(record, target, value);
        }
    });
}

void PluFromRuxPriceRecord(CPluDefRec& plu, std::span<const std::uint8_t> record)
{
    ForEachSharedColumn(record.size(), [&](const ColumnDef& source, const ColumnDef& target) {
        if (source.fieldNo == 0) return;  // the price number and the fixed price stay the PLU's
        if (IsText(target)) {
            WriteColumn(plu.Bytes(), AsText(target), ReadColumn(record, AsText(source)));
            return;
        }
        std::int32_t value = 0;
        if (!ReadNumber(record, source, value)) return;
        if (source.daoType == DaoByte && target.daoType == DaoShort) value = static_cast<std::int8_t>(value);
        (void)WriteNumber(plu.Bytes(), target, value);
    });
}

}  // namespace varnel
