// The nutrition dialogs on screen, all titled "Nutrition", each over its form; the caller stores the
// row afterwards:
//   CNutrPanelDlg  the panel (template 298): PLU No. 1467, servings 1103 and serving size 1104, per
//                  serve and per 100 g the energy and seven nutrients with their "mg"/"g" lists,
//                  the extra line's name 1110 and "Copy From..." 1271
//   CNutrFactsDlg  the facts (template 174: PLU No. 103 with "Select..." 1270 and the name 1208;
//                  template 281: the PLUs sharing the row in list 1052 with "Assign to PLU..." 1270,
//                  "Remove from PLU..." 1271 and "New Nutrition..." 3)
//   CCustomNutr    custom nutrition (template 252): PLU No. 1467 with "Select..." 1270 and the name
//                  1464, "Copy From..." 1271, and a numeric edit (1800 + row) or value list (1900 +
//                  row) for every displayed definition, each checked as it is left
#pragma once

#include "platform/CodePage.h"
#include "pluedit/SelectPluForm.h"
#include "pluedit/ui/FieldEdits.h"

#include <QDialog>

#include <functional>
#include <map>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace varnel {

class CustomNutrForm;
class NutrFactsForm;
class NutrPanelForm;

class CNutrPanelDlg final : public QDialog {
    Q_OBJECT
public:
    CNutrPanelDlg(NutrPanelForm& form, PluPicker picker, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    // The widgets' texts and lists into the form's values, and back.
    void HandOver();
    void ShowForm();

    NutrPanelForm& m_form;
    PluPicker m_picker;
    CodePage m_codePage;
    QLineEdit* m_plu;
    // Each edit or unit list with the value it shows.
    std::vector<std::pair<QLineEdit*, std::string*>> m_texts;
    std::vector<std::pair<QComboBox*, std::uint8_t*>> m_units;
};

class CNutrFactsDlg final : public QDialog {
    Q_OBJECT
public:
    CNutrFactsDlg(NutrFactsForm& form, PluPicker picker, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    QLineEdit* AddEdit(int id, std::size_t limit);
    QWidget* MakePluPart();
    QWidget* MakeSharedPart();
    void HandOver();
    void ShowForm();
    void ShowShared();

    NutrFactsForm& m_form;
    PluPicker m_picker;
    CodePage m_codePage;
    // The edits of texts in the values and of numbers the form reads by id.
    std::vector<std::pair<QLineEdit*, std::string*>> m_texts;
    std::map<int, QLineEdit*> m_numbers;
    QLineEdit* m_plu = nullptr;
    QLabel* m_name = nullptr;
    QListWidget* m_shared = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_newNutrition = nullptr;
};

class CCustomNutr final : public QDialog, private IFieldEditHost {
    Q_OBJECT
public:
    CCustomNutr(CustomNutrForm& form, PluPicker picker, CodePage codePage, QWidget* parent = nullptr);

    // OK checks the edit that has the focus as leaving it would; OK and Cancel take no focus, so the
    // edit is still the focused one when they are pressed.
    void accept() override;

private:
    void UpdateFromEdit(CNumEdit& edit) override;
    void UpdateFromCombo(CPluCombo& combo) override;
    void ShowForm();
    std::size_t RowOf(const QWidget& control) const;

    CustomNutrForm& m_form;
    PluPicker m_picker;
    CodePage m_codePage;
    QLineEdit* m_plu;
    QLabel* m_name;
    std::vector<QWidget*> m_controls;  // by row
};

}  // namespace varnel
