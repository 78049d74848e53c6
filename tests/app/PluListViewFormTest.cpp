// The PLU list window's model over ".pld" and ".mdb" databases: which commands the user may run, and
// the new, delete, range delete, copy, cut, paste, price dialog and active switch sequences with what
// they leave in the tables, the event log and the scales' queue.
#include "app/PluClipboardRecord.h"
#include "app/PluListViewForm.h"

#include "PluListFixture.h"
#include "db/plu/PluPriceZoneTb.h"
#include "scaledata/ExMsgRec.h"
#include "scaledata/NutritionTb.h"
#include "support/RecordingDocument.h"
#include "support/RecordingPrompt.h"
#include "support/ScaleDataRegistration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <set>

namespace varnel::test {
namespace {

using namespace PluCommand;

constexpr std::uint16_t kExtraPriceTable = 87;

class FakeHost final : public IPluListViewHost {
public:
    std::optional<std::uint32_t> GetPluInEditor() const override { return inEditor; }
    void EditPlu(std::uint32_t pluNumber) override { edited.push_back(pluNumber); }
    void UpdateAllViews() override { ++viewUpdates; }
    std::optional<std::uint32_t> PickPlu(std::uint32_t initial) override
    {
        pickedFrom.push_back(initial);
        return pick;
    }
    std::optional<PluDeleteRange> PickDeleteRange() override { return range; }
    std::optional<PasteChoice> AskPasteTarget(std::uint32_t clipboardPlu, bool pluSelected) override
    {
        pasteAsked.emplace_back(clipboardPlu, pluSelected);
        return paste;
    }
    void RunPriceDialog(int dialog, std::uint32_t command, std::uint32_t pluNumber) override
    {
        priceDialogs.push_back({dialog, command, pluNumber});
    }
    void EditNutrition(NutritionDialog dialog, std::uint32_t pluNumber, bool hostControlled) override
    {
        nutritionDialogs.push_back({dialog, pluNumber, hostControlled});
    }
    void EditIngredients(std::uint32_t pluNumber, std::uint16_t labelWidth) override
    {
        ingredients.emplace_back(pluNumber, labelWidth);
    }
    void PutPluBlock(const std::vector<std::uint8_t>& block) override { clipboard = block; }
    std::optional<std::vector<std::uint8_t>> GetPluBlock() const override { return clipboard; }

