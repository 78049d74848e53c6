// The campaign dialogs on screen, driven through their real widgets: lines edited, added (a PLU the
// campaign holds asked again, Select... picking another) and deleted in the price dialog opened over
// "Edit Campaign", the date pickers and OK storing and logging the campaign; the price dialog's
// checks keeping the focus on the failing edit; the campaign list opening the edit dialog.
#include "../CampaignRows.h"
#include "ScaleDataDlgFixture.h"

#include "scaledata/ui/CampaignDlgs.h"

#include <QComboBox>
#include <QDateEdit>
#include <QTimeEdit>
#include <QTreeWidget>

namespace varnel::test {
namespace {

const DateTimeParts kNow{2024, 3, 1, 9, 30, 0};

class CampaignDlgsTest : public ScaleDataDlgFixture {
protected:
    CampaignDlgsTest()
    {
        DefineCampaignPrices(m_frame);
        AddCampaignPlu(Plus(), 123, "BEEF", 1, 499);
        AddCampaignPlu(Plus(), 200, "PORK");
        AddCampaignPlu(Plus(), 300, "VEAL", 0, 1299);
    }

    CCampaignTb& Campaigns() { return TableOf<CCampaignTb>(10); }
    CPluDefTb& Plus() { return *m_database.GetPluTable(); }

    static QStringList Row(const QTreeWidget& list, int row)
    {
        QStringList texts;
        const QTreeWidgetItem* item = list.topLevelItem(row);
        for (int column = 0; item && column < item->columnCount(); ++column) texts << item->text(column);
        return texts;
    }
    static QString Focused() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : ""; }

    std::vector<std::uint32_t> m_pickedFrom;
    PluPicker m_picker = [this](std::uint32_t initial) {
        m_pickedFrom.push_back(initial);
        return std::optional<std::uint32_t>(300);
    };
};

TEST_F(CampaignDlgsTest, LinesAreEditedAddedAndDeletedAndOkStoresLogsAndQueuesTheCampaign)
{
    AddCampaign(Campaigns(), 2, "Spring", {{123, 1, 499, 0}, {200, 0, 100, 0}});
    EditCampaignForm form(Campaigns(), &Plus(), 2, kNow);
    CEditCampaignDlg dialog(form, m_picker, CodePage::Western);
    Show(dialog);
    EXPECT_EQ(Child<QLineEdit>(dialog, "1004")->text(), "Spring");
    EXPECT_EQ(Child<QDateEdit>(dialog, "startDate")->date(), QDate(2024, 1, 1));
    EXPECT_EQ(Child<QTimeEdit>(dialog, "endTime")->time(), QTime(20, 0));
    EXPECT_EQ(dialog.findChild<QComboBox*>("1425"), nullptr);
    auto* lines = Child<QTreeWidget>(dialog, "1091");
    EXPECT_EQ(Row(*lines, 0), (QStringList{"123", "4.99", "Fixed Price"}));

    // Edit: the price dialog opens on the selected line.
    WhenModalShows([&](QWidget& modal) {
        EXPECT_EQ(modal.windowTitle(), "Edit Campaign Price");
        EXPECT_EQ(Child<QLineEdit>(modal, "103")->text(), "123");
        SetText(modal, "1076", "4.50");
        Click(modal, "ok");
    });
    Click(dialog, "1006");
    EXPECT_EQ(Row(*lines, 0), (QStringList{"123", "4.50", "Fixed Price"}));

    // Add: a PLU the campaign holds gives 61361 and the price dialog again, where Select... picks one.
    WhenModalShows([&](QWidget& modal) {
        SetText(modal, "103", "200");
        WhenModalShows([&](QWidget& again) {
            Click(again, "3");
            EXPECT_EQ(Child<QLineEdit>(again, "1076")->text(), "12.99");
            Click(again, "ok");
        });
        Click(modal, "ok");
    });
    Click(dialog, "122");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61361});
    EXPECT_EQ(m_pickedFrom, std::vector<std::uint32_t>{200});
    ASSERT_EQ(lines->topLevelItemCount(), 3);
    EXPECT_EQ(lines->currentItem(), lines->topLevelItem(2));

    lines->setCurrentItem(lines->topLevelItem(1));
    Click(dialog, "1003");
    EXPECT_EQ(lines->topLevelItemCount(), 2);
    EXPECT_EQ(Row(*lines, 1).front(), "300");

    SetText(dialog, "1004", "Spring sale");
    Child<QDateEdit>(dialog, "endDate")->setDate(QDate(2024, 2, 15));
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
    const CCampaignRec* row = Campaigns().FindCampaign(2);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetName(), "Spring sale");
    EXPECT_EQ(row->GetEnd(), (DateTimeParts{2024, 2, 15, 20, 0, 0}));
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{
                                " Op: <User edit> : Updated Campaign No. 2",
                                " Op: <User edit> : Updated Campaign PLU No. 123 : Price 499 -> 450 Sales Mode 1 -> 1",
                                " Op: <User edit> : Deleted Campaign PLU No. 200",
                                " Op: <User edit> : Added Campaign PLU No. 300",
                            }));
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 10 2-2"});
}

