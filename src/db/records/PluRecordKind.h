// The PLU's scale records as a record kind of the layout machinery (RecordLayout.h): a writer reads
// the PluRecordContext, a reader fills the PluDecodeContext, and the fields' conditions look at the
// market, the family, the nutrition layout and the setup of the record's site.
#pragma once

#include "db/plu/PluMessageLinks.h"
#include "db/records/PluRecordLayouts.h"
#include "db/records/PluRecordReaders.h"
#include "db/records/RecordLayout.h"

#include <stdexcept>

namespace varnel {

struct PluRecordSite {
    const CGeneralSetup& setup;
    const CLinkScaleSettings& scale;
    std::uint16_t family;
    bool ausNz;
    const TableRoles& roles;

    std::uint16_t Market() const { return setup.m_market; }
};

struct PluRecordKind {
    using Source = PluRecordContext;
    using Target = PluDecodeContext;
    using Site = PluRecordSite;

    static Site SiteOf(const Source& c) { return {c.setup, c.scale, c.family, c.ausNz, c.roles}; }
    static Site SiteOf(const Target& c) { return {c.setup, c.scale, c.family, c.ausNz, c.roles}; }
    static std::int64_t Number(const Source& c, ColumnRef column) { return GetColumnNumber(c.row, column); }
    static std::string_view Text(const Source& c, ColumnRef column)
    {
        return c.row.Get(TextColumn{column.offset, column.size});
    }
    static void SetNumber(const Target& c, ColumnRef column, std::int64_t value)
    {
        SetColumnNumber(c.row, column, value);
    }
    static void SetText(const Target& c, ColumnRef column, std::string_view text)
    {
        c.row.Set(TextColumn{column.offset, column.size}, text);
    }
    static constexpr std::string_view ColumnName(ColumnRef column)
    {
        for (const ColumnDef& def : kPluColumns)
            if (def.offset == column.offset && def.daoType == DaoTypeOf(column.type)) return def.name;
        throw std::logic_error("not a PLU column");
    }

private:
    static constexpr std::uint16_t DaoTypeOf(ColumnRef::Type type)
    {
        switch (type) {
        case ColumnRef::Type::Long: return DaoLong;
        case ColumnRef::Type::Short: return DaoShort;
        case ColumnRef::Type::Byte: return DaoByte;
        case ColumnRef::Type::Text: return DaoText;
        default: return 0;
        }
    }
};

using PluField = LayoutField<PluRecordKind>;
using PluFields = LayoutFields<PluRecordKind>;

// The markets that more than one record form asks about, as the fields' conditions.
namespace plu_sites {

inline bool IsUsa(const PluRecordSite& s) { return s.Market() == MarketUsa; }
inline bool IsNotUsa(const PluRecordSite& s) { return !IsUsa(s); }
inline bool IsTaiwan(const PluRecordSite& s) { return s.Market() == MarketTaiwan; }

}  // namespace plu_sites

// The computed values that several layouts carry, and what a reader makes of them.
namespace plu_values {

inline std::int64_t PluNumber(const PluRecordContext& c) { return c.plu; }

template <int Slot>
std::int64_t MessageSlot(const PluRecordContext& c)
{
    return GetMessageLink(c.setup, c.row, Slot);
}
template <int Slot>
void PutMessageSlot(const PluDecodeContext& c, std::int64_t value)
{
    PutSlot(c.setup, c.row, Slot, value);
}

// A value of the tare kind as the scale's tare format takes it, and back.
template <auto Column>
std::int64_t ScaleTare(const PluRecordContext& c)
{
    const std::int64_t value = c.row.Get(Column);
    return c.scale.m_tareFormat == 1 ? (value + 5) / 10 : value;
}
template <auto Column>
void PutDatabaseTare(const PluDecodeContext& c, std::int64_t value)
{
    Put(c.row, Column, DatabaseTare(c, value));
}

// A field that holds the PLU number when the PLU has nutrition: Nutrition 1 or 0.
inline void PutNutritionFlag(const PluDecodeContext& c, std::int64_t link)
{
    c.row.Set(PluCol::Nutrition, link != 0 ? 1 : 0);
}

}  // namespace plu_values

// The names a record form writes its layout tables with: the fields, the sites' conditions and the
// computed values.
namespace plu_layout {

using F = PluFields;
using Site = PluRecordSite;
using Source = PluRecordContext;
using Target = PluDecodeContext;
using namespace plu_sites;
using namespace plu_values;

}  // namespace plu_layout

}  // namespace varnel