    struct PriceDialog {
        int dialog;
        std::uint32_t command;
        std::uint32_t plu;
        bool operator==(const PriceDialog&) const = default;
    };
    std::optional<std::uint32_t> inEditor;
    std::vector<std::uint32_t> edited;
    int viewUpdates = 0;
    std::optional<std::uint32_t> pick;
    std::vector<std::uint32_t> pickedFrom;
    std::optional<PluDeleteRange> range;
    std::optional<PasteChoice> paste;
    std::vector<std::pair<std::uint32_t, bool>> pasteAsked;
    std::vector<PriceDialog> priceDialogs;
    struct NutritionOpened {
        NutritionDialog dialog;
        std::uint32_t plu;
        bool hostControlled;
        bool operator==(const NutritionOpened&) const = default;
    };
    std::vector<NutritionOpened> nutritionDialogs;
    std::vector<std::pair<std::uint32_t, std::uint16_t>> ingredients;
    std::optional<std::vector<std::uint8_t>> clipboard;
};

class PluListViewTest : public ::testing::TestWithParam<const char*>,
                        public ScaleDataRegistration,
                        public PluListDatabase {
protected:
    void SetUp() override
    {
        m_frame.m_priceZones.SetZone(2, "North");
        m_frame.m_priceZones.SetZone(5, "South");
        m_frame.m_priceZoneFields = {1005};
        m_frame.m_setup.m_ctrlFlagPair = 1;
        OpenDatabase(GetParam());
        for (auto& [key, definition] : m_frame.m_fieldDefs[0])
            if (definition->m_fieldNo == 1005) definition->m_max = 999999;
        Add({{10, "Sirloin", "", 1, 1, 500}, {20, "Brie", "", 2, 1, 700}, {30, "Lamb", "", 1, 2, 900}});
        MakeForm();
    }

    void MakeForm(PluListViewSettings settings = {})
    {
        m_form.reset();
        m_panel = MakePanel();
        m_form = std::make_unique<PluListViewForm>(m_db, *m_panel, m_frame, m_host, settings);
    }

    void Select(std::uint32_t plu) { m_panel->SelectPlu(plu); }
    bool Has(std::uint32_t plu) const { return Plus().FindRecord(plu) != nullptr; }
    CPluPriceZoneTb& Zones() const { return *dynamic_cast<CPluPriceZoneTb*>(m_db.GetTable(CPluPriceZoneTb::kTableNo)); }
    CNutritionTb& Nutrition() const { return *dynamic_cast<CNutritionTb*>(m_db.GetTable(CNutritionTb::kTableNo)); }
    CObjDBTable& ExtraPrices() const { return *m_db.GetTable(kExtraPriceTable); }

    PriceZoneEntries ZoneEntries(std::uint32_t plu) const
    {
        PriceZoneEntries entries;
        (void)Zones().LoadAllEntries(plu, entries);
        return entries;
    }
    void AddZonePrices(std::uint32_t plu, PriceZoneEntries entries)
    {
        ASSERT_TRUE(Zones().WritePlu(plu, entries, nullptr));
    }
    void AddExtraPrice(std::uint32_t plu)
    {
        const auto size = static_cast<std::uint16_t>(kRuxPriceRecordSize);
        ASSERT_TRUE(ExtraPrices().AddRecord(plu, size, ExtraPrices().CreateRecord(size)));
    }
    void AddNutrition(std::uint32_t key, std::uint8_t fill)
    {
        std::unique_ptr<CDBRecord> row = Nutrition().CreateRecord(CNutritionRowBase::kSize);
        std::memset(row->GetData() + 8, fill, 16);
        ASSERT_TRUE(Nutrition().AddRecord(key, CNutritionRowBase::kSize, std::move(row)));
    }
    void SetNutritionId(std::uint32_t plu, std::int32_t id)
    {
        Plu(plu).Set(PluCol::NutritionID, id);
        ASSERT_TRUE(Plus().UpdatePlu(Plu(plu), Plu(plu).CalcDataSize()));
    }
    void MakeHostControlled(std::uint32_t plu)
    {
        Plu(plu).Set(PluCol::CtrlFlag, 0x6);
        ASSERT_TRUE(Plus().UpdatePlu(Plu(plu), Plu(plu).CalcDataSize()));
    }
    void LogInWithPluRights(std::uint8_t plu, std::uint8_t priceChange, std::uint8_t nutrition)
    {
        auto user = std::make_unique<CUserSetup>();
        user->m_name = "clerk";
        user->m_tablePermission.fill(0);
        user->m_tablePermission[2] = plu;
        user->m_tablePermission[14] = priceChange;
        user->m_tablePermission[9] = nutrition;
        m_frame.m_access.m_users.Add(std::move(user));
        m_frame.m_access.m_users.SetCurrentUser(m_frame.m_access.m_users.GetCount() - 1);
    }
    bool LogHas(std::string_view text) const
    {
        return std::ranges::any_of(m_frame.m_events,
                                   [&](const auto& event) { return event.second.find(text) != std::string::npos; });
    }
    // Whether a send of the table's records (`first` to `last`, the PLU table's by default) was queued.
    bool Queued(std::uint32_t first, std::uint32_t last, std::uint16_t table = CPluDefTb::kTableNo) const
    {
        return std::ranges::any_of(m_document.m_sends, [&](const RecordingDocument::Send& send) {
            return std::ranges::any_of(send.requests, [&](const CSendDataLog& job) {
                return job.m_tableId == table && job.m_rangeStart == first && job.m_rangeEnd == last;
            });
        });
    }

    RecordingDocument m_document{m_frame};
    RecordingPrompt m_prompt;
    FakeHost m_host;
    std::unique_ptr<PluListPanelForm> m_panel;
    std::unique_ptr<PluListViewForm> m_form;
};

TEST_P(PluListViewTest, CommandsFollowTheUsersRightsAndTheCurrentPlu)
{
    struct Case {
        const char* name;
        std::uint8_t pluRights;  // 1 view, 2 update, 4 delete
        std::uint8_t priceRights;
        std::uint8_t nutritionRights;
        bool selected;
        std::set<std::uint32_t> enabled;
    };
    const std::set<std::uint32_t> all = {kNewPlu,   kNewPluButton,    kEditPlu, kEditButton, kDeleteRange,
                                         kDeleteButton, kDeletePlu,   kPriceChanges, kMarkdownChanges,
                                         kCopy,     kCut,             kPaste,   kNutrition,  kDeleteNutrition,
                                         kIngredients, kDeleteIngredients, kMarkActive};
    const std::vector<Case> cases = {
        {"every right", 7, 3, 1, true, all},
        {"view only", 1, 0, 0, true, {kEditPlu, kEditButton, kDeleteNutrition, kIngredients, kDeleteIngredients}},
        {"update without view", 2, 0, 0, true,
         {kCopy, kCut, kPaste, kMarkActive, kDeleteNutrition, kIngredients, kDeleteIngredients}},
        {"delete and price change", 4, 2, 0, true,
         {kDeleteRange, kDeleteButton, kDeletePlu, kPriceChanges, kMarkdownChanges, kDeleteNutrition, kIngredients,
          kDeleteIngredients}},
        {"every right, nothing listed", 7, 3, 1, false,
         {kNewPlu, kNewPluButton, kEditPlu, kEditButton, kDeleteRange, kDeleteButton, kDeletePlu, kPriceChanges,
          kMarkdownChanges, kNutrition}},
    };
    std::set<std::uint32_t> commands = all;
    commands.insert(57600);
    for (const Case& c : cases) {
        m_frame.m_access.m_users = CUserSetupList();
        LogInWithPluRights(c.pluRights, c.priceRights, c.nutritionRights);
        if (c.selected)
            Select(10);
        else
            m_panel->SetSearchText("NOTHING LIKE THIS");
        std::set<std::uint32_t> enabled;
        for (const std::uint32_t command : commands)
            if (m_form->IsEnabled(command)) enabled.insert(command);
        EXPECT_EQ(enabled, c.enabled) << c.name;
    }
}

TEST_P(PluListViewTest, DeletingTheCurrentPluAsksThenRemovesItsRowsEverywhere)
{
    AddZonePrices(20, {{2, 1005, 650}});
    AddExtraPrice(20);
    AddNutrition(20, 0x11);
    Select(20);

    m_prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(m_form->RunCommand(kDeletePlu) && !Has(20));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{PluListViewForm::kMsgDeletePlu});
    EXPECT_TRUE(Has(20));

