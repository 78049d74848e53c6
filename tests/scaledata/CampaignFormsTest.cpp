// The campaign editors without windows: how prices and sales modes are typed and shown, the checks of
// "Edit Campaign Price", the lines of "Edit Campaign" and what its OK writes, logs and queues, and
// the campaign list.
#include "CampaignRows.h"
#include "MessageListFixture.h"

#include "scaledata/CampaignTb.h"
#include "scaledata/EditCampaignsForm.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/TempDir.h"

namespace varnel::test {
namespace {

constexpr std::uint16_t kCampaigns = 10;
const DateTimeParts kNow{2024, 3, 1, 9, 30, 0};

class CampaignFormsTest : public MessageListFixture {
protected:
    CampaignFormsTest()
    {
        DefineCampaignPrices(m_frame);
    }

    CCampaignTb& Campaigns() { return TableOf<CCampaignTb>(kCampaigns); }
    CPluDefTb& Plus() { return *m_database.GetPluTable(); }

    void AddPlu(std::uint32_t number, std::string_view name, std::uint8_t salesMode = 0, std::int32_t price = 0)
    {
        AddCampaignPlu(Plus(), number, name, salesMode, price);
    }
    void AddCampaign(std::uint32_t number, std::string_view name, const std::vector<CampaignLine>& lines)
    {
        test::AddCampaign(Campaigns(), number, name, lines);
    }
    // The campaign's stored lines in key order, as "place:PLU price mode".
    std::vector<std::string> StoredLines(std::uint32_t number)
    {
        std::vector<std::string> lines;
        for (const CCampDataRec* line : Campaigns().GetCampaignLines(number))
            lines.push_back(std::to_string(line->GetKey() - FirstCampaignLineKey(number)) + ":" +
                            std::to_string(line->GetPluNo()) + " " + std::to_string(line->GetPrice()) + " " +
                            std::to_string(line->GetSalesMode()));
        return lines;
    }
    EditCampaignForm Open(std::uint32_t number)
    {
        return EditCampaignForm(Campaigns(), &Plus(), number, kNow, CampaignPriceRules::Of(m_frame));
    }
    // A price dialog that types into the form and presses OK, once per script entry; then Cancel.
    EditCampaignForm::PriceDialog Typing(std::vector<std::pair<std::string, std::string>> entries)
    {
        auto queue = std::make_shared<std::vector<std::pair<std::string, std::string>>>(std::move(entries));
        return [queue](EditCampPriceForm& form) {
            if (queue->empty()) return false;
            const auto [plu, price] = queue->front();
            queue->erase(queue->begin());
            form.SetPluText(plu);
            form.SetPriceText(price);
            return form.OnOK();
        };
    }
};

// Price entry and display.

struct PriceCase {
    const char* what;
    std::uint16_t market;
    bool tenthPercent;
    bool extraDecimal;
    std::uint32_t mode;
    const char* typed;
    std::optional<std::int64_t> stored;
    const char* shown;
};

TEST_F(CampaignFormsTest, PricesAreTypedAndShownByMarketModeAndDecimals)
{
    const PriceCase cases[] = {
        {"whole percent in market 0 kept in tenths", 0, false, false, 4, "15", 150, "15"},
        {"tenth-percent entry", 0, true, false, 4, "12.5", 125, "12.5"},
        {"percent outside market 0 kept whole", 2, false, false, 7, "15", 15, "15"},
        {"unit price with the field's decimals", 0, false, false, 0, "4.99", 499, "4.99"},
        {"an extra decimal for weighed prices", 0, false, true, 0, "4.995", 4995, "4.995"},
        {"no extra decimal for a markdown price", 0, false, true, 2, "4.99", 499, "4.99"},
        {"unreadable", 0, false, false, 0, "4,99", std::nullopt, ""},
    };
    for (const PriceCase& c : cases) {
        CampaignPriceRules rules;
        rules.market = c.market;
        rules.tenthPercent = c.tenthPercent;
        rules.extraDecimal = c.extraDecimal;
        rules.priceDecimals = 2;
        EXPECT_EQ(rules.ReadPrice(c.mode, c.typed), c.stored) << c.what;
        if (c.stored) {
            EXPECT_EQ(rules.FormatPrice(c.mode, static_cast<std::uint32_t>(*c.stored)), c.shown) << c.what;
        }
    }

    CampaignPriceRules rules;
    rules.priceMax = 99999;
    EXPECT_EQ(rules.UpperLimit(4), 990);
    EXPECT_EQ(rules.UpperLimit(0), 99999);
    rules.tenthPercent = true;
    EXPECT_EQ(rules.UpperLimit(4), 999);
    EXPECT_EQ(rules.PriceTextLimit(4), 4u);
    rules.extraDecimal = true;
    EXPECT_EQ(rules.FinishPrice(1, 1239), 1230u);
    EXPECT_EQ(rules.FinishPrice(0, 1239), 1239u);
    rules.family = 2;
    EXPECT_EQ(rules.FormatPrice(1, 100000), "0");
    EXPECT_EQ(rules.PriceTextLimit(1), 6u);
    EXPECT_EQ(rules.PluTextLimit(), 4u);
}

TEST_F(CampaignFormsTest, SalesModeListsFollowMarketAndFamily)
{
    CampaignPriceRules usa;
    EXPECT_EQ(usa.GetSalesModeItems(), (std::vector<std::string>{"Unit Price", "Fixed Price", "Mkd. Price",
                                                                 "Minus Price", "Minus %", "Discount $/lb"}));
    usa.family = 10;
    EXPECT_TRUE(usa.UsesSecondList());
    EXPECT_EQ(usa.SelectionOfMode(1), 0);
    EXPECT_EQ(usa.SelectionOfMode(8), 6);
    EXPECT_EQ(usa.ModeOfSelection(2), 4u);
    EXPECT_EQ(usa.SalesModeName(5), "Disc. $/lb");

    CampaignPriceRules southAfrica;
    southAfrica.market = MarketSouthAfrica;
    southAfrica.family9Enabled = true;
    EXPECT_EQ(southAfrica.GetSalesModeItems().at(5), "Discount $/kg");
    EXPECT_EQ(southAfrica.GetSalesModeItems().at(7), "-% Unit Price (PZ only)");

    CampaignPriceRules sweden;
    sweden.market = MarketSweden;
    EXPECT_TRUE(sweden.HasOldPrice());
    EXPECT_EQ(sweden.GetSalesModeItems().size(), 5u);
    EXPECT_EQ(sweden.ModeOfSelection(0), 8u);
    EXPECT_EQ(sweden.ModeOfSelection(3), 9u);
    EXPECT_EQ(sweden.SelectionOfMode(0), 0);
    EXPECT_EQ(sweden.SelectionOfMode(9), 1);
    EXPECT_EQ(sweden.ModeOfPlu(0), 8u);
    EXPECT_EQ(sweden.ModeOfPlu(1), 9u);

    CampaignPriceRules fixedPrices;
    fixedPrices.family = 3;
    EXPECT_FALSE(fixedPrices.IsSalesModeEnabled());
    EXPECT_EQ(fixedPrices.GetSalesModeItems().size(), 5u);
}

TEST_F(CampaignFormsTest, TenthPercentEntryFollowsTheEnabledScalesOfMarket0)
{
    EXPECT_FALSE(CampaignPriceRules::Of(m_frame).tenthPercent);
    AddLinkScale(10);
    const CampaignPriceRules rules = CampaignPriceRules::Of(m_frame);
    EXPECT_TRUE(rules.tenthPercent);
    EXPECT_EQ(rules.priceDecimals, 2);
    EXPECT_EQ(rules.priceMax, 999999);

    EditCampPriceForm form(rules, &Plus(), {1, 4, 0, 0});
    AddPlu(1, "APPLES");
    form.SetPriceText("12.5");
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(form.GetLine().price, 125u);
    form.SetPriceText("100.0");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(form.GetFocus(), CampPriceControl::Price);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61237});
}

