// What the list editors that edit a row in one dialog share: the dialog the view runs, the text
// measure it hands the dialog's label text editors, the list's title and buttons, and the one step
// that runs the dialog and stores the row it fills.
#pragma once

#include "pluedit/LabelTextMeasure.h"
#include "scaledata/ScaleDataListForm.h"

#include <cstdint>
#include <functional>
#include <utility>

namespace varnel {

template <class Dialog>
class EditedListForm : public ScaleDataListForm {
public:
    // Runs the edit dialog over the form; true for OK.
    using EditDialog = std::function<bool(Dialog&)>;

    // The dialog the view runs; without one Add and Edit change nothing.
    void SetEditDialog(EditDialog editDialog) { m_editDialog = std::move(editDialog); }
    void SetTextMeasure(const ILabelTextMeasure* measure) { m_measure = measure; }

protected:
    EditedListForm(CDBComTb& table, EditDialog editDialog)
        : ScaleDataListForm(table), m_editDialog(std::move(editDialog))
    {
    }

    const ILabelTextMeasure* Measure() const { return m_measure; }

    // The table's caption as the title, the buttons by the user's rights, the number chosen selected.
    void InitList(int& selIndex) override
    {
        selIndex = FirstSelection();
        Surface().SetTitle(GetTable().GetTableCaption());
        ShowButtonsByRights();
    }

    // Runs the dialog; true for OK.
    bool RunEditDialog(Dialog& dialog) const { return m_editDialog && m_editDialog(dialog); }
    // Runs the dialog and, on OK and with the update right, stores the row `fill` fills under the
    // dialog's number (StoreAndShow).
    template <class Row>
    bool EditAndStore(Dialog& dialog, const std::function<std::uint16_t(Row&)>& fill, int& index, bool& inserted)
    {
        return RunEditDialog(dialog) && GetTable().CheckUserRights(CDBComTb::kRightUpdate, true) &&
               StoreAndShow<Row>(dialog.GetNumber(), Row::kSize, fill, index, inserted);
    }

private:
    EditDialog m_editDialog;
    const ILabelTextMeasure* m_measure = nullptr;
};

}  // namespace varnel
