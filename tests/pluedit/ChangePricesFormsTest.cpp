// The Change Prices dialogs without windows: moving through the PLUs, and changing a unit price or a
// markdown alone, per price zone and with the price master tables, each change written, logged and
// queued, and refusals that keep the dialog on its PLU.
#include "ChangePricesFixture.h"

#include "pluedit/ChangeMultiPriceForm.h"
#include "pluedit/ChangePriceForm.h"
#include "pluedit/ChangeZonePriceForm.h"
#include "pluedit/NumEditFilter.h"
#include "settings/AppEventLog.h"

namespace varnel::test {
namespace {

constexpr MessageId kPrices = ChangePricesForm::kMsgPriceChanges;
constexpr MessageId kMarkdowns = ChangePricesForm::kMsgMarkdownChanges;

class ChangePricesFormsTest : public ChangePricesFixture {};

TEST(ScrollRowsTest, LinesPagesAndTheThumbStayWithinTheRows)
{
    struct Case {
        int position;
        ScrollAction action;
        int expected;
    };
    const Case cases[] = {
        {0, ScrollAction::LineUp, 0},   {3, ScrollAction::LineDown, 3}, {2, ScrollAction::LineDown, 3},
        {5, ScrollAction::PageUp, 0},   {6, ScrollAction::PageUp, 1},   {0, ScrollAction::PageDown, 3},
        {3, ScrollAction::Top, 0},      {0, ScrollAction::Bottom, 3},   {1, ScrollAction::Thumb, 2},
    };
    for (const Case& c : cases) EXPECT_EQ(ScrollPosition(c.position, c.action, 3, 5, 2), c.expected);
    EXPECT_EQ(ScrollPosition(0, ScrollAction::PageDown, 12, 5), 5);
    EXPECT_EQ(ScrollPosition(7, ScrollAction::PageDown, 12, 5), 12);
    EXPECT_EQ(ScrollPosition(6, ScrollAction::PageDown, 12, 5), 11);
}

TEST(NumEditFilterTest, AFieldsEditTakesDigitsAndItsOneSeparator)
{
    CLabProp whole;
    whole.m_fieldNo = 1010;
    CLabProp price = whole;
    price.m_decimals = 2;
    CLabProp time = price;
    time.m_fieldNo = 1021;
    EXPECT_EQ(NumEditSeparator(whole), '\0');
    EXPECT_EQ(NumEditSeparator(price), '.');
    EXPECT_EQ(NumEditSeparator(time), ':');
    for (const char typed : {'0', '9', '\b'}) EXPECT_TRUE(NumEditAccepts('\0', typed));
    for (const char typed : {'.', '-', 'a', ' ', '\0'}) EXPECT_FALSE(NumEditAccepts('\0', typed));
    EXPECT_TRUE(NumEditAccepts(':', ':'));
    EXPECT_FALSE(NumEditAccepts(':', '.'));
}

// Moving through the PLUs.

TEST_F(ChangePricesFormsTest, MovesApplyFirstAndWalkThePlusInNumberOrder)
{
    for (const std::uint32_t number : {10u, 20u, 30u}) AddPlu(number, 100);
    ChangePriceForm form(Site(kPrices, 15), nullptr, 0);
    form.OnInitDialog();
    EXPECT_EQ(form.GetTitle(), "PLU Price Changes");
    EXPECT_EQ(form.GetPluText(), "20");  // 15 is not a PLU: the next one
    EXPECT_EQ(form.GetNameText(), "BEEF");
    EXPECT_EQ(form.GetGoToText(), "30");
    EXPECT_EQ(form.GetFocus(), ChangePriceForm::kAmount);
    EXPECT_TRUE(form.CanPrev());
    ASSERT_TRUE(form.OnNext());
    EXPECT_EQ(form.GetCurrentPlu(), 30u);
    EXPECT_FALSE(form.CanNext());
    EXPECT_FALSE(form.OnNext());
    ASSERT_TRUE(form.OnPrev());
    ASSERT_TRUE(form.OnPrev());
    EXPECT_EQ(form.GetCurrentPlu(), 10u);
    EXPECT_FALSE(form.CanPrev());

    form.SetGoToText("25");
    ASSERT_TRUE(form.OnGoTo());
    EXPECT_EQ(form.GetCurrentPlu(), 30u);
    form.SetGoToText("99");
    ASSERT_TRUE(form.OnGoTo());
    EXPECT_EQ(form.GetCurrentPlu(), 30u);
    form.SetGoToText("1");
    ASSERT_TRUE(form.OnGoTo());
    EXPECT_EQ(form.GetCurrentPlu(), 10u);

    // Select opens the picker on the next PLU and shows the one chosen.
    m_pick = 30;
    ASSERT_TRUE(form.OnSelect());
    EXPECT_EQ(m_pickedFrom, std::vector<std::uint32_t>{20});
    EXPECT_EQ(form.GetCurrentPlu(), 30u);
    m_pick.reset();
    EXPECT_FALSE(form.OnSelect());
    EXPECT_EQ(form.GetCurrentPlu(), 30u);
    EXPECT_TRUE(m_prompt.m_ids.empty());
    EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(ChangePricesFormsTest, WithoutPlusTheDialogShowsNothingAndCloses)
{
    ChangePriceForm form(Site(kPrices, 5), nullptr, 0);
    form.OnInitDialog();
    EXPECT_EQ(form.GetPluText(), "");
    EXPECT_EQ(form.GetAmountText(), "");
    EXPECT_FALSE(form.CanNext());
    EXPECT_TRUE(form.OnOK());
}

// One price.

TEST_F(ChangePricesFormsTest, ANewPriceIsWrittenLoggedAndQueuedAndTheSamePriceWritesNothing)
{
    AddPlu(123, 100);
    ChangePriceForm form(Site(kPrices, 123), nullptr, 0);
    form.OnInitDialog();
    EXPECT_EQ(form.GetAmountText(), "1.00");
    EXPECT_EQ(form.GetAmountTextLimit(), 7u);
    EXPECT_FALSE(form.IsFlagShown());
    form.SetAmountText("1.20");
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(Plu(123).Get(PluCol::UnitPrice), 120);
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{"5 Price change for PLU 123 Price=100 -> 120 (Zone=0) (Desc. = BEEF)"});
    EXPECT_EQ(TakeSends(), 1u);
    EXPECT_EQ(m_frame.m_pluUpdateLog, std::vector<std::uint32_t>{123});
    EXPECT_EQ(m_viewUpdates, 1);

    form.SetAmountText("1.2");
    ASSERT_TRUE(form.OnOK());
    EXPECT_TRUE(TakeEvents().empty());
    EXPECT_EQ(TakeSends(), 0u);

    // An amount that does not read shows the price again and keeps the focus there.
    form.SetAmountText("1,30");
    EXPECT_FALSE(form.OnNext());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61236});
    EXPECT_EQ(form.GetAmountText(), "1.20");
    EXPECT_EQ(form.GetFocus(), ChangePriceForm::kAmount);
}

