#include "pluedit/PluFieldShow.h"

#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluLayout.h"
#include "db/site/LabProp.h"
#include "db/store/ColumnLayout.h"
#include "pluedit/PluFieldNumbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

namespace varnel {

namespace {

using Kind = PluFieldShow::Kind;
using namespace plufield;

// The field's column in the row and whether it holds a number; none for a field without a column.
struct FoundColumn {
    const ColumnDef* column = nullptr;
    bool numeric = false;
};

FoundColumn FindColumn(std::uint16_t fieldNo)
{
    for (const ColumnDef& column : kPluColumns) {
        if (column.fieldNo != fieldNo || column.offset == DBFieldDef::kKeyOffset) continue;
        return {&column, column.daoType == DaoByte || column.daoType == DaoShort || column.daoType == DaoLong};
    }
    return {};
}

Kind KindOf(std::uint16_t fieldNo, const FoundColumn& found)
{
    switch (fieldNo) {
    case kRegCode: return Kind::RegCode;
    case kPosCode: return Kind::PosCode;
    case kPackType: return Kind::PackType;
    case kPackTime: return Kind::PackTime;
    case kExpiryTime: return Kind::ExpiryTime;
    case kUnitPrice: return Kind::UnitPrice;
    case kMarkdownPrice: return Kind::MarkdownPrice;
    default: break;
    }
    // Other texts show nothing; a field without a column shows 0.
    return found.column != nullptr && !found.numeric ? Kind::Blank : Kind::Number;
}

// "h:mm" from hhmm.
std::string FormatTime(std::int32_t value)
{
    char text[32];
    char* out = std::to_chars(text, text + 12, value / 100).ptr;  // an int32's hours take at most 9
    const std::int32_t minutes = value % 100;
    *out++ = ':';
    if (minutes < 10) *out++ = '0';
    out = std::to_chars(out, text + sizeof text, minutes).ptr;
    return std::string(text, out);
}

}  // namespace

void PluShownText::MakeNumber(std::int32_t v, std::uint16_t d, bool t, char point)
{
    text = t ? FormatTime(v) : FormatFixedPoint(d, point, v);
    value = v;
    decimals = d;
    time = t;
    number = true;
}

PluFieldShow MakePluFieldShow(const CLabProp& definition, char separator)
{
    const FoundColumn found = FindColumn(definition.m_fieldNo);
    PluFieldShow show;
    show.kind = KindOf(definition.m_fieldNo, found);
    show.point = separator != '\0' && separator != '/' ? separator : '.';
    show.clamped = definition.m_max >= definition.m_min;
    show.fieldNo = definition.m_fieldNo;
    show.decimals = definition.m_decimals;
    show.width = definition.m_width;
    show.min = definition.m_min;
    show.max = definition.m_max;
    if (found.numeric) {
        show.offset = found.column->offset;
        show.bytes = found.column->daoType == DaoByte ? 1 : found.column->daoType == DaoShort ? 2 : 4;
    }
    if (found.column != nullptr) show.rowWords = RowWordsOf(found.column->offset, found.column->size);
    return show;
}

std::uint64_t RowWordsOf(std::size_t offset, std::size_t size)
{
    constexpr std::size_t kWords = 64;
    if (size == 0) return 0;
    const std::size_t first = std::min(offset / 8, kWords - 1);
    const std::size_t last = std::min((offset + size - 1) / 8, kWords - 1);
    std::uint64_t words = 0;
    for (std::size_t word = first; word <= last; ++word) words |= std::uint64_t{1} << word;
    return words;
}

std::uint64_t PluShownRow::TakeChanged(std::span<const std::uint8_t> row, const PriceDecimalRules& rules,
                                       std::uint64_t watched)
{
    std::array<std::uint8_t, kBytes> padded{};  // a row shorter than the fixed fields (none is)
    const std::uint8_t* bytes = row.data();
    if (row.size() < kBytes) {
        std::copy_n(row.begin(), row.size(), padded.begin());
        bytes = padded.data();
    }
    const bool kept = m_kept && rules == m_rules;
    m_kept = true;
    m_rules = rules;
    if (!kept) {
        std::copy_n(bytes, kBytes, m_row.begin());
        return ~std::uint64_t{0};
    }
    std::uint64_t changed = 0;
    for (std::uint64_t left = watched & ((std::uint64_t{1} << (kBytes / 8)) - 1); left != 0; left &= left - 1) {
        const auto word = static_cast<std::size_t>(std::countr_zero(left));
        std::uint64_t now = 0;
        std::uint64_t before = 0;
        std::memcpy(&now, bytes + word * 8, sizeof now);
        std::memcpy(&before, m_row.data() + word * 8, sizeof before);
        if (now == before) continue;
        changed |= std::uint64_t{1} << word;
        std::memcpy(m_row.data() + word * 8, &now, sizeof now);
    }
    return changed;
}

}  // namespace varnel