    EXPECT_TRUE(m_form->DeleteSelectedPlu());
    EXPECT_FALSE(Has(20));
    EXPECT_TRUE(ZoneEntries(20).empty());
    EXPECT_EQ(ExtraPrices().FindRecord(20), nullptr);
    EXPECT_EQ(Nutrition().FindRecord(20), nullptr);
    EXPECT_TRUE(Has(10) && Has(30));
    EXPECT_TRUE(LogHas(" Op: <User edit> : Deleted"));
    EXPECT_TRUE(Queued(20, 20));
    EXPECT_GT(m_host.viewUpdates, 0);
    EXPECT_NE(m_panel->GetSelectedPluNumber(), std::optional<std::uint32_t>(20));
}

TEST_P(PluListViewTest, APluInTheEditorOrUnderHostControlIsNeitherDeletedCutSwitchedNorStrippedOfNutrition)
{
    SetNutritionId(10, 7);
    const std::vector<std::uint32_t> commands = {kDeletePlu, kCut, kMarkActive, kDeleteNutrition};
    for (const bool hostControlled : {false, true}) {
        if (hostControlled)
            MakeHostControlled(10);
        else
            m_host.inEditor = 10;
        const std::vector<std::uint8_t> before(Plu(10).Bytes().begin(), Plu(10).Bytes().end());
        for (const std::uint32_t command : commands) {
            m_prompt.m_ids.clear();
            Select(10);
            EXPECT_TRUE(m_form->RunCommand(command));
            EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{hostControlled ? PluListViewForm::kMsgHostControlled
                                                                              : PluListViewForm::kMsgBeingEdited})
                << command;
            ASSERT_TRUE(Has(10)) << command;
            EXPECT_TRUE(std::ranges::equal(Plu(10).Bytes(), before)) << command;
        }
        m_host.inEditor.reset();
    }
    EXPECT_FALSE(m_host.clipboard);
    EXPECT_TRUE(m_document.m_sends.empty());
}

