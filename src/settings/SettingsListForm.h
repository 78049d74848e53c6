// The shape every settings list dialog shares (operators, departments, users and profiles, price
// zones, department codes, and the group codes inside a department code): a list box of one text a
// row, "&Add", "&Edit", "&Delete" and "Close", a double click being Edit. The base keeps the rows, the
// selection and which buttons are on; each list's form fills the rows and adds, edits and deletes its
// entries, running its entry dialog through an interface of its own that its view implements.
//
// The permission rule of the site's lists: "&Add" is off while the logged-in user may not update the
// setup (table 1) and "&Delete" while they may not delete it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class SettingsListForm {
public:
    // How the dialog goes on after a button: it stays, or ends with OK or with Cancel.
    enum class End { Stay, Ok, Cancel };
    enum class Rule { SetupPermissions, None };

    virtual ~SettingsListForm() = default;
    SettingsListForm(const SettingsListForm&) = delete;
    SettingsListForm& operator=(const SettingsListForm&) = delete;

    const std::vector<std::string>& GetRows() const { return m_rows; }
    std::optional<std::size_t> GetSelection() const { return m_selection; }
    // A row past the list selects none.
    void Select(std::optional<std::size_t> row);

    bool IsAddEnabled() const { return m_addEnabled; }
    bool IsEditEnabled() const { return m_editEnabled; }
    bool IsDeleteEnabled() const { return m_deleteEnabled; }
    virtual std::string GetOkText() const { return "Close"; }

    virtual void Add() = 0;
    // Edit and Delete act on the selected row; nothing happens without one.
    void Edit();
    void Delete();
    // A double click: Edit of the selected row, the dialog staying.
    virtual End DoubleClick();
    // OK ("Close").
    virtual End Ok() { return End::Ok; }

protected:
    explicit SettingsListForm(Rule rule);

    virtual void EditRow(std::size_t row) = 0;
    virtual void DeleteRow(std::size_t row) = 0;

    // The rows anew, `selection` selected (none when past the rows).
    void SetRows(std::vector<std::string> rows, std::optional<std::size_t> selection);
    // Rewrites one row in place and selects it.
    void SetRow(std::size_t row, std::string text);
    // Appends a row and selects it.
    void AppendRow(std::string text);
    // Removes a row and selects the row now at its place, or the last.
    void RemoveRow(std::size_t row);
    void DisableAdd() { m_addEnabled = false; }
    void DisableEdit() { m_editEnabled = false; }
    void DisableDelete() { m_deleteEnabled = false; }

private:
    std::vector<std::string> m_rows;
    std::optional<std::size_t> m_selection;
    bool m_addEnabled = true;
    bool m_editEnabled = true;
    bool m_deleteEnabled = true;
};

}  // namespace varnel
