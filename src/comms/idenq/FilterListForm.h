// The filter list of the link and scale setup dialogs ("* Only send records in specified range."):
// copies of a scale's filters, one row each by its description. "&Add" runs "Data Range Filter" on a
// new filter and appends it on OK; "&Edit" runs it on the selected one; "&Delete" removes the selected
// one and selects the next row, or the last.
#pragma once

#include "comms/idenq/LinkFilter.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class CObjDatabase;

class FilterListForm {
public:
    FilterListForm(const std::vector<std::unique_ptr<CLinkFilter>>& filters, const CObjDatabase* database);

    std::vector<std::string> GetRows() const;
    std::optional<std::size_t> GetSelection() const { return m_selection; }
    void Select(std::optional<std::size_t> row);
    bool Add();
    bool Edit();
    void Delete();

    // The scale's filters become the list's.
    void StoreInto(std::vector<std::unique_ptr<CLinkFilter>>& filters) const;
    const std::vector<CLinkFilter>& GetFilters() const { return m_filters; }

private:
    // Runs "Data Range Filter"; the filter as stored, none after Cancel.
    std::optional<CLinkFilter> RunFilterDialog(const CLinkFilter& filter, bool isNew) const;

    const CObjDatabase* m_database;
    std::vector<CLinkFilter> m_filters;
    std::optional<std::size_t> m_selection;
};

}  // namespace varnel
