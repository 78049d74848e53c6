// The message list and "Edit Message" without windows: numbering, storing, queueing and logging,
// tabs, sorting, host-controlled messages, the OK checks, rights and pick mode.
#include "MessageListFixture.h"

#include "scaledata/ExMsgListForm.h"
#include "scaledata/FreeMsgNameTb.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/TempDir.h"

namespace varnel::test {
namespace {

constexpr std::uint16_t kExtra = 4;
constexpr std::uint16_t kCoupons = 8;
constexpr std::uint16_t kExtra2 = 29;
constexpr std::uint16_t kExtra3 = 30;
constexpr std::uint16_t kComments = 70;
constexpr std::uint16_t kFree1 = 72;
constexpr std::uint16_t kFree2 = 73;

// What the user does in "Edit Message": each run records what the dialog showed, then the test's
// entry changes it, then OK is pressed (once, or until the checks pass when `retry`).
struct EditScript {
    std::function<void(EditExMsgForm&)> enter;
    bool pressOk = true;
    int runs = 0;
    std::vector<std::string> numbers, names, captions;
    std::vector<std::uint16_t> widths;

    bool operator()(EditExMsgForm& dialog)
    {
        ++runs;
        numbers.push_back(dialog.GetNumberText());
        names.push_back(dialog.GetName());
        captions.push_back(dialog.GetCaption());
        widths.push_back(dialog.GetLabelWidth());
        if (enter) enter(dialog);
        return pressOk && dialog.OnOK();
    }
};

class ExMsgListFormTest : public MessageListFixture {
protected:
    ExMsgListForm& Open(std::uint16_t tableNo, std::array<bool, 3> sets = {true, false, false},
                        int mode = SelectionListForm::kCloseOnly)
    {
        m_form = std::make_unique<ExMsgListForm>(m_database, TableOf<CExMsgTb>(tableNo), sets, std::ref(m_script));
        m_form->SetMode(mode);
        m_form->OnInitDialog(m_list);
        return *m_form;
    }

    EditScript m_script;
    std::unique_ptr<ExMsgListForm> m_form;
};

TEST_F(ExMsgListFormTest, AddProposesTheFirstGapAndStoresQueuesAndLogsTheMessage)
{
    AddMessage(kExtra, 1, "Fresh");
    AddMessage(kExtra, 2, "Frozen");
    AddMessage(kExtra, 4, "Local");
    ExMsgListForm& form = Open(kExtra);
    EXPECT_EQ(m_list.FirstTexts(), (std::vector<std::string>{"01 ", "02 ", "04 "}));
    EXPECT_EQ(m_list.titles, (std::vector<std::string>{"No.", "Name"}));
    EXPECT_EQ(m_list.widths, (std::vector<int>{100, 395}));

    m_script.enter = [](EditExMsgForm& dialog) { dialog.SetText(Esc('C', '0') + "Halal", 50); };
    form.OnAdd();
    EXPECT_EQ(m_script.numbers, std::vector<std::string>{"3"});
    EXPECT_EQ(m_script.names, std::vector<std::string>{"Message No. 3"});
    EXPECT_EQ(m_script.captions, std::vector<std::string>{"Message #3"});
    EXPECT_EQ(m_script.widths, std::vector<std::uint16_t>{60});  // the label width of PLU 1

    const CExMsgRec* stored = TableOf<CExMsgTb>(kExtra).FindMessage(3);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetName(), "Message No. 3");
    EXPECT_EQ(stored->GetText(), Esc('C', '0') + "Halal");
    EXPECT_EQ(stored->GetLabelWidth(), 50);
    EXPECT_EQ(stored->GetLength(), stored->CalcDataSize());
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 4 3-3"});
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Added Extra Message No. 3"});
    EXPECT_EQ(m_list.FirstTexts(), (std::vector<std::string>{"01 ", "02 ", "03 ", "04 "}));
    EXPECT_EQ(m_list.GetSelectedRow(), 2);
}

TEST_F(ExMsgListFormTest, AFullTableRefusesAddWithoutADialog)
{
    m_frame.m_setup.m_maxExMessageNo = 99;
    for (std::uint32_t number = 1; number <= 99; ++number) AddMessage(kExtra, number, "m");
    Open(kExtra).OnAdd();
    EXPECT_EQ(m_script.runs, 0);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61315});
    EXPECT_EQ(m_prompt.m_texts.front(), "The message file is full.\nYou cannot add any more.");
}

