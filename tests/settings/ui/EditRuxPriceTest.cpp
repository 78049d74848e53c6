// The price master dialog driven through its widgets: an edit taken when the tab changes, a refused
// value, a combo re-showing the unit price, "Use Price" and the copy from the one other master.
#include "db/plu/PluFieldAccess.h"
#include "settings/ui/EditRuxPrice.h"
#include "support/RecordingPrompt.h"
#include "support/TestMainFrame.h"
#include "support/ui/GuiTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace varnel {
namespace {

class EditRuxPriceTest : public test::GuiTest {
protected:
    EditRuxPriceTest()
    {
        CLabProp& salesMode = Define(1211, 0, 1);
        salesMode.AddValue(std::make_unique<CPropValue>("Weighed", 0));
        salesMode.AddValue(std::make_unique<CPropValue>("Fixed", 1));
        Define(1200, 0, 999999).m_decimals = 2;
        Define(1205, 0, 9999);
        m_records[0][0] = 1;
    }
    CLabProp& Define(std::uint16_t fieldNo, std::int32_t min, std::int32_t max)
    {
        CLabProp& field = m_frame.AddFieldDef(FieldDefMap::RuxPrice, fieldNo);
        field.m_min = min;
        field.m_max = max;
        field.m_width = 6;
        return field;
    }
    static void Type(QWidget& dialog, const char* name, const char* text)
    {
        QLineEdit* edit = test::Child<QLineEdit>(dialog, name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    test::TestMainFrame m_frame;
    test::RecordingPrompt m_prompt;
    EditRuxPriceForm::Records m_records{};
    struct NoLists final : IRuxPricePickers {
    } m_pickers;
};

TEST_F(EditRuxPriceTest, AnEditIsTakenBeforeTheTabChangesAndARefusedValueKeepsTheFocus)
{
    const RuxPriceDialogSite site{m_frame.m_fieldDefs[static_cast<std::size_t>(FieldDefMap::RuxPrice)], false, true,
                                  CharRule{}};
    EditRuxPriceForm form(m_records, site);
    CEditRuxPrice dialog(form, m_pickers, CodePage::Western);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QTabBar* tabs = test::Child<QTabBar>(dialog, "tabs");
    EXPECT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->tabText(4), "Price Master #5");
    EXPECT_FALSE(test::Child<QCheckBox>(dialog, "usePrice")->isEnabled());
    EXPECT_FALSE(test::Child<QPushButton>(dialog, "copyPriceInfo")->isEnabled());
    EXPECT_EQ(test::Child<QLineEdit>(dialog, "field1200")->text(), "0.000");  // weighed: an extra decimal

    Type(dialog, "field1205", "12345");
    test::Child<QLineEdit>(dialog, "field1200")->setFocus();
    EXPECT_EQ(m_prompt.m_texts.back(), "The specified value is outside the allowed range. (Min = 0, Max = 9999)");
    EXPECT_FALSE(form.IsModified());
    EXPECT_TRUE(test::Child<QLineEdit>(dialog, "field1205")->hasFocus());  // the refused edit keeps the focus

    Type(dialog, "field1205", "0");  // its old value again: nothing changes
    Type(dialog, "field1200", "1.5");
    tabs->setCurrentIndex(2);
    EXPECT_TRUE(form.IsModified());
    EXPECT_EQ(form.GetRecords()[0][32], 0xDC);  // 1.500 is 1500
    EXPECT_EQ(form.GetRecords()[0][33], 0x05);
    EXPECT_FALSE(test::Child<QLineEdit>(dialog, "field1200")->isEnabled());
    QTest::mouseClick(test::Child<QCheckBox>(dialog, "usePrice"), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_TRUE(test::Child<QLineEdit>(dialog, "field1200")->isEnabled());
    EXPECT_TRUE(test::Child<QPushButton>(dialog, "copyPriceInfo")->isEnabled());
    QTest::mouseClick(test::Child<QPushButton>(dialog, "copyPriceInfo"), Qt::LeftButton);
    EXPECT_EQ(form.GetRecords()[2], form.GetRecords()[0]);
    EXPECT_EQ(test::Child<QLineEdit>(dialog, "field1200")->text(), "1.500");
}

TEST_F(EditRuxPriceTest, ChangingTheSalesModeShowsTheUnitPriceWithItsDecimals)
{
    m_records[0][32] = 0xDC;
    m_records[0][33] = 0x05;
    const RuxPriceDialogSite site{m_frame.m_fieldDefs[static_cast<std::size_t>(FieldDefMap::RuxPrice)], false, true,
                                  CharRule{}};
    EditRuxPriceForm form(m_records, site);
    CEditRuxPrice dialog(form, m_pickers, CodePage::Western);
    dialog.show();
    EXPECT_EQ(test::Child<QLineEdit>(dialog, "field1200")->text(), "1.500");
    QComboBox* salesMode = test::Child<QComboBox>(dialog, "field1211");
    salesMode->setFocus();
    QTest::keyClick(salesMode, Qt::Key_Down);
    EXPECT_EQ(test::Child<QLineEdit>(dialog, "field1200")->text(), "15.00");
    // Closing any way ends as Close.
    dialog.reject();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace varnel
