// "Edit Store Name and Address" and its two store editors without windows: the rows of every store
// number, the editor each market gets, OK's checks, the full-width conversion, what is stored, queued
// and logged, and deletions.
#include "MessageListFixture.h"

#include "scaledata/EditStoreNamesForm.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

class StoreNameFormsTest : public MessageListFixture {
protected:
    CStoreNameTb& Stores() { return TableOf<CStoreNameTb>(CStoreNameTb::kTableNo); }
    void AddStore(std::uint32_t number, std::string_view name, std::string_view address = "Street")
    {
        auto* row = dynamic_cast<CStoreNameRec*>(Stores().GetOrAddRecord(number, CStoreNameRec::kSize));
        ASSERT_NE(row, nullptr);
        row->SetName(name, 0, 0);
        row->SetAddress(address, 0, 0);
    }
    // The list whose editor runs `edit` and gives its answer.
    EditStoreNamesForm List(std::function<bool(EditStoreNameForm&)> edit)
    {
        return EditStoreNamesForm(Stores(), std::move(edit));
    }
};

TEST_F(StoreNameFormsTest, EveryStoreNumberHasARowNumberedByTheHighest)
{
    m_frame.m_setup.m_maxStoreNo = 3;
    AddStore(2, "Harbour");
    EXPECT_EQ(List({}).GetRows(), (std::vector<std::string>{"01 Spare", "02 Harbour", "03 Spare"}));
    m_frame.m_setup.m_maxStoreNo = 100;
    EXPECT_EQ(List({}).GetRows().at(1), "0002 Harbour");
    EXPECT_EQ(List({}).GetRows().size(), 100u);
    m_frame.m_setup.m_maxStoreNo = 10000;
    EXPECT_EQ(List({}).GetRows().at(9999), "010000 Spare");
}

TEST_F(StoreNameFormsTest, AddTakesTheFirstSpareNumberAndStoresQueuesAndLogsTheStore)
{
    AddStore(1, "First");
    auto form = List([](EditStoreNameForm& editor) {
        EXPECT_FALSE(editor.IsExtended());
        EXPECT_EQ(editor.GetNumberText(), "2");
        editor.SetNameText("Quay");
        editor.SetAddressText("1 Pier Road");
        editor.SetFont(EditStoreNameForm::kLargeFont);
        return editor.OnOK();
    });
    form.OnAdd();
    const CStoreNameRec* row = Stores().FindStore(2);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetName().text, "Quay");
    EXPECT_EQ(row->GetName().font, 1);
    EXPECT_EQ(row->GetAddress().text, "1 Pier Road");
    EXPECT_EQ(form.GetRows().at(1), "02 Quay");
    EXPECT_EQ(form.GetSelection(), 1);
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 7 2-2"});
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Added Store (TR-5300/LumenXT) No. 2"});
}

// The store command's path when the site has one store: its editor on store 1 straight away.
TEST_F(StoreNameFormsTest, WithOneStoreTheFirstOkCreatesStoreOneAndQueuesItLikeAnyStoreSave)
{
    m_frame.m_setup.m_maxStoreNo = 1;
    auto form = List([](EditStoreNameForm& editor) {
        editor.SetNameText("Only");
        return editor.OnOK();
    });
    form.OnEdit();
    const CStoreNameRec* row = Stores().FindStore(1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetDataSize(), 260u);
    EXPECT_EQ(row->GetName().text, "Only");
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 7 1-1"});
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Added Store (TR-5300/LumenXT) No. 1"});
}

TEST_F(StoreNameFormsTest, ChangingTheNumberToAnExistingStoreAsksBeforeOverwritingIt)
{
    AddStore(3, "Three");
    AddStore(4, "Four");
    std::vector<bool> answers;
    auto form = List([&answers](EditStoreNameForm& editor) {
        editor.SetNumberText("4");
        answers.push_back(editor.OnOK());
        EXPECT_EQ(editor.GetRefusedFocus(), EditStoreNameForm::Focus::Number);
        answers.push_back(editor.OnOK());
        return answers.back();
    });
    form.SetSelection(2);
    m_prompt.QueueAnswer(MessageAnswer::No);
    m_prompt.QueueAnswer(MessageAnswer::Yes);
    form.OnEdit();
    EXPECT_EQ(answers, (std::vector<bool>{false, true}));
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61285, 61285}));
    EXPECT_EQ(Stores().FindStore(4)->GetName().text, "Three");
    EXPECT_EQ(Stores().FindStore(3)->GetName().text, "Three");
    EXPECT_EQ(form.GetSelection(), 3);
}