TEST_P(PluListViewTest, ARangeDeleteRemovesThePlusOfTheRangeWithTheirZoneAndExtraPriceRows)
{
    for (const std::uint32_t plu : {10u, 20u, 30u}) {
        AddZonePrices(plu, {{2, 1005, static_cast<std::int32_t>(plu)}, {5, 1005, 1}});
        AddExtraPrice(plu);
    }
    m_host.range = PluDeleteRange{false, 15, 30};

    m_host.inEditor = 20;
    EXPECT_FALSE(m_form->DeletePluRange());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{PluListViewForm::kMsgBeingEdited});
    EXPECT_TRUE(Has(20) && Has(30));

    m_host.inEditor = 10;  // outside the range
    EXPECT_TRUE(m_form->DeletePluRange());
    EXPECT_FALSE(Has(20) || Has(30));
    EXPECT_TRUE(Has(10));
    EXPECT_TRUE(ZoneEntries(20).empty() && ZoneEntries(30).empty());
    EXPECT_EQ(ZoneEntries(10).size(), 2u);
    EXPECT_EQ(ExtraPrices().GetRecordCount(), 1u);
    EXPECT_TRUE(Queued(20, 20) && Queued(30, 30));
    EXPECT_EQ(m_panel->GetRowCount(), 1u);

    m_host.range = PluDeleteRange{true, 0, 0};
    m_prompt.m_ids.clear();
    EXPECT_FALSE(m_form->DeletePluRange());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{PluListViewForm::kMsgBeingEdited});
    m_host.inEditor.reset();
    EXPECT_TRUE(m_form->DeletePluRange());
    EXPECT_EQ(Plus().GetRecordCount(), 0u);
    EXPECT_EQ(Zones().GetRecordCount(), 0u);
}

TEST_P(PluListViewTest, SharedNutritionGoesWithTheLastPluThatUsesIt)
{
    PluListViewSettings settings;
    settings.nutritionPerPlu = false;
    MakeForm(settings);
    AddNutrition(7, 0x22);
    AddNutrition(8, 0x33);
    SetNutritionId(10, 7);
    SetNutritionId(20, 7);
    SetNutritionId(30, 8);

    Select(10);
    EXPECT_TRUE(m_form->DeleteSelectedPlu());
    EXPECT_NE(Nutrition().FindRecord(7), nullptr);  // PLU 20 still uses it
    m_host.range = PluDeleteRange{false, 20, 30};
    EXPECT_TRUE(m_form->DeletePluRange());
    EXPECT_EQ(Nutrition().GetRecordCount(), 0u);
}

