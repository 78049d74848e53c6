// The model of "Edit Store Name and Address (TR-5300/LumenXT)" (CEditStoreNamesDlg, template 142): a
// row for every store number up to "Max. Store No." in list box 1072, its number ("%02.2ld ", with 4
// or 6 digits for higher maximums) and its name, or "Spare"; Add (122), Edit (1006, or a double click)
// in the store editor of the market, Delete (1003) with the scales told first, Close (1011).
#pragma once

#include "platform/Messages.h"
#include "scaledata/EditStoreNameForm.h"
#include "scaledata/StoreNameTb.h"

#include <functional>
#include <utility>
#include <string>
#include <vector>

namespace varnel {

class EditStoreNamesForm {
public:
    static constexpr MessageId kMsgSpare = 61222;
    static constexpr MessageId kMsgDelete = 61243;

    // Runs the store editor over the form; true for OK.
    using StoreEditor = std::function<bool(EditStoreNameForm&)>;

    explicit EditStoreNamesForm(CStoreNameTb& table, StoreEditor editor = {});
    // The editor the view runs; without one Add and Edit change nothing.
    void SetEditor(StoreEditor editor) { m_editor = std::move(editor); }

    const std::vector<std::string>& GetRows() const { return m_rows; }
    int GetSelection() const { return m_selection; }
    void SetSelection(int index);
    // Markets 3, 5 and 10 take the extended editor.
    bool UsesExtendedEditor() const;

    // Add: the editor for the first store number without a store (none when every number has one);
    // Edit: for the selected one. A change is stored with the update right.
    void OnAdd();
    void OnEdit();
    // Delete: the selected store, after 61243, when the scales could be told of it; the row before it
    // is selected after.
    void OnDelete();

private:
    void Fill();
    std::uint32_t NumberOfRow(int index) const { return static_cast<std::uint32_t>(index + 1); }
    // Runs the editor for the number; a change is converted to full-width characters where the
    // market needs them (31488), stored, queued and logged.
    void Edit(std::uint32_t number);

    CStoreNameTb& m_table;
    StoreEditor m_editor;
    std::vector<std::string> m_rows;
    int m_selection = 0;
};

}  // namespace varnel
