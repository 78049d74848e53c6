// The one list dialog behind the system's list editors (stores, trays, messages, department and
// group names, keyboards, sales): a report list of one row per item with Add, Edit and Delete, and
// an optional pick mode that gives back the row the user chose. This base knows nothing of the
// items: a subclass supplies each row's texts and adds, edits, deletes and picks items through the
// seven operations below. Rows are known only by their position (0 = the first row).
//
// The form works a small list surface: the dialog's view implements it over its widgets, tests fake it.
#pragma once

#include "platform/Messages.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// The dialog's buttons, by the ids of their template.
enum class ListButton { Add = 122, Edit = 1006, Delete = 1003, Ok = 1, Cancel = 2 };

// How the dialog ends after OK, Enter or a double click: it stays open, or closes with OK or Cancel.
enum class ListDlgEnd { Stay, Ok, Cancel };

class ISelectionListSurface {
public:
    // The list control.
    virtual void InsertRow(int index, const std::vector<std::string>& texts) = 0;
    virtual void SetRowTexts(int index, const std::vector<std::string>& texts) = 0;
    virtual void DeleteRow(int index) = 0;
    virtual void DeleteAllRows() = 0;
    virtual int GetRowCount() const = 0;
    virtual void SetRowSelected(int index, bool selected) = 0;
    // The first selected row; -1 for none.
    virtual int GetSelectedRow() const = 0;
    virtual bool ListHasFocus() const = 0;
    // The list's width in pixels, and its columns (titles with their pixel widths).
    virtual int GetListWidth() const = 0;
    virtual void SetColumns(const std::vector<std::string>& titles, const std::vector<int>& widths) = 0;

    // The dialog around it.
    virtual void SetTitle(std::string_view title) = 0;
    virtual void SetButtonText(ListButton button, std::string_view text) = 0;
    virtual void ShowButton(ListButton button, bool show) = 0;
    virtual void EnableButton(ListButton button, bool enable) = 0;

protected:
    ~ISelectionListSurface() = default;
};

class SelectionListForm {
public:
    // 0 OK and Cancel, 1 close only (OK reads "Close"), 2 OK only, 3 pick (OK reads "Select").
    enum Mode { kNormal = 0, kCloseOnly = 1, kOkOnly = 2, kPick = 3 };
    static constexpr MessageId kMsgClose = 17596;
    static constexpr MessageId kMsgSelect = 17544;

    SelectionListForm() = default;
    virtual ~SelectionListForm() = default;
    SelectionListForm(const SelectionListForm&) = delete;
    SelectionListForm& operator=(const SelectionListForm&) = delete;

    int GetMode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }

    // One call per column, left to right: the title's message and its width in percent of the list's
    // width. A column added without a width takes 25 percent.
    void AddColumn(MessageId title, unsigned widthPercent);
    void AddColumn(MessageId title);
    // The columns' widths in pixels for a list that wide.
    std::vector<int> GetColumnWidths(int listWidth) const;

    // The handlers of the dialog's view. The surface lives as long as the dialog.
    void OnInitDialog(ISelectionListSurface& surface);
    void OnAdd();
    void OnEdit();
    void OnDelete();
    // OK and Enter.
    ListDlgEnd OnOK();
    ListDlgEnd OnDblClk();
    void OnItemChanged();

    // Row operations for the subclasses and the handlers. InsertRow is false when there is no row at
    // the index.
    bool InsertRow(int index, bool select);
    void UpdateRow(int index, bool select);
    void DeleteRow(int index);
    void FillList(int selIndex);
    int GetSelectedIndex() const;

protected:
    // The seven operations, with their base behaviour.
    // Appends the text of each column of the row; false when there is no row at the index.
    virtual bool GetRowText(int /*index*/, std::vector<std::string>& /*texts*/) { return false; }
    // Called once while the dialog initialises, before the columns exist: the title and the buttons,
    // and the row to select first (preset 0).
    virtual void InitList(int& /*selIndex*/) {}
    // Adds an item; on true `index` is the row of the new or changed item and `inserted` tells whether
    // a row is to be inserted there or the row there rewritten. Both come in unset.
    virtual bool AddItem(int& /*index*/, bool& /*inserted*/) { return false; }
    // Edits the item of row `index` (the selected row; `inserted` preset false); on true as AddItem.
    virtual bool EditItem(int& /*index*/, bool& /*inserted*/) { return false; }
    // Deletes the item of the row; true when its row is to leave the list.
    virtual bool DeleteItem(int /*index*/) { return false; }
    // The pick-mode choice of a row (-1: none on a double click); true closes with OK, false with Cancel.
    virtual bool OnSelect(int /*index*/) { return true; }
    // After every change of the list, with the selected row or -1.
    virtual void OnSelChange(int /*index*/) {}

    ISelectionListSurface& Surface() const { return *m_surface; }

private:
    // Inserts or rewrites the row that an add or edit named, selected.
    void ShowChangedRow(int index, bool inserted);
    ListDlgEnd Choose(int index);

    std::vector<std::string> m_titles;
    std::vector<unsigned> m_widths;
    int m_mode = kNormal;
    ISelectionListSurface* m_surface = nullptr;
};

}  // namespace varnel