TEST_P(PluListViewTest, NewPluOpensTheEditorOnAFreeTypedNumberElseThePicker)
{
    m_frame.m_access.m_activePluRanges.AddRange(100, 199, "closed");
    m_panel->OnPluNoChange("25");
    m_form->NewPlu();
    EXPECT_EQ(m_host.edited, std::vector<std::uint32_t>{25});
    EXPECT_TRUE(m_host.pickedFrom.empty());

    struct Case {
        const char* typed;
        std::optional<std::uint32_t> picked;
        std::vector<MessageId> shown;
        std::vector<std::uint32_t> edited;
    };
    const std::vector<Case> cases = {
        {"20", 40, {}, {40}},                                      // taken: the picker
        {"150", 41, {}, {41}},                                     // excluded: the picker
        {"", 42, {}, {42}},                                        // nothing typed: the picker
        {"20", 0, {PluListViewForm::kMsgOutOfRange}, {}},          // picked 0
        {"20", 1000000, {PluListViewForm::kMsgOutOfRange}, {}},    // above the maximum
        {"20", 120, {PluListViewForm::kMsgProhibited}, {}},        // in an excluded range
        {"20", std::nullopt, {}, {}},                              // cancelled
    };
    for (const Case& c : cases) {
        m_host = FakeHost{};
        m_host.pick = c.picked;
        m_prompt.m_ids.clear();
        m_panel->OnPluNoChange(c.typed);
        m_form->NewPlu();
        EXPECT_EQ(m_host.pickedFrom.size(), 1u) << c.typed;
        EXPECT_EQ(m_prompt.m_ids, c.shown) << c.typed;
        EXPECT_EQ(m_host.edited, c.edited) << c.typed;
    }
    // The picker proposes the first free number from the current PLU's.
    m_host = FakeHost{};
    m_panel->OnPluNoChange("20");
    m_form->NewPlu();
    EXPECT_EQ(m_host.pickedFrom, std::vector<std::uint32_t>{21});
}

TEST_P(PluListViewTest, NewPluWithEveryNumberTakenSays61240)
{
    m_frame.m_setup.m_maxPluNo = 3;
    Plus().FreeAllRecords();
    Add({{1}, {2}, {3}});
    MakeForm();
    m_panel->OnPluNoChange("2");
    m_form->NewPlu();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{PluListViewForm::kMsgNoFreePlu});
    EXPECT_TRUE(m_host.pickedFrom.empty() && m_host.edited.empty());
}

TEST_P(PluListViewTest, ACopiedPluPastesUnderATypedNumberWithItsNutritionAndZoneValues)
{
    Plu(20).SetDesc("Brie de Meaux", CharRule{});
    ASSERT_TRUE(Plus().UpdatePlu(Plu(20), Plu(20).CalcDataSize()));
    AddZonePrices(20, {{2, 1005, 650}, {5, 1005, 720}});
    AddNutrition(20, 0x5A);
    Select(20);
    ASSERT_TRUE(m_form->CopySelectedPlu());
    ASSERT_TRUE(m_host.clipboard);
    const auto record = ReadPluClipboardRecord(*m_host.clipboard);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->GetPluNumber(), 20u);
    EXPECT_EQ(record->nutrition.size(), 512u);
    EXPECT_EQ(record->zones.size(), 2u);

    m_host.paste = PasteChoice{PasteTarget::TypedPlu, 77};
    EXPECT_TRUE(m_form->PastePlu());
    EXPECT_EQ(m_host.pasteAsked, (std::vector<std::pair<std::uint32_t, bool>>{{20, true}}));
    ASSERT_TRUE(Has(77));
    EXPECT_EQ(Plu(77).GetDesc(), "Brie de Meaux");
    EXPECT_EQ(Plu(77).Get(PluCol::PluNo1), 77);
    EXPECT_EQ(Plu(77).Get(PluCol::UnitPrice), 700);
    EXPECT_EQ(ZoneEntries(77), ZoneEntries(20));
    ASSERT_NE(Nutrition().FindRecord(77), nullptr);
    EXPECT_EQ(Nutrition().FindRecord(77)->GetData()[8], 0x5A);
    EXPECT_TRUE(Queued(77, 77));
    EXPECT_EQ(m_panel->GetSelectedPluNumber(), std::optional<std::uint32_t>(77));

    // Over the current PLU: its row and zone values become the clipboard's.
    AddZonePrices(30, {{5, 1005, 1}});
    Select(30);
    m_host.paste = PasteChoice{PasteTarget::SelectedPlu, 0};
    EXPECT_TRUE(m_form->PastePlu());
    EXPECT_EQ(Plu(30).Get(PluCol::UnitPrice), 700);
    EXPECT_EQ(Plu(30).Get(PluCol::PluNo1), 30);
    EXPECT_EQ(ZoneEntries(30), ZoneEntries(20));

    // An unused number from the current PLU's.
    Select(30);
    m_host.paste = PasteChoice{PasteTarget::UnusedPlu, 0};
    EXPECT_TRUE(m_form->PastePlu());
    EXPECT_TRUE(Has(31));
}