// Edit Campaign Price.

TEST_F(CampaignFormsTest, PriceDialogChecksInOrderAndKeepsTheFocusOnTheFailingEdit)
{
    AddPlu(5, "BEEF", 1, 1299);
    EditCampPriceForm form(CampaignPriceRules::Of(m_frame), &Plus(), {5, 0, 0, 0});
    EXPECT_EQ(form.GetTemplateId(), 148);
    EXPECT_EQ(form.GetPluText(), "5");
    EXPECT_EQ(form.GetPriceText(), "0.00");

    form.SetPluText("5x");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(form.GetFocus(), CampPriceControl::Plu);
    form.SetPluText("5");
    form.SetPriceText("");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(form.GetFocus(), CampPriceControl::Price);
    form.SetPriceText("10000.00");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(form.GetFocus(), CampPriceControl::Price);
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61236, 61236, 61237}));

    // A PLU the table lacks is asked about: No goes back to the PLU number, Yes keeps it.
    form.SetPluText("77");
    form.SetPriceText("2.50");
    m_prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(form.GetFocus(), CampPriceControl::Plu);
    EXPECT_EQ(form.GetLine().plu, 5u);
    EXPECT_TRUE(form.OnOK());
    EXPECT_EQ(m_prompt.m_ids.back(), 61252);
    EXPECT_EQ(form.GetLine().plu, 77u);
    EXPECT_EQ(form.GetLine().price, 250u);

    // Select... takes the PLU's number, mode and unit price.
    form.OnSelectPlu([](std::uint32_t initial) {
        EXPECT_EQ(initial, 77u);
        return std::optional<std::uint32_t>(5);
    });
    EXPECT_EQ(form.GetPluText(), "5");
    EXPECT_EQ(form.GetPriceText(), "12.99");
    EXPECT_EQ(form.GetSelection(), 1);
}

