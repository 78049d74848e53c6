// "Edit Department Codes": the site's department codes by code, each row its display text, changed in
// the main frame's list and written to the event log ("Dept. and Group Code", " ID=%d : %s").
//
//   Add       the entry until it ends with OK; a code in use: 61402 (Yes/No), No shows the entry
//             again, Yes replaces that code with its group codes
//   Edit      the same on the selected code, stored only for a user who may update the setup (61328)
//   Delete    removes the selected code at once
//   "Auto-Generate List"  with a database open: 61406 (OK/Cancel), then the list is rebuilt from the
//             departments and groups the PLUs carry
// Without the right to delete the setup, "&Add", "&Delete" and "Auto-Generate List" are off.
#pragma once

#include "settings/EditDeptCodeForm.h"
#include "settings/SettingsListForm.h"

namespace varnel {

class CAppEventLog;
class CPluDefTb;

class IEditDeptCodesUi {
public:
    virtual bool RunDeptCodeEntry(EditDeptCodeForm& entry) = 0;

protected:
    ~IEditDeptCodesUi() = default;
};

class EditDeptCodesForm final : public SettingsListForm {
public:
    static constexpr MessageId kMsgOverwrite = 61402;
    static constexpr MessageId kMsgAutoGenerate = 61406;
    static constexpr MessageId kMsgDeptCode = 17547;

    // `plus`: the open database's PLUs; none while no database is open. Codes show as `display` says;
    // names are cut under `chars`.
    EditDeptCodesForm(CDeptCodeList& codes, const CAppEventLog& log, const CPluDefTb* plus,
                      const DeptCodeDisplay& display, const CharRule& chars);
    void SetUi(IEditDeptCodesUi& ui) { m_ui = &ui; }

    void Add() override;
    bool IsAutoGenerateEnabled() const { return IsDeleteEnabled() && m_plus != nullptr; }
    void AutoGenerate();

private:
    void EditRow(std::size_t row) override;
    void DeleteRow(std::size_t row) override;
    void Fill(std::optional<std::size_t> selection);
    // Runs the entry until it is cancelled (false) or ends with OK on a code it may take: its own
    // (`ownCode`), a free one, or one the user agreed to overwrite.
    bool RunEntry(EditDeptCodeForm& entry, std::optional<std::uint16_t> ownCode, bool checkPermission);
    void Store(EditDeptCodeForm& entry);

    CDeptCodeList& m_codes;
    const CAppEventLog& m_log;
    const CPluDefTb* m_plus;
    DeptCodeDisplay m_display;
    CharRule m_chars;
    IEditDeptCodesUi* m_ui = nullptr;
};

}  // namespace varnel
