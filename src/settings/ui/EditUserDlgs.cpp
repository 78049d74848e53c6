// The user dialogs.
#include "settings/ui/EditUserDlgs.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "settings/ui/EntryFields.h"
#include "settings/ui/PickerDlgs.h"
#include "settings/ui/UserPages.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace varnel {

CEditUsersDlg::CEditUsersDlg(EditUsersForm& form, CodePage codePage, QWidget* parent)
    : CSettingsListDlg(form, codePage, ToDisplayText(form.GetTitle(), codePage), "editUsersDialog", parent)
{
    form.SetUi(*this);
    if (!form.IsRemoveAllVisible()) return;
    QPushButton* removeAll = MakeButton(*this, "&Remove All", "removeAll");
    removeAll->setEnabled(form.IsRemoveAllEnabled());
    Panel().ButtonColumn()->insertWidget(3, removeAll);
    connect(removeAll, &QPushButton::clicked, this, [this, &form] {
        const SettingsListForm::End end = form.RemoveAll();
        Panel().Refresh();
        Finish(end);
    });
    auto* current = new QLabel("*: Current user", this);
    current->setObjectName("currentNote");
    Panel().ListColumn()->addWidget(current);
}

bool CEditUsersDlg::RunUserSheet(EditUserForm& sheet)
{
    return CEditUser(sheet, GetCodePage(), this).exec() == QDialog::Accepted;
}

bool CEditUsersDlg::RunProfilePicker(PickerForm& picker)
{
    return CSelectUserProfileDlg(picker, this).exec() == QDialog::Accepted;
}

CEditUser::CEditUser(EditUserForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_tabs(new QTabWidget(this)), m_general(new CUserGeneralPage(form, codePage, m_tabs)),
      m_reports(new CUserReportsPage(form, m_tabs))
{
    setObjectName("editUserSheet");
    setWindowTitle(QString::fromUtf8(GetMessageText(EditUserForm::kMsgTitle)));
    m_tabs->setObjectName("pages");
    m_tabs->addTab(m_general, "General");
    m_tabs->addTab(m_reports, "Reports and Data Import/Export");
    if (form.HasRuxPage()) {
        m_rux = new CUserRuxPage(form, m_tabs);
        m_tabs->addTab(m_rux, "User Settings - TR-5400/RUX Settings");
    }
    connect(m_general, &CUserGeneralPage::Copied, this, &CEditUser::Refresh);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(MakeOkCancel(*this));
}

void CEditUser::Refresh()
{
    m_general->Refresh();
    m_reports->Refresh();
    if (m_rux != nullptr) m_rux->Refresh();
}

void CEditUser::accept()
{
    m_general->TakeTexts();
    QDialog::accept();
}

}  // namespace varnel
