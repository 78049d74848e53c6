// The store, store settings, tray, label batch and advertising message dialogs on screen, driven
// through their real widgets: editors opened from their lists, their fields typed and OK pressed,
// a batch line dragged by the mouse and its quantity typed in place, Print through the printer.
#include "ScaleDataDlgFixture.h"

#include "scaledata/EditLabelBatchesForm.h"
#include "scaledata/EditScrollMsgsForm.h"
#include "scaledata/EditStoreNamesForm.h"
#include "scaledata/StoreListForm.h"
#include "scaledata/TrayListForm.h"
#include "scaledata/ui/LabelBatchDlgs.h"
#include "scaledata/ui/ScrollMsgDlgs.h"
#include "scaledata/ui/StoreNameDlgs.h"
#include "scaledata/ui/StoreSettingsDlgs.h"
#include "scaledata/ui/TrayDlgs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace varnel::test {
namespace {

class StoreDlgsTest : public ScaleDataDlgFixture {
protected:
    static std::vector<std::string> Items(const QListWidget& list)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < list.count(); ++row) texts.push_back(list.item(row)->text().toStdString());
        return texts;
    }
    static std::vector<std::string> Column(const QTreeWidget& tree, int column)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < tree.topLevelItemCount(); ++row)
            texts.push_back(tree.topLevelItem(row)->text(column).toStdString());
        return texts;
    }
    void AddPlu(std::uint32_t number, std::string_view name)
    {
        auto* plu = dynamic_cast<CPluDefRec*>(m_database.GetPluTable()->GetOrAddRecord(number, 264));
        ASSERT_NE(plu, nullptr);
        plu->Set(PluCol::Name, name);
        plu->Set(PluCol::SalesMode, 1);
    }
};

TEST_F(StoreDlgsTest, TheAdvertisingListOpensTheSimpleEditorWhoseLinesAreStored)
{
    m_frame.m_setup.m_defaultScaleFamily = 2;
    m_frame.m_setup.m_market = MarketNewZealand;
    EditScrollMsgsForm form(TableOf<CScrollMsgTb>(CScrollMsgTb::kTableNo));
    CEditScrollMsgsDlg dialog(form, CodePage::Western);
    Show(dialog);
    auto* list = Child<QListWidget>(dialog, "1005");
    EXPECT_EQ(Items(*list), std::vector<std::string>(9, "Spare"));
    list->setCurrentRow(2);

    bool twoLinesShown = false;
    WhenModalShows([&](QWidget& modal) {
        EXPECT_FALSE(Child<QCheckBox>(modal, "1010")->isChecked());  // a new message does not scroll
        twoLinesShown = Child<QLineEdit>(modal, "1016")->isVisible() && !Child<QLineEdit>(modal, "1007")->isVisible();
        QTest::keyClicks(Child<QLineEdit>(modal, "1016"), "ABC");
        QTest::keyClicks(Child<QLineEdit>(modal, "1015"), "DEF");
        Click(modal, "ok");
    });
    Click(dialog, "1006");
    EXPECT_TRUE(twoLinesShown);
    const CScrollMsgRec* row = TableOf<CScrollMsgTb>(CScrollMsgTb::kTableNo).FindMessage(3);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetText(), "ABC" + std::string(16, ' ') + "DEF");
    EXPECT_EQ(list->item(2)->text().toStdString(), "ABC" + std::string(16, ' ') + "...");
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 3 3-3"});
}

