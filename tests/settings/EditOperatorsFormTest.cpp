// The operator list and entry: rows, the entry's rules, adding, editing, deleting and picking, each
// change queued for the scales and logged.
#include "OperatorFields.h"
#include "SettingsListSite.h"
#include "db/text/ScaleFontList.h"
#include "settings/EditOperatorsForm.h"
#include "settings/OperatorList.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

using namespace std::string_literals;

class EditOperatorsFormTest : public ::testing::Test, public IEditOperatorsUi, public SettingsListSite {
protected:
    EditOperatorsFormTest()
    {
        m_frame.m_setup.m_defaultScaleFamily = 10;
        AddOperator(5, "Anna");
        AddOperator(7, "Bob");
    }

    bool RunOperatorEntry(EditOperatorForm& entry) override { return m_entries.Run(entry); }

    void AddOperator(std::uint16_t id, std::string name)
    {
        auto op = std::make_unique<COperator>();
        op->m_id = id;
        op->m_name = std::move(name);
        m_operators.SetOperator(std::move(op));
    }

    std::unique_ptr<EditOperatorsForm> MakeForm(bool pickMode = false, std::optional<std::uint16_t> preselect = {})
    {
        m_frame.SelectScaleFontSet();
        m_site = OperatorEntrySite::Of(m_frame.m_setup, m_frame.GetSystemDoubleByteFlag(), m_frame.m_scaleFonts,
                                       m_frame.m_fieldDefs[static_cast<std::size_t>(FieldDefMap::Production)]);
        auto form = std::make_unique<EditOperatorsForm>(m_operators, m_frame, m_frame.m_setup, m_log, m_site, pickMode,
                                                         preselect);
        form->SetUi(*this);
        return form;
    }

    // An entry step that types the values and presses OK (the dialog stays open when OK refuses them).
    static ScriptedEntries<EditOperatorForm>::Step Type(const std::string& id, const std::string& name,
                                                        const std::string& password = "",
                                                        const std::string& timer = "10", int level = 0)
    {
        return [=](EditOperatorForm& entry) {
            EditOperatorForm::Values& values = entry.GetValues();
            values.id = id;
            values.name = name;
            values.password = password;
            values.logoffTimer = timer;
            values.accessLevel = level;
            return entry.Accept();
        };
    }

    // The jobs sent, as (kind, first id).
    std::vector<std::pair<std::uint32_t, std::uint32_t>> Jobs() const
    {
        std::vector<std::pair<std::uint32_t, std::uint32_t>> jobs;
        for (const RecordingDocument::Send& send : m_document.m_sends)
            for (const CSendDataLog& job : send.requests) {
                EXPECT_EQ(job.m_rangeStart, job.m_rangeEnd);
                jobs.emplace_back(job.m_kind, job.m_rangeStart);
            }
        return jobs;
    }

    COperatorList m_operators;
    OperatorEntrySite m_site;
    ScriptedEntries<EditOperatorForm> m_entries;
};

TEST_F(EditOperatorsFormTest, RowsRunByNumberAndTheFirstIsSelected)
{
    AddOperator(3, "Cy");
    const auto form = MakeForm();
    EXPECT_EQ(form->GetRows(), (std::vector<std::string>{"03  Cy", "05  Anna", "07  Bob"}));
    EXPECT_EQ(form->GetSelection(), 0u);
    EXPECT_EQ(form->GetOkText(), "Close");
}

TEST_F(EditOperatorsFormTest, AnAddedOperatorKeepsEverySixFieldsIsQueuedAndLogged)
{
    const auto form = MakeForm();
    m_entries.Queue(Type("9", "Cy", "123456", "45", 3));
    form->Add();
    ASSERT_NE(m_operators.Find(9), nullptr);
    EXPECT_EQ(FieldsOf(*m_operators.Find(9)), (OperatorFields{9, "Cy", FieldsOf(*m_operators.Find(9)).font, "123456", 45, 3}));
    EXPECT_EQ(form->GetRows().back(), "09  Cy");
    EXPECT_EQ(form->GetSelection(), 2u);
    EXPECT_EQ(Jobs(), (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{SendOperators, 9}}));
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup modified - Operator :  ID=9 : Cy"});
}

