// The PLU range profile and log range dialogs driven through their widgets.
#include "platform/OleDate.h"
#include "settings/LogViewRangeForm.h"
#include "settings/PluRangeProfileForm.h"
#include "settings/ui/LogDataSelDlg.h"
#include "settings/ui/PluRangeProfileDlgs.h"
#include "support/FakeClock.h"
#include "support/RecordingPrompt.h"
#include "support/ui/GuiTest.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace varnel {
namespace {

class PluRangeAndLogDlgsTest : public test::GuiTest {
protected:
    test::RecordingPrompt m_prompt;
};

// Fills "Set PLU Range" and presses OK.
void EnterRange(QWidget& entry, const char* from, const char* to, const char* comment)
{
    ASSERT_EQ(entry.objectName(), "setPluRangeDialog");
    for (const auto& [name, text] : {std::pair{"from", from}, std::pair{"to", to}, std::pair{"comment", comment}}) {
        QLineEdit* field = test::Child<QLineEdit>(entry, name);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    QTest::mouseClick(test::Child<QPushButton>(entry, "ok"), Qt::LeftButton);
}

TEST_F(PluRangeAndLogDlgsTest, RangesAreAddedEditedAndDeletedThroughTheButtons)
{
    CPluRangeList ranges;
    ranges.Append(CPluRange(10, 19, "Deli"));
    PluRangeProfileForm form(ranges, 999999, CharRule{});
    CEditPluRangeProfileDlg dialog(form, 6);
    dialog.show();
    QListWidget* list = test::Child<QListWidget>(dialog, "ranges");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "000010 000019 Deli");

    test::WhenModalShows([](QWidget& entry) {
        EXPECT_EQ(test::Child<QLineEdit>(entry, "from")->maxLength(), 6);
        EXPECT_EQ(test::Child<QLineEdit>(entry, "comment")->maxLength(), 80);
        EnterRange(entry, "200", "299", "Meat");
    });
    QTest::mouseClick(test::Child<QPushButton>(dialog, "add"), Qt::LeftButton);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "000200 000299 Meat");

    list->setCurrentRow(0);
    test::WhenModalShows([](QWidget& entry) { EnterRange(entry, "12", "15", "Deli"); });
    QTest::mouseClick(test::Child<QPushButton>(dialog, "edit"), Qt::LeftButton);
    EXPECT_EQ(list->item(0)->text(), "000012 000015 Deli");

    list->setCurrentRow(1);
    QTest::mouseClick(test::Child<QPushButton>(dialog, "delete"), Qt::LeftButton);
    ASSERT_EQ(form.GetRanges().GetCount(), 1u);
    EXPECT_EQ(form.GetRanges().GetAt(0).m_from, 12u);
}

TEST_F(PluRangeAndLogDlgsTest, AFromAboveToKeepsSetPluRangeOpen)
{
    CSetPluRangeDlg entry(1, 1, "", 6);
    entry.show();
    QLineEdit* from = test::Child<QLineEdit>(entry, "from");
    from->setText("50");
    test::Child<QLineEdit>(entry, "to")->setText("40");
    QTest::mouseClick(test::Child<QPushButton>(entry, "ok"), Qt::LeftButton);
    EXPECT_TRUE(entry.isVisible());
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61231}));
}

TEST_F(PluRangeAndLogDlgsTest, TheLogRangeTakesTheContentAndTheDaysShown)
{
    test::FakeClock clock{DateTimeParts{2026, 3, 9, 10, 0, 0}};
    LogViewRangeForm form(clock, 30);
    CLogDataSelDlg dialog(form);
    dialog.show();
    QDateEdit* from = test::Child<QDateEdit>(dialog, "from");
    QDateEdit* to = test::Child<QDateEdit>(dialog, "to");
    EXPECT_EQ(from->date(), QDate(2026, 1, 31)) << "keep days and a week before now";
    QTest::mouseClick(test::Child<QPushButton>(dialog, "lastSevenDays"), Qt::LeftButton);
    EXPECT_EQ(from->date(), QDate(2026, 3, 2));
    EXPECT_EQ(to->date(), QDate(2026, 3, 9));
    QTest::mouseClick(test::Child<QRadioButton>(dialog, "priceChanges"), Qt::LeftButton);
    QTest::mouseClick(test::Child<QPushButton>(dialog, "ok"), Qt::LeftButton);

    EXPECT_EQ(form.GetContent(), 4);
    EXPECT_EQ(OleDateToParts(form.ViewFrom()), (DateTimeParts{2026, 3, 2, 0, 0, 0}));
    EXPECT_EQ(OleDateToParts(form.ViewTo()), (DateTimeParts{2026, 3, 9, 23, 59, 59}));
}

}  // namespace
}  // namespace varnel
