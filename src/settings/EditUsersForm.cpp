// The user and profile lists' rules.
#include "settings/EditUsersForm.h"

#include "db/text/DbcsString.h"
#include "platform/UserPrompt.h"
#include "settings/AppEventLog.h"
#include "settings/UserSetupList.h"

#include <memory>

namespace varnel {
namespace {

constexpr std::size_t kRowNameBytes = 30;

}  // namespace

EditUsersForm::EditUsersForm(CUserSetupList& users, const CAppEventLog& log, const UserSheetSite& site)
    : SettingsListForm(Rule::SetupPermissions), m_users(users), m_log(log), m_site(site)
{
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < users.GetCount(); ++i) rows.push_back(RowText(users.GetAt(i)));
    SetRows(std::move(rows), 0);
}

std::string EditUsersForm::GetTitle() const
{
    return m_site.profileMode ? std::string(GetMessageText(kMsgProfilesTitle)) : "Edit User Settings";
}

std::string EditUsersForm::RowText(const CUserSetup& user) const
{
    std::string text(DbcsLeft(user.m_name, kRowNameBytes, m_site.chars));
    if (!m_site.profileMode && &user == m_users.GetCurrentUser()) text += '*';
    return text;
}

bool EditUsersForm::EditUser(CUserSetup& user)
{
    return m_ui != nullptr &&
           EditUserSetup(user, m_site, [this](EditUserForm& sheet) { return m_ui->RunUserSheet(sheet); });
}

bool EditUsersForm::AnyAdministrator() const
{
    for (std::size_t i = 0; i < m_users.GetCount(); ++i)
        if (IsSetupAdministrator(m_users.GetAt(i))) return true;
    return false;
}

void EditUsersForm::MakeAdministrator(CUserSetup& user, MessageId message) const
{
    ShowMessage(message);
    user.m_tablePermission[kSetupTable] |= AccessView | AccessUpdate;
}

void EditUsersForm::Log(bool deleted, const CUserSetup& user) const
{
    const MessageId subject = m_site.profileMode ? kMsgProfile : kMsgUser;
    if (deleted) m_log.LogSetupDeleted(subject, " " + user.m_name);
    else m_log.LogSetupModified(subject, " " + user.m_name);
}

void EditUsersForm::Add()
{
    if (!IsAddEnabled()) return;
    auto user = std::make_unique<CUserSetup>();
    if (!m_site.profileMode && m_site.profiles.GetCount() > 0 && m_ui != nullptr) {
        PickerForm picker = MakeUserProfilePicker(m_site.profiles, nullptr);
        if (m_ui->RunProfilePicker(picker))
            if (const auto chosen = picker.GetChosenIndex()) *user = m_site.profiles.GetAt(*chosen);
    }
    const bool hadAdministrator = AnyAdministrator();
    for (;;) {
        if (!EditUser(*user)) return;
        if (!user->m_name.empty()) break;
        ShowMessage(kMsgNoName);
    }
    if (!m_site.profileMode && !hadAdministrator && !IsSetupAdministrator(*user)) {
        MakeAdministrator(*user, kMsgNeedAdministrator);
        // The user sees the restored rights; whatever this edit does, the rights stay.
        (void)EditUser(*user);
        if (!IsSetupAdministrator(*user)) MakeAdministrator(*user, kMsgNeedAdministrator);
    }
    Log(false, *user);
    AppendRow(RowText(*user));
    m_users.Add(std::move(user));
}

void EditUsersForm::EditRow(std::size_t row)
{
    CUserSetup& user = m_users.GetAt(row);
    if (!EditUser(user)) return;
    if (!m_site.profileMode) {
        if (&user == m_users.GetCurrentUser() && !IsSetupAdministrator(user))
            MakeAdministrator(user, kMsgKeepOwnSetupRights);
        if (!AnyAdministrator()) MakeAdministrator(user, kMsgNeedAdministrator);
    }
    SetRow(row, RowText(user));
    Log(false, user);
}

void EditUsersForm::DeleteRow(std::size_t row)
{
    if (!m_site.profileMode && &m_users.GetAt(row) == m_users.GetCurrentUser()) {
        ShowMessage(kMsgDeleteSelf);
        return;
    }
    if (ShowMessage(kMsgDeleteUser, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) return;
    Log(true, m_users.GetAt(row));
    m_users.RemoveAt(row);
    RemoveRow(row);
}

SettingsListForm::End EditUsersForm::RemoveAll()
{
    if (!IsRemoveAllVisible() || !IsRemoveAllEnabled()) return End::Stay;
    if (ShowMessage(kMsgRemoveAll, MessageButtons::OkCancel, MessageIcon::Warning) != MessageAnswer::Ok)
        return End::Stay;
    for (std::size_t i = 0; i < m_users.GetCount(); ++i) Log(true, m_users.GetAt(i));
    m_users.RemoveAll();
    SetRows({}, std::nullopt);
    return End::Ok;
}

}  // namespace varnel
