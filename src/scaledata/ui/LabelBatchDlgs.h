// The label batch dialogs on screen: "Edit Batch Label Sets" (CEditLabelBatchesDlg, template 268: list
// box 1003, "&Add..." 122, "&Edit..." 1006, "&Delete" 1002, "Print..." 1011, "Close" 1), "Edit Batch
// Label Set" (CEditLabelBatchDlg, template 269: name 1009, ID 1008, the lines in list 1004, whose rows
// are dragged to another place and whose quantities are edited in place; Add 122, Edit 1006, Delete
// 1003, "Send To Scale" 1, "Save Without Sending" 1010, Cancel 2) and "Label Batch PLU"
// (CLabelBatchPluDlg, template 270: PLU No. 103 with "Select..." 3, Quantity 1476, Weight 1477 and
// Price 1076).
#pragma once

#include "platform/CodePage.h"
#include "scaledata/EditLabelBatchForm.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QTreeWidget;

namespace varnel {

class EditLabelBatchesForm;

class CEditLabelBatchesDlg final : public QDialog {
    Q_OBJECT
public:
    // The form's batch dialogs run over this one; `picker` is "Select PLU".
    CEditLabelBatchesDlg(EditLabelBatchesForm& form, LabelBatchPluForm::PluPicker picker, CodePage codePage,
                         QWidget* parent = nullptr);

private:
    // A step of the form, then the list again.
    void Run(void (EditLabelBatchesForm::*step)());
    void Refill();

    EditLabelBatchesForm& m_form;
    CodePage m_codePage;
    QListWidget* m_list;
};

class CEditLabelBatchDlg final : public QDialog {
    Q_OBJECT
public:
    CEditLabelBatchDlg(EditLabelBatchForm& form, CodePage codePage, QWidget* parent = nullptr);

    // Runs the dialog modal; how it ended.
    BatchEditEnd Run();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Run(void (EditLabelBatchForm::*step)());
    void Refill();
    void End(BatchEditEnd end);
    // The drag of a line by the mouse: pressed on a row, moved, released.
    bool OnListMouse(QEvent* event);

    EditLabelBatchForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_name;
    QLineEdit* m_number;
    QTreeWidget* m_lines;
    int m_dragRow = -1;
    bool m_dragging = false;
};

class CLabelBatchPluDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CLabelBatchPluDlg(LabelBatchPluForm& form, QWidget* parent = nullptr);

    void accept() override;

private:
    void ShowPlu();

    LabelBatchPluForm& m_form;
    QLineEdit* m_plu;
    QLineEdit* m_quantity;
    QLabel* m_weight;
    QLabel* m_price;
};

}  // namespace varnel
