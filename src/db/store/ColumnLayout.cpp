#include "db/store/ColumnLayout.h"

namespace varnel {
namespace {

bool Fits(std::size_t dataSize, const ColumnDef& column)
{
    return column.offset != DBFieldDef::kKeyOffset && std::size_t{column.offset} + column.size <= dataSize;
}

}  // namespace

bool ReadNumber(std::span<const std::uint8_t> data, const ColumnDef& column, std::int32_t& value)
{
    value = 0;
    if (!Fits(data.size(), column)) return false;
    switch (column.daoType) {
    case DaoByte: value = ReadColumn(data, ByteColumn{column.offset}); return true;
    case DaoShort: value = ReadColumn(data, ShortColumn{column.offset}); return true;
    case DaoLong: value = ReadColumn(data, LongColumn{column.offset}); return true;
    default: return false;
    }
}

bool WriteNumber(std::span<std::uint8_t> data, const ColumnDef& column, std::int32_t value)
{
    if (!Fits(data.size(), column)) return false;
    switch (column.daoType) {
    case DaoByte: WriteColumn(data, ByteColumn{column.offset}, static_cast<std::uint8_t>(value)); return true;
    case DaoShort: WriteColumn(data, ShortColumn{column.offset}, static_cast<std::uint16_t>(value)); return true;
    case DaoLong: WriteColumn(data, LongColumn{column.offset}, value); return true;
    default: return false;
    }
}

}  // namespace varnel
