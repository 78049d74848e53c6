// The Change Prices dialogs on screen, driven through their real widgets: typing an amount and moving
// on, the flag combo, Go To, the zone rows left with Tab and scrolled with the bar, and refusals that
// keep the dialog open with the focus on the amount.
#include "../ChangePricesFixture.h"

#include "pluedit/ChangeMultiPriceForm.h"
#include "pluedit/ChangePriceForm.h"
#include "pluedit/ChangeZonePriceForm.h"
#include "pluedit/ui/ChangePriceDlgs.h"
#include "support/ui/GuiTest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace varnel::test {
namespace {

constexpr MessageId kPrices = ChangePricesForm::kMsgPriceChanges;
constexpr MessageId kMarkdowns = ChangePricesForm::kMsgMarkdownChanges;

class ChangePriceDlgsTest : public ChangePricesFixture {
protected:
    ChangePriceDlgsTest() { GuiApplication(); }
    ~ChangePriceDlgsTest() override
    {
        for (QWidget* window : QApplication::topLevelWidgets()) window->close();
        ProcessEvents();
    }

    static void Show(QDialog& dialog)
    {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ProcessEvents();
    }
    static void Click(const QWidget& dialog, const char* id)
    {
        QTest::mouseClick(Child<QPushButton>(dialog, id), Qt::LeftButton);
        ProcessEvents();
    }
    static void Type(const QWidget& dialog, const char* id, const QString& text)
    {
        auto* edit = Child<QLineEdit>(dialog, id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static QString Text(const QWidget& dialog, const char* id)
    {
        if (auto* edit = dialog.findChild<QLineEdit*>(id)) return edit->text();
        return Child<QLabel>(dialog, id)->text();
    }
    static QString Focused() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : ""; }
};

TEST_F(ChangePriceDlgsTest, TypingAPriceAndMovingOnChangesItAndPrevSelectAndGoToMoveAfterApplying)
{
    AddPlu(123, 100);
    AddPlu(200, 500, "LAMB");
    ChangePriceForm form(Site(kPrices, 123), nullptr, 0);
    CChangePriceDlg dialog(form, CodePage::Western);
    Show(dialog);
    EXPECT_EQ(dialog.windowTitle(), "PLU Price Changes");
    EXPECT_EQ(Text(dialog, "103"), "123");
    EXPECT_EQ(Text(dialog, "104"), "BEEF");
    EXPECT_EQ(Text(dialog, "1076"), "1.00");
    EXPECT_EQ(Focused(), "1076");
    EXPECT_FALSE(Child<QComboBox>(dialog, "1078")->isVisible());
    EXPECT_FALSE(Child<QPushButton>(dialog, "1070")->isEnabled());

    // Letters are typed as they come: the amount does not read, so the price is shown again.
    Type(dialog, "1076", "1.2O");
    Click(dialog, "1069");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61236});
    EXPECT_EQ(Text(dialog, "103"), "123");
    EXPECT_EQ(Text(dialog, "1076"), "1.00");
    Type(dialog, "1076", "1.20");
    Click(dialog, "1069");
    EXPECT_EQ(Plu(123).Get(PluCol::UnitPrice), 120);
    EXPECT_EQ(Text(dialog, "103"), "200");
    EXPECT_EQ(Text(dialog, "1076"), "5.00");
    EXPECT_FALSE(Child<QPushButton>(dialog, "1069")->isEnabled());

    // Prev and Select apply what was typed first, as Next does.
    Type(dialog, "1076", "5.50");
    Click(dialog, "1070");
    EXPECT_EQ(Plu(200).Get(PluCol::UnitPrice), 550);
    EXPECT_EQ(Text(dialog, "103"), "123");
    m_pick = 200;
    Type(dialog, "1076", "1.30");
    Click(dialog, "3");
    EXPECT_EQ(m_pickedFrom, std::vector<std::uint32_t>{200});  // the picker opens on the next PLU
    EXPECT_EQ(Plu(123).Get(PluCol::UnitPrice), 130);
    EXPECT_EQ(Text(dialog, "103"), "200");

