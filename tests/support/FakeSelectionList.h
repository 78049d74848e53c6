// A list dialog surface for tests of the list forms: it remembers its rows, which of them is selected,
// its title and columns, and each button's text, whether it shows and whether it is enabled.
#pragma once

#include "pluedit/SelectionListForm.h"

#include <map>
#include <string>
#include <vector>

namespace varnel::test {

class FakeSelectionList final : public ISelectionListSurface {
public:
    void InsertRow(int index, const std::vector<std::string>& texts) override
    {
        rows.insert(rows.begin() + index, texts);
        selected.insert(selected.begin() + index, false);
    }
    void SetRowTexts(int index, const std::vector<std::string>& texts) override { rows.at(index) = texts; }
    void DeleteRow(int index) override
    {
        rows.erase(rows.begin() + index);
        selected.erase(selected.begin() + index);
    }
    void DeleteAllRows() override
    {
        rows.clear();
        selected.clear();
    }
    int GetRowCount() const override { return static_cast<int>(rows.size()); }
    void SetRowSelected(int index, bool select) override
    {
        // One selection at most, as the report list keeps it.
        if (select) selected.assign(selected.size(), false);
        selected.at(index) = select;
    }
    int GetSelectedRow() const override
    {
        for (std::size_t i = 0; i < selected.size(); ++i)
            if (selected[i]) return static_cast<int>(i);
        return -1;
    }
    bool ListHasFocus() const override { return listFocused; }
    int GetListWidth() const override { return 500; }
    void SetColumns(const std::vector<std::string>& t, const std::vector<int>& w) override
    {
        titles = t;
        widths = w;
    }
    void SetTitle(std::string_view t) override { title = t; }
    void SetButtonText(ListButton button, std::string_view text) override
    {
        if (button == ListButton::Ok) okText = text;
    }
    void ShowButton(ListButton button, bool show) override
    {
        if (button == ListButton::Cancel) cancelShown = show;
        shown[button] = show;
    }
    void EnableButton(ListButton button, bool enable) override { enabled[button] = enable; }

    // The first text of each row, and a column of them.
    std::vector<std::string> FirstTexts() const { return Column(0); }
    std::vector<std::string> Column(std::size_t column) const
    {
        std::vector<std::string> texts;
        for (const auto& row : rows) texts.push_back(row.at(column));
        return texts;
    }
    bool IsShown(ListButton button) const { return !shown.contains(button) || shown.at(button); }
    bool IsEnabled(ListButton button) const { return !enabled.contains(button) || enabled.at(button); }
    void Select(int index) { SetRowSelected(index, true); }

    std::vector<std::vector<std::string>> rows;
    std::vector<bool> selected;
    bool listFocused = false;
    std::vector<std::string> titles;
    std::vector<int> widths;
    std::string title;
    std::string okText = "OK";
    bool cancelShown = true;
    std::map<ListButton, bool> shown;
    std::map<ListButton, bool> enabled;
};

}  // namespace varnel::test
