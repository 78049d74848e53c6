#include "settings/DeptCode.h"

#include "db/plu/PluFieldAccess.h"
#include "db/site/FieldDefSet.h"
#include "db/site/GeneralSetup.h"
#include "db/text/NumberText.h"
#include "platform/ArchiveCollections.h"
#include "platform/ArchiveExchange.h"
#include "platform/TextFormat.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace varnel {
namespace {

constexpr std::uint16_t kOldVersion = 100;
constexpr std::uint32_t kOldLastPlu = 999999;
constexpr std::uint16_t kDeptField = 1014;
constexpr std::uint16_t kGroupField = 1015;
constexpr MessageId kMsgAllDepartments = 17545;
constexpr MessageId kMsgAllGroups = 17546;

std::string DisplayText(bool nameOnly, std::uint16_t width, std::uint16_t id, const std::string& name)
{
    if (nameOnly) return name;
    return (width > 0 ? FormatLongPadded(id, '0', width) : std::to_string(id)) + " " + name;
}

std::uint16_t DisplayWidth(std::uint16_t fieldNo, const FieldDefSet& fields)
{
    const CLabProp* definition = FindFieldDef(fieldNo, fields.Map(FieldDefMap::Plu));
    return definition ? definition->m_width : 0;
}

// Inserts by ascending m_id: an entry of the same id is replaced, else the new one goes before the
// first greater one.
template <class Entry>
std::size_t InsertByCode(std::vector<std::unique_ptr<Entry>>& entries, std::unique_ptr<Entry> entry)
{
    const auto at = std::ranges::find_if(entries, [&](const auto& other) { return other->m_id >= entry->m_id; });
    const auto position = static_cast<std::size_t>(at - entries.begin());
    if (at != entries.end() && (*at)->m_id == entry->m_id) *at = std::move(entry);
    else entries.insert(at, std::move(entry));
    return position;
}

// The old forms kept the code as characters: read as "%d" reads them, 0 when they are no number.
std::uint16_t ReadOldCode(CArchive& ar, std::size_t characters)
{
    std::array<std::uint8_t, 2> bytes{};
    ar.Read(std::span(bytes).first(characters));
    const std::string text(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(characters));
    int value = 0;
    return std::sscanf(text.c_str(), "%d", &value) == 1 ? static_cast<std::uint16_t>(value) : 0;
}

// A picker's selection: its "all" row (the first, when there is one) or the row of the list below it.
struct PickedRow {
    bool all;
    std::size_t row;
};

std::optional<PickedRow> ReadPicker(std::optional<std::size_t> selection, bool withAll)
{
    if (!selection) return std::nullopt;
    if (withAll && *selection == 0) return PickedRow{true, 0};
    return PickedRow{false, *selection - (withAll ? 1 : 0)};
}

template <class T>
void CopyOwned(std::vector<std::unique_ptr<T>>& to, const std::vector<std::unique_ptr<T>>& from)
{
    to.clear();
    for (const auto& item : from) to.push_back(std::make_unique<T>(*item));
}

template <class T>
bool EqualOwned(const std::vector<std::unique_ptr<T>>& a, const std::vector<std::unique_ptr<T>>& b)
{
    return std::ranges::equal(a, b, [](const auto& x, const auto& y) { return *x == *y; });
}

}  // namespace

DeptCodeDisplay DeptCodeDisplay::Of(const CGeneralSetup& setup, const FieldDefSet& fields)
{
    return {setup.m_kauriAucklandHostImport != 0, DisplayWidth(kDeptField, fields), DisplayWidth(kGroupField, fields)};
}

VARNEL_IMPLEMENT_SERIAL(CGroupCode, 1)
VARNEL_IMPLEMENT_SERIAL(CDeptCode, 1)
VARNEL_IMPLEMENT_SERIAL(CDeptCodeList, 1)

void CGroupCode::Serialize(CArchive& ar)
{
    std::uint16_t version = kVersion;
    Exchange(ar, version, m_name);
    if (ar.IsLoading() && version == kOldVersion) m_id = ReadOldCode(ar, 2);
    else Exchange(ar, m_id);
}

