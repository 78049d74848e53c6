// The lists and edit dialogs of pop-up and origin messages, storage texts and department and group
// names without windows.
#include "MessageListFixture.h"

#include "scaledata/PopMsgListForm.h"
#include "scaledata/RuxDeptListForm.h"
#include "scaledata/ScaleDataListCommands.h"
#include "scaledata/ShortMsgListForm.h"

namespace varnel::test {
namespace {

constexpr std::uint16_t kPop = 37;
constexpr std::uint16_t kOrigin = 79;
constexpr std::uint16_t kTemperatures = 80;
constexpr std::uint16_t kDepartments = 82;
constexpr std::uint16_t kGroups = 83;

class ShortListFormsTest : public MessageListFixture {
protected:
    void AddPop(std::uint16_t tableNo, std::uint32_t number, std::string_view text)
    {
        auto* row = dynamic_cast<CPopMsgRec*>(TableOf<CPopMsgTb>(tableNo).GetOrAddRecord(number, CPopMsgRec::kSize));
        ASSERT_NE(row, nullptr);
        row->SetText(text);
        row->SetLabelWidth(60);
    }
    void AddStorage(std::uint32_t number, std::string_view name)
    {
        auto* row = dynamic_cast<CShortMsgRec*>(
            TableOf<CShortMsgTb>(kTemperatures).GetOrAddRecord(number, CShortMsgRec::kSize));
        ASSERT_NE(row, nullptr);
        row->SetName(name);
    }
    void AddCategory(std::uint16_t tableNo, std::uint32_t number, std::string_view text)
    {
        auto* row = dynamic_cast<CRuxDeptRec*>(TableOf<CRuxDeptTb>(tableNo).GetOrAddRecord(number, CRuxDeptRec::kSize));
        ASSERT_NE(row, nullptr);
        row->SetName(text);
    }
};

// Pop-up and origin messages.

TEST_F(ShortListFormsTest, PopPickListStartsWithTheNumbersBelowTheLowest)
{
    m_frame.m_setup.m_defaultScaleFamily = 0;  // a family-0 scale: POP messages from 7
    AddPop(kPop, 7, Esc('C', '0') + "Special" + Esc('D', '1') + " offer");
    AddPop(kPop, 9, Esc('C', '0') + "New");
    int dialogs = 0;
    PopMsgListForm form(TableOf<CPopMsgTb>(kPop), [&dialogs](EditPopMsgForm&) { return ++dialogs, false; });
    form.SetMode(SelectionListForm::kPick);
    form.SetChosenNumber(9);
    form.OnInitDialog(m_list);
    EXPECT_EQ(m_list.title, "Pop Message");
    EXPECT_EQ(m_list.FirstTexts(), (std::vector<std::string>{"0", "01", "02", "03", "04", "05", "06", "07", "09"}));
    EXPECT_EQ(m_list.rows.at(0).at(1), "No POP message");
    EXPECT_EQ(m_list.rows.at(3).at(1), "Predefined POP message");
    EXPECT_EQ(m_list.rows.at(7).at(1), "Special offer");
    EXPECT_EQ(m_list.GetSelectedRow(), 8);

    // A predefined number is picked but neither edited nor deleted.
    m_list.Select(3);
    form.OnItemChanged();
    EXPECT_FALSE(m_list.IsEnabled(ListButton::Edit));
    EXPECT_FALSE(m_list.IsEnabled(ListButton::Delete));
    form.OnEdit();
    form.OnDelete();
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(m_prompt.m_ids.empty());
    EXPECT_EQ(form.OnOK(), ListDlgEnd::Ok);
    EXPECT_EQ(form.GetChosenNumber(), 3u);
    m_list.Select(7);
    form.OnItemChanged();
    EXPECT_TRUE(m_list.IsEnabled(ListButton::Edit));
    EXPECT_EQ(form.OnOK(), ListDlgEnd::Ok);
    EXPECT_EQ(form.GetChosenNumber(), 7u);

    // Picking a number below the lowest selects its own row; origin messages have no such rows.
    PopMsgListForm again(TableOf<CPopMsgTb>(kPop), {});
    again.SetMode(SelectionListForm::kPick);
    again.SetChosenNumber(4);
    again.OnInitDialog(m_list);
    EXPECT_EQ(m_list.GetSelectedRow(), 4);
    PopMsgListForm origins(TableOf<CPopMsgTb>(kOrigin), {});
    origins.SetMode(SelectionListForm::kPick);
    origins.OnInitDialog(m_list);
    EXPECT_TRUE(m_list.rows.empty());
}

TEST_F(ShortListFormsTest, PopAddCountsFromTheLowestAndEditWrapsTheTextForOtherFamilies)
{
    m_frame.m_setup.m_defaultScaleFamily = 0;
    AddPop(kPop, 7, Esc('C', '0') + "Seven");
    AddPop(kPop, 8, Esc('C', '0') + "Eight");
    AddPop(kPop, 3, Esc('C', '0') + "Old three");  // from before the lowest was 7
    std::vector<std::string> numbers, texts, titles;
    std::function<void(EditPopMsgForm&)> enter;
    PopMsgListForm form(TableOf<CPopMsgTb>(kPop), [&](EditPopMsgForm& dialog) {
        numbers.push_back(dialog.GetNumberText());
        titles.push_back(dialog.GetTitle());
        std::string text(200, '\0');
        text.resize(dialog.Editor().GetText(text));
        texts.push_back(text);
        if (enter) enter(dialog);
        return dialog.OnOK();
    });
    form.OnInitDialog(m_list);
    enter = [](EditPopMsgForm& dialog) { dialog.SetText(Esc('C', '0') + "Nine", 40); };
    form.OnAdd();
    EXPECT_EQ(numbers, std::vector<std::string>{"9"});
    EXPECT_EQ(titles, std::vector<std::string>{"Edit POP Message"});
    const CPopMsgRec* stored = TableOf<CPopMsgTb>(kPop).FindMessage(9);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetLabelWidth(), 40);
    EXPECT_EQ(stored->GetLength(), CPopMsgRec::kSize);
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 37 9-9"});
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Added Pop Message No. 9"});

