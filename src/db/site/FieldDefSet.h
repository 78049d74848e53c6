// The field definitions as the PLU routines read them: the five maps, the PLU fields that may take a
// value of their own in a price zone, and the families on the links, which choose between the two PLU
// maps. A FieldDefSet is a view that its caller hands on: a worker's pass hands the snapshot it pinned
// (SiteSettings), the thread that owns the settings the site's own definitions. Whoever hands one keeps
// what it views alive and unchanged while the callee reads it.
#pragma once

#include "db/site/LabProp.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace varnel {

class ISiteRules;
struct SiteSettings;

// The five field-definition maps of the site.
enum class FieldDefMap { Plu, Production, Nutrition, Plu2, RuxPrice };
inline constexpr std::size_t kFieldDefMapCount = 5;

class FieldDefSet {
public:
    // Views no definitions, no price-zone fields and no scales of the comma-separated families.
    FieldDefSet() = default;
    // The site's own definitions, read as they stand: only for the thread that changes them.
    explicit FieldDefSet(const ISiteRules& site) : m_site(&site) {}
    // A snapshot's, which never change.
    explicit FieldDefSet(const SiteSettings& snapshot) : m_snapshot(&snapshot) {}

    const CLabPropMap& Map(FieldDefMap which) const;
    std::span<const std::uint16_t> PriceZoneFields() const;
    // As ISiteRules::GetRuxScaleMix.
    std::uint32_t RuxScaleMix() const;

private:
    const ISiteRules* m_site = nullptr;
    const SiteSettings* m_snapshot = nullptr;
};

// Whether two sets define the same: every map with the same definitions under the same keys, the same
// price-zone fields and the same mix.
bool SameDefinitions(const FieldDefSet& a, const FieldDefSet& b);

}  // namespace varnel
