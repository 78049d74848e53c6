// The PLU list panel's list: its filters, its three orders, refreshing, finding typed PLUs, the
// search history and what the host's controls show; over ".pld" and ".mdb" databases.
#include "PluListFixture.h"

#include "pluedit/PluListOrder.h"

namespace varnel::test {
namespace {

using Panel = PluListPanelForm;
using Numbers = std::vector<std::uint32_t>;

class PluListBuildTest : public PluListFixture {};

TEST_P(PluListBuildTest, AnEmptyTableListsNothingAndDisablesTheActiveCommand)
{
    auto panel = MakePanel();
    EXPECT_EQ(panel->GetRowCount(), 0u);
    EXPECT_FALSE(panel->GetCurrentRow());
    EXPECT_FALSE(panel->GetActiveCommand().enabled);
    panel->OnPluNoChange("5");
    panel->OnPosCodeChange("5");
    panel->OnSinkKeyDown(kVkDown, 1, 0);
    EXPECT_FALSE(panel->GetCurrentRow());
    EXPECT_FALSE(panel->GetSelectedPluNumber());
    EXPECT_TRUE(panel->GetRowsInView().empty());

    // No database open at all answers the same.
    Panel none(nullptr, m_departments, Settings());
    none.Create(Area(), [](std::string_view) { return 6; }, {});
    none.Refresh();
    EXPECT_EQ(none.GetRowCount(), 0u);
    EXPECT_FALSE(none.GetSelectedPluNumber());
}

TEST_P(PluListBuildTest, AnEmptyNumberEditCountsAsPluOne)
{
    Add({{7}, {9}, {12}});
    auto panel = MakePanel();
    EXPECT_EQ(InView(*panel), (Numbers{7, 9, 12}));
    panel->OnPluNoChange("");
    EXPECT_EQ(panel->GetCurrentRow(), 0u);
    EXPECT_EQ(Current(*panel), 7u);
    EXPECT_EQ(Panel::GetEditNumber(""), 1);
    EXPECT_EQ(Panel::GetEditNumber(" 42abc"), 42);
    EXPECT_EQ(Panel::GetEditNumber("-3"), -3);
    EXPECT_EQ(Panel::GetEditNumber("x1"), -1);
}

TEST_P(PluListBuildTest, DepartmentAndGroupFilterTheList)
{
    Add({{1, "A", "", 1, 1}, {2, "B", "", 1, 2}, {3, "C", "", 2, 1}, {4, "D", "", 1, 2}});
    auto panel = MakePanel();
    EXPECT_EQ(panel->GetDeptChoices().items,
              (std::vector<std::string>{"All Departments", "01 Meat", "02 Deli"}));
    EXPECT_EQ(panel->GetDeptChoices().selected, 0u);
    EXPECT_FALSE(panel->IsGroupComboEnabled());

    panel->OnDeptChange(1);  // Meat
    EXPECT_EQ(InView(*panel), (Numbers{1, 2, 4}));
    EXPECT_TRUE(panel->IsGroupComboEnabled());
    EXPECT_EQ(panel->GetGroupChoices().items, (std::vector<std::string>{"All Groups", "01 Beef", "02 Lamb"}));
    panel->OnGroupChange(2);  // Lamb
    EXPECT_EQ(InView(*panel), (Numbers{2, 4}));
    EXPECT_EQ(panel->GetGroupChoices().selected, 2u);

    // Back to every department: the group filter goes with it, so every PLU is listed.
    panel->OnDeptChange(0);
    EXPECT_EQ(panel->GetGroupFilter(), Panel::kAny);
    EXPECT_EQ(InView(*panel), (Numbers{1, 2, 3, 4}));
    EXPECT_FALSE(panel->IsGroupComboEnabled());
    panel->OnGroupChange(1);  // ignored without a department
    EXPECT_EQ(InView(*panel), (Numbers{1, 2, 3, 4}));
}

TEST_P(PluListBuildTest, PosCodeOrderPutsShorterCodesFirstAndFindsWithoutLeadingZeros)
{
    Add({{1, "A", "100"}, {2, "B", "12"}, {3, "C", "0012"}, {4, "D", "7"}, {5, "E", ""}});
    auto panel = MakePanel();
    panel->OnPosCodeChange("0012");
    EXPECT_EQ(panel->GetOrderMode(), Panel::kPosCodeOrder);
    // Equal codes keep record order: "12" (PLU 2) before "0012" (PLU 3).
    EXPECT_EQ(InView(*panel), (Numbers{5, 4, 2, 3, 1}));
    EXPECT_EQ(Current(*panel), 2u);
    EXPECT_EQ(panel->GetPluNoText(), "2");
    EXPECT_EQ(panel->GetPosCodeText(), "0012");  // the typed text stays as typed
    panel->OnPosCodeChange("13");  // the first code not below it
    EXPECT_EQ(Current(*panel), 1u);
    panel->OnPosCodeChange("999");  // past every code: the last row
    EXPECT_EQ(Current(*panel), 1u);
    EXPECT_EQ(panel->GetCurrentRow(), 4u);

    EXPECT_TRUE(PosCodeBefore("12", "100"));
    EXPECT_FALSE(PosCodeBefore("100", "99"));
    EXPECT_TRUE(PosCodeBefore("99", "AB"));
    EXPECT_EQ(TrimPosCode("000"), "");
}

TEST_P(PluListBuildTest, NameOrderIgnoresCaseAndKeepsRecordOrderForEqualNames)
{
    Add({{1, "pork"}, {2, "Beef"}, {3, "BEEF"}, {4, "apple"}, {5, "beef"}});
    auto panel = MakePanel();
    panel->OnSortChange(1);
    EXPECT_EQ(panel->GetOrderMode(), Panel::kNameOrder);
    EXPECT_FALSE(panel->IsPluNoEditEnabled());
    EXPECT_EQ(InView(*panel), (Numbers{4, 2, 3, 5, 1}));

    // A number finds only its own PLU; one that matches none leaves the current row as it is.
    panel->OnPosCodeChange("3");
    EXPECT_EQ(Current(*panel), 3u);
    panel->OnPosCodeChange("6");
    EXPECT_EQ(Current(*panel), 3u);
    EXPECT_EQ(panel->GetOrderMode(), Panel::kNameOrder);
    panel->OnSortChange(0);
    EXPECT_TRUE(panel->IsPluNoEditEnabled());
    EXPECT_EQ(InView(*panel), (Numbers{1, 2, 3, 4, 5}));
}

TEST_P(PluListBuildTest, NameOrderComparesDoubleByteCharactersWhole)
{
    m_frame.m_setup.m_market = MarketChina;
    // A trail byte in the range of a lower-case letter is not a letter.
    Add({{1, "\xB0" "a"}, {2, "\xB0" "A"}, {3, "Z"}});
    PluListSettings settings = Settings();
    settings.chars = CurrentTextRules().chars;
    auto panel = MakePanel(settings);
    panel->OnSortChange(1);
    EXPECT_EQ(InView(*panel), (Numbers{3, 2, 1}));
    EXPECT_EQ(UpperCaseText("\xB0" "a" "b", settings.chars), "\xB0" "aB");
}

TEST_P(PluListBuildTest, RefreshKeepsTheCurrentPlu)
{
    Add({{10, "Lamb"}, {20, "Beef"}, {30, "Pork"}});
    auto panel = MakePanel();
    panel->OnPluNoChange("30");
    EXPECT_EQ(panel->GetCurrentRow(), 2u);
    Add({{5, "Veal"}});
    panel->Refresh();
    EXPECT_EQ(InView(*panel), (Numbers{5, 10, 20, 30}));
    EXPECT_EQ(Current(*panel), 30u);
    EXPECT_EQ(panel->GetCurrentRow(), 3u);
    // A deleted current PLU gives way to the one that takes its place, or to the first row.
    panel->SelectPlu(10);
    ASSERT_TRUE(Plus().DeleteKey(10));
    panel->Refresh();
    EXPECT_EQ(Current(*panel), 20u);
    panel->SelectPlu(30);
    ASSERT_TRUE(Plus().DeleteKey(30));
    panel->Refresh();
    EXPECT_EQ(Current(*panel), 5u);
}

TEST_P(PluListBuildTest, ATypedNumberFindsTheFirstPluNotBelowItAndCentresIt)
{
    for (std::uint32_t n = 1; n <= 100; ++n) Add({n * 2});
    auto panel = MakePanel();
    struct Case {
        const char* typed;
        std::uint32_t current;
        std::size_t scroll;
    };
    const Case cases[] = {
        {"100", 100, 44},  // row 49, half a page of 10 above it
        {"101", 102, 45},  // no PLU 101: the next one
        {"4", 4, 0},       // near the top: from the first row
        {"199", 200, 90},  // near the end: as far as the list goes
        {"5000", 200, 90}, // above every PLU: the last one
    };
    for (const Case& c : cases) {
        panel->OnPluNoChange(c.typed);
        EXPECT_EQ(Current(*panel), c.current) << c.typed;
        EXPECT_EQ(panel->GetScrollPos(), c.scroll) << c.typed;
        EXPECT_EQ(panel->GetPluNoText(), c.typed);
        EXPECT_EQ(panel->GetSearchComboText(), "Sirloin");
    }
    // Above "Max. PLU No." or unreadable: nothing changes.
    panel->OnPluNoChange("50");
    for (const char* typed : {"1000000", "abc", "-"}) {
        panel->OnPluNoChange(typed);
        EXPECT_EQ(Current(*panel), 50u) << typed;
        EXPECT_EQ(panel->GetScrollPos(), 19u) << typed;
    }
}

TEST_P(PluListBuildTest, TypingANumberLeavesTheNameSearchWithoutLosingTheTypedText)
{
    Add({{1, "Lamb chops"}, {2, "Beef mince"}, {3, "Lamb shank"}});
    auto panel = MakePanel();
    panel->SetSearchText("lamb");
    EXPECT_TRUE(panel->IsNameSearch());
    EXPECT_EQ(panel->GetSearchText(), "LAMB");
    EXPECT_EQ(InView(*panel), (Numbers{1, 3}));
    EXPECT_EQ(panel->GetSearchComboText(), "lamb");  // the name search leaves the combo's text alone

    panel->OnPluNoChange("2");
    EXPECT_FALSE(panel->IsNameSearch());
    EXPECT_EQ(InView(*panel), (Numbers{1, 2, 3}));
    EXPECT_EQ(Current(*panel), 2u);
    EXPECT_EQ(panel->GetPluNoText(), "2");
    EXPECT_EQ(panel->GetSearchComboText(), "Beef mince");
}

TEST_P(PluListBuildTest, SearchHistoryIsNewestFirstUpperCaseWithoutDuplicatesAndAsLongAsThePage)
{
    Add({{1, "Lamb"}});
    auto panel = MakePanel(Settings(), 3);
    for (const char* text : {"lamb", "beef", "Lamb", "pork", "veal", ""}) {
        panel->SetSearchText(text);
        panel->AddSearchHistory();
    }
    EXPECT_EQ(panel->GetSearchHistory(), (std::deque<std::string>{"VEAL", "PORK", "BEEF"}));
    panel->OnSearchSelect(1);
    EXPECT_EQ(panel->GetSearchText(), "PORK");
    panel->OnSearchSelect(7);  // past the history: nothing
    EXPECT_EQ(panel->GetSearchText(), "PORK");
    // Losing the focus outside the name search adds nothing.
    panel->OnPluNoChange("1");
    panel->AddSearchHistory();
    EXPECT_EQ(panel->GetSearchHistory().size(), 3u);
}

TEST_P(PluListBuildTest, TheActiveCommandFollowsTheCurrentPlu)
{
    Add({{1}, {2}});
    Plu(2).SetCtrlFlag(1, true);
    auto panel = MakePanel();
    panel->OnPluNoChange("1");
    EXPECT_EQ(panel->GetActiveCommand().enabled, true);
    EXPECT_EQ(panel->GetActiveCommand().text, Panel::kMsgMakeInactive);
    panel->OnSinkKeyDown(kVkDown, 1, 0);
    EXPECT_EQ(panel->GetActiveCommand().text, Panel::kMsgMakeActive);
    EXPECT_EQ(GetMessageText(Panel::kMsgMakeActive), "Make Active");
}

TEST_P(PluListBuildTest, SelectPluMakesAListedPluCurrent)
{
    Add({{1}, {2}, {3}});
    auto panel = MakePanel();
    panel->SelectPlu(3);
    EXPECT_EQ(Current(*panel), 3u);
    panel->SelectPlu(4);
    EXPECT_EQ(Current(*panel), 3u);
}

INSTANTIATE_TEST_SUITE_P(Databases, PluListBuildTest, ::testing::Values("pld", "mdb"));

}  // namespace
}  // namespace varnel::test
