// CPlued1PluVw: the PLU edit window over its form (PluEditForm). The fixed controls stand above the
// description: the PLU number 103 and the command buttons, the label text editor's strip with the
// length combo 1055 and the printed length 1058, the price zone 1393, Active/Inactive (radios 1015 and
// 1016, or combo 1259), the host flags 1099 and 1100 and the sale and campaign indicators 1097 and
// 1098. Below them the description editor in its sunken frame, then the generated fields at the
// places the form worked out from the window font, under the tab strip 116 when there are pages.
// The controls are made once; each PLU shown only refreshes their values.
//
// Object names: fixed controls by their ids ("103", "1118"...), generated inputs "field<number>",
// their labels "label<number>", "..." buttons "picker<id>", department and group combos too are
// "field1014" and "field1015" (CDeptCombo).
#pragma once

#include "platform/CodePage.h"
#include "pluedit/ui/FieldEdits.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace varnel {

class CEditPriceZoneValues;
class CLabelTextEdit;
class CLabelTextStrip;
class PluEditForm;
struct PluFieldControl;

class CPlued1PluVw final : public QWidget, private IFieldEditHost {
    Q_OBJECT
public:
    CPlued1PluVw(PluEditForm& form, CodePage codePage, QWidget* parent = nullptr);
    ~CPlued1PluVw() override;

    // The zone popup while it is open.
    CEditPriceZoneValues* ZonePopup() const;

    PluEditForm& Form() { return m_form; }
    // Loads the document's PLU to show, when there is one, and shows it.
    void OnUpdate();
    // Whether the window may close (its frame asks).
    bool SaveModified();

signals:
    // Close (1116): the frame around the view closes.
    void closeRequested();

private:
    struct FieldWidgets {
        const PluFieldControl* control = nullptr;
        QLabel* label = nullptr;
        QWidget* input = nullptr;
        QPushButton* button = nullptr;
    };

    void BuildTop();
    void BuildFields();
    QWidget* MakeInput(const PluFieldControl& control);
    void ShowPage();
    void Refresh();
    void ShowField(const FieldWidgets& field);
    void ShowCombo(const FieldWidgets& field);
    void ShowLength();
    void OnPicker(int button);
    void OnDescLengthLeft();
    // After a load: the editor's fonts and text, then every control.
    void ShowLoaded(bool loaded);
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Checking and storing an entry as its control is left (Plued1PluVwCommit.cpp).
    void UpdateFromEdit(CNumEdit& edit) override;
    void UpdateFromCombo(CPluCombo& combo) override;
    bool CommitEdit(CNumEdit& edit);
    bool CommitCombo(CPluCombo& combo);
    bool CommitPluNumber();
    // Before a save and before the PLU is left: the active state and the focused control's entry.
    bool CommitFocusedControl();
    const FieldWidgets* FindField(const QWidget* input) const;
    const FieldWidgets* FindField(std::uint16_t fieldNo) const;
    void ShowFields(const std::vector<std::uint16_t>& fields);
    // The focus where the form's last action asked for it.
    void ApplyFocusRequest();
    void OnSave();
    void OnNewPlu();
    // A right click on a price-zone field opens the zone popup (Plued1PluVwZones.cpp).
    bool OnRightButton(QWidget& control, const CLabProp& definition) override;
    void OnZoneValuesCommitted();

    PluEditForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_pluNumber = nullptr;
    std::map<int, QPushButton*> m_buttons;  // by id: commands and indicators
    CLabelTextEdit* m_editor = nullptr;
    CLabelTextStrip* m_strip = nullptr;
    QComboBox* m_descLength = nullptr;
    QLabel* m_length = nullptr;
    QLabel* m_zoneLabel = nullptr;
    QComboBox* m_zone = nullptr;
    QLabel* m_zoneHint = nullptr;
    QRadioButton* m_active = nullptr;
    QRadioButton* m_inactive = nullptr;
    QLabel* m_activeLabel = nullptr;
    QComboBox* m_activeCombo = nullptr;
    QCheckBox* m_hostSupported = nullptr;
    QCheckBox* m_hostControlled = nullptr;
    QLabel* m_saleCaption = nullptr;
    QLabel* m_campaignCaption = nullptr;
    QTabBar* m_tabs = nullptr;
    std::vector<FieldWidgets> m_fields;
    QPointer<CEditPriceZoneValues> m_zonePopup;
};

}  // namespace varnel
