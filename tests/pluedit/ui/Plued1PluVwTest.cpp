// The PLU edit window on screen, driven by its real widgets: the generated fields and their labels,
// Next and Prev, the tabs of a layout with two pages, a picker, the price zone selector, the
// description length combo and what the numeric edits let through.
#include "../PluEditFixture.h"

#include "db/plu/PluPriceZoneTb.h"
#include "pluedit/ui/DeptCombo.h"
#include "pluedit/ui/EditPriceZoneValues.h"
#include "pluedit/ui/Plued1PluVw.h"
#include "support/DeptCodes.h"
#include "support/ui/GuiTest.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <tuple>

namespace varnel::test {
namespace {

class Plued1PluVwTest : public GuiTest, public PluEditFixture {
protected:
    void SetUp() override { Open(".pld"); }

    CPlued1PluVw& View(std::uint32_t pluNumber)
    {
        m_view = std::make_unique<CPlued1PluVw>(NewForm(), CodePage::Western);
        m_document.showNext = pluNumber;
        m_view->OnUpdate();
        m_view->show();
        ProcessEvents();
        return *m_view;
    }
    QString FieldText(const char* name) { return Child<QLineEdit>(*m_view, name)->text(); }
    void Click(const char* name) { QTest::mouseClick(Child<QPushButton>(*m_view, name), Qt::LeftButton); }

