// The model of the store list (CStoreListDlg, on the list dialog): the store settings by number with
// their name and address as plain text ("No." 10 %, "Name" 40 %, "Address" 40 %), edited in "Store
// Settings" or picked.
#pragma once

#include "scaledata/ScaleDataListForm.h"
#include "scaledata/StoreSettingsForm.h"
#include "scaledata/StoreSetupTb.h"

#include <functional>
#include <utility>

namespace varnel {

class StoreListForm final : public ScaleDataListForm {
public:
    static constexpr MessageId kColumnAddress = 18001;
    static constexpr MessageId kMsgDelete = 61243;
    static constexpr std::size_t kRowTextMax = 63;

    // Runs "Store Settings" over the form; true for OK.
    using EditDialog = std::function<bool(StoreSettingsForm&)>;

    explicit StoreListForm(CStoreSetupTb& table, EditDialog editDialog = {});
    // The dialog the view runs; without one Add and Edit change nothing.
    void SetEditDialog(EditDialog editDialog) { m_editDialog = std::move(editDialog); }

    void SetTextMeasure(const ILabelTextMeasure* measure) { m_measure = measure; }

protected:
    bool GetRowText(int index, std::vector<std::string>& texts) override;
    void InitList(int& selIndex) override;
    bool AddItem(int& index, bool& inserted) override;
    bool EditItem(int& index, bool& inserted) override;
    MessageId DeleteQuestion() const override { return kMsgDelete; }

private:
    bool EditAndStore(StoreSettingsForm& dialog, int& index, bool& inserted);

    CStoreSetupTb& m_stores;
    EditDialog m_editDialog;
    const ILabelTextMeasure* m_measure = nullptr;
};

}  // namespace varnel