TEST_F(ChangePricesFormsTest, APluOpenInTheEditorKeepsItsPriceAndTheMoveGoesOn)
{
    AddPlu(123, 100);
    AddPlu(124, 100);
    m_editedPlu = 123;
    ChangePriceForm form(Site(kPrices, 123), nullptr, 0);
    form.OnInitDialog();
    form.SetAmountText("1.50");
    ASSERT_TRUE(form.OnNext());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61259});
    EXPECT_EQ(Plu(123).Get(PluCol::UnitPrice), 100);
    EXPECT_EQ(form.GetCurrentPlu(), 124u);
    EXPECT_TRUE(TakeEvents().empty());
    EXPECT_EQ(TakeSends(), 0u);
}

TEST_F(ChangePricesFormsTest, APriceInTheStoresZoneGoesToTheZone)
{
    DefineZones(3);
    m_frame.m_setup.m_priceZoneMode = 0;
    m_frame.m_setup.m_localPriceZone = 2;
    AddPlu(7, 100);
    ChangePriceForm form(Site(kPrices, 7), nullptr, 2);
    form.OnInitDialog();
    form.SetAmountText("2.00");
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(Plu(7).Get(PluCol::UnitPrice), 100);
    PriceZoneEntries entries;
    ASSERT_TRUE(Plus().GetPriceZoneTable()->LoadAllEntries(7, entries));
    EXPECT_EQ(entries, (PriceZoneEntries{{2, 1005, 200}}));
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{"5 Price change for PLU 7 Price=100 -> 200 (Zone=2) (Desc. = BEEF)"});
    form.OnInitDialog();
    EXPECT_EQ(form.GetAmountText(), "2.00");
}

