// The pickers other dialogs use: "Select Scale", "Select Department" and "Select User Profile". Each
// shows rows of its caller's list, perhaps leaving some out, and gives back the position in that list
// of the entry the chosen row shows.
#pragma once

#include "db/site/TextRules.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace varnel {

class CMasterScale;
class CMasterScaleList;
class CUserSetup;
class CUserSetupList;

class PickerForm {
public:
    // `indices[i]`: where row i's entry stands in the caller's list.
    PickerForm(std::vector<std::string> rows, std::vector<std::size_t> indices, std::optional<std::size_t> selection);

    const std::vector<std::string>& GetRows() const { return m_rows; }
    std::optional<std::size_t> GetSelection() const { return m_selection; }
    void Select(std::optional<std::size_t> row);
    // None while no row is selected.
    std::optional<std::size_t> GetChosenIndex() const;
    // An entry the caller added to its list outside the rows (Select Scale's "&New Scale") is the choice.
    void ChooseAdded(std::size_t index) { m_added = index; }

private:
    std::vector<std::string> m_rows;
    std::vector<std::size_t> m_indices;
    std::optional<std::size_t> m_selection;
    std::optional<std::size_t> m_added;
};

// The departments by name cut to 30 bytes at whole characters (under the site's character rule);
// `preselect` (else the first) selected.
PickerForm MakeDepartmentPicker(const CMasterScaleList& departments, const CMasterScale* preselect,
                                const CharRule& chars);
// The profiles by name in list order; `preselect` (else the first) selected.
PickerForm MakeUserProfilePicker(const CUserSetupList& profiles, const CUserSetup* preselect);

struct ScaleChoiceRow {
    std::string label;
    bool assigned = false;
};
// The choices by label, the assigned ones left out while `skipAssigned`; the first row selected.
PickerForm MakeScalePicker(std::span<const ScaleChoiceRow> choices, bool skipAssigned);

}  // namespace varnel