    // Family 0 prints pop-up texts in one style: the editor gets them wrapped in style 2.
    enter = nullptr;
    m_list.Select(1);
    form.OnEdit();
    EXPECT_EQ(texts.back(), Esc('C', '0') + Esc('D', '2') + "Seven" + Esc('D', '2'));
}

TEST_F(ShortListFormsTest, PopOkRefusesWhatTheTableCannotHold)
{
    m_frame.m_setup.m_defaultScaleFamily = 6;  // texts of 14
    AddPop(kOrigin, 5, Esc('C', '0') + "Five");
    EditPopMsgForm dialog(TableOf<CPopMsgTb>(kOrigin), 5);
    EXPECT_EQ(dialog.GetTitle(), "Edit Origin Message");
    EXPECT_EQ(dialog.GetNumberLimit(), 3u);
    dialog.SetText(Esc('C', '0') + "Five", 60);
    struct Case {
        const char* typed;
        MessageId message;
    };
    for (const Case c : {Case{"abc", 61236}, Case{"0", 61269}, Case{"1000", 61269}}) {
        m_prompt.m_ids.clear();
        dialog.SetNumberText(c.typed);
        EXPECT_FALSE(dialog.OnOK()) << c.typed;
        EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{c.message}) << c.typed;
        EXPECT_EQ(dialog.GetRefusedFocus(), MessageTextEditForm::Focus::Number);
    }
    EXPECT_EQ(m_prompt.m_texts.back(), "The specified message number is outside the allowed range of 1 to 999.");
    m_prompt.m_ids.clear();
    dialog.SetNumberText("5");
    dialog.SetText(Esc('C', '0') + "Fifteen letters", 60);
    m_prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31517});
    EXPECT_NE(m_prompt.m_texts.back().find("is 7 Asian or 14 English"), std::string::npos);
}

TEST_F(ShortListFormsTest, PopDeleteAsksItsOwnQuestion)
{
    AddPop(kOrigin, 2, Esc('C', '0') + "Two");
    PopMsgListForm form(TableOf<CPopMsgTb>(kOrigin), {});
    form.OnInitDialog(m_list);
    m_list.Select(0);
    form.OnDelete();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31482});
    EXPECT_FALSE(TableOf<CPopMsgTb>(kOrigin).FindMessage(2));
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"1 79 2-2"});
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Deleted Origin No. 2"});
}

// Storage texts.

