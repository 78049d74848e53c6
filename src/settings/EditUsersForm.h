// "Edit User Settings" (the users) and "Edit Default User Profiles" (the profiles): the list in list
// order, the current user followed by "*", changed in the main frame's list and written to the event
// log ("User access permissions" or "Default user access permissions profile", " %s").
//
//   Add         a new user with the defaults; with profiles defined, a profile picked first is copied
//               into it; edited until it has a name (61318) or the edit ends without a change
//   Edit        the selected user
//   Delete      61307 (Yes/No); the current user cannot be deleted (61308)
//   Remove All  (users only) 61313 (OK/Cancel): every user goes, nobody is logged in, the list closes
//               as with OK
// The administrator rule holds for the users after every add and edit: someone holds both the view
// and the update right on the setup. Removing either from oneself is undone (61329); a change that
// leaves nobody with both gives them to the user just added or edited (61337), and a new user who had
// to get them is edited once more. Deletes do not check the rule.
#pragma once

#include "settings/EditUserForm.h"
#include "settings/SettingsListForm.h"

namespace varnel {

class CAppEventLog;

class IEditUsersUi {
public:
    virtual bool RunUserSheet(EditUserForm& sheet) = 0;
    // "Select User Profile"; true on OK.
    virtual bool RunProfilePicker(PickerForm& picker) = 0;

protected:
    ~IEditUsersUi() = default;
};

class EditUsersForm final : public SettingsListForm {
public:
    static constexpr MessageId kMsgProfilesTitle = 18013;
    static constexpr MessageId kMsgNoName = 61318;
    static constexpr MessageId kMsgKeepOwnSetupRights = 61329;
    static constexpr MessageId kMsgNeedAdministrator = 61337;
    static constexpr MessageId kMsgDeleteSelf = 61308;
    static constexpr MessageId kMsgDeleteUser = 61307;
    static constexpr MessageId kMsgRemoveAll = 61313;
    static constexpr MessageId kMsgUser = 20514;
    static constexpr MessageId kMsgProfile = 20578;

    // `users`: the users or, with `site.profileMode`, the profiles.
    EditUsersForm(CUserSetupList& users, const CAppEventLog& log, const UserSheetSite& site);
    void SetUi(IEditUsersUi& ui) { m_ui = &ui; }

    std::string GetTitle() const;
    bool IsProfileMode() const { return m_site.profileMode; }
    // "&Remove All" and the "*: Current user" text are for the users only.
    bool IsRemoveAllVisible() const { return !m_site.profileMode; }
    bool IsRemoveAllEnabled() const { return IsAddEnabled(); }

    void Add() override;
    End RemoveAll();

private:
    void EditRow(std::size_t row) override;
    void DeleteRow(std::size_t row) override;
    std::string RowText(const CUserSetup& user) const;
    bool EditUser(CUserSetup& user);
    bool AnyAdministrator() const;
    void MakeAdministrator(CUserSetup& user, MessageId message) const;
    void Log(bool deleted, const CUserSetup& user) const;

    CUserSetupList& m_users;
    const CAppEventLog& m_log;
    const UserSheetSite& m_site;
    IEditUsersUi* m_ui = nullptr;
};

}  // namespace varnel
