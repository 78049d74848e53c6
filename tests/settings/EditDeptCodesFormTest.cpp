// The department code list and its entries: ordered ranges, overwriting a code with its groups, the
// group codes inside the entry, deleting, auto-generating from the PLUs, rights and the event log.
#include "SettingsListSite.h"
#include "settings/EditDeptCodesForm.h"
#include "support/DeptCodes.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

class EditDeptCodesFormTest : public ::testing::Test,
                              public IEditDeptCodesUi,
                              public IEditGroupCodesUi,
                              public SettingsListSite {
protected:
    EditDeptCodesFormTest()
    {
        m_codes.Add(MakeDeptCode(5, "Deli", {{1, "Cheese"}}));
        m_codes.Add(MakeDeptCode(12, "Meat", {{1, "Beef"}, {4, "Lamb"}}));
    }
    bool RunDeptCodeEntry(EditDeptCodeForm& entry) override
    {
        entry.Groups().SetUi(*this);
        return m_entries.Run(entry);
    }
    bool RunGroupCodeEntry(EditGroupCodeForm& entry) override { return m_groupEntries.Run(entry); }

    std::unique_ptr<EditDeptCodesForm> MakeForm(const CPluDefTb* plus = nullptr)
    {
        auto form = std::make_unique<EditDeptCodesForm>(m_codes, m_log, plus, m_display, m_chars);
        form->SetUi(*this);
        return form;
    }
    static ScriptedEntries<EditDeptCodeForm>::Step Type(const std::string& code, const std::string& name,
                                                        const std::string& from, const std::string& to)
    {
        return [=](EditDeptCodeForm& entry) {
            entry.m_code = code;
            entry.m_name = name;
            entry.m_from = from;
            entry.m_to = to;
            return entry.Accept();
        };
    }
    static ScriptedEntries<EditGroupCodeForm>::Step TypeGroup(const std::string& code, const std::string& name)
    {
        return [=](EditGroupCodeForm& entry) {
            entry.m_code = code;
            entry.m_name = name;
            return entry.Accept();
        };
    }
    std::vector<std::string> Groups(std::size_t index) const
    {
        std::vector<std::string> groups;
        for (const auto& group : m_codes.GetAt(index).m_groups) groups.push_back(group->GetDisplayText(m_display));
        return groups;
    }

    CDeptCodeList m_codes;
    const DeptCodeDisplay m_display{false, 3, 2};
    CharRule m_chars;
    ScriptedEntries<EditDeptCodeForm> m_entries;
    ScriptedEntries<EditGroupCodeForm> m_groupEntries;
};

TEST_F(EditDeptCodesFormTest, ACodeEnteredFrom500To100IsStored100To500InCodeOrder)
{
    const auto form = MakeForm();
    EXPECT_EQ(form->GetRows(), (std::vector<std::string>{"005 Deli", "012 Meat"}));
    m_entries.Queue(Type("7", "Bakery", "500", "100"));
    form->Add();
    ASSERT_EQ(m_codes.GetCount(), 3u);
    EXPECT_EQ(m_codes.GetAt(1).m_id, 7);
    EXPECT_EQ(m_codes.GetAt(1).m_pluFrom, 100u);
    EXPECT_EQ(m_codes.GetAt(1).m_pluTo, 500u);
    EXPECT_EQ(form->GetRows(), (std::vector<std::string>{"005 Deli", "007 Bakery", "012 Meat"}));
    EXPECT_EQ(form->GetSelection(), 1u);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup modified - Dept. and Group Code :  ID=7 : Bakery"});
}