TEST_F(ChangePricesFormsTest, AMarkdownPercentageAboveNinetyNineIsRefusedAndNothingWritten)
{
    AddPlu(5, 1000, "HAM", 0, 3);
    ChangePriceForm form(Site(kMarkdowns, 5), m_flag, 0);
    form.OnInitDialog();
    EXPECT_TRUE(form.IsFlagShown());
    EXPECT_EQ(form.GetFlagChoices().selected, 3u);
    EXPECT_EQ(form.GetAmountText(), "0");  // a percentage has no decimals
    form.SetAmountText("150");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61248});
    EXPECT_EQ(form.GetFocus(), ChangePriceForm::kAmount);
    EXPECT_EQ(Plu(5).Get(PluCol::MarkPrice), 0);
    EXPECT_TRUE(TakeEvents().empty());
    form.SetAmountText("99");
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(Plu(5).Get(PluCol::MarkPrice), 99);
    EXPECT_EQ(TakeEvents(),
              std::vector<std::string>{"5 Markdown price change for PLU 5 Mode=3 Price=0 -> 99 (Zone=0) (Desc. = HAM)"});
    EXPECT_EQ(TakeSends(), 1u);

    // With tenth-percent entry 999 passes and 1000 does not.
    m_frame.m_setup.m_markdownPercentDecimal = 1;
    form.OnInitDialog();
    EXPECT_EQ(form.GetAmountText(), "9.9");
    form.SetAmountText("100.0");
    EXPECT_FALSE(form.OnOK());
    form.SetAmountText("99.9");
    EXPECT_TRUE(form.OnOK());
}

TEST_F(ChangePricesFormsTest, TheMarkdownFlagDecidesTheDecimalsAndNoneTakesNoMarkdown)
{
    AddPlu(5, 1000, "HAM", 250, 1);
    ChangePriceForm form(Site(kMarkdowns, 5), m_flag, 0);
    form.OnInitDialog();
    EXPECT_EQ(form.GetAmountText(), "2.50");
    form.SetAmountText("0.45");
    form.OnFlagChange(3);  // percent: whole numbers
    EXPECT_EQ(form.GetAmountText(), "45");
    form.OnFlagChange(0);
    EXPECT_EQ(form.GetAmountText(), "0.45");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61247});
    form.SetAmountText("0");
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(Plu(5).Get(PluCol::MarkFlag), 0);
    EXPECT_EQ(Plu(5).Get(PluCol::MarkPrice), 0);

    // Without a flag definition a weighed PLU takes flag 2, and in market 14 the definition is dropped.
    ChangePriceForm plain(Site(kMarkdowns, 5), nullptr, 0);
    plain.OnInitDialog();
    plain.SetAmountText("1.00");
    ASSERT_TRUE(plain.OnOK());
    EXPECT_EQ(Plu(5).Get(PluCol::MarkFlag), 2);
    m_frame.m_setup.m_market = MarketSweden;
    EXPECT_FALSE(ChangePriceForm(Site(kMarkdowns, 5), m_flag, 0).IsFlagShown());
}

// Per price zone.