    std::unique_ptr<CPlued1PluVw> m_view;
};

TEST_F(Plued1PluVwTest, ShowsTheGeneratedFieldsAndMovesWithNextAndPrev)
{
    AddPlu(5).Set(PluCol::UnitPrice, 250);
    AddPlu(9).Set(PluCol::UnitPrice, 999);
    CPlued1PluVw& view = View(5);

    EXPECT_EQ(Child<QLineEdit>(view, "103")->text(), "5");
    EXPECT_EQ(FieldText("field1005"), "2.50");
    EXPECT_EQ(Child<QLabel>(view, "label1005")->text(), "Unit Price");
    EXPECT_EQ(Child<QComboBox>(view, "field1002")->currentText(), "By Weight");
    EXPECT_FALSE(Child<QPushButton>(view, "1117")->isEnabled());
    EXPECT_FALSE(Child<QTabBar>(view, "116")->isVisible());
    for (const QWidget* widget : view.findChildren<QWidget*>(QRegularExpression("^(field|label)")))
        EXPECT_TRUE(view.rect().contains(widget->geometry())) << widget->objectName().toStdString();

    Click("1118");
    EXPECT_EQ(Child<QLineEdit>(view, "103")->text(), "9");
    EXPECT_EQ(FieldText("field1005"), "9.99");
    EXPECT_FALSE(Child<QPushButton>(view, "1118")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(view, "1117")->isEnabled());
    Click("1117");
    EXPECT_EQ(Child<QLineEdit>(view, "103")->text(), "5");

    QSignalSpy closing(&view, &CPlued1PluVw::closeRequested);
    Click("1116");
    EXPECT_EQ(closing.count(), 1);
}

TEST_F(Plued1PluVwTest, TabsShowOnePageAtATime)
{
    m_settings.layoutKind = 3;
    CLabProp& advanced = m_frame.AddFieldDef(FieldDefMap::Plu2, 1036);
    advanced.m_name = "Upper Limit";
    advanced.m_width = 5;
    advanced.m_max = 99999;
    AddPlu(1);
    CPlued1PluVw& view = View(1);

    auto* tabs = Child<QTabBar>(view, "116");
    ASSERT_TRUE(tabs->isVisible());
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "Common Settings");
    EXPECT_EQ(tabs->tabText(1), "Advanced Settings");
    EXPECT_TRUE(Child<QWidget>(view, "field1005")->isVisible());
    EXPECT_FALSE(Child<QWidget>(view, "field1036")->isVisible());

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(m_form->GetCurrentPage(), 1u);
    EXPECT_FALSE(Child<QWidget>(view, "field1005")->isVisible());
    EXPECT_TRUE(Child<QWidget>(view, "label1036")->isVisible());
    EXPECT_TRUE(Child<QWidget>(view, "field1036")->isVisible());
}

TEST_F(Plued1PluVwTest, APickerStoresTheNumberChosen)
{
    AddPlu(3);
    CPlued1PluVw& view = View(3);
    m_services.m_pick = 17;
    Click("picker103");
    EXPECT_EQ(FieldText("field1018"), "17");
    m_services.m_pick.reset();
    Click("picker103");
    EXPECT_EQ(FieldText("field1018"), "17");
    EXPECT_EQ(m_services.m_picks.size(), 2u);
    (void)view;
}

TEST_F(Plued1PluVwTest, TheZoneSelectorShowsTheZonesValues)
{
    m_frame.m_priceZones.SetZone(4, "Harbour");
    m_frame.m_priceZoneFields = {1005};
    m_frame.m_setup.m_priceZoneMode = 2;
    m_settings.headOffice = true;
    CPluDefRec& row = AddPlu(2);
    row.Set(PluCol::UnitPrice, 100);
    auto* zones = dynamic_cast<CPluPriceZoneTb*>(m_db.GetTable(CPluPriceZoneTb::kTableNo));
    ASSERT_TRUE(zones->WritePlu(2, {{4, 1005, 175}}, &row));
    CPlued1PluVw& view = View(2);

    EXPECT_TRUE(Child<QLabel>(view, "1401")->isVisible());
    EXPECT_EQ(Child<QLabel>(view, "label1005")->text(), "*Unit Price");
    auto* zone = Child<QComboBox>(view, "1393");
    ASSERT_EQ(zone->count(), 2);
    EXPECT_EQ(FieldText("field1005"), "1.00");
    zone->setFocus();
    QTest::keyClick(zone, Qt::Key_Down);
    EXPECT_EQ(m_document.lastZone, 4);
    EXPECT_EQ(FieldText("field1005"), "1.75");
}

TEST_F(Plued1PluVwTest, ADepartmentChosenRefillsTheGroups)
{
    Define(1014, 0, 3, 999);
    Define(1015, 0, 3, 999);
    m_settings.deptGroupSearch = true;
    m_deptCodes.Add(MakeDeptCode(1, "Meat", {{1, "Beef"}, {2, "Lamb"}}));
    m_deptCodes.Add(MakeDeptCode(4, "Deli", {{7, "Ham"}}));
    CPluDefRec& row = AddPlu(2);
    row.Set(PluCol::Dept, std::uint16_t{1});
    row.Set(PluCol::Group, std::uint16_t{2});
    CPlued1PluVw& view = View(2);

    auto* department = Child<CDeptCombo>(view, "field1014");
    auto* group = Child<CDeptCombo>(view, "field1015");
    EXPECT_EQ(group->count(), 2);
    EXPECT_EQ(group->currentIndex(), 1);
    department->setFocus();
    QTest::keyClick(department, Qt::Key_Down);
    EXPECT_EQ(m_form->GetWorkingRow().Get(PluCol::Dept), 4);
    ASSERT_EQ(group->count(), 1);
    EXPECT_TRUE(m_form->IsPluChanged());
}

TEST_F(Plued1PluVwTest, EditsLetThroughDigitsAndTheirSeparatorOnly)
{
    AddPlu(6);
    CPlued1PluVw& view = View(6);
    struct Case {
        const char* field;
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{"field1016", "1.5:", "15"}, Case{"field1021", "9.:05", "9:05"},
                          Case{"field1005", "3.25:", "3.25"}}) {
        auto* edit = Child<QLineEdit>(view, c.field);
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, c.typed);
        EXPECT_EQ(edit->text(), c.shown) << c.field;
    }
}

