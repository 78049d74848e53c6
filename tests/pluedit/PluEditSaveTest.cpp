// The PLU edit form's saving: the question before a changed PLU is left, the row stored under its
// (possibly new) number with its zone values, queued to the scales and logged field by field.
#include "LabelTextFixture.h"
#include "PluEditFixture.h"
#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluPriceZoneTb.h"
#include "support/RecordingDocument.h"

namespace varnel::test {
namespace {

class PluEditSaveTest : public PluEditFixture, public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        Open(GetParam());
        m_row = &AddPlu(7);
        m_row->Set(PluCol::UnitPrice, 100);
    }

    const CPluDefRec* Stored(std::uint32_t number) const
    {
        return dynamic_cast<const CPluDefRec*>(Plus().FindRecord(number));
    }
    void Type(std::uint16_t fieldNo, std::string_view text)
    {
        ASSERT_TRUE(Form().CommitEdit(Control(fieldNo), text).accepted) << text;
    }
    std::vector<std::string> EventsOfKind(std::uint16_t kind) const
    {
        std::vector<std::string> lines;
        for (const auto& [eventKind, text] : m_frame.m_events)
            if (eventKind == kind) lines.push_back(text);
        return lines;
    }
    CPluPriceZoneTb& Zones() const
    {
        return *dynamic_cast<CPluPriceZoneTb*>(m_db.GetTable(CPluPriceZoneTb::kTableNo));
    }

    RecordingDocument m_sends{m_frame};
    CPluDefRec* m_row = nullptr;
};

TEST_P(PluEditSaveTest, SavingStoresTheRowLogsEachChangeAndQueuesTheSend)
{
    m_settings.logPluChanges = true;
    m_row->SetDesc("\x1b" "C0AB", CharRule{});
    ASSERT_TRUE(Form().ShowPlu(7));
    Type(1005, "1.20");
    ASSERT_EQ(Form().Editor().SetText("\x1b" "C0AC"), 1);
    ASSERT_TRUE(Form().OnSave());

    EXPECT_EQ(Stored(7)->Get(PluCol::UnitPrice), 120);
    EXPECT_EQ(Stored(7)->GetDesc(), "\x1b" "C0AC");
    EXPECT_EQ(m_services.m_saves, (std::vector<std::pair<std::uint32_t, bool>>{{7, false}}));
    EXPECT_EQ(EventsOfKind(6), (std::vector<std::string>{"  Unit Price: 100 -> 120", "  Desc:  \"~C0AB\" -> \"~C0AC\""}));
    ASSERT_EQ(EventsOfKind(1).size(), 1u);
    EXPECT_EQ(EventsOfKind(1)[0].rfind(" Op: <User edit>", 0), 0u);
    ASSERT_EQ(m_sends.m_sends.size(), 1u);
    EXPECT_EQ(m_frame.m_pluUpdateLog, std::vector<std::uint32_t>{7});
    EXPECT_FALSE(Form().IsPluChanged());
    EXPECT_TRUE(m_prompt.m_ids.empty());

    // Nothing changed since: leaving asks nothing.
    EXPECT_TRUE(Form().SaveModified());
    EXPECT_TRUE(m_prompt.m_ids.empty());
}

TEST_P(PluEditSaveTest, LeavingAChangedPluAsksFirst)
{
    const struct {
        const char* name;
        MessageAnswer answer;
        bool leaves;
        std::int32_t stored;
    } cases[] = {
        {"Yes saves", MessageAnswer::Yes, true, 150},
        {"No drops", MessageAnswer::No, true, 100},
        {"Cancel stays", MessageAnswer::Cancel, false, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_row->Set(PluCol::UnitPrice, 100);
        m_document.pluChanged = false;
        ASSERT_TRUE(NewForm().ShowPlu(7));
        Form().Build(FormUnits{6, 13});
        ASSERT_TRUE(Form().ShowPlu(7));
        Type(1005, "1.50");
        m_prompt.m_ids.clear();
        m_prompt.QueueAnswer(c.answer);
        EXPECT_EQ(Form().SaveModified(), c.leaves);
        EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61238});
        EXPECT_EQ(Stored(7)->Get(PluCol::UnitPrice), c.stored);
        EXPECT_EQ(Form().IsPluChanged(), !c.leaves);
    }
}

TEST_P(PluEditSaveTest, ADescriptionChangeAloneAsksBeforeTheWindowCloses)
{
    ASSERT_TRUE(Form().ShowPlu(7));
    ASSERT_EQ(Form().Editor().SetText("\x1b" "C0LAMB"), 1);
    Form().Editor().OnSinkChar('S', 1, 0);  // typed, as a user does
    m_prompt.QueueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(Form().SaveModified());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61238});
    EXPECT_NE(Stored(7)->GetDesc(), "BEEF");
}

