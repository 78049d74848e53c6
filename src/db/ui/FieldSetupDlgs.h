// The field setup dialogs on screen:
//
//   CPluFieldSetupDlg  "Field Setup": the grid of "Display?" and "Print?" boxes, built from the model's
//                      rows and placed by its column arithmetic, scaled from the dialog font; built
//                      again after "&Advanced Settings..." ends
//   CAdvFieldSetupDlg  "Advanced Field Setup": the definitions with Add, Edit, Delete
//   CEditPluFieldDlg   "Edit PLU Field": one definition, its value list and ranges
//   CSetPropValueDlg   "Set Property Value": one value's text and number
//   CPluFieldsDlg      "PLU Fields": picks one definition
//
// Names are the store's text, shown and taken in the store's code page that the caller hands.
#pragma once

#include "db/site/FieldSetupForm.h"
#include "platform/CodePage.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QWidget;

namespace varnel {

class CPluFieldSetupDlg final : public QDialog {
    Q_OBJECT
public:
    CPluFieldSetupDlg(FieldSetupForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    void BuildGrid();
    void TakeBoxes();
    void OnAdvanced();

    FieldSetupForm& m_form;
    CodePage m_codePage;
    QWidget* m_frame;
    struct GridRow {
        std::uint16_t key;
        QCheckBox* display;
        QCheckBox* print;
    };
    std::vector<GridRow> m_rows;
};

class CAdvFieldSetupDlg final : public QDialog {
    Q_OBJECT
public:
    CAdvFieldSetupDlg(AdvFieldSetupForm& form, FieldRange range, CodePage codePage, QWidget* parent = nullptr);

private:
    void ShowRows();
    void OnAdd();
    void OnEdit();

    AdvFieldSetupForm& m_form;
    FieldRange m_range;
    CodePage m_codePage;
    QListWidget* m_list;
};

class CEditPluFieldDlg final : public QDialog {
    Q_OBJECT
public:
    CEditPluFieldDlg(EditPluFieldForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    void ShowValues();
    void OnAddValue();
    void OnEditValue();

    EditPluFieldForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_name;
    QComboBox* m_type;
    QListWidget* m_values;
    QLineEdit* m_default;
    QLineEdit* m_min;
    QLineEdit* m_max;
    QLineEdit* m_width;
    QLineEdit* m_decimals;
    QCheckBox* m_display;
    QCheckBox* m_print;
};

class CSetPropValueDlg final : public QDialog {
    Q_OBJECT
public:
    CSetPropValueDlg(CPropValue& value, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    CPropValue& m_value;
    CodePage m_codePage;
    QLineEdit* m_text;
    QLineEdit* m_number;
};

class CPluFieldsDlg final : public QDialog {
    Q_OBJECT
public:
    CPluFieldsDlg(const CLabPropMap& definitions, FieldRange range, CodePage codePage, QWidget* parent = nullptr);

    // The definition chosen with "Select"; null when none was.
    const CLabProp* GetChosen() const { return m_chosen; }
    void accept() override;

private:
    std::vector<const CLabProp*> m_rows;
    CodePage m_codePage;
    QListWidget* m_list;
    const CLabProp* m_chosen = nullptr;
};

}  // namespace varnel
