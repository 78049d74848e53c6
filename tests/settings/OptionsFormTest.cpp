#include "settings/EditPluedPropsForm.h"
#include "platform/NumberEntry.h"
#include "settings/OptionsConversions.h"

#include "support/RecordingPrompt.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(OptionsConversions, ShowAndStoreEachConvertedSetting)
{
    // family -> index -> family
    const std::tuple<std::uint16_t, int, std::uint16_t> families[] = {
        {0, 0, 0}, {6, 6, 6}, {7, 6, 6}, {8, 7, 8}, {9, 8, 9}, {12, 11, 12}};
    for (const auto& [stored, index, back] : families) {
        EXPECT_EQ(SystemTypeToIndex(stored), index) << stored;
        EXPECT_EQ(IndexToSystemType(index), back) << stored;
    }
    const std::pair<std::uint8_t, int> mappings[] = {{0, 0}, {5, 1}, {10, 6}, {13, 9}};
    for (const auto& [stored, index] : mappings) {
        EXPECT_EQ(RuxMappingToIndex(stored), index);
        EXPECT_EQ(IndexToRuxMapping(index), stored);
    }
    EXPECT_EQ(StartDayToIndex(1), 0);
    EXPECT_EQ(StartDayToIndex(7), 6);
    EXPECT_EQ(IndexToStartDay(6), 7);
    EXPECT_EQ(SetupPasswordText(StoredSetupPassword("abcdefghijk")), "abcdefgh");
    EXPECT_EQ(SetupPasswordText({'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i'}), "abcdefgh");
    EXPECT_EQ(StoredSetupPassword("abcdefghijk")[8], 0);
}

TEST(OptionsConversions, ReportFontSizeReadsAsALeadingWholeNumber)
{
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"10", 10}, {" 12", 12}, {"9pt", 9}, {"-3", -3}, {"abc", std::nullopt}, {"", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ReadWholeNumber(text), value) << text;
}

TEST(OptionsConversions, NumberFieldsOutsideTheirRangeAreRefusedWithTheRangeMessage)
{
    test::RecordingPrompt prompt;
    EXPECT_EQ(ReadNumberInRange("9999", 1, 9999), 9999u);
    EXPECT_TRUE(prompt.m_texts.empty());
    for (const char* text : {"0", "10000", "12a", "", "-1"}) EXPECT_EQ(ReadNumberInRange(text, 1, 9999), std::nullopt);
    ASSERT_EQ(prompt.m_texts.size(), 5u);
    EXPECT_EQ(prompt.m_texts[0], "Please enter an integer between 1 and 9999.");
}

TEST(OptionsConversions, MendedRanges)
{
    const auto field = [](std::span<const NumberField> fields, std::string_view name) {
        for (const NumberField& f : fields)
            if (name == f.objectName) return f;
        ADD_FAILURE() << name;
        return NumberField{};
    };
    // The comms log size is kept in 16 bits; a PLU number has 1 to 8 digits.
    EXPECT_EQ(field(LoggingNumbers(), "maxCommsLogSize").max, 65535u);
    EXPECT_EQ(field(GeneralNumbers(), "maxPluNo").min, 1u);
    EXPECT_EQ(field(GeneralNumbers(), "maxPluNo").max, 99999999u);
}

class OptionsFormTest : public ::testing::Test {
protected:
    OptionsValues Load() { return LoadOptions({m_setup, m_log, m_backupFolder, m_zoneFields, m_keyTypes}); }

    test::RecordingPrompt m_prompt;
    CGeneralSetup m_setup;
    EventLogSettings m_log;
    std::string m_backupFolder = "/srv/backup";
    std::vector<std::uint16_t> m_zoneFields = {1005};
    CKeyTypeDef m_keyTypes;
};