TEST_F(EditOperatorsFormTest, AddingANumberInUseIsRefusedAndTheEntryShownAgain)
{
    const auto form = MakeForm();
    m_entries.Queue(Type("7", "Cy"));
    form->Add();  // the entry shown again is cancelled
    EXPECT_EQ(Shown(), std::vector<MessageId>{EditOperatorsForm::kMsgIdInUse});
    EXPECT_EQ(m_entries.Shown(), 2);
    EXPECT_EQ(FieldsOf(*m_operators.Find(7)).name, "Bob");
    EXPECT_EQ(m_operators.GetOperators().size(), 2u);
    EXPECT_TRUE(m_document.m_sends.empty());
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(EditOperatorsFormTest, EditingOperatorFiveToSixStoresEveryFieldUnderSixAndClearsFiveAtTheScales)
{
    const auto form = MakeForm();
    form->Select(0);
    m_entries.Queue([](EditOperatorForm& entry) {
        EXPECT_EQ(entry.GetValues().id, "5");
        EXPECT_EQ(entry.GetValues().name, "Anna");
        return Type("6", "Ann", "4321", "30", 5)(entry);
    });
    form->Edit();
    EXPECT_EQ(m_operators.Find(5), nullptr);
    ASSERT_NE(m_operators.Find(6), nullptr);
    const OperatorFields six = FieldsOf(*m_operators.Find(6));
    EXPECT_EQ(six, (OperatorFields{6, "Ann", six.font, "4321", 30, 5}));
    EXPECT_EQ(form->GetRows(), (std::vector<std::string>{"06  Ann", "07  Bob"}));
    EXPECT_EQ(form->GetSelection(), 0u);
    EXPECT_EQ(Jobs(), (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{SendOperatorDeletes, 5}, {SendOperators, 6}}));
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup modified - Operator :  ID=6 : Ann"});
}

TEST_F(EditOperatorsFormTest, AnEditKeepingItsNumberRewritesItsRowAndARenumberOntoAnotherIsRefused)
{
    const auto form = MakeForm();
    form->Select(1);
    m_entries.Queue(Type("5", "Robert"));  // 5 is Anna's
    m_entries.Queue(Type("7", "Robert"));
    form->Edit();
    EXPECT_EQ(Shown(), std::vector<MessageId>{EditOperatorsForm::kMsgIdInUse});
    EXPECT_EQ(m_operators.Find(5)->m_name, "Anna");
    EXPECT_EQ(m_operators.Find(7)->m_name, "Robert");
    EXPECT_EQ(form->GetRows(), (std::vector<std::string>{"05  Anna", "07  Robert"}));
    EXPECT_EQ(Jobs(), (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{SendOperators, 7}}));
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup modified - Operator :  ID=7 : Robert"});
}

TEST_F(EditOperatorsFormTest, AnEditByAUserWhoMayNotUpdateTheSetupChangesNothing)
{
    LogInWithSetupRights(AccessView);
    const auto form = MakeForm();
    EXPECT_FALSE(form->IsAddEnabled());
    EXPECT_FALSE(form->IsDeleteEnabled());
    m_entries.Queue(Type("5", "Zed"));
    form->Edit();
    EXPECT_EQ(Shown(), std::vector<MessageId>{61328});
    EXPECT_EQ(m_operators.Find(5)->m_name, "Anna");
    EXPECT_TRUE(m_document.m_sends.empty());
}

TEST_F(EditOperatorsFormTest, DeletingAsksThenLogsQueuesTheDeletionAndSelectsTheRowInItsPlace)
{
    const auto form = MakeForm();
    form->Select(0);
    m_prompt.QueueAnswer(MessageAnswer::No);
    form->Delete();
    EXPECT_EQ(m_operators.GetOperators().size(), 2u);
    form->Delete();
    EXPECT_EQ(Shown(), (std::vector<MessageId>{EditOperatorsForm::kMsgDeleteOperator, EditOperatorsForm::kMsgDeleteOperator}));
    EXPECT_EQ(m_operators.Find(5), nullptr);
    EXPECT_EQ(form->GetRows(), std::vector<std::string>{"07  Bob"});
    EXPECT_EQ(form->GetSelection(), 0u);
    EXPECT_EQ(Jobs(), (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{SendOperatorDeletes, 5}}));
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup deleted - Operator :  ID=5 : Anna"});
}

TEST_F(EditOperatorsFormTest, PickModeOnlyChoosesAnOperator)
{
    const auto form = MakeForm(true);
    EXPECT_EQ(form->GetOkText(), "Select");
    EXPECT_FALSE(form->IsAddEnabled());
    EXPECT_FALSE(form->IsEditEnabled());
    EXPECT_FALSE(form->IsDeleteEnabled());
    form->Edit();
    EXPECT_EQ(m_entries.Shown(), 0);
    form->Select(1);
    EXPECT_EQ(form->DoubleClick(), SettingsListForm::End::Ok);
    EXPECT_EQ(form->GetPicked(), 7u);
    form->Select(std::nullopt);
    EXPECT_EQ(form->Ok(), SettingsListForm::End::Cancel);
    // The picker opens on the operator its caller names.
    EXPECT_EQ(MakeForm(true, 7)->GetSelection(), 1u);
    EXPECT_EQ(MakeForm(true, 9)->GetSelection(), 0u);
}

TEST_F(EditOperatorsFormTest, TheEntryRefusesNumbersOutsideTheirRangesAndKeepsTheDialog)
{
    const auto form = MakeForm();
    struct Case {
        std::string id;
        std::string timer;
        bool accepted;
    };
    for (const Case& c : {Case{"0", "10", false}, Case{"100", "10", false}, Case{"", "10", false},
                         Case{"99", "61", false}, Case{"1", "0", true}, Case{"99", "60", true}}) {
        SCOPED_TRACE(c.id + "/" + c.timer);
        EditOperatorForm entry(m_site);
        entry.GetValues().id = c.id;
        entry.GetValues().logoffTimer = c.timer;
        EXPECT_EQ(entry.Accept(), c.accepted);
    }
}

