#include "settings/PriceZone.h"

#include "platform/ArchiveCollections.h"
#include "platform/ArchiveExchange.h"
#include "platform/TextFormat.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr MessageId kMsgUseDefaults = 16427;
constexpr MessageId kMsgPriceZone = 20529;

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CPriceZone, 1)
VARNEL_IMPLEMENT_SERIAL(CPriceZoneList, 1)

void CPriceZone::Serialize(CArchive& ar) { Exchange(ar, m_name, m_id); }

CPriceZoneList::CPriceZoneList(const CPriceZoneList& other) : CObject(other) { *this = other; }

CPriceZoneList& CPriceZoneList::operator=(const CPriceZoneList& other)
{
    if (this == &other) return *this;
    m_zones.clear();
    for (const auto& [id, zone] : other.m_zones) m_zones[id] = std::make_unique<CPriceZone>(*zone);
    return *this;
}

bool CPriceZoneList::operator==(const CPriceZoneList& other) const
{
    const auto same = [](const auto& a, const auto& b) { return a.first == b.first && *a.second == *b.second; };
    return std::ranges::equal(m_zones, other.m_zones, same);
}

void CPriceZoneList::Serialize(CArchive& ar)
{
    SerializeMapWordToOb(ar, m_zones);
    if (ar.IsStoring()) return;
    std::erase_if(m_zones, [](const auto& entry) { return !entry.second || entry.first == kDefaultZone; });
}

bool CPriceZoneList::SetZone(std::uint16_t id, std::string name)
{
    if (id == kDefaultZone) return false;
    m_zones[id] = std::make_unique<CPriceZone>(id, std::move(name));
    return true;
}

const CPriceZone* CPriceZoneList::Find(std::uint16_t id) const
{
    const auto found = m_zones.find(id);
    return found == m_zones.end() ? nullptr : found->second.get();
}

std::string CPriceZoneList::GetName(std::uint16_t id) const
{
    if (id == kDefaultZone) return std::string(GetMessageText(kMsgUseDefaults));
    if (const CPriceZone* zone = Find(id)) return zone->m_name;
    return std::string(GetMessageText(kMsgPriceZone)) + FormatText(" %04.4d", int{id});
}

std::vector<const CPriceZone*> CPriceZoneList::SortById() const
{
    // By the zones' own Ids, which a list read from a file may hold under other keys.
    std::vector<const CPriceZone*> sorted;
    for (const auto& entry : m_zones) sorted.push_back(entry.second.get());
    std::ranges::stable_sort(sorted, {}, &CPriceZone::m_id);
    return sorted;
}

FieldChoices CPriceZoneList::FillListBox(std::uint16_t selectedId) const { return FillCombo(selectedId, false); }

FieldChoices CPriceZoneList::FillCombo(std::uint16_t selectedId, bool withDefault) const
{
    FieldChoices choices;
    if (m_zones.empty()) return choices;
    // Zone 0 is never stored, so with the default row it is selected as the first row.
    if (withDefault) choices.items.emplace_back(GetMessageText(kMsgUseDefaults));
    for (const CPriceZone* zone : SortById()) {
        if (zone->m_id == selectedId) choices.selected = choices.items.size();
        choices.items.push_back(FormatText("%04.4d  %s", int{zone->m_id}, zone->m_name.c_str()));
    }
    if (!choices.selected) choices.selected = 0;
    return choices;
}

void CPriceZoneList::Print(std::string& out) const
{
    if (m_zones.empty()) return;
    out += "  Price Zones:\r\n";
    for (const auto& [key, zone] : m_zones)
        out += FormatText("    Id: %04.4d  Name: %s\r\n", int{zone->m_id}, zone->m_name.c_str());
}

}  // namespace varnel
