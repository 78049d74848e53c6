// The tray dialogs on screen: the tray list (CTrayListDlg, the list dialog over TrayListForm) and
// "Edit Tray" (CEditTrayDlg: the number 1156, the name 1004, the choice combos, the size and weight
// edits, and the tray's picture, which is drawn again as a size edit is left).
#pragma once

#include "platform/CodePage.h"
#include "pluedit/ui/SelectionListDlg.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLineEdit;

namespace varnel {

class EditTrayForm;
class TrayListForm;

class CTrayListDlg final : public CSelectionListDlg {
    Q_OBJECT
public:
    CTrayListDlg(TrayListForm& form, CodePage codePage, QWidget* parent = nullptr);
};

class CEditTrayDlg final : public QDialog {
    Q_OBJECT
public:
    CEditTrayDlg(EditTrayForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    // Hands every field to the form.
    void ReadBack();

    EditTrayForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_number;
    QLineEdit* m_name;
    std::vector<QComboBox*> m_choices;
    std::vector<QLineEdit*> m_measures;
    QWidget* m_picture;
};

}  // namespace varnel
