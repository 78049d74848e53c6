// The price zone dialogs driven through their widgets.
#include "../SettingsListSite.h"
#include "settings/PriceZone.h"
#include "settings/ui/EditPriceZoneDlgs.h"
#include "support/ui/GuiTest.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace varnel {
namespace {

class EditPriceZoneDlgsTest : public test::GuiTest, public test::SettingsListSite {};

TEST_F(EditPriceZoneDlgsTest, AddAndDeleteThroughTheButtons)
{
    CPriceZoneList zones;
    zones.SetZone(3, "City");
    EditPriceZonesForm form(zones, m_log, CharRule{});
    CEditPriceZonesDlg dialog(form, CodePage::Western);
    dialog.show();
    QListWidget* list = test::Child<QListWidget>(dialog, "list");
    test::WhenModalShows([](QWidget& entry) {
        ASSERT_EQ(entry.objectName(), "editPriceZoneDialog");
        EXPECT_EQ(test::Child<QLineEdit>(entry, "name")->maxLength(), 12);
        QLineEdit* id = test::Child<QLineEdit>(entry, "zoneId");
        id->selectAll();
        QTest::keyClicks(id, "12");
        QTest::keyClicks(test::Child<QLineEdit>(entry, "name"), "Harbour");
        QTest::mouseClick(test::Child<QPushButton>(entry, "ok"), Qt::LeftButton);
    });
    QTest::mouseClick(test::Child<QPushButton>(dialog, "add"), Qt::LeftButton);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "0012  Harbour");
    EXPECT_EQ(list->currentRow(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QTest::mouseClick(test::Child<QPushButton>(dialog, "delete"), Qt::LeftButton);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "0012  Harbour");
    EXPECT_FALSE(zones.IsDefined(3));
}

}  // namespace
}  // namespace varnel