TEST_F(ExMsgListFormTest, CouponsAreNumberedAsWideAsTheirHighestNumberAndOpenOnNarrowLabels)
{
    m_frame.m_setup.m_maxCouponNo = 9999;
    AddMessage(kCoupons, 7, "Two for one");
    ExMsgListForm& form = Open(kCoupons);
    EXPECT_EQ(m_list.title, "Coupons");
    EXPECT_EQ(m_list.rows.at(0), (std::vector<std::string>{"0007", "Two for one"}));
    form.OnAdd();
    EXPECT_EQ(m_script.captions, std::vector<std::string>{"Coupon #1"});
    EXPECT_EQ(m_script.widths, std::vector<std::uint16_t>{20});
}

TEST_F(ExMsgListFormTest, TheTitleFollowsTheKind)
{
    struct Case {
        std::uint16_t table;
        std::uint16_t market;
        std::string title;
    };
    const Case cases[] = {{kComments, MarketUsa, "Comments"},
                          {kComments, MarketAustralia, "Lot Messages"},
                          {kFree2, MarketUsa, "Free Messages"},
                          {78, MarketUsa, "Ingredients"},
                          {kExtra, MarketUsa, ""}};
    for (const Case& c : cases) {
        m_frame.m_setup.m_market = c.market;
        m_list.title.clear();
        Open(c.table);
        EXPECT_EQ(m_list.title, c.title) << c.table;
    }
}

TEST_F(ExMsgListFormTest, TheExtraMessageSetsInUseAreTabsEachOnItsOwnTable)
{
    AddMessage(kExtra2, 1, "Second set");
    AddMessage(kExtra3, 5, "Third set");
    ExMsgListForm& form = Open(kExtra2, {false, true, true});
    EXPECT_EQ(form.GetTabs(), (std::vector<std::string>{"Extra Msg #2", "Extra Msg #3"}));
    EXPECT_EQ(form.GetCurrentTab(), 0);
    EXPECT_EQ(m_list.Column(1), std::vector<std::string>{"Second set"});
    form.OnTabChange(1);
    EXPECT_EQ(&form.GetTable(), &TableOf<CExMsgTb>(kExtra3));
    EXPECT_EQ(m_list.Column(1), std::vector<std::string>{"Third set"});
    form.OnAdd();
    EXPECT_TRUE(TableOf<CExMsgTb>(kExtra3).FindMessage(1));
    EXPECT_FALSE(TableOf<CExMsgTb>(kExtra2).FindMessage(2));

    // One set in use: no tabs. Opened on a set no scale carries: the first set in use.
    EXPECT_TRUE(Open(kExtra, {true, false, false}).GetTabs().empty());
    EXPECT_EQ(&Open(kExtra, {false, true, true}).GetTable(), &TableOf<CExMsgTb>(kExtra2));
    // Picking shows no tabs.
    EXPECT_TRUE(Open(kExtra2, {true, true, true}, SelectionListForm::kPick).GetTabs().empty());
}

TEST_F(ExMsgListFormTest, FreeMessageTabsTakeTheStoredNames)
{
    auto& names = TableOf<CFreeMsgNameTb>(77);
    auto* second = dynamic_cast<CFreeMsgNameRec*>(names.GetOrAddRecord(2, CFreeMsgNameRec::kSize));
    second->SetArea(Esc('C', '0') + "Recipes");
    ExMsgListForm& form = Open(kFree2);
    EXPECT_EQ(form.GetTabs(), (std::vector<std::string>{"Free Msg. #1", "Recipes", "Free Msg. #3", "Free Msg. #4",
                                                        "Free Msg. #5"}));
    EXPECT_EQ(form.GetCurrentTab(), 1);
    form.OnTabChange(0);
    EXPECT_EQ(&form.GetTable(), &TableOf<CExMsgTb>(kFree1));
}