TEST_P(PluListViewTest, CutTakesThePluAndItsZoneValuesToTheClipboard)
{
    AddZonePrices(30, {{2, 1005, 10}});
    AddExtraPrice(30);
    Select(30);
    EXPECT_TRUE(m_form->CutSelectedPlu());
    EXPECT_FALSE(Has(30));
    EXPECT_TRUE(ZoneEntries(30).empty());
    EXPECT_EQ(ExtraPrices().FindRecord(30), nullptr);
    EXPECT_TRUE(Queued(30, 30));

    Select(10);
    m_host.paste = PasteChoice{PasteTarget::TypedPlu, 30};
    EXPECT_TRUE(m_form->PastePlu());
    ASSERT_TRUE(Has(30));
    EXPECT_EQ(Plu(30).Get(PluCol::UnitPrice), 900);
    EXPECT_EQ(ZoneEntries(30), (PriceZoneEntries{{2, 1005, 10}}));
}

TEST_P(PluListViewTest, PasteChecksItsTargetAndTrustsNoBlock)
{
    Select(10);
    ASSERT_TRUE(m_form->CopySelectedPlu());
    const std::vector<std::uint8_t> good = *m_host.clipboard;
    const std::vector<std::uint8_t> before(Plu(20).Bytes().begin(), Plu(20).Bytes().end());

    // A typed target open in the editor, or host-controlled, is refused as the current PLU would be.
    m_host.paste = PasteChoice{PasteTarget::TypedPlu, 20};
    m_host.inEditor = 20;
    EXPECT_FALSE(m_form->PastePlu());
    m_host.inEditor.reset();
    MakeHostControlled(20);
    const std::vector<std::uint8_t> controlled(Plu(20).Bytes().begin(), Plu(20).Bytes().end());
    EXPECT_FALSE(m_form->PastePlu());
    EXPECT_EQ(m_prompt.m_ids,
              (std::vector<MessageId>{PluListViewForm::kMsgBeingEdited, PluListViewForm::kMsgHostControlled}));
    EXPECT_TRUE(std::ranges::equal(Plu(20).Bytes(), controlled));
    EXPECT_NE(controlled, before);

    // A block of another shape pastes nothing and asks nothing.
    std::vector<std::uint8_t> bad = good;
    bad.push_back(0);
    m_host.clipboard = bad;
    m_host.pasteAsked.clear();
    m_host.paste = PasteChoice{PasteTarget::TypedPlu, 55};
    EXPECT_FALSE(m_form->PastePlu());
    EXPECT_TRUE(m_host.pasteAsked.empty());
    EXPECT_FALSE(Has(55));
    EXPECT_TRUE(m_document.m_sends.empty());
}