TEST_F(CampaignFormsTest, FamiliesTwoAndThreeRefuseSixDigitPricesAndTakeThePlusMode)
{
    m_frame.m_setup.m_defaultScaleFamily = 2;
    m_frame.AddFieldDef(FieldDefMap::Plu, 1005).m_max = 999999;  // a wider field lets the price through
    AddPlu(8, "HAM", 1, 500);
    EditCampPriceForm form(CampaignPriceRules::Of(m_frame), &Plus(), {8, 0, 0, 0});
    form.SetPriceText("1000.00");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61250});
    form.SetPriceText("999.99");
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(form.GetLine().price, 99999u);
    EXPECT_EQ(form.GetLine().salesMode, 1u);
}

TEST_F(CampaignFormsTest, ChangingTheSalesModeShowsTheTypedPriceInTheNewModesForm)
{
    EditCampPriceForm form(CampaignPriceRules::Of(m_frame), &Plus(), {1, 0, 0, 0});
    form.SetPriceText("1.50");
    form.OnSalesModeChange(4);
    EXPECT_EQ(form.GetLine().salesMode, 4u);
    EXPECT_EQ(form.GetPriceText(), "15");  // 150 read as a price, shown as a whole percent
    form.SetPriceText("15");
    form.OnSalesModeChange(4);
    EXPECT_EQ(form.GetLine().price, 150u);
    EXPECT_EQ(form.GetPriceText(), "15");
}

// Edit Campaign.

TEST_F(CampaignFormsTest, OpeningAnExistingCampaignCopiesItsLinesInKeyOrderAndANewOneIsNamed)
{
    AddCampaign(3, "Easter", {{9, 1, 450, 0}, {2, 0, 99, 0}});
    EditCampaignForm existing = Open(3);
    EXPECT_EQ(existing.GetName(), "Easter");
    EXPECT_EQ(existing.GetStart(), (DateTimeParts{2024, 1, 1, 8, 0, 0}));
    ASSERT_EQ(existing.GetLines().size(), 2u);
    EXPECT_EQ(existing.GetLines()[0].plu, 9u);
    EXPECT_EQ(existing.GetLineTexts(0), (std::vector<std::string>{"9", "4.50", "Fixed Price"}));
    EXPECT_EQ(existing.GetSelected(), 0);

    EditCampaignForm fresh = Open(4);
    EXPECT_EQ(fresh.GetName(), "Campaign No. 4");
    EXPECT_EQ(fresh.GetEnd(), kNow);
    EXPECT_TRUE(fresh.GetLines().empty());
    EXPECT_EQ(fresh.GetTemplateId(), 138);
    EXPECT_FALSE(EditCampaignForm::CanEdit(256));
    m_frame.m_setup.m_campaignDayOfWeek = 1;
    EXPECT_EQ(Open(4).GetTemplateId(), 253);
}

TEST_F(CampaignFormsTest, AddingAPluTheCampaignHoldsAsksAgainAndEditingKeepsTheLine)
{
    AddPlu(123, "BEEF");
    AddPlu(124, "LAMB");
    EditCampaignForm form = Open(1);
    ASSERT_TRUE(form.OnAdd(Typing({{"123", "4.99"}})));
    // The same PLU again: 61361 and the price dialog opens again; Cancel then abandons the add.
    EXPECT_FALSE(form.OnAdd(Typing({{"123", "3.00"}})));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61361});
    ASSERT_TRUE(form.OnAdd(Typing({{"123", "3.00"}, {"124", "3.00"}})));
    EXPECT_EQ(form.GetLines().size(), 2u);
    EXPECT_EQ(form.GetSelected(), 1);

    // Editing line 2 to line 1's PLU is refused the same way; its own PLU is kept.
    EXPECT_FALSE(form.OnEdit(Typing({{"123", "1.00"}})));
    ASSERT_TRUE(form.OnEdit(Typing({{"124", "2.00"}})));
    EXPECT_EQ(form.GetLines()[1].price, 200u);

    ASSERT_TRUE(form.OnDelete());
    EXPECT_EQ(form.GetSelected(), 0);
}