TEST_F(EditDeptCodesFormTest, AddingACodeInUseAsksAndYesReplacesItWithTheEntrysGroups)
{
    const auto form = MakeForm();
    m_entries.Queue([](EditDeptCodeForm& entry) {
        entry.Groups().Add();
        return Type("12", "Butcher", "1", "999")(entry);
    });
    m_groupEntries.Queue(TypeGroup("3", "Pork"));
    m_entries.Queue(Type("12", "Butcher", "1", "999"));  // shown again after No
    m_prompt.QueueAnswer(MessageAnswer::No);
    m_prompt.QueueAnswer(MessageAnswer::Yes);
    form->Add();
    EXPECT_EQ(Shown(), (std::vector<MessageId>{EditDeptCodesForm::kMsgOverwrite, EditDeptCodesForm::kMsgOverwrite}));
    ASSERT_EQ(m_codes.GetCount(), 2u);
    EXPECT_EQ(m_codes.GetAt(1).m_name, "Butcher");
    EXPECT_EQ(Groups(1), std::vector<std::string>{"03 Pork"});
    EXPECT_EQ(form->GetRows(), (std::vector<std::string>{"005 Deli", "012 Butcher"}));
}

TEST_F(EditDeptCodesFormTest, GroupCodesGoInCodeOrderAndAnAddedCodeOfAnExistingGroupReplacesIt)
{
    const auto form = MakeForm();
    form->Select(1);
    m_entries.Queue([this](EditDeptCodeForm& entry) {
        GroupCodesForm& groups = entry.Groups();
        EXPECT_EQ(groups.GetRows(), (std::vector<std::string>{"01 Beef", "04 Lamb"}));
        m_groupEntries.Queue(TypeGroup("2", "Veal"));
        groups.Add();
        EXPECT_EQ(groups.GetRows(), (std::vector<std::string>{"01 Beef", "02 Veal", "04 Lamb"}));
        EXPECT_EQ(groups.GetSelection(), 1u);
        m_groupEntries.Queue(TypeGroup("4", "Mutton"));
        groups.Add();
        EXPECT_EQ(groups.GetRows(), (std::vector<std::string>{"01 Beef", "02 Veal", "04 Mutton"}));
        groups.Select(0);
        m_groupEntries.Queue(TypeGroup("9", "Beef"));
        groups.Edit();
        EXPECT_EQ(groups.GetRows(), (std::vector<std::string>{"02 Veal", "04 Mutton", "09 Beef"}));
        groups.Select(1);
        groups.Delete();
        EXPECT_EQ(groups.GetRows(), (std::vector<std::string>{"02 Veal", "09 Beef"}));
        return entry.Accept();
    });
    form->Edit();
    EXPECT_EQ(Groups(1), (std::vector<std::string>{"02 Veal", "09 Beef"}));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(EditDeptCodesFormTest, CancelKeepsTheCodeAndItsGroupsAsTheyWere)
{
    const auto form = MakeForm();
    form->Select(1);
    m_entries.Queue([this](EditDeptCodeForm& entry) {
        m_groupEntries.Queue(TypeGroup("2", "Veal"));
        entry.Groups().Add();
        entry.Groups().Select(0);
        entry.Groups().Delete();
        return false;
    });
    form->Edit();
    EXPECT_EQ(Groups(1), (std::vector<std::string>{"01 Beef", "04 Lamb"}));
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(EditDeptCodesFormTest, ANewCodeOnAnEditMovesTheEntryAndAnEmptyNameKeepsTheDialog)
{
    const auto form = MakeForm();
    form->Select(1);
    m_entries.Queue([](EditDeptCodeForm& entry) {
        entry.m_name.clear();
        EXPECT_FALSE(entry.Accept());
        return Type("2", "Meat", "1", "999999")(entry);
    });
    form->Edit();
    EXPECT_EQ(Shown(), std::vector<MessageId>{CodeEntry::kMsgNoName});
    EXPECT_EQ(form->GetRows(), (std::vector<std::string>{"002 Meat", "005 Deli"}));
    EXPECT_EQ(Groups(0), (std::vector<std::string>{"01 Beef", "04 Lamb"}));
}

TEST_F(EditDeptCodesFormTest, EntryNumbersOutsideTheirRangesAreRefused)
{
    struct Case {
        std::string code;
        std::string from;
        std::string to;
        bool accepted;
    };
    for (const Case& c : {Case{"65535", "1", "1", false}, Case{"65534", "1", "1", true}, Case{"1", "0", "5", false},
                          Case{"1", "5", "1000000", false}, Case{"0", "999999", "1", true}}) {
        SCOPED_TRACE(c.code + " " + c.from + " " + c.to);
        EditDeptCodeForm entry(m_display, m_chars);
        entry.m_name = "X";
        EXPECT_EQ(Type(c.code, "X", c.from, c.to)(entry), c.accepted);
    }
}

TEST_F(EditDeptCodesFormTest, CodesTakeAsManyDigitsAsTheirFieldsShow)
{
    struct Case {
        DeptCodeDisplay display;
        std::size_t deptDigits;
        std::size_t groupDigits;
    };
    for (const Case& c : {Case{{false, 3, 2}, 3, 2}, Case{{true, 4, 6}, 4, 6}, Case{{false, 0, 0}, 5, 5}}) {
        SCOPED_TRACE(c.deptDigits);
        EXPECT_EQ(EditDeptCodeForm(c.display, m_chars).GetCodeDigits(), c.deptDigits);
        EXPECT_EQ(EditGroupCodeForm(CGroupCode(1, "Beef"), c.display, m_chars).GetCodeDigits(), c.groupDigits);
    }
}

TEST_F(EditDeptCodesFormTest, NamesAreCutToThirtyBytesUnderTheCharacterRuleTheListIsHanded)
{
    // The 30th byte begins a Big5 character: under Big5 the whole character goes.
    const std::string name = std::string(29, 'A') + "\xA5\x40" "B";
    struct Case {
        const char* rule;
        CharRule chars;
        std::string stored;
    };
    const Case cases[] = {
        {"Western", CharRule{}, std::string(29, 'A') + "\xA5"},
        {"Big5", CharRule{CharRule::LeadBytes::OfCodePage, CodePage::TraditionalChinese}, std::string(29, 'A')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        m_chars = c.chars;
        const auto form = MakeForm();
        m_groupEntries.Queue(TypeGroup("3", name));
        m_entries.Queue([&](EditDeptCodeForm& entry) {
            entry.Groups().Add();
            return Type("9", name, "1", "5")(entry);
        });
        form->Add();
        const CDeptCode* added = m_codes.FindDept(9);
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(added->m_name, c.stored);
        ASSERT_EQ(added->m_groups.size(), 1u);
        EXPECT_EQ(added->m_groups[0]->m_name, c.stored);
        (void)m_codes.RemoveAt(1);
    }
}

TEST_F(EditDeptCodesFormTest, DeleteRemovesAtOnceAndWithoutTheRightToDeleteTheListOnlyEdits)
{
    const auto form = MakeForm();
    form->Delete();
    EXPECT_EQ(form->GetRows(), std::vector<std::string>{"012 Meat"});
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup deleted - Dept. and Group Code :  ID=5 : Deli"});

    LogInWithSetupRights(AccessView | AccessUpdate);
    const auto limited = MakeForm();
    EXPECT_FALSE(limited->IsAddEnabled());
    EXPECT_FALSE(limited->IsDeleteEnabled());
    EXPECT_TRUE(limited->IsEditEnabled());
}

TEST_F(EditDeptCodesFormTest, AutoGenerateRebuildsTheListFromThePlusAfterTheQuestion)
{
    EXPECT_FALSE(MakeForm()->IsAutoGenerateEnabled());  // no database open
    CPluDatabase db;
    MakePlusOfDeptGroups(db, m_dir.File("plu.pld"), {{1, 3, 2}, {2, 3, 1}, {3, 8, 1}});
    const auto form = MakeForm(db.GetPluTable());
    ASSERT_TRUE(form->IsAutoGenerateEnabled());
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    form->AutoGenerate();
    EXPECT_EQ(m_codes.GetCount(), 2u);
    form->AutoGenerate();
    EXPECT_EQ(Shown(), (std::vector<MessageId>{EditDeptCodesForm::kMsgAutoGenerate, EditDeptCodesForm::kMsgAutoGenerate}));
    ASSERT_EQ(m_codes.GetCount(), 2u);
    EXPECT_EQ(m_codes.GetAt(0).m_id, 3);
    EXPECT_EQ(Groups(0), (std::vector<std::string>{"01 Group 1", "02 Group 2"}));
    EXPECT_EQ(form->GetRows(), (std::vector<std::string>{"003 Department 3", "008 Department 8"}));
}

}  // namespace
}  // namespace varnel::test