TEST_P(PluListViewTest, ThePriceCommandsChooseTheirDialogBySettingsAndFieldDefinitions)
{
    struct Case {
        const char* name;
        bool headOffice;
        std::vector<std::uint16_t> zoneFields;
        std::uint32_t scaleMix;
        bool markdownFlagDefined;
        std::uint32_t command;
        int dialog;
        std::vector<MessageId> shown;
    };
    const std::vector<Case> cases = {
        {"head office, unit price by zone", true, {1005}, 2, true, kPriceChanges, 275, {}},
        {"head office, markdown by zone", true, {1004}, 0, false, kMarkdownChanges, 274, {}},
        {"head office, unit price not by zone", true, {1004}, 0, true, kPriceChanges, 145, {}},
        {"family 9 alone", false, {1005}, 2, true, kPriceChanges, 309, {}},
        {"family 9 with 10 to 12", false, {}, 4, true, kMarkdownChanges, 310, {}},
        {"single store family 9", false, {}, 1, true, kPriceChanges, 145, {}},
        {"markdown without its flag", false, {}, 0, false, kMarkdownChanges, 0, {PluListViewForm::kMsgNoMarkdownFlag}},
        {"price without the flag", false, {}, 0, false, kPriceChanges, 145, {}},
    };
    m_frame.AddFieldDef(FieldDefMap::Plu, 1004);
    for (const Case& c : cases) {
        m_frame.m_priceZoneFields = c.zoneFields;
        auto& fields = m_frame.m_fieldDefs[0];
        std::erase_if(fields, [](const auto& entry) { return entry.second->m_fieldNo == 1003; });
        if (c.markdownFlagDefined) m_frame.AddFieldDef(FieldDefMap::Plu, 1003);
        PluListViewSettings settings;
        settings.headOffice = c.headOffice;
        settings.scaleMix = c.scaleMix;
        MakeForm(settings);
        Select(30);
        m_host.priceDialogs.clear();
        m_prompt.m_ids.clear();
        EXPECT_TRUE(m_form->RunCommand(c.command)) << c.name;
        const std::vector<FakeHost::PriceDialog> expected =
            c.dialog == 0 ? std::vector<FakeHost::PriceDialog>{}
                          : std::vector<FakeHost::PriceDialog>{{c.dialog, c.command, 30}};
        EXPECT_EQ(m_host.priceDialogs, expected) << c.name;
        EXPECT_EQ(m_prompt.m_ids, c.shown) << c.name;
    }
}

TEST_P(PluListViewTest, MarkActiveSwitchesTheInactiveBitAndLogsIt)
{
    Plu(20).SetCtrlFlag(1, true);
    ASSERT_TRUE(Plus().UpdatePlu(Plu(20), Plu(20).CalcDataSize()));
    m_panel->Refresh();
    Select(20);
    EXPECT_EQ(m_form->GetActiveCommandText(), PluListPanelForm::kMsgMakeActive);

    EXPECT_TRUE(m_form->RunCommand(kMarkActive));
    EXPECT_FALSE(Plu(20).TestCtrlFlag(1));
    EXPECT_TRUE(LogHas("Set PLU to ACTIVE state"));
    EXPECT_EQ(m_form->GetActiveCommandText(), PluListPanelForm::kMsgMakeInactive);
    EXPECT_TRUE(Queued(20, 20));

    EXPECT_TRUE(m_form->SwitchSelectedActive());
    EXPECT_TRUE(Plu(20).TestCtrlFlag(1));
    EXPECT_TRUE(LogHas("Set PLU to INACTIVE state"));
}

TEST_P(PluListViewTest, InHeadOfficeModeTheSwitchChangesTheLocalZoneOnly)
{
    m_frame.m_priceZoneFields = {1005, 1053};
    PluListViewSettings settings;
    settings.headOffice = true;
    settings.localZone = 2;
    MakeForm(settings);
    Select(10);
    EXPECT_TRUE(m_form->SwitchSelectedActive());
    EXPECT_FALSE(Plu(10).TestCtrlFlag(1));
    const PriceZoneEntries entries = ZoneEntries(10);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].zone, 2);
    EXPECT_EQ(entries[0].fieldNo, 1053);
    EXPECT_EQ(entries[0].value & 1, 1);
}

TEST_P(PluListViewTest, NutritionOpensTheDialogTheSwitchesChoose)
{
    struct Case {
        const char* name;
        bool canEdit;
        bool canEditCustom;
        bool ausNz;
        bool perPlu;
        std::optional<NutritionDialog> dialog;
    };
    const std::vector<Case> cases = {
        {"Australian/New Zealand panel", true, true, true, true, NutritionDialog::Panel},
        {"facts per PLU", true, true, false, true, NutritionDialog::Facts},
        {"shared records", true, false, false, false, NutritionDialog::SharedFacts},
        {"custom only", false, true, true, false, NutritionDialog::Custom},
        {"none editable", false, false, false, true, std::nullopt},
    };
    for (const Case& c : cases) {
        PluListViewSettings settings;
        settings.canEditNutrition = c.canEdit;
        settings.canEditCustomNutrition = c.canEditCustom;
        settings.ausNzNutrition = c.ausNz;
        settings.nutritionPerPlu = c.perPlu;
        MakeForm(settings);
        Select(20);
        m_host.nutritionDialogs.clear();
        EXPECT_TRUE(m_form->RunCommand(kNutrition)) << c.name;
        const std::vector<FakeHost::NutritionOpened> expected =
            c.dialog ? std::vector<FakeHost::NutritionOpened>{{*c.dialog, 20, false}}
                     : std::vector<FakeHost::NutritionOpened>{};
        EXPECT_EQ(m_host.nutritionDialogs, expected) << c.name;
    }
    EXPECT_TRUE(m_prompt.m_ids.empty());
}

