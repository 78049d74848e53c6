#include "comms/idenq/FilterListForm.h"

#include "comms/dialogs/CommsDialogs.h"
#include "comms/idenq/DataRangeFilterForm.h"

namespace varnel {

FilterListForm::FilterListForm(const std::vector<std::unique_ptr<CLinkFilter>>& filters, const CObjDatabase* database)
    : m_database(database)
{
    for (const auto& filter : filters) m_filters.push_back(*filter);
    if (!m_filters.empty()) m_selection = 0;
}

std::vector<std::string> FilterListForm::GetRows() const
{
    std::vector<std::string> rows;
    for (const CLinkFilter& filter : m_filters) rows.push_back(filter.GetText());
    return rows;
}

void FilterListForm::Select(std::optional<std::size_t> row)
{
    m_selection = row && *row < m_filters.size() ? row : std::nullopt;
}

std::optional<CLinkFilter> FilterListForm::RunFilterDialog(const CLinkFilter& filter, bool isNew) const
{
    ICommsDialogs* dialogs = GetCommsDialogs();
    DataRangeFilterForm form(m_database, filter, isNew);
    if (!dialogs || !dialogs->RunDataRangeFilter(form)) return std::nullopt;
    return form.GetFilter();
}

bool FilterListForm::Add()
{
    const std::optional<CLinkFilter> added = RunFilterDialog(CLinkFilter(), true);
    if (!added) return false;
    m_filters.push_back(*added);
    m_selection = m_filters.size() - 1;
    return true;
}

bool FilterListForm::Edit()
{
    if (!m_selection) return false;
    const std::optional<CLinkFilter> edited = RunFilterDialog(m_filters[*m_selection], false);
    if (!edited) return false;
    m_filters[*m_selection] = *edited;
    return true;
}

void FilterListForm::Delete()
{
    if (!m_selection) return;
    m_filters.erase(m_filters.begin() + static_cast<std::ptrdiff_t>(*m_selection));
    if (m_filters.empty())
        m_selection.reset();
    else if (*m_selection >= m_filters.size())
        m_selection = m_filters.size() - 1;
}

void FilterListForm::StoreInto(std::vector<std::unique_ptr<CLinkFilter>>& filters) const
{
    filters.clear();
    for (const CLinkFilter& filter : m_filters) filters.push_back(std::make_unique<CLinkFilter>(filter));
}

}  // namespace varnel