TEST_F(ExMsgListFormTest, SortingByNameIsStableAndIgnoresCase)
{
    AddMessage(kExtra, 1, "beef");
    AddMessage(kExtra, 2, "Apple");
    AddMessage(kExtra, 3, "BEEF");
    AddMessage(kExtra, 4, "apple");
    ExMsgListForm& form = Open(kExtra);
    m_list.Select(1);
    form.OnSortChange(ExMsgListForm::kByName);
    EXPECT_EQ(m_list.FirstTexts(), (std::vector<std::string>{"02 ", "04 ", "01 ", "03 "}));
    EXPECT_EQ(m_list.GetSelectedRow(), 1);  // the index is kept

    // A message added in name order takes its place by name; Edit and Delete reach the row shown.
    m_script.enter = [](EditExMsgForm& dialog) { dialog.SetName("Banana"); };
    form.OnAdd();
    EXPECT_EQ(m_list.FirstTexts(), (std::vector<std::string>{"02 ", "04 ", "05 ", "01 ", "03 "}));
    EXPECT_EQ(m_list.GetSelectedRow(), 2);
    m_list.Select(3);
    form.OnDelete();
    EXPECT_FALSE(TableOf<CExMsgTb>(kExtra).FindMessage(1));
    EXPECT_EQ(m_list.FirstTexts(), (std::vector<std::string>{"02 ", "04 ", "05 ", "03 "}));
    form.OnSortChange(ExMsgListForm::kByNumber);
    EXPECT_EQ(m_list.FirstTexts(), (std::vector<std::string>{"02 ", "03 ", "04 ", "05 "}));
}

TEST_F(ExMsgListFormTest, OkChecksTheTextTheNumberAndAnOverwriteInThatOrder)
{
    m_frame.m_setup.m_maxExMessageNo = 99;
    m_frame.m_setup.m_maxCouponNo = 9999;
    AddMessage(kExtra, 1, "One");
    AddMessage(kExtra, 2, "Two");
    EditExMsgForm dialog(TableOf<CExMsgTb>(kExtra), 1);
    dialog.SetText(Esc('C', '0') + "One", 60);

    // A number outside the table's numbers, or none.
    for (const char* typed : {"0", "100", "", "x"}) {
        dialog.SetNumberText(typed);
        EXPECT_FALSE(dialog.OnOK()) << typed;
        EXPECT_EQ(dialog.GetRefusedFocus(), MessageTextEditForm::Focus::Number);
    }
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>(4, 61269));
    EXPECT_EQ(m_prompt.m_texts.front(), "The specified message number is outside the allowed range of 1 to 99.");

    // Another message's number: overwrite only when the user says so.
    m_prompt.m_ids.clear();
    dialog.SetNumberText("2");
    m_prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(dialog.GetRefusedFocus(), MessageTextEditForm::Focus::Number);
    EXPECT_TRUE(dialog.OnOK());
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61268, 61268}));
    EXPECT_EQ(dialog.GetNumber(), 2u);

    // A text longer than the family takes is asked about first (248 for family 0's extra messages
    // under the USA coupon numbering).
    m_prompt.m_ids.clear();
    std::string lines;
    for (int line = 0; line < 25; ++line) lines += Esc('C', '0') + "abcdefghij";
    dialog.SetText(lines, 60);
    dialog.SetNumberText("0");
    m_prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(dialog.GetRefusedFocus(), MessageTextEditForm::Focus::Editor);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31517});
    EXPECT_NE(m_prompt.m_texts.back().find("The maximum length is 124 Asian or 248 English characters."),
              std::string::npos);
}

TEST_F(ExMsgListFormTest, ATextTheEditorHadToCutIsAskedAboutEvenWithinTheMaximum)
{
    // Family 11 takes 2047 of an extra message and counts each code as 2: 600 one-letter lines are
    // 2400 bytes but count 1800.
    m_frame.m_setup.m_defaultScaleFamily = 11;
    AddMessage(kExtra, 1, "One");
    EditExMsgForm dialog(TableOf<CExMsgTb>(kExtra), 1);
    std::string text;
    for (int line = 0; line < 600; ++line) text += Esc('C', '0') + "a";
    dialog.SetText(text, 60);
    m_prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31517});
    EXPECT_TRUE(dialog.OnOK());
    EXPECT_LE(dialog.GetText().size(), CExMsgRec::kTextMax);
}

