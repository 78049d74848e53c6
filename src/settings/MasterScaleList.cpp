#include "settings/MasterScaleList.h"

#include "platform/ArchiveCollections.h"
#include "platform/TextFormat.h"

#include <algorithm>

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CMasterScaleList, 1)

void CMasterScaleList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        SerializeObjectList(ar, m_departments);
        ar << GetCurrentId();
        return;
    }
    std::vector<std::unique_ptr<CMasterScale>> loaded;
    SerializeObjectList(ar, loaded);
    std::uint16_t current = 0;
    ar >> current;
    if (std::ranges::any_of(loaded, [](const auto& department) { return department == nullptr; }))
        ar.Fail(Errc::Corrupt, "the department list holds a null department");
    if (!ar.Ok()) return;
    m_departments = std::move(loaded);
    SetCurrent(current);
}

void CMasterScaleList::Add(std::unique_ptr<CMasterScale> department) { m_departments.push_back(std::move(department)); }

void CMasterScaleList::RemoveAt(std::size_t index)
{
    if (m_departments.at(index).get() == m_current) m_current = nullptr;
    m_departments.erase(m_departments.begin() + static_cast<std::ptrdiff_t>(index));
}

std::optional<std::uint16_t> CMasterScaleList::GetFreeId() const
{
    std::vector<bool> used(std::size_t{65536}, false);
    for (const auto& department : m_departments) used[department->m_id] = true;
    for (std::size_t id = 1; id < used.size(); ++id)
        if (!used[id]) return static_cast<std::uint16_t>(id);
    return std::nullopt;
}

void CMasterScaleList::SetCurrent(std::uint16_t id) { m_current = id == 0 ? nullptr : FindById(id); }

std::uint16_t CMasterScaleList::GetCurrentId() const { return m_current ? m_current->m_id : 0; }

std::string CMasterScaleList::GetCurrentName() const { return m_current ? m_current->m_name : std::string{}; }

std::string CMasterScaleList::GetCurrentDatabase() const
{
    return m_current ? m_current->m_database : std::string{};
}

CMasterScale* CMasterScaleList::FindById(std::uint16_t id) const
{
    const auto found = std::ranges::find_if(m_departments, [id](const auto& department) { return department->m_id == id; });
    return found == m_departments.end() ? nullptr : found->get();
}

std::string CMasterScaleList::GetNameById(std::uint16_t id) const
{
    const CMasterScale* department = FindById(id);
    return department ? department->m_name : std::string{};
}

CMasterScale* CMasterScaleList::FindByName(std::string_view name, const CharRule& chars) const
{
    const auto found = std::ranges::find_if(m_departments, [name, &chars](const auto& department) {
        return EqualsIgnoringCase(department->m_name, name, chars);
    });
    return found == m_departments.end() ? nullptr : found->get();
}

bool CMasterScaleList::IsLinkAssigned(std::uint16_t linkNo) const
{
    return std::ranges::any_of(m_departments, [linkNo](const auto& department) { return department->HasLink(linkNo); });
}

bool CMasterScaleList::IsScaleAssigned(std::uint16_t scaleNo) const
{
    return std::ranges::any_of(m_departments,
                               [scaleNo](const auto& department) { return department->HasScale(scaleNo); });
}

void CMasterScaleList::RemoveLink(std::uint16_t linkNo)
{
    for (const auto& department : m_departments) department->RemoveLink(linkNo);
}

void CMasterScaleList::RemoveScale(std::uint16_t scaleNo)
{
    for (const auto& department : m_departments) department->RemoveScale(scaleNo);
}

void CMasterScaleList::Print(std::string& out) const
{
    if (m_departments.empty()) return;
    out += "Master Scales\r\n";
    for (const auto& department : m_departments) {
        out += FormatText("  Id: %02.2d  Name: %s\r\n", int{department->m_id}, department->m_name.c_str());
        out += FormatText("  Database: %s\r\n", department->m_database.c_str());
        out += "\r\n";
    }
    out += "\r\n\r\n";
}

}  // namespace varnel