TEST_F(StoreDlgsTest, TheExtendedAdvertisingEditorRefusesALateHourAndKeepsItsFocus)
{
    AddLinkScale(0);
    EditScrollMsgsForm form(TableOf<CScrollMsgTb>(CScrollMsgTb::kTableNo));
    CEditScrollMsgsDlg dialog(form, CodePage::Western);
    Show(dialog);
    bool stayed = false;
    WhenModalShows([&](QWidget& modal) {
        SetText(modal, "1176", "SALE");
        SetText(modal, "1080", "8");
        SetText(modal, "1084", "30");
        Click(modal, "ok");
        stayed = modal.isVisible();
        SetText(modal, "1084", "22");
        Child<QComboBox>(modal, "1172")->setCurrentIndex(4);
        Click(modal, "ok");
    });
    QTest::keyClick(Child<QListWidget>(dialog, "1005"), Qt::Key_Return);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61276});
    const CScrollMsgRec* row = TableOf<CScrollMsgTb>(CScrollMsgTb::kTableNo).FindMessage(1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetText(), "SALE");
    EXPECT_EQ(row->Get(scroll_columns::kDispTime), 822);
    EXPECT_EQ(row->Get(scroll_columns::kDispMode), 4);
}

TEST_F(StoreDlgsTest, TheStoreListOpensTheExtendedEditorInThailandWithItsStyles)
{
    m_frame.m_setup.m_market = MarketThailand;
    m_frame.m_setup.m_maxStoreNo = 3;
    EditStoreNamesForm form(TableOf<CStoreNameTb>(CStoreNameTb::kTableNo));
    CEditStoreNamesDlg dialog(form, CodePage::Thai);
    Show(dialog);
    WhenModalShows([&](QWidget& modal) {
        EXPECT_EQ(modal.objectName(), "editStoreNameExDialog");
        SetText(modal, "1003", "Market");
        SetText(modal, "1004", "Pier 4");
        QTest::mouseClick(Child<QCheckBox>(modal, "1410"), Qt::LeftButton);
        Child<QComboBox>(modal, "1184")->setCurrentIndex(1);
        Click(modal, "ok");
    });
    Click(dialog, "122");
    const CStoreNameRec* store = TableOf<CStoreNameTb>(CStoreNameTb::kTableNo).FindStore(1);
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->GetName().text, "Market");
    EXPECT_EQ(store->GetName().style, StoreBold);
    EXPECT_EQ(store->GetAddress().font, 1);
    EXPECT_EQ(Items(*Child<QListWidget>(dialog, "1072")), (std::vector<std::string>{"01 Market", "02 Spare", "03 Spare"}));
}

TEST_F(StoreDlgsTest, StoreSettingsStoresTheTypedNameAndTheChosenPriceMaster)
{
    StoreListForm form(TableOf<CStoreSetupTb>(CStoreSetupTb::kTableNo));
    CStoreListDlg dialog(form, CodePage::Western);
    Show(dialog);
    WhenModalShows([&](QWidget& modal) {
        EXPECT_EQ(modal.windowTitle(), "5400-Series Store Settings");
        auto* name = Child<QWidget>(*Child<QWidget>(modal, "nameEditor"), "labelTextEdit");
        name->setFocus();
        QTest::keyClicks(name, "NORTH");
        auto* price = Child<QComboBox>(modal, "1129");
        EXPECT_EQ(price->currentText(), "Price Master #2");
        price->setCurrentIndex(2);
        emit price->activated(2);
        EXPECT_FALSE(Child<QLineEdit>(modal, "1140")->isEnabled());
        Click(modal, "ok");
    });
    Click(dialog, "122");
    const CStoreSetupRec* store = TableOf<CStoreSetupTb>(CStoreSetupTb::kTableNo).FindStore(1);
    ASSERT_NE(store, nullptr);
    EXPECT_NE(std::string(store->Get(store_setup_columns::kName)).find("NORTH"), std::string::npos);
    EXPECT_EQ(store->Get(store_setup_columns::kPriceId), 2);
}