    Type(dialog, "1077", "1");
    Click(dialog, "1071");
    EXPECT_EQ(Text(dialog, "103"), "123");
    Type(dialog, "1076", "1.20");
    Click(dialog, "ok");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{
                                "5 Price change for PLU 123 Price=100 -> 120 (Zone=0) (Desc. = BEEF)",
                                "5 Price change for PLU 200 Price=500 -> 550 (Zone=0) (Desc. = LAMB)",
                                "5 Price change for PLU 123 Price=120 -> 130 (Zone=0) (Desc. = BEEF)",
                                "5 Price change for PLU 123 Price=130 -> 120 (Zone=0) (Desc. = BEEF)",
                            }));
}

TEST_F(ChangePriceDlgsTest, AMarkdownTakesTheFlagChosenAndARefusalKeepsTheDialogOpen)
{
    AddPlu(5, 1000, "HAM", 250, 1);
    ChangePriceForm form(Site(kMarkdowns, 5), m_flag, 0);
    CChangePriceDlg dialog(form, CodePage::Western);
    Show(dialog);
    auto* flag = Child<QComboBox>(dialog, "1078");
    EXPECT_TRUE(flag->isVisible());
    EXPECT_EQ(flag->currentText(), "Reduced by");
    flag->setCurrentIndex(3);
    emit flag->activated(3);
    EXPECT_EQ(Text(dialog, "1076"), "250");
    Click(dialog, "ok");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61248});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Focused(), "1076");
    Type(dialog, "1076", "25");
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Plu(5).Get(PluCol::MarkFlag), 3);
    EXPECT_EQ(Plu(5).Get(PluCol::MarkPrice), 25);
}

TEST_F(ChangePriceDlgsTest, ZoneRowsFollowTheDefaultLeftWithTabAndScrollWithTheBar)
{
    DefineZones(9);
    AddPlu(9, 100);
    ChangeZonePriceForm form(Site(kPrices, 9), m_frame.m_priceZones, 0);
    CChangeZonePriceDlg dialog(form, CodePage::Western);
    Show(dialog);
    EXPECT_EQ(Text(dialog, "1046"), "Zone 1");
    EXPECT_EQ(Focused(), "1057");
    Type(dialog, "1057", "1.10");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ProcessEvents();
    EXPECT_EQ(Text(dialog, "1047"), "1.10");
    EXPECT_EQ(Text(dialog, "1065"), "1.10");

    // A zone amount that does not read is refused as it is left, and the focus stays.
    Type(dialog, "1050", "abc");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ProcessEvents();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61236});
    EXPECT_EQ(Focused(), "1050");
    EXPECT_EQ(Text(dialog, "1050"), "1.10");

    auto* bar = Child<QScrollBar>(dialog, "1049");
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->maximum(), 3);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ProcessEvents();
    EXPECT_EQ(bar->sliderPosition(), 3);
    EXPECT_EQ(Text(dialog, "1046"), "Zone 4");
    Type(dialog, "1065", "1.90");
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Plu(9).Get(PluCol::UnitPrice), 110);
    PriceZoneEntries entries;
    ASSERT_TRUE(Plus().GetPriceZoneTable()->LoadAllEntries(9, entries));
    EXPECT_EQ(entries, (PriceZoneEntries{{9, 1005, 190}}));
}

TEST_F(ChangePriceDlgsTest, MultiPriceRowsInUseAreEditedAndARefusedPercentageStays)
{
    m_frame.m_setup.m_noAutoRuxPriceRecord = 1;
    AddPlu(4, 300, "HAM", 10, 3);
    AddRuxPrice(1, 4, 0, true, 20, 3);
    ChangeMultiPriceForm form(Site(kMarkdowns, 4), m_flag, 0);
    CChangeMultiPriceDlg dialog(form, CodePage::Western);
    Show(dialog);
    EXPECT_TRUE(Child<QLineEdit>(dialog, "1057")->isVisible());
    EXPECT_TRUE(Child<QLineEdit>(dialog, "1047")->isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(dialog, "1050")->isEnabled());
    EXPECT_EQ(Child<QComboBox>(dialog, "1060")->currentText(), "Percent");
    Type(dialog, "1047", "120");
    Click(dialog, "ok");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61248});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Focused(), "1047");
    EXPECT_EQ(RuxPrice(1, 4, "MarkPrice"), 20);
    Type(dialog, "1047", "30");
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(RuxPrice(1, 4, "MarkPrice"), 30);
}

}  // namespace
}  // namespace varnel::test
