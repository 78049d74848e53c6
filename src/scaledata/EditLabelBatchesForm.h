// The model of "Edit Batch Label Sets" (CEditLabelBatchesDlg, template 268): the names of the label
// batches in number order (list box 1003); Add (122) makes a batch numbered after the last one, Edit
// (1006, or a double click) changes one in "Edit Batch Label Set", Delete (1002) removes one from the
// table at once (the scales keep theirs), and Print... (1011) sends the selected batch to one scale,
// which prints it, through the document's printer.
#pragma once

#include "db/plu/SendDataLog.h"
#include "platform/Messages.h"
#include "scaledata/EditLabelBatchForm.h"
#include "scaledata/LabelBatchTb.h"

#include <functional>
#include <utility>
#include <string>
#include <vector>

namespace varnel {

class EditLabelBatchesForm {
public:
    static constexpr MessageId kMsgNewName = 17562;
    static constexpr MessageId kMsgOverwrite = 61454;

    // "Edit Batch Label Set" over the form; its end (Cancel when cancelled).
    using BatchDialog = std::function<BatchEditEnd(EditLabelBatchForm&)>;
    // The document's print of a batch: the user chooses one of the scales that print label batches and
    // the jobs run to it in "Scale Comms"; nothing goes out when no scale is chosen.
    using BatchPrinter = std::function<void(const SendRequests& jobs)>;

    EditLabelBatchesForm(CLabelBatchTb& table, BatchDialog batchDialog = {}, BatchPrinter print = {},
                         LabelBatchPluForm::PluPicker picker = {}, EditLabelBatchForm::LineDialog lineDialog = {});
    // The dialogs the view runs; without a batch dialog Add and Edit change nothing.
    void SetDialogs(BatchDialog batchDialog, LabelBatchPluForm::PluPicker picker, EditLabelBatchForm::LineDialog lineDialog)
    {
        m_batchDialog = std::move(batchDialog);
        m_picker = std::move(picker);
        m_lineDialog = std::move(lineDialog);
    }
    void SetPrinter(BatchPrinter print) { m_print = std::move(print); }

    const std::vector<std::string>& GetNames() const { return m_names; }
    int GetSelection() const { return m_selection; }
    void SetSelection(int index);

    void OnAdd();
    void OnEdit();
    void OnDelete();
    // Print...: the selected batch's record, sent to the scale the printer asks for.
    void OnPrint();

private:
    void Fill();
    std::uint32_t SelectedNumber() const;
    // Runs the dialog until it is cancelled or ends on a number the user lets it take (61454 when
    // another batch holds it); then stores the batch and, for "Send To Scale", prints it.
    void RunBatchDialog(EditLabelBatchForm& dialog, bool isNew);
    void Print(std::uint32_t number);

    CLabelBatchTb& m_table;
    BatchDialog m_batchDialog;
    BatchPrinter m_print;
    LabelBatchPluForm::PluPicker m_picker;
    EditLabelBatchForm::LineDialog m_lineDialog;
    std::vector<std::string> m_names;
    int m_selection = 0;
};

}  // namespace varnel
