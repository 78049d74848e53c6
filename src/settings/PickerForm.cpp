// The pickers' rows.
#include "settings/PickerForm.h"

#include "db/text/DbcsString.h"
#include "settings/MasterScaleList.h"
#include "settings/UserSetupList.h"

#include <numeric>

namespace varnel {
namespace {

constexpr std::size_t kDepartmentNameBytes = 30;

std::vector<std::size_t> Identity(std::size_t count)
{
    std::vector<std::size_t> indices(count);
    std::iota(indices.begin(), indices.end(), std::size_t{0});
    return indices;
}

std::optional<std::size_t> FirstRow(std::size_t rows)
{
    return rows == 0 ? std::nullopt : std::optional<std::size_t>(0);
}

}  // namespace

PickerForm::PickerForm(std::vector<std::string> rows, std::vector<std::size_t> indices,
                       std::optional<std::size_t> selection)
    : m_rows(std::move(rows)), m_indices(std::move(indices))
{
    Select(selection);
}

void PickerForm::Select(std::optional<std::size_t> row)
{
    m_selection = row && *row < m_rows.size() ? row : std::nullopt;
}

std::optional<std::size_t> PickerForm::GetChosenIndex() const
{
    if (m_added) return m_added;
    if (!m_selection) return std::nullopt;
    return m_indices[*m_selection];
}

PickerForm MakeDepartmentPicker(const CMasterScaleList& departments, const CMasterScale* preselect,
                                const CharRule& chars)
{
    std::vector<std::string> rows;
    std::optional<std::size_t> selection;
    for (const auto& department : departments.GetDepartments()) {
        if (department.get() == preselect) selection = rows.size();
        rows.emplace_back(DbcsLeft(department->m_name, kDepartmentNameBytes, chars));
    }
    if (!selection) selection = FirstRow(rows.size());
    const std::size_t count = rows.size();
    return {std::move(rows), Identity(count), selection};
}

PickerForm MakeUserProfilePicker(const CUserSetupList& profiles, const CUserSetup* preselect)
{
    std::vector<std::string> rows;
    std::optional<std::size_t> selection;
    for (std::size_t i = 0; i < profiles.GetCount(); ++i) {
        if (&profiles.GetAt(i) == preselect) selection = i;
        rows.push_back(profiles.GetAt(i).m_name);
    }
    if (!selection) selection = FirstRow(rows.size());
    const std::size_t count = rows.size();
    return {std::move(rows), Identity(count), selection};
}

PickerForm MakeScalePicker(std::span<const ScaleChoiceRow> choices, bool skipAssigned)
{
    std::vector<std::string> rows;
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (skipAssigned && choices[i].assigned) continue;
        rows.push_back(choices[i].label);
        indices.push_back(i);
    }
    const std::optional<std::size_t> first = FirstRow(rows.size());
    return {std::move(rows), std::move(indices), first};
}

}  // namespace varnel
