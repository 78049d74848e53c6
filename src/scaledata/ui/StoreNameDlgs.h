// The store name dialogs on screen: the list of every store number (CEditStoreNamesDlg, template 142
// "Edit Store Name and Address (TR-5300/LumenXT)": list box 1072, "&Add" 122, "&Edit" 1006, "&Delete"
// 1003, "&Close" 1011) and the store editor over EditStoreNameForm, the simple one
// (CEditStoreNameDlg, template 143: number, name 1003, address 1004, font 1183) or the extended one
// (CEditStoreNameExDlg, template 229: fonts 1183 and 1184, "Bold", "Italic", "Reverse" 1410 to 1415).
#pragma once

#include "platform/CodePage.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace varnel {

class EditStoreNameForm;
class EditStoreNamesForm;

class CEditStoreNamesDlg final : public QDialog {
    Q_OBJECT
public:
    CEditStoreNamesDlg(EditStoreNamesForm& form, CodePage codePage, QWidget* parent = nullptr);

private:
    void Refill();

    EditStoreNamesForm& m_form;
    CodePage m_codePage;
    QListWidget* m_list;
};

// The simple and the extended editor: the extended one adds the address's font and the styles.
class CEditStoreNameDlg : public QDialog {
    Q_OBJECT
public:
    CEditStoreNameDlg(EditStoreNameForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    EditStoreNameForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_number;
    QLineEdit* m_name;
    QLineEdit* m_address;
    QComboBox* m_nameFont;
    QComboBox* m_addressFont = nullptr;
    std::array<QCheckBox*, 6> m_styles{};
};

class CEditStoreNameExDlg final : public CEditStoreNameDlg {
    Q_OBJECT
public:
    CEditStoreNameExDlg(EditStoreNameForm& form, CodePage codePage, QWidget* parent = nullptr);
};

}  // namespace varnel
