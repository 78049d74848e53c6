// Merging a PLU decoded from a scale or an import into the PLU row and its values in a price zone.
#include "db/plu/PluDefTb.h"

#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluPriceZoneTb.h"

namespace varnel {
namespace {

constexpr std::uint16_t kRuxFamily = 9;

bool SameDescriptors(const CPluDefRec& a, const CPluDefRec& b)
{
    return a.Get(PluCol::RegCode) == b.Get(PluCol::RegCode) && a.Get(PluCol::PosCode) == b.Get(PluCol::PosCode) &&
           a.Get(PluCol::PackType) == b.Get(PluCol::PackType) &&
           a.Get(PluCol::LabelWidth) == b.Get(PluCol::LabelWidth) && a.Get(PluCol::DescLen) == b.Get(PluCol::DescLen) &&
           a.Get(PluCol::CtrlFlag) == b.Get(PluCol::CtrlFlag);
}

void CopyDescriptors(const CPluDefRec& from, CPluDefRec& to)
{
    for (const TextColumn column : {PluCol::Name, PluCol::PosCode, PluCol::RegCode, PluCol::PackType})
        to.Set(column, from.Get(column));
    to.Set(PluCol::LabelWidth, from.Get(PluCol::LabelWidth));
    to.Set(PluCol::DescLen, from.Get(PluCol::DescLen));
    to.Set(PluCol::CtrlFlag, from.Get(PluCol::CtrlFlag));
}

// Each field of the map whose decoded value differs from the current one (the zone's, else the
// row's) takes the decoded value; whether any did.
bool MergeFieldValues(const FieldDefSet& fields, FieldDefMap which, std::uint16_t zone, const CPluDefRec& decoded,
                      CPluDefRec& row, PriceZoneEntries& entries)
{
    bool differed = false;
    for (const auto& [key, definition] : fields.Map(which)) {
        if (!definition) continue;
        const std::uint16_t fieldNo = definition->m_fieldNo;
        const std::int32_t value = GetPluFieldValue(decoded, fieldNo);
        if (value == GetZoneValue(row, entries, fieldNo, zone)) continue;
        SetPluOrZoneValue(row, entries, zone, fieldNo, value, fields);
        differed = true;
    }
    return differed;
}

}  // namespace

void CPluDefTb::MergePluData(std::uint16_t zone, const CPluDefRec& decoded, CPluDefRec& row, PriceZoneEntries& entries,
                             bool* changed)
{
    FreeZoneEntries(entries);
    if (CPluPriceZoneTb* zones = GetPriceZoneTable()) (void)zones->LoadZoneEntries(row.GetKey(), zone, entries);
    // The decoded texts are cut to their widths already: the row's columns hold no more.
    const bool descriptorsDiffer = !SameDescriptors(decoded, row);
    if (changed) *changed = descriptorsDiffer;
    if (descriptorsDiffer || !changed) CopyDescriptors(decoded, row);

    bool differed = false;
    const FieldDefSet fields = GetRoles().Fields();
    differed = MergeFieldValues(fields, FieldDefMap::Plu, zone, decoded, row, entries);
    if (GetRoles().Setup().m_defaultScaleFamily == kRuxFamily)
        differed = MergeFieldValues(fields, FieldDefMap::Plu2, zone, decoded, row, entries) || differed;
    if (changed && differed) *changed = true;
}

}  // namespace varnel