TEST_P(PluEditSaveTest, ARenumberedPluIsSavedUnderItsNewNumberAndKeepsTheOld)
{
    ASSERT_TRUE(Form().ShowPlu(7));
    ASSERT_TRUE(Form().CommitPluNumber("123"));
    m_prompt.QueueAnswer(MessageAnswer::Yes);  // the POS code and item follow the number
    ASSERT_TRUE(Form().OnSave());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61292});
    ASSERT_NE(Stored(123), nullptr);
    ASSERT_NE(Stored(7), nullptr);
    EXPECT_EQ(Stored(123)->Get(PluCol::PosCode), "0000000123");
    EXPECT_EQ(GetPluFieldValue(*Stored(123), 1016), 123);
    EXPECT_EQ(Form().GetLoadedPlu(), 123u);

    // Onto a PLU that exists: asked first, and No writes nothing.
    ASSERT_TRUE(Form().CommitPluNumber("7"));
    Type(1005, "9.99");
    m_prompt.m_ids.clear();
    m_prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(Form().OnSave());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61239});
    EXPECT_EQ(Stored(7)->Get(PluCol::UnitPrice), 100);
    EXPECT_TRUE(Form().IsPluChanged());
}

TEST_P(PluEditSaveTest, CodesThatAlreadyMatchTheNewNumberAreNotAskedAbout)
{
    ASSERT_TRUE(Form().ShowPlu(7));
    ASSERT_TRUE(Form().CommitPluNumber("123"));
    Type(1016, "123");
    ASSERT_TRUE(Form().OnSave());
    EXPECT_TRUE(m_prompt.m_ids.empty());
    m_frame.m_setup.m_posCheckNewPlu = 1;  // the question switched off
    ASSERT_TRUE(Form().CommitPluNumber("124"));
    ASSERT_TRUE(Form().OnSave());
    EXPECT_TRUE(m_prompt.m_ids.empty());
}

TEST_P(PluEditSaveTest, ANewRowTakesNoStaleZoneRowsOfItsNumber)
{
    m_frame.m_priceZones.SetZone(2, "North");
    m_frame.m_priceZoneFields = {1005};
    m_frame.m_setup.m_priceZoneMode = 2;
    m_settings.headOffice = true;
    m_settings.logPluChanges = true;
    m_document.lastZone = 2;
    // Zone rows of PLU 7 and rows left behind by a PLU 50 deleted earlier.
    ASSERT_TRUE(Zones().WritePlu(7, {{2, 1005, 700}}, m_row));
    ASSERT_TRUE(Zones().WritePlu(50, {{2, 1005, 5000}}, nullptr));

    ASSERT_TRUE(Form().ShowPlu(50));
    ASSERT_TRUE(Form().IsNewPlu());
    Type(1005, "2.50");
    ASSERT_TRUE(Form().OnSave());
    PriceZoneEntries entries;
    ASSERT_TRUE(Zones().LoadAllEntries(50, entries));
    EXPECT_EQ(entries, (PriceZoneEntries{{2, 1005, 250}}));
    ASSERT_TRUE(Zones().LoadAllEntries(7, entries));
    EXPECT_EQ(entries, (PriceZoneEntries{{2, 1005, 700}}));
    EXPECT_EQ(EventsOfKind(0).size(), 1u);  // added
    // The zone's change is listed after the PLU's own value.
    ASSERT_FALSE(EventsOfKind(6).empty());
    EXPECT_EQ(EventsOfKind(6)[0], "  Unit Price: 0 -> 0  Price zone changes:  Zone = 2:  0 -> 250");
}

TEST_P(PluEditSaveTest, TheDescriptionLengthIsWarnedAboutAndTheSaveGoesOn)
{
    m_textSettings = MakeSettings({{'1', 10, 197}});  // two lines 6 dots apart: 400 dots
    m_row->SetDesc("\x1b" "C1AB\x1b" "C1CD", CharRule{});
    m_row->Set(PluCol::DescLen, std::uint16_t{50});
    ASSERT_TRUE(Form().ShowPlu(7));
    ASSERT_EQ(Form().Editor().GetPrintLength(), 400u);
    Type(1005, "1.01");
    ASSERT_TRUE(Form().OnSave());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61409});
    EXPECT_EQ(m_prompt.m_texts, std::vector<std::string>{
                                    "Warning: Description text is too long!\n  Length = 60.00mm\n  Max. length =  50.00mm"});
    EXPECT_EQ(Stored(7)->Get(PluCol::UnitPrice), 101);
}

TEST_P(PluEditSaveTest, AFailedStoreIsReportedAndTheEditsStayForALaterSave)
{
    ASSERT_TRUE(Form().ShowPlu(7));
    Type(1005, "3.00");
    m_services.m_failSaves = true;
    EXPECT_FALSE(Form().OnSave());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61246});
    EXPECT_TRUE(Form().IsPluChanged());
    EXPECT_EQ(Stored(7)->Get(PluCol::UnitPrice), 100);
    EXPECT_TRUE(m_sends.m_sends.empty());
    EXPECT_TRUE(EventsOfKind(1).empty());
    m_services.m_failSaves = false;
    ASSERT_TRUE(Form().OnSave());
    EXPECT_EQ(Stored(7)->Get(PluCol::UnitPrice), 300);
}

