#include "settings/EditPluedPropsForm.h"
#include "settings/PriceZone.h"
#include "settings/ui/EditPluedProps.h"
#include "support/RecordingPrompt.h"
#include "support/ui/GuiTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace varnel {
namespace {

class OptionsSheetTest : public test::GuiTest {
protected:
    OptionsSheetTest()
    {
        m_context.pages = OptionsPages(false, true);
        // A site's label sizes as the installation's setup holds them.
        m_setup.m_labelWidths.fill(60);
        m_setup.m_descLengths.fill(100);
        m_setup.m_labelFromPlu.fill(1);
        m_setup.m_labelToPlu.fill(999999);
        m_setup.m_label60mmWidth = 440;
        m_values = LoadOptions({m_setup, m_log, m_folder, m_zoneFields, m_keyTypes});
    }
    static void Click(QWidget& sheet, const char* name)
    {
        // Near the left edge: a check box stretched across its page takes clicks on its box and text only.
        QAbstractButton* button = test::Child<QAbstractButton>(sheet, name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    static void Type(QWidget& sheet, const char* name, const char* text)
    {
        QLineEdit* edit = test::Child<QLineEdit>(sheet, name);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    static void ShowPage(CEditPluedProps& sheet, const char* title)
    {
        for (int i = 0; i < sheet.Tabs()->count(); ++i)
            if (sheet.Tabs()->tabText(i) == title) sheet.Tabs()->setCurrentIndex(i);
    }

    test::RecordingPrompt m_prompt;
    CGeneralSetup m_setup;
    EventLogSettings m_log;
    std::string m_folder = "/srv/backup";
    std::vector<std::uint16_t> m_zoneFields;
    CKeyTypeDef m_keyTypes;
    OptionsSheetContext m_context;
    OptionsValues m_values;
};

TEST_F(OptionsSheetTest, TenPagesInTheirOrderAndOkTakesEveryPage)
{
    CEditPluedProps sheet(m_values, m_context);
    sheet.show();
    QStringList titles;
    for (int i = 0; i < sheet.Tabs()->count(); ++i) titles << sheet.Tabs()->tabText(i);
    EXPECT_EQ(titles, (QStringList{"General #1", "General #2", "Report", "Log", "Custom Logs #1", "Custom Logs #2",
                                   "Multi-Store", "Data Save", "Label Sizes", "RUX/PZ4/Tarn4"}));
    test::Child<QComboBox>(sheet, "systemType")->setCurrentIndex(8);
    Click(sheet, "couponSupport");
    Type(sheet, "maxStoreNo", "250");
    Click(sheet, "autoBackup");
    test::Child<QComboBox>(sheet, "extraMessage1Mapping")->setCurrentIndex(6);  // "Ingredients"
    Click(sheet, "ok");
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(m_values.systemTypeIndex, 8);
    EXPECT_EQ(m_values.setup.m_couponSupport, 1);
    EXPECT_EQ(m_values.setup.m_maxStoreNo, 250);
    EXPECT_EQ(m_values.setup.m_autoBackup, 0);
    EXPECT_EQ(StoredGeneralSetup(m_values).m_messageFileMapping[1], 10);
    EXPECT_TRUE(m_prompt.m_ids.empty());
}

TEST_F(OptionsSheetTest, AFieldOutOfRangeKeepsItsPageAndTheSheet)
{
    CEditPluedProps sheet(m_values, m_context);
    sheet.show();
    ShowPage(sheet, "Log");
    Type(sheet, "maxCommsLogSize", "100000");
    Click(sheet, "ok");
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.Tabs()->tabText(sheet.Tabs()->currentIndex()), "Log");
    ASSERT_EQ(m_prompt.m_texts.size(), 1u);
    EXPECT_EQ(m_prompt.m_texts[0], "Please enter an integer between 0 and 65535.");
    EXPECT_EQ(m_values.setup.m_maxCommsLogSize, m_setup.m_maxCommsLogSize);
    // The PLU ranges of the label sizes stop at the Max. PLU No. of General #1.
    Type(sheet, "maxCommsLogSize", "65535");
    ShowPage(sheet, "General #1");
    Type(sheet, "maxPluNo", "5000");
    ShowPage(sheet, "Label Sizes");
    Type(sheet, "toPlu1", "5001");
    Click(sheet, "ok");
    EXPECT_EQ(sheet.Tabs()->tabText(sheet.Tabs()->currentIndex()), "Label Sizes");
    EXPECT_EQ(m_prompt.m_texts.back(), "Please enter an integer between 1 and 5000.");
}

TEST_F(OptionsSheetTest, AnUnusedLabelSizeRowIsAcceptedAsItIs)
{
    m_values.setup.m_labelWidths[4] = 0;  // a fresh site's rows: no width, no PLUs
    m_values.setup.m_labelFromPlu[4] = m_values.setup.m_labelToPlu[4] = 0;
    CEditPluedProps sheet(m_values, m_context);
    sheet.show();
    ShowPage(sheet, "Label Sizes");
    for (const char* name : {"labelWidth6", "fromPlu6", "toPlu6"}) Type(sheet, name, "0");
    Type(sheet, "labelWidth3", "0");  // a used row is still checked
    Click(sheet, "ok");
    EXPECT_EQ(m_prompt.m_texts, (std::vector<std::string>{"Please enter an integer between 10 and 500."}));
    Type(sheet, "labelWidth3", "80");
    Click(sheet, "ok");
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(m_values.setup.m_labelWidths, (std::array<std::uint16_t, 6>{60, 60, 80, 60, 0, 0}));
    EXPECT_EQ(m_values.setup.m_labelToPlu[5], 0u);
}

TEST_F(OptionsSheetTest, AReportFontSizeThatIsNoNumberKeepsTheReportPage)
{
    CEditPluedProps sheet(m_values, m_context);
    sheet.show();
    ShowPage(sheet, "Report");
    QComboBox* size = test::Child<QComboBox>(sheet, "reportFontSize");
    size->setCurrentText("abc");
    ShowPage(sheet, "Log");
    EXPECT_EQ(sheet.Tabs()->tabText(sheet.Tabs()->currentIndex()), "Report");
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61231}));
    size->setCurrentText("12");
    ShowPage(sheet, "Log");
    EXPECT_EQ(sheet.Tabs()->tabText(sheet.Tabs()->currentIndex()), "Log");
}

