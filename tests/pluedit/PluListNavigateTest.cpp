// The PLU list panel's keys, scrolling and clicks, and the rows it draws.
#include "PluListFixture.h"

#include "db/plu/PluPriceZoneTb.h"

namespace varnel::test {
namespace {

using Panel = PluListPanelForm;
using Scroll = PluListPanelForm::ScrollCode;

class PluListNavigateTest : public PluListFixture {
protected:
    // PLUs 1 to 30 in a list of 10 rows, the first current.
    std::unique_ptr<Panel> ThirtyPlus()
    {
        for (std::uint32_t n = 1; n <= 30; ++n) Add({n});
        auto panel = MakePanel();
        panel->OnPluNoChange("1");
        return panel;
    }
};

TEST_P(PluListNavigateTest, ArrowAndPageKeysMoveTheCurrentRowWithinTheList)
{
    auto panel = ThirtyPlus();
    struct Case {
        std::uint32_t key;
        std::uint32_t repeat;
        std::size_t current;  // row after the key
        std::size_t scroll;
    };
    const Case cases[] = {
        {kVkUp, 1, 0, 0},          // nothing above the first row
        {kVkPageUp, 1, 0, 0},
        {kVkDown, 3, 3, 0},        // the repeat count moves as many rows
        {kVkPageDown, 1, 12, 3},   // a page is one row less than the rows in view
        {kVkHome, 1, 12, 3},       // Home and End do nothing
        {kVkEnd, 1, 12, 3},
        {kVkDown, 40, 29, 20},     // at most to the last row
        {kVkDown, 1, 29, 20},
        {kVkPageDown, 1, 29, 20},
        {kVkUp, 2, 27, 20},
        {kVkPageUp, 1, 18, 18},
        {kVkPageUp, 5, 9, 9},      // the repeat count does not multiply a page
        {kVkUp, 40, 0, 0},
    };
    for (const Case& c : cases) {
        panel->OnSinkKeyDown(c.key, c.repeat, 0);
        EXPECT_EQ(panel->GetCurrentRow(), c.current) << c.key << " x" << c.repeat;
        EXPECT_EQ(panel->GetScrollPos(), c.scroll) << c.key << " x" << c.repeat;
        EXPECT_EQ(panel->GetPluNoText(), std::to_string(c.current + 1));
    }
}

TEST_P(PluListNavigateTest, TheScrollBarMovesTheViewNotTheCurrentRow)
{
    auto panel = ThirtyPlus();
    EXPECT_EQ(panel->GetScrollMax(), 20u);
    struct Case {
        Scroll code;
        std::size_t position;
        std::size_t scroll;
    };
    const Case cases[] = {
        {Scroll::LineUp, 0, 0},         {Scroll::LineDown, 0, 1},  {Scroll::PageDown, 0, 11},
        {Scroll::PageDown, 0, 20},      {Scroll::LineDown, 0, 20}, {Scroll::PageUp, 0, 10},
        {Scroll::PageUp, 0, 0},         {Scroll::ThumbTrack, 7, 7}, {Scroll::ThumbPosition, 99, 20},
        {Scroll::Top, 0, 0},            {Scroll::Bottom, 0, 20},
    };
    for (const Case& c : cases) {
        panel->OnVScroll(c.code, c.position);
        EXPECT_EQ(panel->GetScrollPos(), c.scroll) << static_cast<int>(c.code);
    }
    EXPECT_EQ(panel->GetCurrentRow(), 0u);
    EXPECT_EQ(InView(*panel).front(), 21u);
    // A key brings the current row back into view.
    panel->OnSinkKeyDown(kVkDown, 1, 0);
    EXPECT_EQ(panel->GetScrollPos(), 1u);
}

TEST_P(PluListNavigateTest, AClickMakesItsRowCurrent)
{
    auto panel = ThirtyPlus();
    panel->OnVScroll(Scroll::ThumbPosition, 5);
    struct Case {
        int x;
        int y;
        bool onList;
        std::size_t current;
    };
    const Case cases[] = {
        {10, 2 + 3 * 11 + 4, true, 8},  // the fourth row in view
        {10, 0, true, 5},               // the two pixels above the first row count to it
        {-1, 20, false, 5},             // left of the list
        {400, 20, false, 5},            // past its right edge
        {10, 110, false, 5},            // below it
        {399, 108, true, 14},           // the last row in view, right edge
    };
    for (const Case& c : cases) {
        EXPECT_EQ(panel->OnLButtonDown(c.x, c.y), c.onList) << c.x << "," << c.y;
        EXPECT_EQ(panel->GetCurrentRow(), c.current) << c.x << "," << c.y;
    }
    EXPECT_EQ(panel->GetPluNoText(), "15");
}

TEST_P(PluListNavigateTest, AClickBelowTheLastRowTakesTheLastRowAndFurtherDownNothing)
{
    Add({{1}, {2}});
    auto panel = MakePanel();
    EXPECT_TRUE(panel->OnLButtonDown(10, 2 + 2 * 11));  // the row just past the list: the last one
    EXPECT_EQ(panel->GetCurrentRow(), 1u);
    EXPECT_FALSE(panel->OnLButtonDown(10, 2 + 3 * 11));
    EXPECT_EQ(panel->GetCurrentRow(), 1u);
}

TEST_P(PluListNavigateTest, RowsShowTheirColumnsAsTheFieldsAreDefined)
{
    Add({{12, "Fish & Chips", "42", 3, 7, 1250}});
    CPluDefRec& plu = Plu(12);
    plu.Set(PluCol::CostPrice, 800);
    plu.SetDesc("\x1B" "C1Fish & Chips\x1B" "C2" "\x1B" "D1Fresh & hot\x1B" "C3third", CharRule{});
    PluListSettings settings = Settings();
    settings.twoLines = true;
    settings.costColumn = true;
    auto panel = MakePanel(settings, 4);
    const std::vector<PluListRow> rows = panel->GetRowsInView();
    ASSERT_EQ(rows.size(), 1u);
    const PluListRow& row = rows[0];
    EXPECT_EQ(row.pluNumber, "000012  ");
    EXPECT_EQ(row.posCode, "000042");
    EXPECT_EQ(row.deptGroup, "03-07");
    EXPECT_EQ(row.name, "Fish && Chips");
    EXPECT_EQ(row.line2, "Fresh && hot");
    EXPECT_EQ(row.unitPrice, "12.50");
    EXPECT_EQ(row.costPrice, "8.00");
    EXPECT_FALSE(row.red);
    // Two-line rows are two cells high; the price column is 70 dialog units wide with the cost column.
    EXPECT_EQ(panel->GetRowGeometry().rowHeight, 21);
    EXPECT_EQ(panel->GetRowGeometry().priceX, 400 - 70);
    EXPECT_EQ(panel->GetRowGeometry().visibleRows, 2);
    EXPECT_EQ(row.top, 2);
    EXPECT_EQ(row.bottom, 23);
}

TEST_P(PluListNavigateTest, ColumnsThatAreOffLeaveTheirTextsEmpty)
{
    Add({{12, "Fish", "42", 3, 7, 1250}});
    PluListSettings settings = Settings();
    settings.showPosCode = false;
    settings.showDeptGroup = false;
    auto panel = MakePanel(settings);
    const PluListRow row = panel->GetRowsInView().at(0);
    EXPECT_EQ(row.posCode, "");
    EXPECT_EQ(row.deptGroup, "");
    EXPECT_EQ(row.line2, "");
    EXPECT_EQ(row.costPrice, "");
    EXPECT_EQ(panel->GetColumns().posX, -1);
    EXPECT_EQ(panel->GetColumns().deptGroupX, -1);
    // The PLU number column: the wider of the header and eight digits, and 2 pixels.
    EXPECT_EQ(panel->GetColumns().pluNoWidth, 8 * 6 + 2);
    EXPECT_EQ(panel->GetColumns().nameX, 8 * 6 + 2 + 6);
    EXPECT_EQ(panel->GetRowGeometry().rowHeight, PluListFixture::kRowHeight);
}

TEST_P(PluListNavigateTest, ColumnsStandSixPixelsApart)
{
    Add({{1}});
    auto panel = MakePanel();
    const PluListColumns& columns = panel->GetColumns();
    EXPECT_EQ(columns.pluNoWidth, 50);
    EXPECT_EQ(columns.posX, 56);
    EXPECT_EQ(columns.posWidth, 8 * 6 + 6);  // "POS Code" is wider than six digits
    EXPECT_EQ(columns.deptGroupX, 56 + 54 + 6);
    // The "Dept. & Group" header is wider than "9999-".
    EXPECT_EQ(columns.nameX, 116 + 13 * 6 + 6);
}

TEST_P(PluListNavigateTest, InactivePlusAreRedWhileTheyAreNotSentAndFixedPricesMayTakeADecimalMore)
{
    Add({{1, "A", "", 1, 1, 1234}, {2, "B", "", 1, 1, 1234}});
    Plu(1).SetCtrlFlag(1, true);
    Plu(2).Set(PluCol::SalesMode, 1);
    PluListSettings settings = Settings();
    auto plain = MakePanel(settings);
    EXPECT_FALSE(plain->GetRowsInView().at(0).red);
    EXPECT_EQ(plain->GetRowsInView().at(1).unitPrice, "12.34");
    settings.inactiveInRed = true;
    settings.fixedPriceDecimal = true;
    auto marked = MakePanel(settings);
    marked->OnPluNoChange("1");
    const std::vector<PluListRow> rows = marked->GetRowsInView();
    EXPECT_TRUE(rows.at(0).red);
    EXPECT_TRUE(rows.at(0).current);
    EXPECT_FALSE(rows.at(1).red);
    EXPECT_EQ(rows.at(0).unitPrice, "12.34");
    EXPECT_EQ(rows.at(1).unitPrice, "1.234");
}

TEST_P(PluListNavigateTest, PricesAreSeenInTheListsPriceZone)
{
    m_frame.m_priceZones.SetZone(3, "Harbour St");
    m_frame.m_priceZoneFields = {1005};
    Add({{1, "A", "", 1, 1, 500}});
    CPluPriceZoneTb* zones = Plus().GetPriceZoneTable();
    ASSERT_NE(zones, nullptr);
    ASSERT_TRUE(zones->SetZoneValue(1, 1005, 3, 450, &Plu(1)));
    PluListSettings settings = Settings();
    EXPECT_EQ(MakePanel(settings)->GetRowsInView().at(0).unitPrice, "5.00");
    settings.priceZone = 3;
    EXPECT_EQ(MakePanel(settings)->GetRowsInView().at(0).unitPrice, "4.50");
}

TEST_P(PluListNavigateTest, PositionsThatTheTableNoLongerReachesDrawNothing)
{
    Add({{1}, {2}, {3}});
    auto panel = MakePanel();
    panel->OnPluNoChange("1");
    ASSERT_TRUE(Plus().DeleteKey(3));
    ASSERT_TRUE(Plus().DeleteKey(2));
    EXPECT_EQ(panel->GetRowCount(), 3u);  // not refreshed yet
    EXPECT_EQ(InView(*panel), (std::vector<std::uint32_t>{1}));
    panel->OnSinkKeyDown(kVkDown, 2, 0);
    EXPECT_EQ(panel->GetCurrentRow(), 2u);
    EXPECT_FALSE(panel->GetSelectedPluNumber());
    EXPECT_FALSE(panel->GetActiveCommand().enabled);
}

INSTANTIATE_TEST_SUITE_P(Databases, PluListNavigateTest, ::testing::Values("pld", "mdb"));

}  // namespace
}  // namespace varnel::test