TEST_F(StoreNameFormsTest, TheSimpleEditorRefusesANameTooLongForTheLargeFontInMarket0)
{
    EditStoreNameForm editor(Stores(), 1, false);
    editor.SetNameText(std::string(40, 'N'));
    editor.SetFont(EditStoreNameForm::kLargeFont);
    EXPECT_FALSE(editor.OnOK());
    EXPECT_EQ(editor.GetRefusedFocus(), EditStoreNameForm::Focus::Name);
    EXPECT_EQ(m_prompt.m_texts, std::vector<std::string>{"The store name is too long for the selected font (Max. = 33 characters)"});
    editor.SetNameText(std::string(33, 'N'));
    EXPECT_TRUE(editor.OnOK());
    m_frame.m_setup.m_market = MarketNewZealand;
    editor.SetNameText(std::string(40, 'N'));
    EXPECT_TRUE(editor.OnOK());
    editor.SetNumberText("100");
    EXPECT_FALSE(editor.OnOK());
    EXPECT_EQ(editor.GetRefusedFocus(), EditStoreNameForm::Focus::Number);
}

TEST_F(StoreNameFormsTest, TheExtendedEditorChecksEachTextForItsFontAndBothTogether)
{
    m_frame.m_setup.m_market = MarketThailand;
    ASSERT_TRUE(List({}).UsesExtendedEditor());
    struct Case {
        std::size_t name, address;
        std::uint8_t nameFont, addressFont;
        MessageId refused;
    } const cases[] = {
        {43, 37, 0, 0, 0},       {44, 10, 0, 0, 61352},  {10, 44, 0, 3, 61352}, {21, 21, 1, 1, 0},
        {22, 10, 1, 0, 61352},   {43, 38, 0, 0, 31522},
    };
    for (const Case& c : cases) {
        m_prompt.m_ids.clear();
        EditStoreNameForm editor(Stores(), 1, true);
        editor.SetNameText(std::string(c.name, 'N'));
        editor.SetAddressText(std::string(c.address, 'A'));
        editor.SetNameFont(c.nameFont);
        editor.SetAddressFont(c.addressFont);
        EXPECT_EQ(editor.OnOK(), c.refused == 0) << c.name << " " << c.address;
        EXPECT_EQ(m_prompt.m_ids, c.refused ? std::vector<MessageId>{c.refused} : std::vector<MessageId>{});
    }

    auto form = List([](EditStoreNameForm& editor) {
        EXPECT_TRUE(editor.IsExtended());
        editor.SetNameText("Bold");
        editor.SetNameStyle(StoreBold, true);
        editor.SetNameStyle(StoreItalic, true);
        editor.SetNameStyle(StoreBold, false);
        editor.SetAddressFont(2);
        editor.SetAddressStyle(StoreReverse, true);
        return editor.OnOK();
    });
    form.OnEdit();
    const CStoreNameRec* row = Stores().FindStore(1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetName().style, StoreItalic);
    EXPECT_EQ(row->GetAddress().font, 2);
    EXPECT_EQ(row->GetAddress().style, StoreReverse);
}

TEST_F(StoreNameFormsTest, InChinaAndTaiwanTextsAreConvertedToFullWidthBeforeSaving)
{
    m_frame.m_setup.m_market = MarketChina;
    auto form = List([](EditStoreNameForm& editor) {
        editor.SetNameText("A");
        editor.SetAddressText("\xB0\xA1");
        return editor.OnOK();
    });
    form.OnEdit();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31488});
    EXPECT_EQ(Stores().FindStore(1)->GetName().text, "\xA3\xC1");
    EXPECT_EQ(Stores().FindStore(1)->GetAddress().text, "\xB0\xA1");
}

TEST_F(StoreNameFormsTest, DeleteAsksAndKeepsAStoreTheScalesCannotBeToldOf)
{
    AddStore(2, "Two");
    AddStore(3, "Three");
    auto form = List({});
    form.SetSelection(2);
    m_document.m_sendDataResult = false;
    form.OnDelete();
    EXPECT_NE(Stores().FindStore(3), nullptr);
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61243, 61224}));
    m_document.m_sendDataResult = true;
    TakeRequests();
    form.OnDelete();
    EXPECT_EQ(Stores().FindStore(3), nullptr);
    EXPECT_EQ(form.GetRows().at(2), "03 Spare");
    EXPECT_EQ(form.GetSelection(), 1);
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"1 7 3-3"});
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Deleted Store (TR-5300/LumenXT) No. 3"});

    // A spare row asks nothing; without the update right an edit stores nothing.
    m_prompt.m_ids.clear();
    form.SetSelection(0);
    form.OnDelete();
    EXPECT_TRUE(m_prompt.m_ids.empty());
    LogInRestrictedUser(false);
    auto viewer = List([](EditStoreNameForm& editor) { return editor.OnOK(); });
    viewer.OnEdit();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61328});
    EXPECT_EQ(Stores().FindStore(1), nullptr);
}

}  // namespace
}  // namespace varnel::test
