// The price zone dialogs on screen:
//
//   CEditPriceZonesDlg  "Edit Price Zones" over EditPriceZonesForm
//   CEditPriceZoneDlg   "Edit Price Zone" over EditPriceZoneForm: "zoneId", "name"
#pragma once

#include "settings/EditPriceZonesForm.h"
#include "settings/ui/SettingsListDlg.h"

#include <QDialog>

class QLineEdit;

namespace varnel {

class CEditPriceZonesDlg final : public CSettingsListDlg, private IEditPriceZonesUi {
    Q_OBJECT
public:
    CEditPriceZonesDlg(EditPriceZonesForm& form, CodePage codePage, QWidget* parent = nullptr);

private:
    bool RunPriceZoneEntry(EditPriceZoneForm& entry) override;
};

class CEditPriceZoneDlg final : public QDialog {
    Q_OBJECT
public:
    CEditPriceZoneDlg(EditPriceZoneForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    EditPriceZoneForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_id;
    QLineEdit* m_name;
};

}  // namespace varnel