TEST_F(OptionsSheetTest, PasswordIsEditableOnlyWhileProtected)
{
    CEditPluedProps sheet(m_values, m_context);
    sheet.show();
    QLineEdit* password = test::Child<QLineEdit>(sheet, "password");
    EXPECT_FALSE(password->isEnabled());
    Click(sheet, "passwordProtect");
    EXPECT_TRUE(password->isEnabled());
    QTest::keyClicks(password, "longerthan8");
    EXPECT_EQ(password->text(), "longerth");
}

TEST_F(OptionsSheetTest, SwitchingALogOnWithoutAFileAsksForOne)
{
    CEditPluedProps sheet(m_values, m_context);
    sheet.show();
    ShowPage(sheet, "Custom Logs #1");
    EXPECT_EQ(test::Child<QLabel>(sheet, "sendFailureLogFile")->text(), "No file selected!!");
    m_prompt.QueueSaveName("/srv/logs/failures.elg");
    Click(sheet, "logSendFailures");
    EXPECT_EQ(test::Child<QLabel>(sheet, "sendFailureLogFile")->text(), "/srv/logs/failures.elg");
    EXPECT_TRUE(test::Child<QCheckBox>(sheet, "logSendFailures")->isChecked());
    Click(sheet, "ok");
    EXPECT_EQ(m_values.log.LogSendFailures, 1);
    EXPECT_EQ(m_values.log.SendFailureLogFile, "/srv/logs/failures.elg");
}

TEST_F(OptionsSheetTest, DataSaveSameNumberRuleOnlyWhenImportingIntoTheCurrentDatabase)
{
    m_values.setup.m_dataSaveOpenMode = 0;
    CEditPluedProps sheet(m_values, m_context);
    sheet.show();
    ShowPage(sheet, "Data Save");
    EXPECT_FALSE(test::Child<QRadioButton>(sheet, "takeFile")->isEnabled());
    Click(sheet, "importCurrent");
    EXPECT_TRUE(test::Child<QRadioButton>(sheet, "takeFile")->isEnabled());
    Click(sheet, "takeFile");
    Click(sheet, "ok");
    EXPECT_EQ(m_values.setup.m_dataSaveOpenMode, 2);
    EXPECT_EQ(m_values.setup.m_overwriteExisting, 1);
}

TEST_F(OptionsSheetTest, MultiStoreModesAndTheLocalZone)
{
    CPriceZoneList zones;
    zones.SetZone(3, "North");
    zones.SetZone(7, "South");
    m_context.priceZones = &zones;
    m_values.setup.m_priceZoneMode = 1;
    CEditPluedProps sheet(m_values, m_context);
    sheet.show();
    ShowPage(sheet, "Multi-Store");
    QComboBox* zone = test::Child<QComboBox>(sheet, "priceZone");
    EXPECT_FALSE(zone->isEnabled());
    Click(sheet, "localStore");
    EXPECT_TRUE(zone->isEnabled());
    zone->setCurrentIndex(1);
    emit zone->activated(1);
    Click(sheet, "ok");
    EXPECT_EQ(m_values.setup.m_priceZoneMode, 0);
    EXPECT_EQ(m_values.setup.m_localPriceZone, 7);
}

