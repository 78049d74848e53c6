// Price Master Settings' "..." buttons over the open database: each opens its list in pick mode on
// the field's number, the number picked lands in the price master, and Escape keeps the field.
#include "ScaleDataDlgFixture.h"

#include "db/plu/PluFieldAccess.h"
#include "scaledata/PopMsgTb.h"
#include "scaledata/TrayTb.h"
#include "scaledata/ui/RuxPricePickers.h"
#include "settings/ui/EditRuxPrice.h"

#include <QTreeWidget>

namespace varnel::test {
namespace {

class RuxPricePickersTest : public ScaleDataDlgFixture {
protected:
    RuxPricePickersTest()
    {
        for (const std::uint16_t fieldNo : {1206, 1207, 1210}) {
            CLabProp& field = m_frame.AddFieldDef(FieldDefMap::RuxPrice, fieldNo);
            field.m_max = 9999;
            field.m_width = 4;
        }
        m_records[0][0] = 1;
    }
    void AddTray(std::uint32_t number, std::string_view name)
    {
        auto* tray =
            dynamic_cast<CTrayRec*>(TableOf<CTrayTb>(CTrayTb::kTableNo).GetOrAddRecord(number, CTrayRec::kSize));
        ASSERT_NE(tray, nullptr);
        tray->SetEditorDefaults();
        tray->Set(tray_columns::kName, name);
    }
    // What the list showed when it opened: its title, its number column and the selected row's number.
    struct Opened {
        std::string title;
        std::vector<std::string> numbers;
        std::string selected;
    };
    // Clicks the button; the list that opens picks the row of `number` (none: Escape).
    Opened Pick(QWidget& dialog, const char* button, std::optional<std::uint32_t> number)
    {
        Opened opened;
        WhenModalShows([&](QWidget& modal) {
            opened.title = modal.windowTitle().toStdString();
            auto* list = Child<QTreeWidget>(modal, "1009");
            for (int row = 0; row < list->topLevelItemCount(); ++row) {
                QTreeWidgetItem* item = list->topLevelItem(row);
                const std::string text = item->text(0).trimmed().toStdString();
                opened.numbers.push_back(text);
                if (item->isSelected()) opened.selected = text;
                if (number && item->text(0).trimmed().toUInt() == *number) {
                    list->setFocus();
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
                }
            }
            if (number) Click(modal, "1");
            else QTest::keyClick(&modal, Qt::Key_Escape);
        });
        Click(dialog, button);
        return opened;
    }
    RuxPriceDialogSite Site() const
    {
        return {m_frame.m_fieldDefs[static_cast<std::size_t>(FieldDefMap::RuxPrice)], false, false, CharRule{}};
    }
    static std::string Field(const QWidget& dialog, const char* name)
    {
        return Child<QLineEdit>(dialog, name)->text().toStdString();
    }

    EditRuxPriceForm::Records m_records{};
};

TEST_F(RuxPricePickersTest, EachButtonPicksFromItsListOnTheFieldsNumber)
{
    AddTray(3, "Small");
    AddTray(7, "Large");
    AddMessage(4, 9, "Nine");
    AddMessage(4, 12, "Twelve");
    auto* pop = dynamic_cast<CPopMsgRec*>(TableOf<CPopMsgTb>(37).GetOrAddRecord(2, CPopMsgRec::kSize));
    pop->SetText(Esc('C', '0') + "Offer");

    EditRuxPriceForm form(m_records, Site());
    RuxPricePickers pickers({m_database, {true, false, false}, CodePage::Western, nullptr});
    CEditRuxPrice dialog(form, pickers, CodePage::Western);
    Show(dialog);

    Opened trays = Pick(dialog, "pick129", 7);
    EXPECT_EQ(trays.numbers, (std::vector<std::string>{"0003", "0007"}));
    EXPECT_EQ(Field(dialog, "field1210"), "7");
    EXPECT_TRUE(form.IsModified());
    trays = Pick(dialog, "pick129", std::nullopt);
    EXPECT_EQ(trays.selected, "0007");  // the list opens on the field's tray
    EXPECT_EQ(Field(dialog, "field1210"), "7");

    const Opened messages = Pick(dialog, "pick126", 12);
    EXPECT_EQ(messages.title, "Select Extra Message");
    EXPECT_EQ(Field(dialog, "field1207"), "12");

    const Opened pops = Pick(dialog, "pick130", 2);
    EXPECT_FALSE(pops.numbers.empty());
    EXPECT_EQ(Field(dialog, "field1206"), "2");

    const auto value = [&form](std::uint16_t fieldNo) {
        for (const CLabProp& field : form.GetFields())
            if (field.m_fieldNo == fieldNo) return GetRuxPriceFieldValue(form.GetRecords()[0], field);
        return -1;
    };
    EXPECT_EQ(value(1210), 7);
    EXPECT_EQ(value(1207), 12);
    EXPECT_EQ(value(1206), 2);
}

}  // namespace
}  // namespace varnel::test