TEST_F(Plued1PluVwTest, TheDescriptionFrameTurnsItsShadingRoundWhileTheEditorHasTheFocus)
{
    AddPlu(6);
    CPlued1PluVw& view = View(6);
    auto* frame = Child<QWidget>(view, "editorFrame");
    // The colours of the outermost top row, right column and bottom row, half way along.
    const auto edges = [frame] {
        const QImage image = frame->grab().toImage();
        const auto at = [&image](int x, int y) { return image.pixelColor(x, y).rgb() & 0xFFFFFF; };
        return std::tuple{at(image.width() / 2, 0), at(image.width() - 1, image.height() / 2),
                          at(image.width() / 2, image.height() - 1)};
    };
    const std::tuple<QRgb, QRgb, QRgb> sunken{0x606060, 0xA0A0A0, 0xA0A0A0};
    const std::tuple<QRgb, QRgb, QRgb> turned{0xA0A0A0, 0x606060, 0x606060};

    Child<QLineEdit>(view, "field1005")->setFocus();
    ProcessEvents();
    EXPECT_EQ(edges(), sunken);
    Child<QWidget>(view, "104")->setFocus();  // the editor
    ProcessEvents();
    EXPECT_EQ(edges(), turned);
    Child<QLineEdit>(view, "field1005")->setFocus();
    ProcessEvents();
    EXPECT_EQ(edges(), sunken);
}

TEST_F(Plued1PluVwTest, ALengthThatIsNoNumberIsRefused)
{
    AddPlu(4);
    CPlued1PluVw& view = View(4);
    auto* length = Child<QComboBox>(view, "1055");
    length->setFocus();
    length->lineEdit()->selectAll();
    QTest::keyClicks(length->lineEdit(), "x");
    Child<QLineEdit>(view, "103")->setFocus();
    ProcessEvents();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61236});
    EXPECT_TRUE(length->hasFocus());

    length->lineEdit()->selectAll();
    QTest::keyClicks(length->lineEdit(), "80");
    Child<QLineEdit>(view, "103")->setFocus();
    ProcessEvents();
    EXPECT_EQ(m_form->GetDescLengthText(), "80");
}

TEST_F(Plued1PluVwTest, ARefusedEntryShowsOneMessageAndKeepsTheFocusEachTime)
{
    AddPlu(6).Set(PluCol::PackTime, std::uint16_t{905});
    CPlued1PluVw& view = View(6);
    auto* time = Child<QLineEdit>(view, "field1021");
    for (int attempt = 1; attempt <= 3; ++attempt) {
        time->setFocus();
        time->selectAll();
        QTest::keyClicks(time, "25:00");
        QTest::keyClick(time, Qt::Key_Tab);
        ProcessEvents();
        EXPECT_EQ(m_prompt.m_ids.size(), static_cast<std::size_t>(attempt));
        EXPECT_TRUE(time->hasFocus());
        EXPECT_EQ(time->text(), "9:05");
    }
    EXPECT_EQ(m_prompt.m_ids.back(), 61261);
    EXPECT_FALSE(m_form->IsPluChanged());
}

TEST_F(Plued1PluVwTest, TypedValuesAreSavedWithTheSaveButton)
{
    m_services.m_plus = &Plus();
    AddPlu(6).Set(PluCol::UnitPrice, 100);
    CPlued1PluVw& view = View(6);
    auto* price = Child<QLineEdit>(view, "field1005");
    price->setFocus();
    price->selectAll();
    QTest::keyClicks(price, "2.75");
    Click("1115");  // the button takes the focus: the entry is taken as the edit is left
    ProcessEvents();
    const auto* stored = dynamic_cast<const CPluDefRec*>(Plus().FindRecord(6));
    EXPECT_EQ(stored->Get(PluCol::UnitPrice), 275);
    EXPECT_TRUE(m_prompt.m_ids.empty());
    EXPECT_FALSE(m_form->IsPluChanged());
}

