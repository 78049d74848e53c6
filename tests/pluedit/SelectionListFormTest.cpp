// The generic list dialog's rules over a fake list and a subclass that lists a vector of names.
#include "pluedit/SelectionListForm.h"
#include "support/FakeSelectionList.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace varnel {
namespace {

using FakeList = test::FakeSelectionList;

// Lists names; Add appends "new" (or inserts it before the selected row), Edit appends "*" to the
// name, Delete removes it unless refused (then marks it "kept").
class NameListForm final : public SelectionListForm {
public:
    explicit NameListForm(std::vector<std::string> initial, int firstSelection = 0)
        : names(std::move(initial)), m_firstSelection(firstSelection)
    {
        AddColumn(1014, 10);
        AddColumn(1015, 40);
        AddColumn(1016, 40);
    }

    std::vector<std::string> names;
    bool refuseDelete = false;
    bool addInsertsAtSelection = false;
    bool acceptPick = true;
    std::optional<int> picked;
    std::vector<int> selChanges;
    int edits = 0;

protected:
    bool GetRowText(int index, std::vector<std::string>& texts) override
    {
        if (index < 0 || index >= static_cast<int>(names.size())) return false;
        texts = {names[static_cast<std::size_t>(index)], "b", "c"};
        return true;
    }
    void InitList(int& selIndex) override
    {
        Surface().SetTitle("Names");
        selIndex = m_firstSelection;
    }
    bool AddItem(int& index, bool& inserted) override
    {
        const int at = addInsertsAtSelection ? GetSelectedIndex() : static_cast<int>(names.size());
        names.insert(names.begin() + at, "new");
        index = at;
        inserted = true;
        return true;
    }
    bool EditItem(int& index, bool& inserted) override
    {
        ++edits;
        names.at(static_cast<std::size_t>(index)) += "*";
        inserted = false;
        return true;
    }
    bool DeleteItem(int index) override
    {
        if (refuseDelete) {
            names.at(static_cast<std::size_t>(index)) = "kept";
            return false;
        }
        names.erase(names.begin() + index);
        return true;
    }
    bool OnSelect(int index) override
    {
        picked = index;
        return acceptPick;
    }
    void OnSelChange(int index) override { selChanges.push_back(index); }

private:
    int m_firstSelection;
};

// A subclass that has no rows at all.
class EmptyListForm final : public SelectionListForm {
};

TEST(SelectionListFormTest, ModesSetTheButtonsAndTheFirstSelectionIsMade)
{
    struct Case {
        int mode;
        const char* okText;
        bool cancelShown;
    };
    for (const Case& c : {Case{0, "OK", true}, Case{1, "Close", false}, Case{2, "OK", false}, Case{3, "Select", false}}) {
        NameListForm form({"a", "b", "c"}, 1);
        form.SetMode(c.mode);
        FakeList list;
        form.OnInitDialog(list);
        EXPECT_EQ(list.okText, c.okText) << c.mode;
        EXPECT_EQ(list.cancelShown, c.cancelShown) << c.mode;
        EXPECT_EQ(list.title, "Names");
        EXPECT_EQ(list.FirstTexts(), (std::vector<std::string>{"a", "b", "c"}));
        EXPECT_EQ(form.GetSelectedIndex(), 1);
    }
}

TEST(SelectionListFormTest, ColumnsTakeTheirPercentOfTheListWidth)
{
    NameListForm form({});
    FakeList list;
    form.OnInitDialog(list);
    EXPECT_EQ(list.titles, (std::vector<std::string>{"Department", "Group", "Item"}));
    // 10, 40 and 40 percent leave a tenth of the list empty.
    EXPECT_EQ(list.widths, (std::vector<int>{50, 200, 200}));
    EXPECT_EQ(form.GetColumnWidths(333), (std::vector<int>{33, 133, 133}));

    SelectionListForm untitledWidths;
    untitledWidths.AddColumn(1014);
    untitledWidths.AddColumn(1015);
    EXPECT_EQ(untitledWidths.GetColumnWidths(400), (std::vector<int>{100, 100}));
}

TEST(SelectionListFormTest, AFirstSelectionPastTheLastRowSelectsNothing)
{
    NameListForm form({"a", "b"}, 2);
    FakeList list;
    form.OnInitDialog(list);
    EXPECT_EQ(list.GetRowCount(), 2);
    EXPECT_EQ(form.GetSelectedIndex(), -1);
}

TEST(SelectionListFormTest, AnEmptyListEditsAndDeletesNothingAndPickCancels)
{
    EmptyListForm form;
    form.SetMode(SelectionListForm::kPick);
    FakeList list;
    form.OnInitDialog(list);
    EXPECT_EQ(list.GetRowCount(), 0);
    form.OnEdit();
    form.OnDelete();
    form.OnAdd();
    EXPECT_EQ(list.GetRowCount(), 0);
    EXPECT_EQ(form.OnOK(), ListDlgEnd::Cancel);
}

TEST(SelectionListFormTest, AddAndEditInsertOrRewriteTheirRowSelected)
{
    NameListForm form({"a", "b", "c"});
    FakeList list;
    form.OnInitDialog(list);
    form.OnAdd();
    EXPECT_EQ(list.FirstTexts(), (std::vector<std::string>{"a", "b", "c", "new"}));
    EXPECT_EQ(form.GetSelectedIndex(), 3);

    list.SetRowSelected(1, true);
    form.addInsertsAtSelection = true;
    form.OnAdd();
    EXPECT_EQ(list.FirstTexts(), (std::vector<std::string>{"a", "new", "b", "c", "new"}));
    EXPECT_EQ(form.GetSelectedIndex(), 1);

    list.SetRowSelected(2, true);
    form.OnEdit();
    EXPECT_EQ(list.FirstTexts(), (std::vector<std::string>{"a", "new", "b*", "c", "new"}));
    EXPECT_EQ(form.GetSelectedIndex(), 2);
}

TEST(SelectionListFormTest, DeleteSelectsTheRowThatTakesThePlaceOrTheNewLastRow)
{
    NameListForm form({"a", "b", "c"});
    FakeList list;
    form.OnInitDialog(list);
    list.SetRowSelected(1, true);
    form.OnDelete();
    EXPECT_EQ(list.FirstTexts(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(form.GetSelectedIndex(), 1);
    form.OnDelete();  // the last row: the new last row is selected
    EXPECT_EQ(list.FirstTexts(), (std::vector<std::string>{"a"}));
    EXPECT_EQ(form.GetSelectedIndex(), 0);
    form.OnDelete();  // the only row: nothing is left to select
    EXPECT_EQ(list.GetRowCount(), 0);
    EXPECT_EQ(form.GetSelectedIndex(), -1);
    form.OnDelete();  // with no row selected nothing happens
    EXPECT_EQ(form.names.size(), 0u);
}

TEST(SelectionListFormTest, ARefusedDeleteRewritesTheRowWhichStaysSelected)
{
    NameListForm form({"a", "b"});
    form.refuseDelete = true;
    FakeList list;
    form.OnInitDialog(list);
    list.SetRowSelected(1, true);
    form.OnDelete();
    EXPECT_EQ(list.FirstTexts(), (std::vector<std::string>{"a", "kept"}));
    EXPECT_EQ(form.GetSelectedIndex(), 1);
}

TEST(SelectionListFormTest, EnterWithTheListFocusedEditsInsteadOfClosing)
{
    for (const int mode : {0, 1, 2}) {
        NameListForm form({"a"});
        form.SetMode(mode);
        FakeList list;
        form.OnInitDialog(list);
        list.listFocused = true;
        EXPECT_EQ(form.OnOK(), ListDlgEnd::Stay) << mode;
        EXPECT_EQ(list.FirstTexts(), std::vector<std::string>{"a*"}) << mode;
        list.listFocused = false;
        EXPECT_EQ(form.OnOK(), ListDlgEnd::Ok) << mode;
        EXPECT_EQ(form.OnDblClk(), ListDlgEnd::Stay) << mode;
        EXPECT_EQ(form.edits, 2) << mode;
    }
}

TEST(SelectionListFormTest, PickModeChoosesTheSelectedRow)
{
    NameListForm form({"a", "b"}, 1);
    form.SetMode(SelectionListForm::kPick);
    FakeList list;
    form.OnInitDialog(list);
    list.listFocused = true;  // Enter picks in pick mode, whatever has the focus
    EXPECT_EQ(form.OnOK(), ListDlgEnd::Ok);
    EXPECT_EQ(form.picked, 1);
    form.acceptPick = false;
    EXPECT_EQ(form.OnOK(), ListDlgEnd::Cancel);
    EXPECT_EQ(form.edits, 0);

    // A double click below the rows, where nothing is selected, passes -1.
    form.acceptPick = true;
    list.SetRowSelected(1, false);
    EXPECT_EQ(form.OnDblClk(), ListDlgEnd::Ok);
    EXPECT_EQ(form.picked, -1);
    // OK with nothing selected cancels without asking.
    form.picked.reset();
    EXPECT_EQ(form.OnOK(), ListDlgEnd::Cancel);
    EXPECT_FALSE(form.picked);
}

TEST(SelectionListFormTest, SelectionChangesAreToldWithTheSelectedRow)
{
    NameListForm form({"a", "b"});
    FakeList list;
    form.OnInitDialog(list);
    form.OnItemChanged();
    list.SetRowSelected(0, false);
    form.OnItemChanged();
    EXPECT_EQ(form.selChanges, (std::vector<int>{0, -1}));
}

}  // namespace
}  // namespace varnel