TEST_F(OptionsFormTest, LoadShowsTheConvertedSettingsAndStoreGivesThemBack)
{
    m_setup.m_defaultScaleFamily = 7;
    m_setup.m_startDayOfWeek = 3;
    m_setup.m_messageFileMapping = {0, 10, 5, 13};
    m_setup.m_posCheckNewPlu = 1;
    m_setup.m_keepRewrapDays = 500;
    m_setup.m_setupPasswordInUse = 1;  // without a password it reads as off
    m_setup.m_reportFontSize = 9;
    OptionsValues values = Load();
    EXPECT_EQ(values.systemTypeIndex, 6);
    EXPECT_EQ(values.startDayIndex, 2);
    EXPECT_EQ(values.ruxMappingIndex, (std::array<int, 4>{0, 6, 1, 9}));
    EXPECT_FALSE(values.posPrompt);
    EXPECT_EQ(values.setup.m_keepRewrapDays, 365);
    EXPECT_FALSE(values.passwordProtect);
    EXPECT_EQ(values.reportFontSize, "9");

    values.ruxMappingIndex[0] = 6;  // "Ingredients"
    values.posPrompt = true;
    values.reportFontSize = "11";
    const CGeneralSetup stored = StoredGeneralSetup(values);
    EXPECT_EQ(stored.m_defaultScaleFamily, 6);
    EXPECT_EQ(stored.m_startDayOfWeek, 3);
    EXPECT_EQ(stored.m_messageFileMapping, (std::array<std::uint8_t, 4>{10, 10, 5, 13}));
    EXPECT_EQ(stored.m_posCheckNewPlu, 0);
    EXPECT_EQ(stored.m_reportFontSize, 11);
    EXPECT_EQ(stored.m_setupPasswordInUse, 0);
}

TEST_F(OptionsFormTest, ToPluBelowFromIsStoredAsFrom)
{
    OptionsValues values = Load();
    values.setup.m_labelFromPlu = {100, 5, 0, 0, 0, 0};
    values.setup.m_labelToPlu = {50, 9, 0, 0, 0, 0};
    const CGeneralSetup stored = StoredGeneralSetup(values);
    EXPECT_EQ(stored.m_labelToPlu[0], 100u);
    EXPECT_EQ(stored.m_labelToPlu[1], 9u);
    // The rows' fields reach the setup by row.
    LabelRowField(1, 3).set(values, 70);
    EXPECT_EQ(values.setup.m_labelToPlu[1], 70u);
    EXPECT_EQ(LabelRowField(5, 0).get(values), values.setup.m_labelWidths[5]);
}

TEST_F(OptionsFormTest, KeyBlocksAreStoredWithTheirFirstByteCleared)
{
    m_keyTypes.m_tables[3].fill(7);
    const CKeyTypeDef stored = StoredKeyTypes(Load());
    EXPECT_EQ(stored.m_tables[3][0], 0);
    EXPECT_EQ(stored.m_tables[3][87], 7);
}

TEST_F(OptionsFormTest, PagesFollowTheMarketAndTheFamilies)
{
    using enum OptionsPage;
    EXPECT_EQ(OptionsPages(false, true), (std::vector<OptionsPage>{General, General2, Reports, Logging, Logging2,
                                                                   Logging3, MultiStore, DataSave, LabelWidths, Rux}));
    EXPECT_EQ(OptionsPages(true, false), (std::vector<OptionsPage>{General, General2, Reports, Logging, Logging2,
                                                                   Logging3, LabelWidths}));
}

TEST_F(OptionsFormTest, SwitchingALogOnWithoutAFileOpensItsChooser)
{
    OptionsValues values = Load();
    const LogFileField& statusLog = Logging2Files()[2];
    m_prompt.QueueSaveName("/srv/logs/status.elg");
    OnLogSwitch(values, statusLog, true);
    EXPECT_EQ(values.log.ScaleStatusLogOn, 1);
    EXPECT_EQ(values.log.ScaleStatusLogFile, "/srv/logs/status.elg");
    // With a file already there nothing is asked; a cancelled chooser keeps the file.
    OnLogSwitch(values, statusLog, true);
    EXPECT_EQ(m_prompt.m_saveDialogs, 1);
    m_prompt.QueueSaveName(std::nullopt);
    EXPECT_FALSE(SelectLogFile(values, statusLog.file));
    EXPECT_EQ(values.log.ScaleStatusLogFile, "/srv/logs/status.elg");
    // "Create Text Import Logs" tests and chooses the summary log.
    m_prompt.QueueSaveName("/srv/logs/summary.elg");
    OnLogSwitch(values, Logging3Files()[0], true);
    EXPECT_EQ(values.log.ImportSummaryLogFile, "/srv/logs/summary.elg");
    EXPECT_EQ(LogFileText("", CharRule{}), "No file selected!!");
}

TEST_F(OptionsFormTest, BackupFolderChangesOnlyWhenTheDialogEndsWithOk)
{
    OptionsValues values = Load();
    m_prompt.QueueSaveName(std::nullopt);
    EXPECT_FALSE(SelectBackupFolder(values, CharRule{}, "mdb", "*.mdb", "MDB database (*.mdb) |*.mdb||"));
    EXPECT_EQ(values.backupFolder, "/srv/backup");
    ASSERT_EQ(m_prompt.m_fileRequests.size(), 1u);
    EXPECT_EQ(m_prompt.m_fileRequests[0].initialDirectory, "/srv/backup");
    EXPECT_EQ(m_prompt.m_fileRequests[0].fileName, "*.mdb");
    m_prompt.QueueSaveName("/media/usb/backups/*.mdb");
    EXPECT_TRUE(SelectBackupFolder(values, CharRule{}, "mdb", "*.mdb", "MDB database (*.mdb) |*.mdb||"));
    EXPECT_EQ(values.backupFolder, "/media/usb/backups");
}