TEST_F(ChangePricesFormsTest, ZoneRowsBeyondTheZonesAreDisabledAndTheBarScrollsOverMore)
{
    DefineZones(4);
    AddPlu(9, 100);
    ChangeZonePriceForm four(Site(kPrices, 9), m_frame.m_priceZones, 0);
    four.OnInitDialog();
    EXPECT_EQ(four.GetTemplateId(), 275);
    EXPECT_FALSE(four.IsScrollEnabled());
    EXPECT_EQ(four.GetRow(ChangeZonePriceForm::kDefaultRow).label, "Default");
    EXPECT_EQ(four.GetRow(3).label, "Zone 4");
    EXPECT_TRUE(four.GetRow(3).enabled);
    EXPECT_FALSE(four.GetRow(4).enabled);
    EXPECT_FALSE(four.GetRow(5).enabled);

    DefineZones(9);
    ChangeZonePriceForm nine(Site(kPrices, 9), m_frame.m_priceZones, 0);
    nine.OnInitDialog();
    EXPECT_TRUE(nine.IsScrollEnabled());
    EXPECT_EQ(nine.GetScrollLast(), 3);
    nine.OnScroll(ScrollAction::PageDown);
    EXPECT_EQ(nine.GetFirstVisible(), 3);
    EXPECT_EQ(nine.GetRow(5).label, "Zone 9");
    nine.OnScroll(ScrollAction::LineUp);
    EXPECT_EQ(nine.GetRow(0).label, "Zone 3");

    // A site price zone: only its row is enabled, shown from the start even when it is the ninth.
    ChangeZonePriceForm site(Site(kPrices, 9), m_frame.m_priceZones, 9);
    site.OnInitDialog();
    EXPECT_EQ(site.GetFirstVisible(), 3);
    EXPECT_FALSE(site.GetRow(ChangeZonePriceForm::kDefaultRow).enabled);
    EXPECT_FALSE(site.GetRow(4).enabled);
    EXPECT_TRUE(site.GetRow(5).enabled);
    EXPECT_EQ(site.GetFocus(), 1065);
}

TEST_F(ChangePricesFormsTest, ANewDefaultShowsInEveryZoneWithoutItsOwnValueAndIsWrittenWithTheZones)
{
    DefineZones(3);
    AddPlu(9, 100);
    ASSERT_TRUE(Plus().GetPriceZoneTable()->SetZoneValue(9, 1005, 2, 150, &Plu(9)));
    ChangeZonePriceForm form(Site(kPrices, 9), m_frame.m_priceZones, 0);
    form.OnInitDialog();
    EXPECT_EQ(form.GetRow(1).amount, "1.50");
    ASSERT_TRUE(form.OnAmountKillFocus(ChangeZonePriceForm::kDefaultRow, "1.10"));
    EXPECT_EQ(form.GetRow(0).amount, "1.10");
    EXPECT_EQ(form.GetRow(1).amount, "1.50");
    EXPECT_EQ(form.GetRow(2).amount, "1.10");
    ASSERT_TRUE(form.OnAmountKillFocus(2, "1.30"));
    EXPECT_FALSE(form.OnAmountKillFocus(0, "x"));
    EXPECT_EQ(form.GetFocus(), 1047);
    EXPECT_EQ(form.GetRow(0).amount, "1.10");
    EXPECT_TRUE(form.IsChanged());

    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(Plu(9).Get(PluCol::UnitPrice), 110);
    PriceZoneEntries entries;
    ASSERT_TRUE(Plus().GetPriceZoneTable()->LoadAllEntries(9, entries));
    EXPECT_EQ(entries, (PriceZoneEntries{{2, 1005, 150}, {3, 1005, 130}}));
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"5 Price change for PLU 9 Price=100 -> 110 (Desc. = BEEF)",
                                                      "6   Zone = 1:  100 -> 110", "6   Zone = 3:  100 -> 130"}));
    EXPECT_EQ(TakeSends(), 1u);

    // Nothing changed: nothing written.
    ASSERT_TRUE(form.OnNext() || form.OnOK());
    EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(ChangePricesFormsTest, ZoneMarkdownsTakeTheirZonesFlagAndDecimals)
{
    DefineZones(2);
    AddPlu(9, 100, "HAM", 200, 1);
    ChangeZonePriceForm form(Site(kMarkdowns, 9), m_frame.m_priceZones, 0);
    form.OnInitDialog();
    EXPECT_EQ(form.GetTemplateId(), 274);
    EXPECT_TRUE(form.GetRow(0).flagEnabled);
    form.OnFlagChange(0, 3);
    EXPECT_EQ(form.GetRow(0).amount, "200");  // the Default's 2.00 in whole percents
    EXPECT_FALSE(form.OnAmountKillFocus(0, "150"));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61248});
    ASSERT_TRUE(form.OnAmountKillFocus(0, "25"));
    ASSERT_TRUE(form.OnOK());
    PriceZoneEntries entries;
    ASSERT_TRUE(Plus().GetPriceZoneTable()->LoadAllEntries(9, entries));
    EXPECT_EQ(entries, (PriceZoneEntries{{1, 1003, 3}, {1, 1004, 25}}));
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"5 Markdown price change for PLU 9 Mode=1 Price=200 -> 200 (Desc. = HAM)",
                                                      "6   Zone = 1:  200 -> 25"}));
}

