// "Edit Department Settings" (the entry, template 205): a department's name, database file and scales.
//
//   "Name"            at most 30 characters
//   "Database File"   shown as stored; "Change..." chooses a database file, starting at the current one
//   "Scales"          the assigned choices; "&Add" picks one of the others (Select Scale), "&Delete"
//                     unassigns the selected one
//   OK                no database file: 61410; no scale: 61395; both keep the dialog open
//
// EditDepartment is the department's own edit: with no scale on any link it refuses at once (61396);
// otherwise it runs the entry and, for a user who may update the setup (61328 otherwise), takes over
// the name, the database and the assigned scales in choice order.
#pragma once

#include "db/site/TextRules.h"
#include "platform/Messages.h"
#include "settings/PickerForm.h"
#include "settings/ScaleChoice.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class CMasterScale;

// How the database file choosers name their files.
struct DatabaseFileChoice {
    std::string extension;  // without the dot
    std::string pattern;    // "*.pld"
    std::string filter;     // "Name (*.ext) |*.ext|...||"
};

class EditDeptForm {
public:
    static constexpr MessageId kMsgNoDatabase = 61410;
    static constexpr MessageId kMsgNoScale = 61395;
    static constexpr std::size_t kNameLimit = 30;

    // The name is cut under the site's character rule.
    EditDeptForm(const CMasterScale& department, std::vector<CScaleChoice> choices, DatabaseFileChoice files,
                 const CharRule& chars);

    std::string m_name;
    const std::string& GetDatabase() const { return m_database; }
    // "Change...": true when a file was chosen.
    bool ChangeDatabase();

    // The labels of the assigned scales, in choice order.
    std::vector<std::string> GetScaleRows() const;
    std::optional<std::size_t> GetScaleSelection() const { return m_scaleSelection; }
    void SelectScale(std::optional<std::size_t> row);
    // "&Add": the picker of the scales not assigned yet, and the choice it gave (selected afterwards).
    PickerForm MakeScalePicker() const;
    void AssignScale(std::size_t choice);
    // "&Delete": the selected scale is no longer assigned.
    void UnassignScale();

    // OK; false keeps the dialog open.
    bool Accept();
    void StoreInto(CMasterScale& department) const;

private:
    std::vector<std::size_t> AssignedChoices() const;

    std::vector<CScaleChoice> m_choices;
    DatabaseFileChoice m_files;
    CharRule m_chars;
    std::string m_database;
    std::optional<std::size_t> m_scaleSelection;
};

class IEditDeptUi {
public:
    virtual bool RunDeptEntry(EditDeptForm& entry) = 0;

protected:
    ~IEditDeptUi() = default;
};

inline constexpr MessageId kMsgNoScalesForDepartment = 61396;

// True when the department was changed.
bool EditDepartment(CMasterScale& department, std::vector<CScaleChoice> choices, const DatabaseFileChoice& files,
                    const CharRule& chars, IEditDeptUi& ui);

}  // namespace varnel