TEST_F(StoreDlgsTest, EditTrayRedrawsItsPictureWhenASizeIsLeftAndStoresTheChoices)
{
    TrayListForm form(TableOf<CTrayTb>(CTrayTb::kTableNo));
    CTrayListDlg dialog(form, CodePage::Western);
    Show(dialog);
    std::string before, after;
    WhenModalShows([&](QWidget& modal) {
        auto* length = Child<QLineEdit>(modal, "1160");
        before = std::to_string(length->text().toInt());
        length->setFocus();
        length->selectAll();
        QTest::keyClicks(length, "420");
        QTest::keyClick(length, Qt::Key_Tab);
        after = modal.findChild<QWidget*>("trayPicture") ? "drawn" : "";
        SetText(modal, "1004", "Long tray");
        Child<QComboBox>(modal, "1171")->setCurrentIndex(1);
        Click(modal, "ok");
    });
    Click(dialog, "122");
    EXPECT_EQ(before, "200");
    EXPECT_EQ(after, "drawn");
    const CTrayRec* tray = TableOf<CTrayTb>(CTrayTb::kTableNo).FindTray(1);
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->Get(tray_columns::kLength), 420);
    EXPECT_EQ(tray->Get(tray_columns::kName), "Long tray");
    EXPECT_EQ(tray->Get(tray_columns::kTraySearch), 1);
}

TEST_F(StoreDlgsTest, ABatchLineIsDraggedByTheMouseAndItsQuantityTypedInPlace)
{
    AddPlu(1, "One");
    AddPlu(2, "Two");
    AddPlu(3, "Three");
    EditLabelBatchForm form(m_database.GetPluTable(), TableOf<CLabelBatchTb>(CLabelBatchTb::kTableNo).GetRoles(), 1,
                            "Set", {{1, 1}, {2, 2}, {3, 3}}, {}, {});
    CEditLabelBatchDlg dialog(form, CodePage::Western);
    Show(dialog);
    auto* lines = Child<QTreeWidget>(dialog, "1004");
    EXPECT_EQ(Column(*lines, 1), (std::vector<std::string>{"One", "Two", "Three"}));
    QWidget* viewport = lines->viewport();
    const QPoint from = lines->visualItemRect(lines->topLevelItem(0)).center();
    const QPoint to = lines->visualItemRect(lines->topLevelItem(2)).center();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    EXPECT_EQ(Column(*lines, 0), (std::vector<std::string>{"2", "3", "1"}));
    EXPECT_EQ(form.GetLines(), (std::vector<BatchLine>{{2, 2}, {3, 3}, {1, 1}}));

    lines->editItem(lines->topLevelItem(1), 2);
    ProcessEvents();
    auto* quantity = Child<QLineEdit>(*lines, "quantityEdit");
    ASSERT_NE(quantity, nullptr);
    EXPECT_EQ(quantity->maxLength(), 4);
    quantity->selectAll();
    QTest::keyClicks(quantity, "48");
    QTest::keyClick(quantity, Qt::Key_Return);
    ProcessEvents();
    EXPECT_EQ(form.GetLines()[1].quantity, 48u);

    Click(dialog, "1010");
    EXPECT_EQ(form.GetEnd(), BatchEditEnd::Save);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(StoreDlgsTest, PrintSendsTheSelectedBatchThroughThePrinter)
{
    auto* batch = dynamic_cast<CLabelBatchRec*>(
        TableOf<CLabelBatchTb>(CLabelBatchTb::kTableNo).GetOrAddRecord(4, CLabelBatchRec::kSize));
    batch->SetName("Bakery");
    std::vector<std::string> printed;
    EditLabelBatchesForm form(TableOf<CLabelBatchTb>(CLabelBatchTb::kTableNo));
    form.SetPrinter([&printed](const SendRequests& jobs) {
        for (const CSendDataLog& job : jobs)
            printed.push_back(std::to_string(job.m_tableId) + " " + std::to_string(job.m_rangeStart));
    });
    CEditLabelBatchesDlg dialog(form, {}, CodePage::Western);
    Show(dialog);
    EXPECT_EQ(Items(*Child<QListWidget>(dialog, "1003")), std::vector<std::string>{"Bakery"});
    Click(dialog, "1011");
    EXPECT_EQ(printed, std::vector<std::string>{"34 4"});
}

}  // namespace
}  // namespace varnel::test
