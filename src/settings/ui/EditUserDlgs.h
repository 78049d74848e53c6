// The user dialogs on screen:
//
//   CEditUsersDlg  "Edit User Settings" or "Edit Default User Profiles" over EditUsersForm, with
//                  "&Remove All" ("removeAll") and "*: Current user" ("currentNote") for the users
//   CEditUser      "Edit User", the sheet ("pages") of the user pages over EditUserForm
#pragma once

#include "settings/EditUsersForm.h"
#include "settings/ui/SettingsListDlg.h"

#include <QDialog>

class QTabWidget;

namespace varnel {

class CUserGeneralPage;
class CUserReportsPage;
class CUserRuxPage;

class CEditUsersDlg final : public CSettingsListDlg, private IEditUsersUi {
    Q_OBJECT
public:
    CEditUsersDlg(EditUsersForm& form, CodePage codePage, QWidget* parent = nullptr);

private:
    bool RunUserSheet(EditUserForm& sheet) override;
    bool RunProfilePicker(PickerForm& picker) override;
};

class CEditUser final : public QDialog {
    Q_OBJECT
public:
    CEditUser(EditUserForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;
    QTabWidget* Tabs() const { return m_tabs; }

private:
    void Refresh();

    QTabWidget* m_tabs;
    CUserGeneralPage* m_general;
    CUserReportsPage* m_reports;
    CUserRuxPage* m_rux = nullptr;
};

}  // namespace varnel