std::string CGroupCode::GetDisplayText(const DeptCodeDisplay& display) const
{
    return DisplayText(display.namesOnly, display.groupWidth, m_id, m_name);
}

int CGroupCode::IsBefore(const CGroupCode& other) const
{
    if (m_id == other.m_id) return 0;
    return m_id < other.m_id ? 1 : -1;
}

CDeptCode::CDeptCode(std::uint16_t id, std::string name, std::uint32_t pluTo)
    : m_name(std::move(name)), m_id(id), m_pluTo(pluTo)
{
}

CDeptCode::CDeptCode(const CDeptCode& other) : CObject(other) { *this = other; }

CDeptCode& CDeptCode::operator=(const CDeptCode& other)
{
    if (this == &other) return *this;
    m_name = other.m_name;
    m_id = other.m_id;
    m_pluFrom = other.m_pluFrom;
    m_pluTo = other.m_pluTo;
    CopyOwned(m_groups, other.m_groups);
    return *this;
}

bool CDeptCode::operator==(const CDeptCode& other) const
{
    return m_name == other.m_name && m_id == other.m_id && m_pluFrom == other.m_pluFrom &&
           m_pluTo == other.m_pluTo && EqualOwned(m_groups, other.m_groups);
}

void CDeptCode::Serialize(CArchive& ar)
{
    std::uint16_t version = kVersion;
    Exchange(ar, version, m_name);
    if (ar.IsLoading() && version == kOldVersion) {
        m_id = ReadOldCode(ar, 1);
        m_pluFrom = 1;
        m_pluTo = kOldLastPlu;
    } else {
        Exchange(ar, m_id, m_pluFrom, m_pluTo);
    }
    SerializeObjectList(ar, m_groups);
    if (ar.IsLoading()) std::erase(m_groups, nullptr);
}

std::string CDeptCode::GetDisplayText(const DeptCodeDisplay& display) const
{
    return DisplayText(display.namesOnly, display.deptWidth, m_id, m_name);
}

std::size_t CDeptCode::InsertInto(std::vector<std::unique_ptr<CGroupCode>>& groups, std::unique_ptr<CGroupCode> group)
{
    return InsertByCode(groups, std::move(group));
}

const CGroupCode* CDeptCode::FindGroup(std::uint16_t id) const
{
    const auto found = std::ranges::find_if(m_groups, [&](const auto& group) { return group->m_id == id; });
    return found == m_groups.end() ? nullptr : found->get();
}

CDeptCodeList::CDeptCodeList(const CDeptCodeList& other) : CObject(other) { *this = other; }

CDeptCodeList& CDeptCodeList::operator=(const CDeptCodeList& other)
{
    if (this != &other) CopyOwned(m_codes, other.m_codes);
    return *this;
}

bool CDeptCodeList::operator==(const CDeptCodeList& other) const { return EqualOwned(m_codes, other.m_codes); }

void CDeptCodeList::Serialize(CArchive& ar)
{
    SerializeObjectList(ar, m_codes);
    if (ar.IsLoading()) std::erase(m_codes, nullptr);
}

CDeptCode& CDeptCodeList::Add(std::unique_ptr<CDeptCode> code)
{
    m_codes.push_back(std::move(code));
    return *m_codes.back();
}

std::size_t CDeptCodeList::Insert(std::unique_ptr<CDeptCode> code) { return InsertByCode(m_codes, std::move(code)); }

std::unique_ptr<CDeptCode> CDeptCodeList::RemoveAt(std::size_t index)
{
    std::unique_ptr<CDeptCode> code = std::move(m_codes.at(index));
    m_codes.erase(m_codes.begin() + static_cast<std::ptrdiff_t>(index));
    return code;
}

std::uint16_t CDeptCodeList::GetFirstDeptId() const { return m_codes.empty() ? 0 : m_codes.front()->m_id; }
std::uint16_t CDeptCodeList::GetLastDeptId() const { return m_codes.empty() ? 0 : m_codes.back()->m_id; }

std::uint16_t CDeptCodeList::GetFirstGroupId() const
{
    if (m_codes.empty() || m_codes.front()->m_groups.empty()) return 0;
    return m_codes.front()->m_groups.front()->m_id;
}

