#include "pluedit/PluFieldShow.h"

#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluLayout.h"
#include "db/site/LabProp.h"
#include "db/store/ColumnLayout.h"
#include "pluedit/PluFieldNumbers.h"

#include <charconv>

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
    return show;
}

}  // namespace varnel