TEST_F(ShortListFormsTest, StorageMessagesAreListedAddedAndEdited)
{
    AddStorage(1, "Keep cool");
    AddStorage(3, "Frozen");
    std::vector<std::string> names;
    std::function<void(EditShortMsgForm&)> enter;
    ShortMsgListForm form(TableOf<CShortMsgTb>(kTemperatures), [&](EditShortMsgForm& dialog) {
        names.push_back(dialog.GetName());
        if (enter) enter(dialog);
        return dialog.OnOK();
    });
    form.OnInitDialog(m_list);
    EXPECT_EQ(m_list.title, "Storage Temperature");
    EXPECT_EQ(m_list.rows, (std::vector<std::vector<std::string>>{{"01", "Keep cool"}, {"03", "Frozen"}}));

    enter = [](EditShortMsgForm& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Edit Storage Temperature Message");
        dialog.SetName("Below 5 degrees, keep refrigerated");  // 35 characters
        dialog.SetText(Esc('C', '0') + "Below 5", 60);
    };
    form.OnAdd();
    EXPECT_EQ(names, std::vector<std::string>{"Message No. 2"});
    const CShortMsgRec* stored = TableOf<CShortMsgTb>(kTemperatures).FindMessage(2);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetName(), "Below 5 degrees, keep refriger");
    EXPECT_EQ(stored->GetLength(), stored->CalcDataSize());
    EXPECT_EQ(m_list.FirstTexts(), (std::vector<std::string>{"01", "02", "03"}));
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Added Storage Temperature No. 2"});

    // A text measured above 240 is saved only when the user says so.
    EditShortMsgForm dialog(TableOf<CShortMsgTb>(kTemperatures), 1);
    std::string lines;
    for (int line = 0; line < 20; ++line) lines += Esc('C', '0') + "abcdefghij";  // counts 260
    dialog.SetText(lines, 60);
    m_prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(m_prompt.m_ids.back(), 31517u);
    EXPECT_NE(m_prompt.m_texts.back().find("is 120 Asian or 240 English"), std::string::npos);
    dialog.SetNumberText("100");
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(m_prompt.m_texts.back(), "The specified message number is outside the allowed range of 1 to 99.");
}

TEST_F(ShortListFormsTest, StoragePickAndDelete)
{
    AddStorage(4, "Dry");
    AddStorage(6, "Dark");
    ShortMsgListForm form(TableOf<CShortMsgTb>(kTemperatures), {});
    form.SetMode(SelectionListForm::kPick);
    form.SetChosenNumber(6);
    form.OnInitDialog(m_list);
    EXPECT_EQ(m_list.GetSelectedRow(), 1);
    form.OnDelete();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61229});
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"1 80 6-6"});
    EXPECT_EQ(m_list.FirstTexts(), std::vector<std::string>{"04"});
    EXPECT_EQ(form.OnOK(), ListDlgEnd::Ok);
    EXPECT_EQ(form.GetChosenNumber(), 4u);
}

// Department and group names.

TEST_F(ShortListFormsTest, CategoriesAreStoredAsOneLineOf26Characters)
{
    AddCategory(kDepartments, 1, Esc('C', '0') + "Meat");
    AddCategory(kDepartments, 2, Esc('C', '0') + "Deli");
    AddCategory(kDepartments, 4, Esc('C', '0') + "Bakery");
    std::vector<std::string> numbers, titles;
    std::function<void(EditCategoryForm&)> enter;
    RuxDeptListForm form(TableOf<CRuxDeptTb>(kDepartments), [&](EditCategoryForm& dialog) {
        numbers.push_back(dialog.GetNumberText());
        titles.push_back(dialog.GetTitle());
        if (enter) enter(dialog);
        return dialog.OnOK();
    });
    form.OnInitDialog(m_list);
    EXPECT_EQ(m_list.title, "Department");
    EXPECT_EQ(m_list.rows.at(2), (std::vector<std::string>{"04", "Bakery"}));

    enter = [](EditCategoryForm& dialog) { dialog.SetName("Fruit and vegetables of all kinds"); };
    form.OnAdd();
    EXPECT_EQ(numbers, std::vector<std::string>{"3"});
    EXPECT_EQ(titles, std::vector<std::string>{"Edit Department"});
    const CRuxDeptRec* stored = TableOf<CRuxDeptTb>(kDepartments).FindName(3);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetName(), Esc('C', '0') + "Fruit and vegetables of al");
    EXPECT_EQ(stored->GetLength(), stored->CalcDataSize());
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 82 3-3"});
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Added Department No. 3"});
    EXPECT_EQ(m_list.FirstTexts(), (std::vector<std::string>{"01", "02", "03", "04"}));

    // A changed number adds a second name and keeps the first.
    m_list.Select(0);
    enter = [](EditCategoryForm& dialog) { dialog.SetNumberText("7"); };
    form.OnEdit();
    EXPECT_EQ(titles.back(), "Edit Department");
    EXPECT_EQ(m_list.rows.back(), (std::vector<std::string>{"07", "Meat"}));
    EXPECT_TRUE(TableOf<CRuxDeptTb>(kDepartments).FindName(1));

    // Numbers outside 1 to 9999 are refused by the dialog.
    EditCategoryForm dialog(1, "x", 26, RuxDeptListForm::kMsgEditGroup, m_frame.GetTextRules().chars);
    dialog.SetNumberText("10000");
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(m_prompt.m_texts.back(), "Please enter an integer between 1 and 9999.");
}

