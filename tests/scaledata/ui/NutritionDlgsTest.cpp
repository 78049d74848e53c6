// The nutrition dialogs on screen, driven through their real widgets: the panel's texts and unit
// lists, the facts of one PLU (ranges, Select..., a PLU with a row of its own) and of a shared row
// (Assign, Remove, OK with no PLU left), and custom nutrition's edits checked as they are left with
// Tab and as OK is pressed; every refusal keeps the dialog open with the focus on the failing control.
#include "../NutritionTestRows.h"
#include "ScaleDataDlgFixture.h"

#include "scaledata/CustomNutrForm.h"
#include "scaledata/NutrFactsForm.h"
#include "scaledata/NutrPanelForm.h"
#include "scaledata/ui/NutritionDlgs.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace varnel::test {
namespace {

class NutritionDlgsTest : public ScaleDataDlgFixture {
protected:
    NutritionDlgsTest()
    {
        for (const auto& [number, name] :
             {std::pair{5u, "BEEF"}, std::pair{6u, "LAMB"}, std::pair{7u, "VEAL"}, std::pair{9u, "PORK"}})
            AddNamedPlu(Plus(), number, name);
    }

    CNutritionTb& Nutrition() { return TableOf<CNutritionTb>(CNutritionTb::kTableNo); }
    CPluDefTb& Plus() { return *m_database.GetPluTable(); }

    static void Activate(QDialog& dialog)
    {
        Show(dialog);
        QApplication::setActiveWindow(&dialog);
        ProcessEvents();
    }
    static void Tab()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ProcessEvents();
    }
    static void TypeInto(const QWidget& dialog, const char* id, const QString& text)
    {
        Child<QLineEdit>(dialog, id)->setFocus();
        SetText(dialog, id, text);
    }
    static QString Text(const QWidget& dialog, const char* id)
    {
        if (auto* edit = dialog.findChild<QLineEdit*>(id)) return edit->text();
        return Child<QLabel>(dialog, id)->text();
    }
    static QStringList Items(const QListWidget& list)
    {
        QStringList items;
        for (int row = 0; row < list.count(); ++row) items << list.item(row)->text();
        return items;
    }
    static QString Focused() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : ""; }

    std::uint32_t m_pick = 0;
    PluPicker m_picker = [this](std::uint32_t) { return std::optional<std::uint32_t>(m_pick); };
};

TEST_F(NutritionDlgsTest, ThePanelTakesItsTextsAndUnitsAndRefusesAPluNumberOutOfRange)
{
    PanelNutrition values;
    values.plu = 12;
    NutrPanelForm form(&Nutrition(), values);
    CNutrPanelDlg dialog(form, m_picker, CodePage::Western);
    Show(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Nutrition");
    EXPECT_EQ(Text(dialog, "1467"), "12");
    EXPECT_EQ(Child<QComboBox>(dialog, "1134")->currentText(), "g");
    EXPECT_EQ(dialog.findChild<QComboBox*>("0"), nullptr);  // energy has no unit lists

    m_pick = 40;
    Click(dialog, "1271");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61398});

    SetText(dialog, "1103", "2");
    SetText(dialog, "1104", "250 g");
    SetText(dialog, "1110", "Dietary fibre, total");
    SetText(dialog, "1123", "480");
    Child<QComboBox>(dialog, "1134")->setCurrentIndex(0);
    SetText(dialog, "1467", "0");
    Click(dialog, "ok");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Focused(), "1467");
    SetText(dialog, "1467", "12");
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
    const PanelNutrient& sodium = form.Values().nutrients[PanelSodium - 1];
    EXPECT_EQ(sodium.perServe, "480");
    EXPECT_EQ(sodium.unitServe, 0);  // "mg"
    EXPECT_EQ(form.Values().nutrients[PanelSugars - 1].unitServe, 1);
    EXPECT_EQ(form.Values().serveSize, "250 ");
    EXPECT_EQ(form.Values().serveCont, "2");
    EXPECT_EQ(form.Values().extra1, "Dietary fibre,");
}

TEST_F(NutritionDlgsTest, FactsOfOnePluCheckTheRangesAndAskBeforeTakingAPluWithARow)
{
    AddStandardRow(Nutrition(), 6, 100, 0);
    NutrFactsForm form(&Plus(), &Nutrition(), CNutritionRec().GetValues(), 5);
    CNutrFactsDlg dialog(form, m_picker, CodePage::Western);
    Show(dialog);
    EXPECT_EQ(Text(dialog, "103"), "5");
    EXPECT_EQ(Text(dialog, "1208"), "BEEF");
    EXPECT_EQ(dialog.findChild<QListWidget*>("1052"), nullptr);

    SetText(dialog, "104", "1000");
    SetText(dialog, "1188", "999");
    SetText(dialog, "106", "12g");
    m_pick = 6;
    Click(dialog, "1270");
    EXPECT_EQ(Text(dialog, "1208"), "LAMB");
    EXPECT_EQ(Text(dialog, "104"), "1000");  // what was typed stays

    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    Click(dialog, "ok");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61393});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Focused(), "103");
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(form.GetPluNumber(), 6u);
    EXPECT_EQ(form.Values().calories, 1000);
    EXPECT_EQ(form.Values().nutrients[0].percent, 999);
    EXPECT_EQ(form.Values().nutrients[0].content, "12g");
}

