#include "settings/DefLineFontsForm.h"
#include "settings/ui/DefLineFontsDlg.h"
#include "support/ui/GuiTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace varnel {
namespace {

class DefLineFontsDlgTest : public test::GuiTest {
protected:
    DefLineFontsDlgTest()
    {
        CDefLineFont fonts;
        for (auto& set : fonts.m_positions) set.fill(1);
        m_sets = ReadLineFontSets(fonts);
    }
    const std::vector<std::string> m_fonts = {"S1", "S2", "M1", "L1"};
    std::array<DefLineFontsForm::FontSet, DefLineFontsForm::kSets> m_sets;
};

TEST_F(DefLineFontsDlgTest, TheBoxEnablesLinesTwoToTenAndRenamesTheFirst)
{
    DefLineFontsForm form(m_sets, {false, false, false});
    CDefLineFontsDlg dialog(form, m_fonts);
    dialog.show();
    QLabel* first = nullptr;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text() == "All Lines:") first = label;
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(test::Child<QComboBox>(dialog, "line1")->isEnabled());
    EXPECT_FALSE(test::Child<QComboBox>(dialog, "line2")->isEnabled());
    QCheckBox* box = test::Child<QCheckBox>(dialog, "useDefaultLineFonts");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    EXPECT_EQ(first->text(), "Line 1:");
    EXPECT_TRUE(test::Child<QComboBox>(dialog, "line10")->isEnabled());
}

TEST_F(DefLineFontsDlgTest, ChangingTabsKeepsEachSetsLines)
{
    DefLineFontsForm form(m_sets, {false, false, true});
    CDefLineFontsDlg dialog(form, m_fonts);
    dialog.show();
    QTabBar* tabs = test::Child<QTabBar>(dialog, "sets");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(2), "Coupons");
    test::Child<QComboBox>(dialog, "line1")->setCurrentIndex(3);
    tabs->setCurrentIndex(2);
    EXPECT_EQ(test::Child<QComboBox>(dialog, "line1")->currentIndex(), 1);
    test::Child<QComboBox>(dialog, "line1")->setCurrentIndex(2);
    tabs->setCurrentIndex(0);
    EXPECT_EQ(test::Child<QComboBox>(dialog, "line1")->currentIndex(), 3);
    QTest::mouseClick(test::Child<QPushButton>(dialog, "ok"), Qt::LeftButton);
    EXPECT_EQ(form.GetSets()[0].entries[0], 3);
    EXPECT_EQ(form.GetSets()[4].entries[0], 2);
    EXPECT_EQ(form.GetSets()[1].entries[0], 1);
}

}  // namespace
}  // namespace varnel
