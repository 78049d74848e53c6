// CEditRuxPrice, "Price Master Settings" over EditRuxPriceForm: five tabs ("tabs"), "Use Price"
// ("usePrice"), "Copy Price Info..." ("copyPriceInfo", with a menu of masters when there is a choice),
// the fields laid out by the form in the frame ("fields": edits and combos "field<number>", "..."
// buttons "pick<id>") and "Close" ("ok"). An edit is taken when it loses the focus, a combo when the
// user changes it; the control with the focus is taken before the tab changes. Every way out ends the
// dialog as "Close": there is no Cancel.
#pragma once

#include "platform/CodePage.h"
#include "settings/EditRuxPriceForm.h"

#include <QDialog>

#include <cstdint>
#include <map>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabBar;

namespace varnel {

class CEditRuxPrice final : public QDialog {
    Q_OBJECT
public:
    CEditRuxPrice(EditRuxPriceForm& form, IRuxPricePickers& pickers, CodePage codePage, QWidget* parent = nullptr);

    void reject() override;
    // Numeric edits call this when they lose the focus, combos when they change; true when taken.
    bool UpdateFromEdit(QLineEdit& edit, const CLabProp& field);
    bool UpdateFromCombo(QComboBox& combo, const CLabProp& field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildFields(QWidget& frame);
    void ShowField(std::uint16_t fieldNo);
    // After opening, a tab change, a "Use Price" change or a copy.
    void Refresh();
    // The control with the focus, taken as when it loses it.
    void CommitFocus();
    void OnCopy();

    EditRuxPriceForm& m_form;
    IRuxPricePickers& m_pickers;
    CodePage m_codePage;
    QTabBar* m_tabs;
    QCheckBox* m_usePrice;
    QPushButton* m_copy;
    std::map<std::uint16_t, QLineEdit*> m_edits;
    std::map<std::uint16_t, QComboBox*> m_combos;
    std::map<std::uint16_t, QPushButton*> m_pickButtons;
    std::map<QObject*, const CLabProp*> m_fieldOf;  // the field of each edit and combo
};

}  // namespace varnel
