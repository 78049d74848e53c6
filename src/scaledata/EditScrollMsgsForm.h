// The model of "Edit Advertising Messages" (CEditScrollMsgsDlg, dialog 102): the nine messages of the
// advertising message table in list box 1005 (each its text cut to 19 bytes, "..." after a longer
// one, or "Spare"), Edit (1006, a double click or Enter) in the simple or the extended editor as the
// site's scales need, and Delete (1003) with the scales told first.
#pragma once

#include "platform/Messages.h"
#include "scaledata/EditScrollMsgExForm.h"
#include "scaledata/EditScrollMsgForm.h"
#include "scaledata/ScrollMsgTb.h"

#include <functional>
#include <utility>
#include <string>
#include <vector>

namespace varnel {

class EditScrollMsgsForm {
public:
    static constexpr MessageId kMsgSpare = 61222;
    static constexpr MessageId kMsgDelete = 61223;
    static constexpr std::size_t kEntryText = 19;

    // Each runs its editor over the form; true for OK.
    using SimpleEditor = std::function<bool(EditScrollMsgForm&)>;
    using ExtendedEditor = std::function<bool(EditScrollMsgExForm&)>;

    EditScrollMsgsForm(CScrollMsgTb& table, SimpleEditor simple = {}, ExtendedEditor extended = {});
    // The editors the view runs; without them Edit changes nothing.
    void SetEditors(SimpleEditor simple, ExtendedEditor extended)
    {
        m_simple = std::move(simple);
        m_extended = std::move(extended);
    }

    // One entry per message number 1 to 9.
    const std::vector<std::string>& GetEntries() const { return m_entries; }
    int GetSelection() const { return m_selection; }
    void SetSelection(int index);
    // Delete needs the delete right on the table.
    bool IsDeleteEnabled() const;
    // The extended editor serves default families 8 to 12, and families 0, 4 and 5 in market 0.
    bool UsesExtendedEditor() const;

    // Edit: the selected message in its editor, again after a text converted to full-width
    // characters, then stored (with the update right), queued to the scales and logged.
    void OnEdit();
    // Delete: the selected message, after 61223, when the scales could be told of it.
    void OnDelete();

private:
    void FillEntry(std::uint32_t number);
    // Runs an editor until its text passes the full-width check; false when the user cancelled.
    template <class Form, class Editor>
    bool RunUntilFullWidth(Form& form, const Editor& editor);
    void Store(std::uint32_t number, const std::string& text, const std::function<void(CScrollMsgRec&)>& settings);

    CScrollMsgTb& m_table;
    SimpleEditor m_simple;
    ExtendedEditor m_extended;
    std::vector<std::string> m_entries;
    int m_selection = 0;
};

}  // namespace varnel