TEST(PluEditSaveFileTest, AFileThatCannotBeWrittenLosesNeitherTheStoredRowNorTheEdits)
{
    struct Fixture : PluEditFixture {
        void Run()
        {
            Open(".pld");
            AddPlu(7).Set(PluCol::UnitPrice, 100);
            RecordingDocument sends{m_frame};
            ASSERT_TRUE(Form().ShowPlu(7));
            ASSERT_TRUE(Form().CommitEdit(Control(1005), "4.00").accepted);
            m_fs.FailAt(1, true);
            EXPECT_FALSE(Form().OnSave());
            EXPECT_TRUE(m_fs.Fired());
            EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61246});
            EXPECT_TRUE(Form().IsPluChanged());
            EXPECT_TRUE(sends.m_sends.empty());
            EXPECT_EQ(dynamic_cast<const CPluDefRec*>(Plus().FindRecord(7))->Get(PluCol::UnitPrice), 100);
            m_fs.FailAt(0);
            ASSERT_TRUE(Form().OnSave());
            EXPECT_EQ(dynamic_cast<const CPluDefRec*>(Plus().FindRecord(7))->Get(PluCol::UnitPrice), 400);
            EXPECT_FALSE(Form().IsPluChanged());
        }
    } fixture;
    fixture.Run();
}

TEST_P(PluEditSaveTest, HostControlledRowsAndUsersWithoutRightsSaveNothing)
{
    m_frame.m_setup.m_ctrlFlagPair = 1;
    ASSERT_TRUE(Form().ShowPlu(7));
    Type(1005, "3.00");
    m_row->Set(PluCol::CtrlFlag, 6);  // made host-controlled behind the window's back
    EXPECT_FALSE(Form().OnSave());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31502});
    EXPECT_EQ(Stored(7)->Get(PluCol::UnitPrice), 100);

    m_settings.mayUpdatePlus = false;
    NewForm().Build(FormUnits{6, 13});
    ASSERT_TRUE(Form().ShowPlu(7));
    m_prompt.m_ids.clear();
    EXPECT_FALSE(Form().OnSave());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61328});
    EXPECT_TRUE(Form().SaveModified());
}

TEST_P(PluEditSaveTest, ActiveStateChangesAreQueuedAndLogged)
{
    m_frame.m_setup.m_pluActiveInactive = 1;
    ASSERT_TRUE(Form().ShowPlu(7));
    Form().CommitActiveState(false);
    EXPECT_TRUE(Form().IsPluChanged());
    ASSERT_TRUE(Form().OnSave());
    EXPECT_EQ(Stored(7)->Get(PluCol::CtrlFlag) & 1, 1);
    const std::vector<std::string> updates = EventsOfKind(1);
    ASSERT_EQ(updates.size(), 2u);
    EXPECT_EQ(updates[1].rfind("Set PLU to INACTIVE state", 0), 0u);
    EXPECT_FALSE(m_sends.m_sends.empty());
}

TEST_P(PluEditSaveTest, NewPluOffersAFreeNumberAndShowsTheOneEntered)
{
    AddPlu(8);
    m_frame.m_setup.m_maxPluNo = 9;
    ASSERT_TRUE(Form().ShowPlu(7));
    m_services.m_selectedPlu = 9;
    ASSERT_TRUE(Form().OnNewPlu());
    EXPECT_EQ(m_services.m_offered, std::vector<std::uint32_t>{9});
    EXPECT_EQ(Form().GetCurrentPlu(), 9u);
    EXPECT_TRUE(Form().IsNewPlu());
    EXPECT_EQ(Form().TakeFocusRequest(), std::optional<int>(PluEditForm::kEditor));

    // 9 not saved: a refused question keeps it; once stored, no number is left.
    m_prompt.QueueAnswer(MessageAnswer::Yes);
    m_services.m_selectedPlu = 10;
    EXPECT_FALSE(Form().OnNewPlu());
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61238, 61240}));
    ASSERT_NE(Stored(9), nullptr);
}

TEST_P(PluEditSaveTest, NewPluRefusesANumberOutOfRange)
{
    ASSERT_TRUE(Form().ShowPlu(7));
    m_frame.m_setup.m_maxPluNo = 100;
    m_services.m_selectedPlu = 101;
    EXPECT_FALSE(Form().OnNewPlu());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61237});
    EXPECT_EQ(Form().GetCurrentPlu(), 7u);
    m_services.m_selectedPlu = std::nullopt;
    EXPECT_FALSE(Form().OnNewPlu());
    EXPECT_EQ(m_prompt.m_ids.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Databases, PluEditSaveTest, ::testing::Values(".pld", ".mdb"));

}  // namespace
}  // namespace varnel::test
