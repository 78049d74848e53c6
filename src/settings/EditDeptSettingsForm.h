// "Edit Department Settings" (the list, template 203): the site's departments in list order, each row
// its name cut to 30 bytes with "*" after the current one, changed in the main frame's list and written
// to the event log ("Department", " %s").
//
//   Add      a department of the lowest free number and no name, edited until it has a name (61318)
//            or the edit ends without a change (the new department is then dropped); appended
//   Edit     the selected department; a change rewrites its row
//   Delete   61306 (Yes/No); the current department leaves none current
//
// EditDepartmentList runs the list; after OK, when departments exist and none is current, 61327 asks
// for one and "Change Department" is posted to the main window.
#pragma once

#include "settings/EditDeptForm.h"
#include "settings/SettingsListForm.h"

#include <functional>

namespace varnel {

class CAppEventLog;
class CMasterScale;
class CMasterScaleList;

// The scale choices of a department, from the main frame's links.
using ScaleChoiceSource = std::function<std::vector<CScaleChoice>(const CMasterScale& department)>;

class EditDeptSettingsForm final : public SettingsListForm {
public:
    static constexpr MessageId kMsgNoName = 61318;
    static constexpr MessageId kMsgDeleteDepartment = 61306;
    static constexpr MessageId kMsgDepartment = 20513;

    // The department names are cut under the site's character rule.
    EditDeptSettingsForm(CMasterScaleList& departments, const CAppEventLog& log, ScaleChoiceSource choices,
                         DatabaseFileChoice files, const CharRule& chars);
    void SetUi(IEditDeptUi& ui) { m_ui = &ui; }

    void Add() override;

private:
    void EditRow(std::size_t row) override;
    void DeleteRow(std::size_t row) override;
    std::string RowText(const CMasterScale& department) const;
    bool EditDepartmentOf(CMasterScale& department);

    CMasterScaleList& m_departments;
    const CAppEventLog& m_log;
    ScaleChoiceSource m_choices;
    DatabaseFileChoice m_files;
    CharRule m_chars;
    IEditDeptUi* m_ui = nullptr;
};

inline constexpr MessageId kMsgNoCurrentDepartment = 61327;

// `runDialog` answers whether the list ended with OK, and so does this.
bool EditDepartmentList(const CMasterScaleList& departments, const std::function<bool()>& runDialog,
                        const std::function<void()>& postChangeDepartment);

}  // namespace varnel
