// The operator dialogs driven through their widgets, over the list a frame keeps.
#include "../SettingsListSite.h"
#include "settings/OperatorList.h"
#include "settings/ui/EditOperatorDlgs.h"
#include "support/ui/GuiTest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace varnel {
namespace {

class EditOperatorDlgsTest : public test::GuiTest, public test::SettingsListSite {
protected:
    EditOperatorDlgsTest()
    {
        m_frame.m_setup.m_defaultScaleFamily = 10;
        m_frame.SelectScaleFontSet();
        auto op = std::make_unique<COperator>();
        op->m_id = 5;
        op->m_name = "Anna";
        m_operators.SetOperator(std::move(op));
    }

    OperatorEntrySite Site() const
    {
        return OperatorEntrySite::Of(m_frame.m_setup, true, m_frame.m_scaleFonts, {});
    }
    static QStringList Rows(const QWidget& dialog)
    {
        QStringList rows;
        const QListWidget* list = test::Child<QListWidget>(dialog, "list");
        for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
        return rows;
    }
    static void Click(const QWidget& dialog, const char* button)
    {
        QTest::mouseClick(test::Child<QPushButton>(dialog, button), Qt::LeftButton);
    }
    static void Type(QWidget& dialog, const char* field, const QString& text)
    {
        QLineEdit* edit = test::Child<QLineEdit>(dialog, field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    COperatorList m_operators;
};

TEST_F(EditOperatorDlgsTest, AddTypesAnOperatorIntoTheEntryAndTheListShowsIt)
{
    EditOperatorsForm form(m_operators, m_frame, m_frame.m_setup, m_log, Site(), false);
    CEditOperatorsDlg dialog(form, CodePage::Western);
    dialog.show();
    EXPECT_EQ(Rows(dialog), QStringList{"05  Anna"});
    test::WhenModalShows([](QWidget& entry) {
        ASSERT_EQ(entry.objectName(), "editOperatorDialog");
        EXPECT_EQ(entry.windowTitle(), "Edit Operator");
        EXPECT_FALSE(test::Child<QComboBox>(entry, "font")->isEnabled());
        EXPECT_TRUE(test::Child<QLineEdit>(entry, "password")->isEnabled());
        EXPECT_EQ(test::Child<QLineEdit>(entry, "password")->maxLength(), 6);
        Type(entry, "operatorId", "12x");  // digits only
        Type(entry, "name", "Cy");
        Type(entry, "password", "4711");
        Type(entry, "logoffTimer", "30");
        test::Child<QComboBox>(entry, "accessLevel")->setCurrentIndex(2);
        Click(entry, "ok");
    });
    Click(dialog, "add");
    EXPECT_EQ(Rows(dialog), (QStringList{"05  Anna", "12  Cy"}));
    EXPECT_EQ(test::Child<QListWidget>(dialog, "list")->currentRow(), 1);
    const COperator* cy = m_operators.Find(12);
    ASSERT_NE(cy, nullptr);
    EXPECT_EQ(cy->m_password, "4711");
    EXPECT_EQ(cy->m_logoffTimer, 30);
    EXPECT_EQ(cy->m_accessLevel, 2);
    ASSERT_EQ(m_document.m_sends.size(), 1u);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup modified - Operator :  ID=12 : Cy"});
}

TEST_F(EditOperatorDlgsTest, AnIdOutOfRangeKeepsTheEntryOpenAndADoubleClickEdits)
{
    EditOperatorsForm form(m_operators, m_frame, m_frame.m_setup, m_log, Site(), false);
    CEditOperatorsDlg dialog(form, CodePage::Western);
    dialog.show();
    QListWidget* list = test::Child<QListWidget>(dialog, "list");
    test::WhenModalShows([this](QWidget& entry) {
        EXPECT_EQ(test::Child<QLineEdit>(entry, "name")->text(), "Anna");
        Type(entry, "operatorId", "0");
        Click(entry, "ok");
        EXPECT_TRUE(entry.isVisible());
        EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{0});  // the range message
        Type(entry, "operatorId", "6");
        Click(entry, "ok");
    });
    const QPoint row = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
    EXPECT_EQ(Rows(dialog), QStringList{"06  Anna"});
    EXPECT_EQ(m_operators.Find(5), nullptr);
}

TEST_F(EditOperatorDlgsTest, InPickModeOkReadsSelectAndTheOtherButtonsAreOff)
{
    EditOperatorsForm form(m_operators, m_frame, m_frame.m_setup, m_log, Site(), true);
    CEditOperatorsDlg dialog(form, CodePage::Western);
    dialog.show();
    EXPECT_EQ(test::Child<QPushButton>(dialog, "ok")->text(), "Select");
    for (const char* button : {"add", "edit", "delete"}) EXPECT_FALSE(test::Child<QPushButton>(dialog, button)->isEnabled());
    Click(dialog, "ok");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.GetPicked(), 5u);
}

TEST_F(EditOperatorDlgsTest, DeleteAsksAndEmptiesTheList)
{
    EditOperatorsForm form(m_operators, m_frame, m_frame.m_setup, m_log, Site(), false);
    CEditOperatorsDlg dialog(form, CodePage::Western);
    dialog.show();
    Click(dialog, "delete");
    EXPECT_TRUE(Rows(dialog).isEmpty());
    EXPECT_TRUE(m_operators.GetOperators().empty());
    Click(dialog, "ok");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace varnel
