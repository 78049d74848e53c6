// The store settings dialogs on screen: the store list (CStoreListDlg, the list dialog over
// StoreListForm) and "Store Settings" (CStoreSettingsDlg: the store number, the name and address each
// in a label text editor with its strip of controls in the groups "nameEditor" and "addressEditor",
// the settings' combos and number edits). The editors' caret blinks on the editors' own timer.
#pragma once

#include "platform/CodePage.h"
#include "pluedit/ui/ScreenFont.h"
#include "pluedit/ui/SelectionListDlg.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLineEdit;

namespace varnel {

class CLabelTextEdit;
class StoreListForm;
class StoreSettingsForm;

class CStoreListDlg final : public CSelectionListDlg {
    Q_OBJECT
public:
    CStoreListDlg(StoreListForm& form, CodePage codePage, QWidget* parent = nullptr);

private:
    QtLabelTextMeasure m_measure;
};

class CStoreSettingsDlg final : public QDialog {
    Q_OBJECT
public:
    CStoreSettingsDlg(StoreSettingsForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    StoreSettingsForm& m_form;
    QLineEdit* m_number;
    CLabelTextEdit* m_name;
    CLabelTextEdit* m_address;
    std::vector<QComboBox*> m_choices;
    std::vector<QLineEdit*> m_numbers;
};

}  // namespace varnel