TEST_F(NutritionDlgsTest, ACaloriesValueOutOfRangeKeepsTheFocusOnIt)
{
    NutrFactsForm form(&Plus(), &Nutrition(), CNutritionRec().GetValues(), 5);
    CNutrFactsDlg dialog(form, m_picker, CodePage::Western);
    Show(dialog);
    auto* calories = Child<QLineEdit>(dialog, "104");
    EXPECT_EQ(calories->maxLength(), 4);
    SetText(dialog, "105", "x");
    Click(dialog, "ok");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Focused(), "105");
}

TEST_F(NutritionDlgsTest, ASharedRowListsItsPlusInOrderGivesOneARowOfItsOwnAndAsksWhenNoneIsLeft)
{
    NutrFactsForm form(&Plus(), &Nutrition(), CNutritionRec().GetValues(), 1, {9, 5}, 9);
    CNutrFactsDlg dialog(form, m_picker, CodePage::Western);
    Show(dialog);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("103"), nullptr);
    auto* list = Child<QListWidget>(dialog, "1052");
    EXPECT_EQ(Items(*list), (QStringList{"5 BEEF", "9 PORK"}));
    EXPECT_EQ(list->currentRow(), 1);

    m_pick = 7;
    Click(dialog, "1270");
    EXPECT_EQ(Items(*list), (QStringList{"5 BEEF", "7 VEAL", "9 PORK"}));
    EXPECT_EQ(list->currentRow(), 1);
    m_pick = 5;
    Click(dialog, "1270");
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentRow(), 0);

    // New Nutrition gives the selected PLU a row of its own (after 31471) and leaves it alone listed.
    list->setCurrentRow(2);
    Click(dialog, "3");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31471});
    EXPECT_EQ(Items(*list), QStringList{"9 PORK"});
    EXPECT_EQ(form.GetNutritionNumber(), 9u);
    EXPECT_FALSE(Child<QPushButton>(dialog, "3")->isEnabled());
    Click(dialog, "1271");
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(Child<QPushButton>(dialog, "1271")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(dialog, "3")->isEnabled());
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    Click(dialog, "ok");
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{31471, 31470}));
    EXPECT_TRUE(dialog.isVisible());
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(form.GetAssignedPlus().empty());
}

class CustomNutrDlgTest : public NutritionDlgsTest {
protected:
    CustomNutrDlgTest() { DefineCustomNutrition(m_frame); }
};

TEST_F(CustomNutrDlgTest, EditsAreCheckedAsTheyAreLeftAndAsOkIsPressed)
{
    StandardNutrition values = CNutritionRec().GetValues();
    CustomNutrForm::ApplyDefaults(m_frame.GetFieldDefMap(FieldDefMap::Nutrition), values);
    CustomNutrForm form(&Plus(), &Nutrition(), values, 5);
    CCustomNutr dialog(form, m_picker, CodePage::Western);
    Activate(dialog);
    EXPECT_EQ(Text(dialog, "1464"), "BEEF");
    EXPECT_EQ(Text(dialog, "1800"), "10");
    EXPECT_EQ(Child<QComboBox>(dialog, "1902")->count(), 2);

    // Letters are not typed; a value above the maximum is refused as the edit is left with Tab.
    TypeInto(dialog, "1801", "6x00.0");
    EXPECT_EQ(Text(dialog, "1801"), "600.0");
    Tab();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61237});
    EXPECT_EQ(Focused(), "1801");
    EXPECT_EQ(Text(dialog, "1801"), "0.0");
    SetText(dialog, "1801", "12.5");
    Tab();
    EXPECT_EQ(form.Values().calories, 125);
    EXPECT_EQ(Focused(), "1902");
    Child<QComboBox>(dialog, "1902")->setCurrentIndex(1);

    // Leaving the list for another edit hands it over.
    TypeInto(dialog, "1800", "42");
    EXPECT_EQ(form.Values().nutrients[1].percent, 2);

    // OK checks the edit that has the focus the same way, and stays open when it refuses it.
    TypeInto(dialog, "1801", "700.0");
    EXPECT_EQ(form.Values().energyKj, 42);
    Click(dialog, "ok");
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61237, 61237}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Focused(), "1801");
    EXPECT_EQ(Text(dialog, "1801"), "12.5");
    SetText(dialog, "1801", "20.0");
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(form.Values().calories, 200);
    EXPECT_EQ(form.Values().plu, 5u);
}

}  // namespace
}  // namespace varnel::test
