#include "settings/UserSetupList.h"

#include "db/site/MainFrame.h"
#include "platform/ArchiveCollections.h"
#include "settings/MasterScaleList.h"
#include "platform/UserPrompt.h"

#include <algorithm>

namespace varnel {
namespace {
constexpr MessageId kNotAllowed = 61328;  // "Your user settings do not allow this operation.\nDatabase not updated."
}

VARNEL_IMPLEMENT_SERIAL(CUserSetupList, 1)

CUserSetupList::CUserSetupList(const CUserSetupList& other) : CObject(other) { *this = other; }

CUserSetupList& CUserSetupList::operator=(const CUserSetupList& other)
{
    if (this == &other) return *this;
    const std::optional<std::size_t> current = other.GetCurrentIndex();
    m_users.clear();
    for (const auto& user : other.m_users) m_users.push_back(std::make_unique<CUserSetup>(*user));
    m_current = current ? m_users[*current].get() : nullptr;
    return *this;
}

CUserSetup& CUserSetupList::Add(std::unique_ptr<CUserSetup> user)
{
    m_users.push_back(std::move(user));
    return *m_users.back();
}

void CUserSetupList::RemoveAt(std::size_t index)
{
    if (m_users.at(index).get() == m_current) m_current = nullptr;
    m_users.erase(m_users.begin() + static_cast<std::ptrdiff_t>(index));
}

void CUserSetupList::RemoveAll()
{
    m_current = nullptr;
    m_users.clear();
}

std::optional<std::size_t> CUserSetupList::GetCurrentIndex() const
{
    const auto it = std::ranges::find_if(m_users, [this](const auto& user) { return user.get() == m_current; });
    if (m_current == nullptr || it == m_users.end()) return std::nullopt;
    return static_cast<std::size_t>(it - m_users.begin());
}

void CUserSetupList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        SerializeObjectList(ar, m_users);
        ar << (m_current != nullptr ? std::string_view(m_current->m_name) : std::string_view{});
        return;
    }
    // Read into a fresh list, taken only when the whole of it read: a damaged archive leaves the
    // users and the current user as they were.
    std::vector<std::unique_ptr<CUserSetup>> users;
    SerializeObjectList(ar, users);
    std::string currentName;
    ar >> currentName;
    if (!ar.Ok()) return;
    RemoveAll();
    m_users = std::move(users);
    std::erase(m_users, nullptr);
    const auto it = std::ranges::find_if(m_users, [&](const auto& user) { return user->m_name == currentName; });
    if (!currentName.empty() && it != m_users.end()) m_current = it->get();
}

bool CUserSetupList::LogInAs(std::string_view name, std::string_view password)
{
    const auto it = std::ranges::find_if(
        m_users, [&](const auto& user) { return user->m_name == name && user->m_password == password; });
    if (it == m_users.end()) return false;
    m_current = it->get();
    return true;
}

std::string CUserSetupList::GetDatabase(CMasterScaleList& departments) const
{
    if (m_current == nullptr) return {};
    if (departments.GetDepartments().empty()) return m_current->m_database;
    if (m_current->m_department == 0) return {};
    departments.SetCurrent(m_current->m_department);
    return departments.GetCurrentDatabase();
}

void CUserSetupList::RememberWorkplace(std::optional<std::uint16_t> currentDepartment, const std::string& databasePath)
{
    const std::optional<std::size_t> index = GetCurrentIndex();
    if (!index) return;
    CUserSetup& user = *m_users[*index];
    if (user.HasRight(RightTiedToDatabase)) return;
    if (currentDepartment) user.m_department = *currentDepartment;
    user.m_database = databasePath;
}

bool CUserSetupList::HasTableAccess(std::size_t table, std::uint8_t mask) const
{
    if (m_current == nullptr) return true;
    return table < kPermissionTables && (m_current->m_tablePermission[table] & mask) != 0;
}

bool CUserSetupList::HasPluProfile() const
{
    return m_current != nullptr && m_current->m_useProfile != 0 && !m_current->m_profileFile.empty();
}

std::string CUserSetupList::GetPluProfile() const { return m_current != nullptr ? m_current->m_profileFile : ""; }

const std::vector<std::uint16_t>* CUserSetupList::GetFieldList() const
{
    return m_current != nullptr ? &m_current->m_fieldFlags : nullptr;
}

bool CheckUserPermission(const ISiteRules& rights, std::size_t table, std::uint8_t mask, bool showMessage)
{
    const bool allowed = rights.HasTableAccess(table, mask);
    if (!allowed && showMessage) ShowMessage(kNotAllowed, MessageButtons::Ok);
    return allowed;
}

bool CheckUserPermission(std::size_t table, std::uint8_t mask, bool showMessage)
{
    const IMainFrame* frame = GetMainFrame();
    return frame == nullptr || CheckUserPermission(*frame, table, mask, showMessage);
}

}  // namespace varnel