TEST_F(OptionsSheetTest, MultiStoreAddsAChosenFieldOnceAndRemovesTheSelectedOne)
{
    CLabPropMap fields;
    for (const auto& [key, fieldNo, name] : {std::tuple{1, 1001, "PLU Code"}, std::tuple{2, 1005, "Unit Price"},
                                             std::tuple{3, 1006, "Fixed Price"}}) {
        auto field = std::make_unique<CLabProp>();
        field->m_key = static_cast<std::uint16_t>(key);
        field->m_fieldNo = static_cast<std::uint16_t>(fieldNo);
        field->m_name = name;
        fields[field->m_key] = std::move(field);
    }
    m_context.fieldDefinitions = &fields;
    m_values.priceZoneFields = {1005};
    CEditPluedProps sheet(m_values, m_context);
    sheet.show();
    ShowPage(sheet, "Multi-Store");
    QListWidget* list = test::Child<QListWidget>(sheet, "priceZoneFields");
    for (const int row : {0, 1, 1}) {  // Unit Price (already there), Fixed Price, Fixed Price again
        test::WhenModalShows([row](QWidget& picker) {
            ASSERT_EQ(picker.objectName(), "pluFieldsDialog");
            test::Child<QListWidget>(picker, "definitions")->setCurrentRow(row);
            QTest::mouseClick(test::Child<QPushButton>(picker, "select"), Qt::LeftButton);
        });
        QTest::mouseClick(test::Child<QPushButton>(sheet, "addField"), Qt::LeftButton);
    }
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "Fixed Price");
    list->setCurrentRow(0);
    QTest::mouseClick(test::Child<QPushButton>(sheet, "removeField"), Qt::LeftButton);
    EXPECT_EQ(m_values.priceZoneFields, (std::vector<std::uint16_t>{1006}));
}

TEST_F(OptionsSheetTest, ClearTotalsNeedsADatabaseAndAsksFirst)
{
    {
        CEditPluedProps sheet(m_values, m_context);
        EXPECT_FALSE(test::Child<QPushButton>(sheet, "clearTotals")->isEnabled());
    }
    int cleared = 0;
    m_context.clearTotals = [&cleared] { ++cleared; };
    CEditPluedProps sheet(m_values, m_context);
    sheet.show();
    ShowPage(sheet, "Report");
    Click(sheet, "clearTotals");
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61356}));
}

TEST_F(OptionsSheetTest, EachPresetKeyButtonEditsItsBlockWhichOkLeavesWithItsFirstByte0)
{
    {
        CEditPluedProps sheet(m_values, m_context);
        EXPECT_FALSE(test::Child<QPushButton>(sheet, "presetKeys5300")->isEnabled());
        EXPECT_FALSE(test::Child<QPushButton>(sheet, "presetKeysVm")->isEnabled());
    }
    std::vector<PresetKeySetupForm::Layout> layouts;
    bool ok = true;
    m_context.editPresetKeys = [&](CKeyTypeDef::Codes& codes, PresetKeySetupForm::Layout layout) {
        layouts.push_back(layout);
        codes[0] = 9;
        codes[1] = static_cast<std::uint8_t>(codes[1] + 10);
        return ok;
    };
    for (auto& block : m_values.keyBlocks) block[1] = 1;
    CEditPluedProps sheet(m_values, m_context);
    sheet.show();
    for (const char* button : {"presetKeys5300", "presetKeys5200", "presetKeys5400", "presetKeysLumenXt", "presetKeys7100"})
        QTest::mouseClick(test::Child<QPushButton>(sheet, button), Qt::LeftButton);
    using enum PresetKeySetupForm::Layout;
    EXPECT_EQ(layouts, (std::vector{Short, Short, Long, Long, Long}));
    for (const auto& block : m_values.keyBlocks) {
        EXPECT_EQ(block[0], 0);
        EXPECT_EQ(block[1], 11);
    }
    // Cancel leaves the block as it was.
    ok = false;
    QTest::mouseClick(test::Child<QPushButton>(sheet, "presetKeys5400"), Qt::LeftButton);
    EXPECT_EQ(m_values.keyBlocks[CKeyTypeDef::Type8][1], 11);
}

TEST_F(OptionsSheetTest, TheVmPresetKeyButtonRunsItsEditorAtOnce)
{
    int edited = 0;
    m_context.editVmKeySetup = [&edited] { ++edited; };
    CEditPluedProps sheet(m_values, m_context);
    sheet.show();
    QTest::mouseClick(test::Child<QPushButton>(sheet, "presetKeysVm"), Qt::LeftButton);
    EXPECT_EQ(edited, 1);
}

}  // namespace
}  // namespace varnel