TEST_F(CampaignFormsTest, ACampaignHoldsTwoHundredLinesOnlyWhenEveryScaleIsOfFamily11)
{
    EXPECT_EQ(EditCampaignForm::LineLimitOf(Campaigns().GetRoles()), 100u);
    AddLinkScale(11);
    EXPECT_EQ(EditCampaignForm::LineLimitOf(Campaigns().GetRoles()), 200u);
    AddLinkScale(9);
    EXPECT_EQ(EditCampaignForm::LineLimitOf(Campaigns().GetRoles()), 100u);

    EditCampaignForm form = Open(1);
    form.SetLineLimit(1);
    m_prompt.QueueAnswer(MessageAnswer::Yes);
    ASSERT_TRUE(form.OnAdd(Typing({{"1", "1.00"}})));
    EXPECT_FALSE(form.CanAdd());
    EXPECT_FALSE(form.OnAdd(Typing({{"2", "1.00"}})));
}

TEST_F(CampaignFormsTest, OkWritesTheLinesThatChangedLogsEachAndThenQueuesTheCampaign)
{
    AddPlu(123, "BEEF");
    AddPlu(200, "PORK");
    AddPlu(300, "VEAL");
    AddCampaign(2, "Spring", {{123, 1, 499, 0}, {200, 0, 100, 0}, {300, 0, 300, 0}});

    // Nothing changed: the campaign is logged, its lines are not.
    EditCampaignForm same = Open(2);
    ASSERT_TRUE(same.OnOK());
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Updated Campaign No. 2"});
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 10 2-2"});

    EditCampaignForm form = Open(2);
    form.SetName("Spring sale");
    form.SetSelected(0);
    ASSERT_TRUE(form.OnEdit(Typing({{"123", "4.50"}})));
    form.SetSelected(1);
    ASSERT_TRUE(form.OnDelete());
    ASSERT_TRUE(form.OnAdd(Typing({{"400", "2.00"}})));  // not registered: Yes keeps it
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{
                                " Op: <User edit> : Updated Campaign No. 2",
                                " Op: <User edit> : Updated Campaign PLU No. 123 : Price 499 -> 450 Sales Mode 1 -> 1",
                                " Op: <User edit> : Deleted Campaign PLU No. 200",
                                " Op: <User edit> : Added Campaign PLU No. 400",
                            }));
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 10 2-2"});
    EXPECT_EQ(Campaigns().FindCampaign(2)->GetName(), "Spring sale");
    // The new line's place (2) is held by the kept line of PLU 300: it takes the free place 1.
    EXPECT_EQ(StoredLines(2), (std::vector<std::string>{"0:123 450 1", "1:400 200 0", "2:300 300 0"}));

    // A new campaign is added and logged as such.
    EditCampaignForm fresh = Open(7);
    ASSERT_TRUE(fresh.OnOK());
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Added Campaign No. 7"});
    EXPECT_EQ(Campaigns().FindCampaign(7)->GetStart(), kNow);
}