TEST_F(CampaignDlgsTest, ThePriceDialogRefusesWithTheFocusOnTheFailingEditAndTakesAPercentage)
{
    EditCampPriceForm form(CampaignPriceRules::Of(m_frame), &Plus(), {123, 1, 499, 0});
    CEditCampPriceDlg dialog(form, m_picker);
    Show(dialog);
    auto* mode = Child<QComboBox>(dialog, "1103");
    EXPECT_EQ(mode->currentText(), "Fixed Price");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("1118"), nullptr);

    SetText(dialog, "103", "12x");
    Click(dialog, "ok");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61236});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Focused(), "103");

    // "Minus %" in market 0 is typed whole and kept in tenths; 100 is out of range.
    SetText(dialog, "103", "123");
    mode->setCurrentIndex(4);
    emit mode->activated(4);
    EXPECT_EQ(Child<QLineEdit>(dialog, "1076")->maxLength(), 2);
    SetText(dialog, "1076", "15");
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(form.GetLine().salesMode, 4u);
    EXPECT_EQ(form.GetLine().price, 150u);
}

TEST_F(CampaignDlgsTest, TheSwedishPriceDialogKeepsTheOldPrice)
{
    m_frame.m_setup.m_market = MarketSweden;
    EditCampPriceForm form(CampaignPriceRules::Of(m_frame), &Plus(), {123, 9, 499, 550});
    CEditCampPriceDlg dialog(form, m_picker);
    Show(dialog);
    EXPECT_EQ(Child<QLineEdit>(dialog, "1118")->text(), "5.50");
    SetText(dialog, "1118", "6.00");
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(form.GetLine().oldPrice, 600u);
}

TEST_F(CampaignDlgsTest, TheListOpensTheEditDialogWithTheDayOfWeekAndDeletesACampaign)
{
    m_frame.m_setup.m_maxCampaignNo = 3;
    m_frame.m_setup.m_campaignDayOfWeek = 1;
    AddCampaign(Campaigns(), 2, "Summer barbecue specials", {});
    EditCampaignsForm form(Campaigns(), &Plus(), RunEditCampaignDlg(m_picker, CodePage::Western), [] { return kNow; });
    CEditCampaignsDlg dialog(form, CodePage::Western);
    Show(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Edit Campaigns");
    auto* list = Child<QTreeWidget>(dialog, "1009");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(Row(*list, 1), (QStringList{"2", "Summer barbecue spe..."}));
    EXPECT_EQ(Row(*list, 2), (QStringList{"3", "Spare"}));

    list->setCurrentItem(list->topLevelItem(2));
    WhenModalShows([&](QWidget& modal) {
        EXPECT_EQ(modal.objectName(), "editCampaignDialog");
        EXPECT_EQ(Child<QLineEdit>(modal, "1004")->text(), "Campaign No. 3");
        EXPECT_EQ(modal.findChild<QDateEdit*>("startDate"), nullptr);
        Child<QComboBox>(modal, "1425")->setCurrentIndex(6);
        SetText(modal, "1004", "Autumn");
        Click(modal, "ok");
    });
    Click(dialog, "1006");
    EXPECT_EQ(Row(*list, 2), (QStringList{"3", "Autumn"}));
    ASSERT_NE(Campaigns().FindCampaign(3), nullptr);
    EXPECT_EQ(Campaigns().FindCampaign(3)->GetDayOfWeek(), 6);

    // Delete asks first and deletes at the scales, then in the database; the line reads "Spare".
    list->setCurrentItem(list->topLevelItem(1));
    Click(dialog, "1003");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61241});
    EXPECT_EQ(Campaigns().FindCampaign(2), nullptr);
    EXPECT_EQ(Row(*list, 1), (QStringList{"2", "Spare"}));
}

}  // namespace
}  // namespace varnel::test