TEST_F(ExMsgListFormTest, ANewNumberStoresASecondMessageAndAUsedOneIsOverwritten)
{
    AddMessage(kExtra, 1, "One");
    AddMessage(kExtra, 2, "Two");
    ExMsgListForm& form = Open(kExtra);
    m_list.Select(0);
    m_script.enter = [](EditExMsgForm& dialog) {
        dialog.SetNumberText("5");
        dialog.SetName("Five");
    };
    form.OnEdit();
    EXPECT_EQ(TableOf<CExMsgTb>(kExtra).FindMessage(1)->GetName(), "One");
    EXPECT_EQ(TableOf<CExMsgTb>(kExtra).FindMessage(5)->GetName(), "Five");
    EXPECT_EQ(m_list.FirstTexts(), (std::vector<std::string>{"01 ", "02 ", "05 "}));
    EXPECT_EQ(m_list.GetSelectedRow(), 2);

    m_list.Select(0);
    m_script.enter = [](EditExMsgForm& dialog) { dialog.SetNumberText("2"); };
    form.OnEdit();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61268});
    EXPECT_EQ(TableOf<CExMsgTb>(kExtra).FindMessage(2)->GetName(), "One");
    EXPECT_EQ(m_list.Column(1), (std::vector<std::string>{"One", "One", "Five"}));
    EXPECT_EQ(m_list.GetSelectedRow(), 1);
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{" Op: <User edit> : Added Extra Message No. 5",
                                                      " Op: <User edit> : Updated Extra Message No. 2"}));
}

TEST_F(ExMsgListFormTest, HostControlledMessagesAreNeitherChangedNorDeleted)
{
    AddMessage(kExtra, 1, "Host");
    AddMessage(kExtra, 2, "Free");
    AddMessage(kCoupons, 3, "Host coupon");
    AddHostControlledPlu(100, 3, 1);
    ExMsgListForm& form = Open(kExtra);
    m_list.Select(0);
    m_script.enter = [](EditExMsgForm& dialog) { dialog.SetName("Changed"); };
    form.OnEdit();
    EXPECT_EQ(m_script.runs, 1);  // the dialog opens all the same
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{31502, 31502}));
    EXPECT_EQ(TableOf<CExMsgTb>(kExtra).FindMessage(1)->GetName(), "Host");
    form.OnDelete();
    EXPECT_TRUE(TableOf<CExMsgTb>(kExtra).FindMessage(1));
    // Nor may another message be stored under its number.
    m_prompt.m_ids.clear();
    m_list.Select(1);
    m_script.enter = [](EditExMsgForm& dialog) { dialog.SetNumberText("1"); };
    form.OnEdit();
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61268, 31502}));
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_TRUE(TakeEvents().empty());

    EXPECT_TRUE(ExMsgListForm::IsHostControlled(m_database, 1, 3));
    EXPECT_FALSE(ExMsgListForm::IsHostControlled(m_database, 1, 1));
    EXPECT_TRUE(ExMsgListForm::IsHostControlled(m_database, 3, 1));
    EXPECT_FALSE(ExMsgListForm::IsHostControlled(m_database, 11, 1));
}

TEST_F(ExMsgListFormTest, DeleteQueuesTheDeletionFirstAndKeepsTheMessageWhenThatFails)
{
    AddMessage(kExtra, 1, "One");
    AddMessage(kExtra, 2, "Two");
    ExMsgListForm& form = Open(kExtra);
    m_list.Select(0);
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    form.OnDelete();
    EXPECT_TRUE(TableOf<CExMsgTb>(kExtra).FindMessage(1));

    m_document.m_sendDataResult = false;
    form.OnDelete();
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61229, 61229, 61224}));
    EXPECT_EQ(m_prompt.m_texts.back(), "Item not deleted because communications with scales failed.");
    EXPECT_TRUE(TableOf<CExMsgTb>(kExtra).FindMessage(1));
    EXPECT_EQ(m_list.GetRowCount(), 2);
    EXPECT_TRUE(TakeEvents().empty());

    m_document.m_sendDataResult = true;
    TakeRequests();
    form.OnDelete();
    EXPECT_FALSE(TableOf<CExMsgTb>(kExtra).FindMessage(1));
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"1 4 1-1"});
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Deleted Extra Message No. 1"});
    EXPECT_EQ(m_list.FirstTexts(), std::vector<std::string>{"02 "});
}

