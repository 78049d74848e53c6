#include "db/ui/FieldSetupDlgs.h"

#include "support/RecordingPrompt.h"
#include "support/ui/GuiTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace varnel {
namespace {

class FieldSetupDlgsTest : public test::GuiTest {
protected:
    FieldSetupDlgsTest()
    {
        for (const auto& [key, fieldNo, name] :
             {std::tuple{1, 1001, "PLU Code"}, std::tuple{2, 1005, "Unit Price"}, std::tuple{3, 1013, "Shelf Life"}}) {
            auto definition = std::make_unique<CLabProp>();
            definition->m_key = static_cast<std::uint16_t>(key);
            definition->m_fieldNo = static_cast<std::uint16_t>(fieldNo);
            definition->m_name = name;
            definition->m_display = 0;
            definition->m_width = 6;
            m_definitions[definition->m_key] = std::move(definition);
        }
    }
    static void Click(QWidget& dialog, const char* name)
    {
        QAbstractButton* button = test::Child<QAbstractButton>(dialog, name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    static void Type(QWidget& dialog, const char* name, const char* text)
    {
        QLineEdit* edit = test::Child<QLineEdit>(dialog, name);
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    test::RecordingPrompt m_prompt;
    CLabPropMap m_definitions;
};

TEST_F(FieldSetupDlgsTest, TheGridShowsTheFlagsAndOkStoresTheBoxes)
{
    FieldSetupForm form(m_definitions, kPluFieldRange);
    CPluFieldSetupDlg dialog(form, CodePage::Western);
    dialog.show();
    EXPECT_TRUE(test::Child<QCheckBox>(dialog, "display1")->isChecked());
    EXPECT_FALSE(test::Child<QCheckBox>(dialog, "display1")->isEnabled());
    EXPECT_TRUE(test::Child<QCheckBox>(dialog, "print1")->isChecked());
    Click(dialog, "display2");
    Click(dialog, "print3");
    Click(dialog, "ok");
    EXPECT_EQ(form.GetDefinitions().at(2)->m_display, 1);
    EXPECT_EQ(form.GetDefinitions().at(3)->m_print, 1);
    EXPECT_EQ(form.GetDefinitions().at(1)->m_display, 1);
}

TEST_F(FieldSetupDlgsTest, ClearAllClearsEveryBoxButThePluCodes)
{
    m_definitions.at(2)->m_display = 1;
    FieldSetupForm form(m_definitions, kPluFieldRange);
    CPluFieldSetupDlg dialog(form, CodePage::Western);
    dialog.show();
    QTest::mouseClick(test::Child<QPushButton>(dialog, "clearAll"), Qt::LeftButton);
    EXPECT_FALSE(test::Child<QCheckBox>(dialog, "display2")->isChecked());
    EXPECT_TRUE(test::Child<QCheckBox>(dialog, "display1")->isChecked());
}

TEST_F(FieldSetupDlgsTest, AFieldAddedInTheAdvancedDialogGetsItsRowInTheGrid)
{
    FieldSetupForm form(m_definitions, kPluFieldRange);
    CPluFieldSetupDlg dialog(form, CodePage::Western);
    dialog.show();
    test::WhenModalShows([](QWidget& advanced) {
        ASSERT_EQ(advanced.objectName(), "advFieldSetupDialog");
        test::WhenModalShows([](QWidget& edit) {
            ASSERT_EQ(edit.objectName(), "editPluFieldDialog");
            Type(edit, "name", "Tare");
            test::Child<QComboBox>(edit, "fieldType")->setCurrentIndex(10);
            Type(edit, "minimum", "50");
            Type(edit, "maximum", "10");
            Type(edit, "width", "29");
            QTest::mouseClick(test::Child<QPushButton>(edit, "ok"), Qt::LeftButton);
            EXPECT_TRUE(edit.isVisible());  // the width is out of range
            Type(edit, "width", "4");
            QTest::mouseClick(test::Child<QPushButton>(edit, "ok"), Qt::LeftButton);
        });
        QTest::mouseClick(test::Child<QPushButton>(advanced, "add"), Qt::LeftButton);
        EXPECT_EQ(test::Child<QListWidget>(advanced, "definitions")->count(), 4);
        QTest::mouseClick(test::Child<QPushButton>(advanced, "ok"), Qt::LeftButton);
    });
    QTest::mouseClick(test::Child<QPushButton>(dialog, "advanced"), Qt::LeftButton);
    EXPECT_EQ(m_prompt.m_texts, (std::vector<std::string>{"Please enter an integer between 1 and 28."}));
    const CLabProp& added = *form.GetDefinitions().at(4);
    EXPECT_EQ(added.m_fieldNo, 1010);
    EXPECT_EQ(added.m_min, 10);
    EXPECT_EQ(added.m_max, 50);
    EXPECT_EQ(test::Child<QCheckBox>(dialog, "display4")->text(), "Tare");
}

TEST_F(FieldSetupDlgsTest, PluFieldsGivesTheSelectedDefinition)
{
    CPluFieldsDlg dialog(m_definitions, {1002, 1102}, CodePage::Western);
    dialog.show();
    QListWidget* list = test::Child<QListWidget>(dialog, "definitions");
    ASSERT_EQ(list->count(), 2);
    list->setCurrentRow(1);
    QTest::mouseClick(test::Child<QPushButton>(dialog, "select"), Qt::LeftButton);
    ASSERT_NE(dialog.GetChosen(), nullptr);
    EXPECT_EQ(dialog.GetChosen()->m_name, "Shelf Life");
}

TEST_F(FieldSetupDlgsTest, NamesAreShownAndStoredInTheCodePageGiven)
{
    const std::pair<CodePage, char16_t> cases[] = {{CodePage::Thai, u'\u0E01'}, {CodePage::Western, u'\u00A1'}};
    for (const auto& [codePage, shown] : cases) {
        CPropValue value("\xA1", 1);
        CSetPropValueDlg dialog(value, codePage);
        dialog.show();
        QLineEdit* text = test::Child<QLineEdit>(dialog, "text");
        EXPECT_EQ(text->text(), QString(QChar(shown))) << static_cast<int>(codePage);
        text->setText(text->text() + text->text());
        QTest::mouseClick(test::Child<QPushButton>(dialog, "ok"), Qt::LeftButton);
        EXPECT_EQ(value.m_text, "\xA1\xA1") << static_cast<int>(codePage);
    }
}

}  // namespace
}  // namespace varnel
