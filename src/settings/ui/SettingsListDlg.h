// The settings list dialogs on screen over a SettingsListForm: a list box ("list"), "&Add" ("add"),
// "&Edit" ("edit"), "&Delete" ("delete") and "Close" ("ok"); a double click in the list is Edit.
//
//   CSettingsListPanel  the list with its three buttons, for a dialog that holds a list among other
//                       fields (the group codes of "Edit Department Code")
//   CSettingsListDlg    the list dialog: the panel, room for a dialog's own buttons and texts, and OK
//
// After each button the panel shows the form's rows, selection and buttons again.
#pragma once

#include "platform/CodePage.h"
#include "settings/SettingsListForm.h"

#include <QDialog>
#include <QWidget>

class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace varnel {

class CSettingsListPanel final : public QWidget {
    Q_OBJECT
public:
    CSettingsListPanel(SettingsListForm& form, CodePage codePage, QWidget* parent);

    // Shows the form's rows, selection and buttons.
    void Refresh();
    // Where a dialog adds buttons of its own (from position 3, under "&Delete"), and texts under the list.
    QVBoxLayout* ButtonColumn() const { return m_buttons; }
    QVBoxLayout* ListColumn() const { return m_listColumn; }

signals:
    // A double click that ends the dialog (pick mode).
    void Ended(SettingsListForm::End end);

private:
    void TakeSelection();

    SettingsListForm& m_form;
    CodePage m_codePage;
    QListWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QVBoxLayout* m_buttons;
    QVBoxLayout* m_listColumn;
};

class CSettingsListDlg : public QDialog {
    Q_OBJECT
public:
    void accept() override;

protected:
    CSettingsListDlg(SettingsListForm& form, CodePage codePage, const QString& title, const char* objectName,
                     QWidget* parent);

    CSettingsListPanel& Panel() const { return *m_panel; }
    CodePage GetCodePage() const { return m_codePage; }
    // Ends the dialog as a button of the form said (Stay: it stays).
    void Finish(SettingsListForm::End end);

private:
    SettingsListForm& m_form;
    CodePage m_codePage;
    CSettingsListPanel* m_panel;
};

}  // namespace varnel
