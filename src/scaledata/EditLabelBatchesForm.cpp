#include "scaledata/EditLabelBatchesForm.h"

#include "db/plu/PluDatabase.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "scaledata/UserEdits.h"

#include <algorithm>

namespace varnel {
namespace {

const CPluDefTb* PluTableOf(const CLabelBatchTb& table)
{
    const auto* database = dynamic_cast<const CPluDatabase*>(table.GetDatabase());
    return database ? database->GetPluTable() : nullptr;
}

}  // namespace

EditLabelBatchesForm::EditLabelBatchesForm(CLabelBatchTb& table, BatchDialog batchDialog, BatchPrinter print,
                                           LabelBatchPluForm::PluPicker picker,
                                           EditLabelBatchForm::LineDialog lineDialog)
    : m_table(table), m_batchDialog(std::move(batchDialog)), m_print(std::move(print)),
      m_picker(std::move(picker)), m_lineDialog(std::move(lineDialog))
{
    Fill();
}

void EditLabelBatchesForm::Fill()
{
    m_names.clear();
    KeyCursor cursor = 0;
    while (const auto* batch = dynamic_cast<const CLabelBatchRec*>(m_table.PeekNextRecord(cursor)))
        m_names.emplace_back(batch->GetName());
    m_selection = std::clamp(m_selection, 0, std::max(0, static_cast<int>(m_names.size()) - 1));
}

void EditLabelBatchesForm::SetSelection(int index)
{
    if (index >= 0 && index < static_cast<int>(m_names.size())) m_selection = index;
}

std::uint32_t EditLabelBatchesForm::SelectedNumber() const
{
    std::uint32_t key = 0;
    return m_names.empty() || !m_table.GetRecordAt(static_cast<std::size_t>(m_selection), key) ? 0 : key;
}

void EditLabelBatchesForm::OnAdd()
{
    const std::uint32_t number = m_table.GetRecordCount() == 0 ? 1 : [this] {
        std::uint32_t last = 0;
        (void)m_table.GetRecordAt(m_table.GetRecordCount() - 1, last);
        return last + 1;
    }();
    EditLabelBatchForm dialog(PluTableOf(m_table), m_table.GetRoles(), number,
                              FormatMessage(kMsgNewName, static_cast<int>(number)), {}, m_picker, m_lineDialog);
    RunBatchDialog(dialog, true);
}

void EditLabelBatchesForm::OnEdit()
{
    const std::uint32_t number = SelectedNumber();
    const CLabelBatchRec* batch = m_table.FindBatch(number);
    if (!batch) return;
    EditLabelBatchForm dialog(PluTableOf(m_table), m_table.GetRoles(), number, batch->GetName(), batch->GetLines(),
                              m_picker, m_lineDialog);
    RunBatchDialog(dialog, false);
}

void EditLabelBatchesForm::RunBatchDialog(EditLabelBatchForm& dialog, bool isNew)
{
    const std::uint32_t opening = dialog.GetNumber();
    while (true) {
        if (!m_batchDialog || m_batchDialog(dialog) == BatchEditEnd::Cancel) return;
        const std::uint32_t number = dialog.GetNumber();
        const bool takesAnother = (isNew || number != opening) && m_table.FindBatch(number);
        if (!takesAnother ||
            ShowMessage(kMsgOverwrite, MessageButtons::OkCancel, MessageIcon::Question) == MessageAnswer::Ok)
            break;
    }
    const std::uint32_t number = dialog.GetNumber();
    bool created = false;
    const bool stored = StoreRowChange<CLabelBatchRec>(
        m_table, number, CLabelBatchRec::kSize,
        [&dialog](CLabelBatchRec& batch) {
            batch.SetName(dialog.GetName());
            batch.SetLines(dialog.GetLines());
            return batch.CalcDataSize();
        },
        created);
    if (!stored) return;
    Fill();
    KeyCursor cursor = 0;
    int row = 0;
    while (const CDBRecord* found = m_table.PeekNextRecord(cursor)) {
        if (found->GetKey() == number) break;
        ++row;
    }
    SetSelection(row);
    if (dialog.GetEnd() == BatchEditEnd::Send) Print(number);
}

void EditLabelBatchesForm::OnDelete()
{
    const std::uint32_t number = SelectedNumber();
    if (number == 0 || !m_table.DeleteKey(number)) return;
    Fill();
}

void EditLabelBatchesForm::OnPrint()
{
    if (const std::uint32_t number = SelectedNumber()) Print(number);
}

void EditLabelBatchesForm::Print(std::uint32_t number)
{
    if (m_print) m_print({CSendDataLog(SendRecords, m_table.GetTableNo(), number, number)});
}

}  // namespace varnel