const CDeptCode* CDeptCodeList::FindDept(std::uint16_t id) const
{
    const auto found = std::ranges::find_if(m_codes, [&](const auto& code) { return code->m_id == id; });
    return found == m_codes.end() ? nullptr : found->get();
}

bool CDeptCodeList::Find(std::uint32_t key, const CDeptCode*& department, const CGroupCode*& group) const
{
    department = FindDept(static_cast<std::uint16_t>(key >> 16));
    group = department ? department->FindGroup(static_cast<std::uint16_t>(key & 0xFFFF)) : nullptr;
    return group != nullptr;
}

bool CDeptCodeList::GetNames(std::uint32_t key, std::string& departmentName, std::string& groupName) const
{
    const CDeptCode* department = nullptr;
    const CGroupCode* group = nullptr;
    (void)Find(key, department, group);
    if (!department) return false;
    departmentName = department->m_name;
    if (group) groupName = group->m_name;
    return true;
}

bool CDeptCodeList::HasGroup(std::uint16_t departmentId, std::uint16_t groupId) const
{
    const CDeptCode* department = FindDept(departmentId);
    return department && department->FindGroup(groupId);
}

FieldChoices CDeptCodeList::FillDeptCombo(const DeptCodeDisplay& display, bool withAll, std::uint32_t selectedId) const
{
    FieldChoices choices;
    if (withAll) {
        choices.items.emplace_back(GetMessageText(kMsgAllDepartments));
        if (selectedId >= kAll) choices.selected = 0;
    }
    for (const auto& code : m_codes) {
        if (code->m_id == selectedId) choices.selected = choices.items.size();
        choices.items.push_back(code->GetDisplayText(display));
    }
    return choices;
}

bool CDeptCodeList::GetSelectedDept(std::optional<std::size_t> selection, bool withAll, std::uint16_t& id) const
{
    const std::optional<PickedRow> picked = ReadPicker(selection, withAll);
    if (!picked || (!picked->all && picked->row >= m_codes.size())) return false;
    id = picked->all ? kAll : m_codes[picked->row]->m_id;
    return true;
}

FieldChoices CDeptCodeList::FillGroupCombo(const DeptCodeDisplay& display, bool withAll, std::uint32_t departmentId,
                                           std::uint32_t selectedGroupId) const
{
    FieldChoices choices;
    if (withAll) {
        choices.items.emplace_back(GetMessageText(kMsgAllGroups));
        if (departmentId >= kAll || selectedGroupId >= kAll) choices.selected = 0;
    }
    if (departmentId >= kAll) return choices;
    if (const CDeptCode* department = FindDept(static_cast<std::uint16_t>(departmentId)))
        for (const auto& group : department->m_groups) {
            if (group->m_id == selectedGroupId) choices.selected = choices.items.size();
            choices.items.push_back(group->GetDisplayText(display));
        }
    return choices;
}

bool CDeptCodeList::GetSelectedGroup(std::optional<std::size_t> selection, bool withAll, std::uint32_t departmentId,
                                     std::uint16_t& id) const
{
    const std::optional<PickedRow> picked = ReadPicker(selection, withAll);
    if (!picked || departmentId >= kAll) return false;
    if (picked->all) {
        id = kAll;
        return true;
    }
    const CDeptCode* department = FindDept(static_cast<std::uint16_t>(departmentId));
    if (!department || picked->row >= department->m_groups.size()) return false;
    id = department->m_groups[picked->row]->m_id;
    return true;
}

void CDeptCodeList::Print(std::string& out) const
{
    if (m_codes.empty()) return;
    out += "Department Codes:\r\n";
    for (const auto& code : m_codes) {
        out += FormatText("Dept. ID: %d\r\n", int{code->m_id});
        out += FormatText("  Name                                : %s\r\n", code->m_name.c_str());
        out += FormatText("  PLU Range                           : %6d to %6d\r\n", static_cast<int>(code->m_pluFrom),
                          static_cast<int>(code->m_pluTo));
        out += "  Group Codes:\r\n";
        for (const auto& group : code->m_groups)
            out += FormatText("    ID: %04.4d  Name: %s\r\n", int{group->m_id}, group->m_name.c_str());
        out += "\r\n";
    }
    out += "\r\n\r\n";
}

}  // namespace varnel