TEST_F(CampaignFormsTest, OkWithoutTheUpdateRightStoresNothing)
{
    LogInRestrictedUser(false);
    EditCampaignForm form = Open(1);
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61328});
    EXPECT_EQ(Campaigns().GetRecordCount(), 0u);
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(CampaignFormsTest, AFailedWriteEndsTheSaveWithoutQueueingAndASecondOkFinishesIt)
{
    TempDir dir;
    FaultInjectingFileSystem fs;
    CPluDatabase database(fs);
    database.CreateAllTables();
    ASSERT_TRUE(database.Create(dir.File("campaigns.pld")));
    ASSERT_TRUE(database.Open(dir.File("campaigns.pld")));
    auto& campaigns = dynamic_cast<CCampaignTb&>(*database.GetTable(kCampaigns));
    ASSERT_TRUE(campaigns.GetOrAddRecord(1, CCampaignRec::kSize));
    ASSERT_TRUE(campaigns.AddCampaignLine(1, 0, {5, 0, 100, 0}));
    ASSERT_TRUE(campaigns.AddCampaignLine(1, 1, {6, 0, 100, 0}));

    // Every write of the save fails in turn: each time 61293 and nothing queued; OK again with the
    // disk back finishes what the failed one left.
    for (std::uint64_t failing = 1;; ++failing) {
        EditCampaignForm form(campaigns, database.GetPluTable(), 1, kNow, CampaignPriceRules{});
        form.SetSelected(0);
        m_prompt.QueueAnswer(MessageAnswer::Yes);
        ASSERT_TRUE(form.OnEdit(Typing({{"5", "200"}})));
        form.SetSelected(1);
        ASSERT_TRUE(form.OnDelete());
        m_prompt.QueueAnswer(MessageAnswer::Yes);
        ASSERT_TRUE(form.OnAdd(Typing({{"7", "300"}})));
        m_prompt.m_ids.clear();
        fs.FailAt(failing);
        const bool saved = form.OnOK();
        fs.FailAt(0);
        if (saved) {
            EXPECT_FALSE(fs.Fired());
            EXPECT_GT(failing, 4u);  // the row, two lines and the new line were each written
            break;
        }
        EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61293}) << "write " << failing;
        EXPECT_TRUE(TakeRequests().empty()) << "write " << failing;
        ASSERT_TRUE(form.OnOK()) << "write " << failing;
        EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 10 1-1"});
        std::vector<std::string> lines;
        for (const CCampDataRec* line : campaigns.GetCampaignPlus(1))
            lines.push_back(std::to_string(line->GetPluNo()) + " " + std::to_string(line->GetPrice()));
        EXPECT_EQ(lines, (std::vector<std::string>{"5 200", "7 300"})) << "write " << failing;
        // Back to the campaign as it was for the next round.
        campaigns.DeleteCampaignPlus(1);
        ASSERT_TRUE(campaigns.AddCampaignLine(1, 0, {5, 0, 100, 0}));
        ASSERT_TRUE(campaigns.AddCampaignLine(1, 1, {6, 0, 100, 0}));
        TakeEvents();
    }
}

// Edit Campaigns.

TEST_F(CampaignFormsTest, TheListShowsEveryNumberAndDeletesACampaignAtTheScalesFirst)
{
    m_frame.m_setup.m_maxCampaignNo = 4;
    AddCampaign(2, "Summer barbecue specials", {{1, 0, 100, 0}});
    AddCampaign(4, "Ham", {});
    std::vector<std::uint32_t> edited;
    EditCampaignsForm form(Campaigns(), &Plus(), [&](EditCampaignForm& dialog) {
        edited.push_back(dialog.GetNumber());
        dialog.SetName("Renamed");
        return dialog.OnOK();
    }, [] { return kNow; });
    form.OnInitDialog(m_list);
    EXPECT_EQ(m_list.title, "Edit Campaigns");
    EXPECT_FALSE(m_list.IsShown(ListButton::Add));
    EXPECT_EQ(m_list.okText, "Close");
    EXPECT_EQ(m_list.Column(1),
              (std::vector<std::string>{"Spare", "Summer barbecue spe...", "Spare", "Ham"}));

    m_list.Select(2);
    form.OnEdit();
    EXPECT_EQ(edited, std::vector<std::uint32_t>{3});
    EXPECT_EQ(m_list.Column(1).at(2), "Renamed");
    TakeRequests();
    TakeEvents();

    // The scales refuse the deletion: 61224 and the campaign stays.
    m_list.Select(1);
    m_document.m_sendDataResult = false;
    form.OnDelete();
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61241, 61224}));
    EXPECT_NE(Campaigns().FindCampaign(2), nullptr);
    m_document.m_sendDataResult = true;
    form.OnDelete();
    EXPECT_EQ(Campaigns().FindCampaign(2), nullptr);
    EXPECT_TRUE(Campaigns().GetCampaignLines(2).empty());
    EXPECT_EQ(m_list.Column(1).at(1), "Spare");
    EXPECT_EQ(m_list.GetSelectedRow(), 1);
    EXPECT_EQ(TakeRequests(), (std::vector<std::string>{"1 10 2-2", "1 10 2-2"}));
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Deleted Campaign No. 2"});

    // A user without the delete right finds Delete disabled.
    LogInRestrictedUser(true);
    FakeSelectionList other;
    form.OnInitDialog(other);
    EXPECT_FALSE(other.IsEnabled(ListButton::Delete));
}

}  // namespace
}  // namespace varnel::test
