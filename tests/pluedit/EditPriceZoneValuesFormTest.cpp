// The popup of a field's values in every price zone: its rows, their values (a zone without its own
// value shows the PLU's), commits, scrolling and where it is placed.
#include "PluEditFixture.h"
#include "db/plu/PluPriceZoneTb.h"
#include "pluedit/EditPriceZoneValuesForm.h"

namespace varnel::test {
namespace {

class EditPriceZoneValuesFormTest : public PluEditFixture, public ::testing::Test {
protected:
    void SetUp() override
    {
        for (std::uint16_t zone = 1; zone <= 8; ++zone) m_frame.m_priceZones.SetZone(zone, "Zone" + std::to_string(zone));
        m_frame.m_priceZoneFields = {1005, 1003};
        m_frame.m_setup.m_priceZoneMode = 2;
        m_settings.headOffice = true;
        Open(".pld");
        CPluDefRec& row = AddPlu(7);
        row.Set(PluCol::UnitPrice, 100);
        auto* zones = dynamic_cast<CPluPriceZoneTb*>(m_db.GetTable(CPluPriceZoneTb::kTableNo));
        ASSERT_TRUE(zones->WritePlu(7, {{3, 1005, 300}}, &row));
        ASSERT_TRUE(Form().ShowPlu(7));
    }

    EditPriceZoneValuesForm& Popup(std::uint16_t fieldNo = 1005)
    {
        m_popup = std::make_unique<EditPriceZoneValuesForm>(Form(), *Control(fieldNo).definition);
        return *m_popup;
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (std::size_t row = 0; row < m_popup->GetShownRowCount(); ++row) texts.push_back(m_popup->GetRowText(row));
        return texts;
    }

    std::unique_ptr<EditPriceZoneValuesForm> m_popup;
};

TEST_F(EditPriceZoneValuesFormTest, EightZonesGiveNineRowsOfWhichEightShow)
{
    EditPriceZoneValuesForm& popup = Popup();
    EXPECT_TRUE(Form().CanEditZoneValues(1005));
    EXPECT_FALSE(Form().CanEditZoneValues(1016));
    EXPECT_EQ(popup.GetRowCount(), 9u);
    EXPECT_EQ(popup.GetShownRowCount(), 8u);
    EXPECT_TRUE(popup.HasScrollBar());
    EXPECT_EQ(popup.GetRowLabel(0), "00  Default");
    EXPECT_EQ(popup.GetRowLabel(3), "03  Zone3");
    EXPECT_EQ(Texts(), (std::vector<std::string>{"1.00", "1.00", "1.00", "3.00", "1.00", "1.00", "1.00", "1.00"}));
    EXPECT_FALSE(popup.IsCombo());
    EXPECT_EQ(popup.GetTextLimit(), 7u);

    ASSERT_TRUE(popup.OnScroll(EditPriceZoneValuesForm::Scroll::LineDown));
    EXPECT_EQ(popup.GetRowLabel(7), "08  Zone8");
    EXPECT_FALSE(popup.OnScroll(EditPriceZoneValuesForm::Scroll::LineDown));
}

TEST_F(EditPriceZoneValuesFormTest, ANewDefaultShowsInEveryZoneWithoutItsOwnValue)
{
    EditPriceZoneValuesForm& popup = Popup();
    EXPECT_TRUE(popup.CommitRowEdit(0, "2.00"));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"2.00", "2.00", "2.00", "3.00", "2.00", "2.00", "2.00", "2.00"}));
    EXPECT_TRUE(popup.CommitRowEdit(5, "5.55"));
    EXPECT_EQ(Form().GetWorkingRow().Get(PluCol::UnitPrice), 200);
    EXPECT_EQ(Form().GetZoneValue(*Control(1005).definition, 5, {}), 555);
    EXPECT_TRUE(Form().IsPluChanged());

    // A text that does not read changes nothing and says nothing; a refused value keeps the old one.
    EXPECT_TRUE(popup.CommitRowEdit(1, "x"));
    EXPECT_FALSE(popup.CommitRowEdit(1, "99999.99"));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61237});
    EXPECT_EQ(popup.GetRowText(1), "2.00");
    EXPECT_FALSE(popup.IsBusy());

    // OK and Cancel commit the rows once.
    int commits = 0;
    popup.CommitAll([&](std::size_t) { ++commits; });
    popup.CommitAll([&](std::size_t) { ++commits; });
    EXPECT_EQ(commits, 8);
}

TEST_F(EditPriceZoneValuesFormTest, AFieldWithAValueListIsChosenInACombo)
{
    EditPriceZoneValuesForm& popup = Popup(1003);
    ASSERT_TRUE(popup.IsCombo());
    EXPECT_EQ(popup.GetRowChoices(2).selected, std::optional<std::size_t>(0));
    popup.CommitRowCombo(2, 1);
    EXPECT_EQ(popup.GetRowChoices(2).selected, std::optional<std::size_t>(1));
    EXPECT_EQ(popup.GetRowChoices(1).selected, std::optional<std::size_t>(0));
    EXPECT_EQ(Form().GetWorkingRow().Get(PluCol::MarkFlag), 0);
}

TEST_F(EditPriceZoneValuesFormTest, ScrollingStaysWithinItsPositions)
{
    for (std::uint16_t zone = 9; zone <= 20; ++zone) m_frame.m_priceZones.SetZone(zone, "More");
    EditPriceZoneValuesForm& popup = Popup();  // 21 rows: positions 0 to 13
    using S = EditPriceZoneValuesForm::Scroll;
    const struct {
        S action;
        std::size_t thumb;
        std::size_t first;
    } steps[] = {
        {S::LineUp, 0, 0},   {S::PageDown, 0, 7}, {S::PageDown, 0, 13}, {S::LineDown, 0, 13},
        {S::PageUp, 0, 6},   {S::PageUp, 0, 0},   {S::Thumb, 9, 9},     {S::Thumb, 40, 13},
        {S::Top, 0, 0},      {S::Bottom, 0, 13},  {S::LineUp, 0, 12},
    };
    for (const auto& step : steps) {
        (void)popup.OnScroll(step.action, step.thumb);
        EXPECT_EQ(popup.GetFirstRow(), step.first) << static_cast<int>(step.action);
    }
    EXPECT_EQ(popup.GetZone(0), 12);
}

TEST_F(EditPriceZoneValuesFormTest, ThePopupIsPlacedBesideTheControlInsideTheWorkArea)
{
    EditPriceZoneValuesForm& popup = Popup();
    const FormUnits units{4, 8};  // a dialog unit a pixel
    const int width = 5 + 70 + 10 + 120 + 5 + 10;
    const int height = 8 * 15 + 10;
    EXPECT_EQ(popup.Place({300, 200, 400, 220}, {0, 0, 1920, 1080}, units), (FormRect{280, 200, 280 + width, 200 + height}));
    EXPECT_EQ(popup.Place({1900, 1000, 1950, 1020}, {0, 0, 1920, 1080}, units),
              (FormRect{1920 - width, 1080 - height, 1920, 1080}));
    EXPECT_EQ(popup.Place({10, 5, 50, 20}, {0, 0, 100, 80}, units), (FormRect{0, 0, width, height}));
}

}  // namespace
}  // namespace varnel::test