TEST_P(PluListViewTest, SharedNutritionWaitsForTheEditorAndAHostControlledPanelIsShownButNotStored)
{
    PluListViewSettings settings;
    settings.canEditNutrition = true;
    settings.nutritionPerPlu = false;
    MakeForm(settings);
    m_host.inEditor = 10;
    Select(10);
    EXPECT_FALSE(m_form->EditSelectedNutrition());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{PluListViewForm::kMsgBeingEdited});
    Select(20);  // another PLU's shared record may be edited meanwhile
    EXPECT_TRUE(m_form->EditSelectedNutrition());

    settings.ausNzNutrition = true;
    MakeForm(settings);
    MakeHostControlled(30);
    Select(30);
    m_prompt.m_ids.clear();
    EXPECT_TRUE(m_form->EditSelectedNutrition());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{PluListViewForm::kMsgHostControlled});
    EXPECT_EQ(m_host.nutritionDialogs, (std::vector<FakeHost::NutritionOpened>{
                                           {NutritionDialog::SharedFacts, 20, false}, {NutritionDialog::Panel, 30, true}}));
}

TEST_P(PluListViewTest, IngredientsOpenOnTheRowsLabelWidthAndDeleteRemovesTableEightsRow)
{
    CObjDBTable& ingredients = *m_db.GetTable(PluListViewForm::kIngredientsTable);
    for (const std::uint32_t plu : {10u, 20u, 30u}) {
        std::unique_ptr<CDBRecord> row = ingredients.CreateRecord(CExMsgRec::kMaxSize);
        auto& message = dynamic_cast<CExMsgRec&>(*row);
        message.SetName("PLU #" + std::to_string(plu));
        message.SetText("\x1B" "C0Flour, water");
        const std::uint16_t size = message.CalcDataSize();
        ASSERT_TRUE(ingredients.AddRecord(plu, size, std::move(row)));
    }
    Plu(20).Set(PluCol::LabelWidth, 58);
    ASSERT_TRUE(Plus().UpdatePlu(Plu(20), Plu(20).CalcDataSize()));
    Select(20);
    EXPECT_TRUE(m_form->RunCommand(kIngredients));
    EXPECT_EQ(m_host.ingredients, (std::vector<std::pair<std::uint32_t, std::uint16_t>>{{20, 58}}));

    EXPECT_TRUE(m_form->RunCommand(kDeleteIngredients));
    EXPECT_EQ(ingredients.FindRecord(20), nullptr);
    EXPECT_TRUE(Queued(20, 20, PluListViewForm::kIngredientsTable));
    EXPECT_TRUE(LogHas(" Op: <User edit> : Deleted"));

    // An inactive PLU's ingredients are not on the scales: nothing to delete there.
    Plu(10).SetCtrlFlag(1, true);
    ASSERT_TRUE(Plus().UpdatePlu(Plu(10), Plu(10).CalcDataSize()));
    Select(10);
    EXPECT_TRUE(m_form->DeleteSelectedIngredients());
    EXPECT_EQ(ingredients.FindRecord(10), nullptr);
    EXPECT_FALSE(Queued(10, 10, PluListViewForm::kIngredientsTable));

    MakeHostControlled(30);
    Select(30);
    EXPECT_FALSE(m_form->DeleteSelectedIngredients());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{PluListViewForm::kMsgHostControlled});
    EXPECT_NE(ingredients.FindRecord(30), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Databases, PluListViewTest, ::testing::Values("pld", "mdb"));

}  // namespace
}  // namespace varnel::test