TEST_F(OptionsFormTest, PathsAreSplitAndCutUnderTheCharacterRuleHandedIn)
{
    // The second byte of a Big5 character may be '\', which paths of older setups also end folders at.
    const std::string path = "/srv/logs/\xA5\x5C" "x.mdb";
    const std::string longPath = "/srv/a-folder-name-long-enough-to-be-cut/\xA5\x5C" "x.elg";
    struct Case {
        const char* name;
        CharRule chars;
        std::string folder;
        std::string logText;
    };
    const Case cases[] = {
        {"Western: the byte is a separator", CharRule{}, "/srv/logs/\xA5",
         "/srv/a-folder-name-long-enough-...\x5Cx.elg"},
        {"Big5: the byte ends a character", CharRule{CharRule::LeadBytes::OfCodePage, CodePage::TraditionalChinese},
         "/srv/logs", "/srv/a-folder-name-long-enoug.../\xA5\x5Cx.elg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OptionsValues values = Load();
        m_prompt.QueueSaveName(path);
        ASSERT_TRUE(SelectBackupFolder(values, c.chars, "mdb", "*.mdb", "MDB database (*.mdb) |*.mdb||"));
        EXPECT_EQ(values.backupFolder, c.folder);
        EXPECT_EQ(LogFileText(longPath, c.chars), c.logText);
    }
}

TEST_F(OptionsFormTest, ReportPageRefusesAFontSizeThatIsNoNumber)
{
    OptionsValues values = Load();
    values.reportFontSize = "abc";
    EXPECT_FALSE(CheckReportPage(values));
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61231}));
    values.reportFontSize = "8";
    EXPECT_TRUE(CheckReportPage(values));
}

TEST_F(OptionsFormTest, ClearTotalsRunsOnlyAfterOk)
{
    int cleared = 0;
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(ClearTotals([&] { ++cleared; }));
    EXPECT_TRUE(ClearTotals([&] { ++cleared; }));
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61356, 61356}));
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

TEST(OptionsMultiStore, ZoneModeRadioButtonsSetAndClearTheTwoBits)
{
    OptionsValues values;
    values.setup.m_priceZoneMode = 2;
    EnterMultiStore(values, true);
    EXPECT_EQ(GetZoneMode(values), ZoneMode::HeadOffice);
    EnterMultiStore(values, false);
    EXPECT_EQ(GetZoneMode(values), ZoneMode::Disabled);
    const std::pair<ZoneMode, std::uint16_t> cases[] = {
        {ZoneMode::LocalStore, 0}, {ZoneMode::HeadOffice, 2}, {ZoneMode::Disabled, 3}, {ZoneMode::LocalStore, 0}};
    for (const auto& [mode, bits] : cases) {
        SetZoneMode(values, mode);
        EXPECT_EQ(values.setup.m_priceZoneMode, bits);
        EXPECT_EQ(GetZoneMode(values), mode);
    }
}

TEST(OptionsMultiStore, RemovingARowRemovesTheFieldItShowsEvenWhenAnEarlierOneHasNoDefinition)
{
    CLabPropMap definitions;
    for (const auto& [key, fieldNo, name] : {std::tuple{1, 1005, "Unit Price"}, std::tuple{2, 1006, "Fixed Price"}}) {
        auto definition = std::make_unique<CLabProp>();
        definition->m_fieldNo = static_cast<std::uint16_t>(fieldNo);
        definition->m_name = name;
        definitions[static_cast<std::uint16_t>(key)] = std::move(definition);
    }
    OptionsValues values;
    values.priceZoneFields = {1099, 1005, 1006};
    AddPriceZoneField(values, 1005);
    AddPriceZoneField(values, 1004);
    EXPECT_EQ(values.priceZoneFields, (std::vector<std::uint16_t>{1099, 1005, 1006, 1004}));
    const std::vector<PriceZoneFieldRow> rows = PriceZoneFieldRows(values, definitions);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].name, "Fixed Price");
    RemovePriceZoneField(values, rows[1]);
    EXPECT_EQ(values.priceZoneFields, (std::vector<std::uint16_t>{1099, 1005, 1004}));
}

}  // namespace
}  // namespace varnel