TEST_F(ExMsgListFormTest, TheButtonsFollowTheRights)
{
    LogInRestrictedUser(false);
    Open(kExtra);
    EXPECT_FALSE(m_list.IsEnabled(ListButton::Add));
    EXPECT_FALSE(m_list.IsEnabled(ListButton::Delete));
    EXPECT_TRUE(m_list.IsShown(ListButton::Edit));
    EXPECT_EQ(m_list.okText, "Close");
    EXPECT_FALSE(m_list.cancelShown);

    // Editing needs the update right when OK is pressed.
    AddMessage(kExtra, 1, "One");
    ExMsgListForm& form = Open(kExtra);
    m_list.Select(0);
    m_script.enter = [](EditExMsgForm& dialog) { dialog.SetName("Changed"); };
    form.OnEdit();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61328});
    EXPECT_EQ(TableOf<CExMsgTb>(kExtra).FindMessage(1)->GetName(), "One");

    m_form = std::make_unique<ExMsgListForm>(m_database, TableOf<CExMsgTb>(kExtra), std::array<bool, 3>{true},
                                             std::ref(m_script));
    m_form->SetEditingAllowed(false);
    m_form->OnInitDialog(m_list);
    for (const ListButton button : {ListButton::Add, ListButton::Edit, ListButton::Delete})
        EXPECT_FALSE(m_list.IsShown(button));
}

TEST_F(ExMsgListFormTest, PickModeSelectsTheCurrentNumberAndGivesBackTheChosenOne)
{
    AddMessage(kComments, 10, "Ten");
    AddMessage(kComments, 20, "Twenty");
    m_form = std::make_unique<ExMsgListForm>(m_database, TableOf<CExMsgTb>(kComments), std::array<bool, 3>{true},
                                             std::ref(m_script));
    m_form->SetMode(SelectionListForm::kPick);
    m_form->SetChosenNumber(20);
    m_form->OnInitDialog(m_list);
    EXPECT_EQ(m_list.okText, "Select");
    EXPECT_EQ(m_list.GetSelectedRow(), 1);
    m_list.Select(0);
    EXPECT_EQ(m_form->OnOK(), ListDlgEnd::Ok);
    EXPECT_EQ(m_form->GetChosenNumber(), 10u);
}

TEST_F(ExMsgListFormTest, AFailedStoreLeavesTheTableAndTheListAsTheyWere)
{
    TempDir dir;
    FaultInjectingFileSystem fs;
    CPluDatabase database(fs);
    database.CreateAllTables();
    ASSERT_TRUE(database.Create(dir.File("store.pld")));
    ASSERT_TRUE(database.Open(dir.File("store.pld")));
    auto& table = dynamic_cast<CExMsgTb&>(*database.GetTable(kExtra));
    auto row = table.CreateRecord(CExMsgRec::kMaxSize);
    dynamic_cast<CExMsgRec&>(*row).SetName("Kept");
    ASSERT_TRUE(table.AddRecord(1, 68, std::move(row)));
    ExMsgListForm form(database, table, {true, false, false}, std::ref(m_script));
    form.OnInitDialog(m_list);
    fs.FailAt(1, true);

    m_list.Select(0);
    m_script.enter = [](EditExMsgForm& dialog) { dialog.SetName(std::string(20, 'x')); };
    form.OnEdit();
    EXPECT_EQ(table.FindMessage(1)->GetName(), "Kept");
    form.OnAdd();
    EXPECT_EQ(table.GetRecordCount(), 1u);
    EXPECT_EQ(m_list.Column(1), std::vector<std::string>{"Kept"});
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_TRUE(TakeEvents().empty());
}

}  // namespace
}  // namespace varnel::test
