#include "settings/MasterScale.h"

#include "db/text/DoubleByteText.h"
#include "platform/ArchiveCollections.h"
#include "platform/ArchiveExchange.h"
#include "settings/SetupFormat.h"

#include <algorithm>

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CMasterScale, 1)

void CMasterScale::Serialize(CArchive& ar)
{
    SerializeObjectList(ar, m_scales);
    SerializeSetupVersion(ar, kVersion);
    std::uint16_t unused = 0;
    Exchange(ar, m_name, unused, m_database, m_id);
    if (ar.IsLoading() && std::ranges::any_of(m_scales, [](const auto& scale) { return scale == nullptr; }))
        ar.Fail(Errc::Corrupt, "a department holds a null scale");
}

bool CMasterScale::HasScale(std::uint16_t scaleNo) const
{
    return std::ranges::any_of(m_scales, [scaleNo](const auto& def) { return def->m_scaleId == scaleNo; });
}

bool CMasterScale::HasLink(std::uint16_t linkNo) const
{
    return std::ranges::any_of(m_scales, [linkNo](const auto& def) { return def->m_linkId == linkNo; });
}

void CMasterScale::RemoveScale(std::uint16_t scaleNo)
{
    std::erase_if(m_scales, [scaleNo](const auto& def) { return def->m_scaleId == scaleNo; });
}

void CMasterScale::RemoveLink(std::uint16_t linkNo)
{
    std::erase_if(m_scales, [linkNo](const auto& def) { return def->m_linkId == linkNo; });
}

ScaleDefs CMasterScale::GetScaleDefs() const
{
    ScaleDefs defs;
    defs.reserve(m_scales.size());
    for (const auto& def : m_scales) defs.push_back(*def);
    return defs;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b, const CharRule& chars)
{
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const std::size_t lengthA = std::max<std::size_t>(GetCharLength(a.substr(i), chars), 1);
        const std::size_t lengthB = std::max<std::size_t>(GetCharLength(b.substr(j), chars), 1);
        if (lengthA != lengthB) return false;
        if (lengthA == 1 ? fold(a[i]) != fold(b[j]) : a.substr(i, lengthA) != b.substr(j, lengthB)) return false;
        i += lengthA;
        j += lengthB;
    }
    return i == a.size() && j == b.size();
}

}  // namespace varnel