// With the price master tables.

TEST_F(ChangePricesFormsTest, MultiPriceRowsComeFromTheTablesAndAreWrittenTogether)
{
    m_frame.m_setup.m_noAutoRuxPriceRecord = 1;  // the counter scale price is kept apart
    AddPlu(4, 300);
    AddRuxPrice(1, 4, 310, true);
    AddRuxPrice(3, 4, 330, false);
    ChangeMultiPriceForm form(Site(kPrices, 4), m_flag, 0);
    form.OnInitDialog();
    EXPECT_TRUE(form.IsCounterRowShown());
    EXPECT_EQ(form.GetRow(0).amount, "3.00");
    EXPECT_EQ(form.GetRow(1).amount, "3.10");
    EXPECT_TRUE(form.GetRow(1).enabled);
    EXPECT_FALSE(form.GetRow(2).enabled);
    EXPECT_EQ(form.GetRow(3).amount, "3.30");
    EXPECT_FALSE(form.GetRow(3).enabled);

    // Two amounts that do not read: 61236 once, both shown as 0.
    form.SetAmountText(0, "x");
    form.SetAmountText(1, "y");
    EXPECT_FALSE(form.OnRowsChanged());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61236});
    EXPECT_EQ(form.GetRow(1).amount, "0.00");
    EXPECT_EQ(form.GetFocus(), 1057);

    form.SetAmountText(0, "3.50");
    form.SetAmountText(1, "3.60");
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(Plu(4).Get(PluCol::UnitPrice), 350);
    EXPECT_EQ(RuxPrice(1, 4, "UnitPrice"), 360);
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{"5 Price change for PLU 4 Price=300 -> 350 (Zone=0) (Desc. = BEEF)"});
    EXPECT_EQ(TakeSends(), 1u);
    EXPECT_EQ(m_viewUpdates, 1);
}

TEST_F(ChangePricesFormsTest, WithoutTheCounterPriceApartItFollowsPriceOne)
{
    AddPlu(4, 300);
    ChangeMultiPriceForm form(Site(kPrices, 4), m_flag, 0);
    form.OnInitDialog();
    EXPECT_FALSE(form.IsCounterRowShown());
    EXPECT_EQ(form.GetFocus(), 1047);
    EXPECT_EQ(form.GetRow(1).amount, "3.00");  // no record of its own: the counter scale price
    EXPECT_TRUE(form.GetRow(1).enabled);
    form.SetAmountText(1, "2.75");
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(Plu(4).Get(PluCol::UnitPrice), 275);
    EXPECT_EQ(RuxPrice(1, 4, "UnitPrice"), 275);  // the first table's record made from the PLU
}

TEST_F(ChangePricesFormsTest, AMultiPricePercentageAboveNinetyNineIsRefusedNotCut)
{
    m_frame.m_setup.m_noAutoRuxPriceRecord = 1;
    AddPlu(4, 300, "HAM", 10, 3);
    AddRuxPrice(2, 4, 0, true, 20, 3);
    ChangeMultiPriceForm form(Site(kMarkdowns, 4), m_flag, 0);
    form.OnInitDialog();
    EXPECT_EQ(form.GetTemplateId(), 310);
    EXPECT_EQ(form.GetRow(2).amount, "20");
    EXPECT_EQ(form.GetRow(2).flag.selected, 3u);
    form.SetAmountText(2, "150");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61248});
    EXPECT_EQ(form.GetFocus(), 1050);
    EXPECT_EQ(form.GetRow(2).amount, "150");
    EXPECT_EQ(RuxPrice(2, 4, "MarkPrice"), 20);
    EXPECT_TRUE(TakeEvents().empty());
    form.SetAmountText(2, "50");
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(RuxPrice(2, 4, "MarkPrice"), 50);
    EXPECT_EQ(Plu(4).Get(PluCol::MarkPrice), 10);
    EXPECT_TRUE(TakeEvents().empty());  // the PLU's own markdown did not change
}

}  // namespace
}  // namespace varnel::test