TEST_F(Plued1PluVwTest, LeavingAChangedPluTakesTheFocusedEntryAndAsks)
{
    AddPlu(6).Set(PluCol::UnitPrice, 100);
    AddPlu(8);
    CPlued1PluVw& view = View(6);
    auto* price = Child<QLineEdit>(view, "field1005");
    price->setFocus();
    price->selectAll();
    QTest::keyClicks(price, "3");
    // The frame closing asks while the edit still has the focus.
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(view.SaveModified());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61238});
    EXPECT_EQ(m_form->GetWorkingRow().Get(PluCol::UnitPrice), 3);
    m_prompt.QueueAnswer(MessageAnswer::No);
    Click("1118");
    EXPECT_EQ(Child<QLineEdit>(view, "103")->text(), "8");
}

TEST_F(Plued1PluVwTest, ARefusedPluNumberIsShownAgainWithTheFocus)
{
    m_frame.m_setup.m_maxPluNo = 500;
    AddPlu(6);
    CPlued1PluVw& view = View(6);
    auto* number = Child<QLineEdit>(view, "103");
    number->setFocus();
    number->selectAll();
    QTest::keyClicks(number, "900");
    QTest::keyClick(number, Qt::Key_Tab);
    ProcessEvents();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61237});
    EXPECT_EQ(number->text(), "6");
    EXPECT_TRUE(number->hasFocus());
}

TEST_F(Plued1PluVwTest, ARightClickOnAZoneFieldEditsItInEveryZone)
{
    for (std::uint16_t zone = 1; zone <= 8; ++zone) m_frame.m_priceZones.SetZone(zone, "Zone" + std::to_string(zone));
    m_frame.m_priceZoneFields = {1005};
    m_frame.m_setup.m_priceZoneMode = 2;
    m_settings.headOffice = true;
    AddPlu(2).Set(PluCol::UnitPrice, 100);
    CPlued1PluVw& view = View(2);

    QTest::mouseClick(Child<QLineEdit>(view, "field1016"), Qt::RightButton);
    EXPECT_EQ(view.ZonePopup(), nullptr);  // no zone field
    QTest::mouseClick(Child<QLineEdit>(view, "field1005"), Qt::RightButton);
    CEditPriceZoneValues* popup = view.ZonePopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Child<QLabel>(*popup, "1950")->text(), "00  Default");
    EXPECT_EQ(popup->findChildren<CNumEdit*>().size(), 8u);
    auto* scroll = Child<QScrollBar>(*popup, "1049");
    EXPECT_EQ(scroll->maximum(), 1);
    popup->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([popup] { return QApplication::activeWindow() == popup; }));

    auto* own = Child<QLineEdit>(*popup, "1800");
    own->setFocus();
    own->selectAll();
    QTest::keyClicks(own, "2.00");
    QTest::keyClick(own, Qt::Key_Tab);
    EXPECT_EQ(Child<QLineEdit>(*popup, "1803")->text(), "2.00");  // no value of its own
    auto* third = Child<QLineEdit>(*popup, "1803");
    third->setFocus();
    third->selectAll();
    QTest::keyClicks(third, "3.50");
    scroll->setValue(1);  // the entry is taken before the rows move
    EXPECT_EQ(Child<QLabel>(*popup, "1957")->text(), "08  Zone8");
    QTest::keyClick(popup, Qt::Key_Escape);  // keeps what was entered
    ProcessEvents();
    EXPECT_EQ(view.ZonePopup(), nullptr);
    EXPECT_EQ(FieldText("field1005"), "2.00");
    EXPECT_EQ(m_form->GetZoneValue(*Control(1005).definition, 3, {}), 350);
    EXPECT_TRUE(m_form->IsPluChanged());
}

TEST_F(Plued1PluVwTest, ARightClickOutsideHeadOfficeModeOpensNothing)
{
    m_frame.m_priceZones.SetZone(1, "North");
    m_frame.m_priceZoneFields = {1005};
    AddPlu(2);
    CPlued1PluVw& view = View(2);
    QTest::mouseClick(Child<QLineEdit>(view, "field1005"), Qt::RightButton);
    EXPECT_EQ(view.ZonePopup(), nullptr);
}

}  // namespace
}  // namespace varnel::test
