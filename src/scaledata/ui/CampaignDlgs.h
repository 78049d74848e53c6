// The campaign dialogs on screen: "Edit Campaigns" (CEditCampaignsDlg, template 139: the list dialog
// over every campaign number), "Edit Campaign" (CEditCampaignDlg: name 1004, start and end as date
// and time pickers, or with the day of week 1425 as times only; the lines in list 1091 with "&Add"
// 122, "&Edit" 1006 and "&Delete" 1003) and "Edit Campaign Price" (CEditCampPriceDlg: PLU No. 103
// with "Select..." 3, price 1076, in market 14 the old price 1118, the sales mode list 1103 or 1104).
#pragma once

#include "platform/CodePage.h"
#include "pluedit/SelectPluForm.h"
#include "pluedit/ui/SelectionListDlg.h"
#include "scaledata/EditCampaignsForm.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class QTreeWidget;

namespace varnel {

class CEditCampPriceDlg final : public QDialog {
    Q_OBJECT
public:
    CEditCampPriceDlg(EditCampPriceForm& form, PluPicker picker, QWidget* parent = nullptr);

    void accept() override;

private:
    // The typed texts go to the form; the form's values come back into the widgets.
    void HandOver();
    void ShowForm();

    EditCampPriceForm& m_form;
    PluPicker m_picker;
    QLineEdit* m_plu;
    QLineEdit* m_price;
    QLineEdit* m_oldPrice = nullptr;
    QComboBox* m_mode;
};

class CEditCampaignDlg final : public QDialog {
    Q_OBJECT
public:
    CEditCampaignDlg(EditCampaignForm& form, PluPicker picker, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    // A line step of the form, then the lines again.
    void Run(bool (EditCampaignForm::*step)(const EditCampaignForm::PriceDialog&));
    void Refill();

    EditCampaignForm& m_form;
    PluPicker m_picker;
    CodePage m_codePage;
    QLineEdit* m_name;
    QDateEdit* m_startDate = nullptr;
    QDateEdit* m_endDate = nullptr;
    QTimeEdit* m_startTime;
    QTimeEdit* m_endTime;
    QComboBox* m_dayOfWeek = nullptr;
    QTreeWidget* m_lines;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_delete;
};

class CEditCampaignsDlg final : public CSelectionListDlg {
    Q_OBJECT
public:
    CEditCampaignsDlg(EditCampaignsForm& form, CodePage codePage, QWidget* parent = nullptr);
};

// What "Edit Campaigns" runs for a campaign: CEditCampaignDlg, modal over the active window.
EditCampaignsForm::EditDialog RunEditCampaignDlg(PluPicker picker, CodePage codePage);

}  // namespace varnel
