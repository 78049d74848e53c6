#include "db/RuxPriceRecord.h"

#include "db/PluDefRec.h"

#include <algorithm>
#include <cctype>

namespace varnel {
namespace {

bool SameName(std::string_view a, std::string_view b)
{
    const auto sameChar = [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); };
    return std::ranges::equal(a, b, sameChar);
}

bool IsText(const ColumnDef& column) { return column.daoType == DaoText || column.daoType == DaoLongBinary; }

}  // namespace

void RuxPriceRecordFromPlu(std::span<std::uint8_t> record, const CPluDefRec& plu)
{
    for (const ColumnDef& target : kRuxPriceColumns) {
        if (target.offset == DBFieldDef::kKeyOffset || target.offset + std::size_t{target.size} > record.size())
            continue;
        const auto source =
            std::ranges::find_if(kPluColumns, [&](const ColumnDef& c) { return SameName(c.name, target.name); });
        if (source == std::end(kPluColumns) || source->offset == DBFieldDef::kKeyOffset ||
            IsText(*source) != IsText(target))
            continue;
        if (IsText(target)) {
            WriteColumn(record, AsText(target), ReadColumn(plu.Bytes(), AsText(*source)));
        } else {
            std::int32_t value = 0;
            if (ReadNumber(plu.Bytes(), *source, value)) (void)WriteNumber(record, target, value);
        }
    }
}

}  // namespace varnel