TEST_F(ShortListFormsTest, ACategoryWithoutTheLineOpeningEndsTheList)
{
    AddCategory(kGroups, 1, Esc('C', '0') + "Beef");
    AddCategory(kGroups, 2, "Lamb");
    AddCategory(kGroups, 3, Esc('C', '0') + "Pork");
    RuxDeptListForm form(TableOf<CRuxDeptTb>(kGroups), {});
    form.SetMode(SelectionListForm::kPick);
    form.SetChosenNumber(1);
    form.OnInitDialog(m_list);
    EXPECT_EQ(m_list.title, "Group");
    EXPECT_EQ(m_list.FirstTexts(), std::vector<std::string>{"01"});
    EXPECT_EQ(form.OnOK(), ListDlgEnd::Ok);
    EXPECT_EQ(form.GetChosenNumber(), 1u);
}

TEST_F(ShortListFormsTest, EveryListFailsToDeleteWhileTheScalesCannotBeTold)
{
    AddPop(kOrigin, 1, Esc('C', '0') + "One");
    AddStorage(1, "One");
    AddCategory(kGroups, 1, Esc('C', '0') + "One");
    m_document.m_sendDataResult = false;
    PopMsgListForm pops(TableOf<CPopMsgTb>(kOrigin), {});
    ShortMsgListForm storage(TableOf<CShortMsgTb>(kTemperatures), {});
    RuxDeptListForm groups(TableOf<CRuxDeptTb>(kGroups), {});
    for (SelectionListForm* form : std::initializer_list<SelectionListForm*>{&pops, &storage, &groups}) {
        m_prompt.m_ids.clear();
        form->OnInitDialog(m_list);
        m_list.Select(0);
        form->OnDelete();
        EXPECT_EQ(m_prompt.m_ids.back(), 61224u);
        EXPECT_EQ(m_list.GetRowCount(), 1);
    }
    EXPECT_TRUE(TableOf<CPopMsgTb>(kOrigin).FindMessage(1));
    EXPECT_TRUE(TableOf<CShortMsgTb>(kTemperatures).FindMessage(1));
    EXPECT_TRUE(TableOf<CRuxDeptTb>(kGroups).FindName(1));
    EXPECT_TRUE(TakeEvents().empty());
}

TEST(ScaleDataListCommandsTest, CommandsAndMessagePickersNameTheirListsAndTables)
{
    EXPECT_EQ(FindScaleDataListCommand(32965)->table, 70);
    EXPECT_EQ(FindScaleDataListCommand(32892)->list, ScaleDataList::PopMessages);
    EXPECT_EQ(FindScaleDataListCommand(32890)->list, ScaleDataList::FreeMessageNames);
    EXPECT_EQ(FindScaleDataListCommand(32802), nullptr);

    CGeneralSetup setup;
    setup.m_messageFileMapping = {0, 6, 0, 0};  // free messages 2 go out as the extra messages
    struct Case {
        std::uint32_t type;
        std::optional<std::uint16_t> table;
        ScaleDataList list;
    };
    const Case cases[] = {{1, 8, ScaleDataList::Messages},          {2, 73, ScaleDataList::Messages},
                          {3, 29, ScaleDataList::Messages},         {11, 70, ScaleDataList::Messages},
                          {12, 80, ScaleDataList::StorageMessages}, {13, 81, ScaleDataList::StorageMessages},
                          {14, std::nullopt, ScaleDataList::Messages}};
    for (const Case& c : cases) {
        const std::optional<MessagePickerList> picker = FindMessagePickerList(setup, c.type);
        ASSERT_EQ(picker.has_value(), c.table.has_value()) << c.type;
        if (!picker) continue;
        EXPECT_EQ(picker->table, *c.table) << c.type;
        EXPECT_EQ(picker->list, c.list) << c.type;
    }
}

}  // namespace
}  // namespace varnel::test