TEST_F(EditOperatorsFormTest, DefaultSystemTypeDecidesThePasswordAndTheScaleLogonFields)
{
    struct Case {
        std::uint16_t family;
        bool enabled;
        std::size_t passwordLimit;
    };
    for (const Case& c : {Case{10, true, 6}, Case{12, true, 6}, Case{0, false, 5}, Case{9, false, 5}, Case{11, false, 5}}) {
        SCOPED_TRACE(c.family);
        m_frame.m_setup.m_defaultScaleFamily = c.family;
        const auto form = MakeForm();
        EditOperatorForm entry(m_site);
        EXPECT_EQ(entry.AreScaleLogonFieldsEnabled(), c.enabled);
        EXPECT_EQ(entry.GetPasswordLimit(), c.passwordLimit);
        entry.GetValues().id = "1";
        entry.GetValues().password = "12345678";
        ASSERT_TRUE(entry.Accept());
        EXPECT_EQ(entry.GetOperator().m_password.size(), c.passwordLimit);
    }
}

TEST_F(EditOperatorsFormTest, TheNameLimitIsTheWidthOfProductionField1605AndOnlyThailandChoosesAFont)
{
    m_frame.AddFieldDef(FieldDefMap::Production, 1605).m_width = 8;
    MakeForm();
    EditOperatorForm entry(m_site);
    EXPECT_EQ(entry.GetNameLimit(), 8u);
    EXPECT_FALSE(entry.IsFontEnabled());
    m_frame.m_setup.m_market = MarketThailand;
    MakeForm();
    EXPECT_TRUE(EditOperatorForm(m_site).IsFontEnabled());
    m_frame.m_fieldDefs[static_cast<std::size_t>(FieldDefMap::Production)].clear();
    MakeForm();
    EXPECT_EQ(EditOperatorForm(m_site).GetNameLimit(), 12u);
}

TEST_F(EditOperatorsFormTest, TheFontIsShownByItsPlaceInTheListAndStoredByTheChosenFontsCode)
{
    MakeForm();
    ASSERT_GT(m_site.fontCodes.size(), 1u);
    COperator op;
    op.m_id = 4;
    op.m_name = "Di";
    EditOperatorForm entry(m_site, op);
    ASSERT_TRUE(entry.GetValues().font.has_value());
    entry.GetValues().font = 1;
    ASSERT_TRUE(entry.Accept());
    const std::uint8_t font = entry.GetOperator().m_font;
    EXPECT_EQ(EditOperatorForm(m_site, entry.GetOperator()).GetValues().font, 1u);
    entry.GetValues().font.reset();
    ASSERT_TRUE(entry.Accept());
    EXPECT_EQ(entry.GetOperator().m_font, 3);  // nothing chosen: the market's default
    EXPECT_NE(font, 0);
}

TEST_F(EditOperatorsFormTest, AnEmptyNameIsRefusedAndTheEntryShownAgain)
{
    const auto form = MakeForm();
    m_entries.Queue(Type("9", ""));
    form->Add();
    EXPECT_EQ(Shown(), std::vector<MessageId>{EditOperatorForm::kMsgNoName});
    EXPECT_EQ(m_entries.Shown(), 2);
    EXPECT_EQ(m_operators.Find(9), nullptr);
}

TEST_F(EditOperatorsFormTest, DoubleByteMarketsTurnSingleByteNamesIntoFullWidthOnesAndShowThemAgain)
{
    struct Case {
        std::uint16_t market;
        std::string typed;
        std::string shown;
    };
    for (const Case& c : {Case{MarketChina, "AB", "\xA3\xC1\xA3\xC2"}, Case{MarketChina, "\xD6\xD0" "A", "\xD6\xD0\xA3\xC1"},
                         Case{MarketTaiwan, "A", "\xA2\xCF"}, Case{MarketHongKong, "a", "\xA2\xE9"}}) {
        SCOPED_TRACE(c.market);
        m_frame.m_setup.m_market = c.market;
        m_prompt.m_ids.clear();
        m_operators.RemoveOperator(9);
        const auto form = MakeForm();
        std::string shownAgain;
        m_entries.Queue(Type("9", c.typed));
        m_entries.Queue([&shownAgain](EditOperatorForm& entry) {
            shownAgain = entry.GetValues().name;
            return entry.Accept();
        });
        form->Add();
        EXPECT_EQ(Shown(), std::vector<MessageId>{EditOperatorForm::kMsgNameConverted});
        EXPECT_EQ(shownAgain, c.shown);
        ASSERT_NE(m_operators.Find(9), nullptr);
        EXPECT_EQ(m_operators.Find(9)->m_name, c.shown);
    }
}

}  // namespace
}  // namespace varnel::test
