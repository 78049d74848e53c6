// The Options sheet ("Properties"): the site-wide settings on ten pages. The command copies every
// setting into OptionsValues (LoadOptions, converted as the pages show them), the pages edit that copy,
// and only an OK that the user may make stores it back (StoreOptions, converted back); the apply steps
// around it (links, price zones, setup files) belong to the command.
//
// The pages' switches and number fields are tables (GeneralSwitches(), ...), so each page's view is
// built from the same rows that the tests walk.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/site/LabProp.h"
#include "db/site/TextRules.h"
#include "keyboards/KeyTypeDef.h"
#include "settings/AppEventLog.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace varnel {

struct OptionsValues {
    CGeneralSetup setup;  // switches, numbers and label sizes, edited in place
    EventLogSettings log;
    std::string backupFolder;
    std::vector<std::uint16_t> priceZoneFields;
    std::array<CKeyTypeDef::Codes, CKeyTypeDef::kTables> keyBlocks{};
    int systemTypeIndex = 0;
    int startDayIndex = -1;
    std::array<int, 4> ruxMappingIndex{};  // coupons, extra messages 1 to 3, as stored
    bool posPrompt = false;                // "Enable POS/Item code prompt...": the stored flag inverted
    bool passwordProtect = false;
    std::string password;
    std::string reportFontSize;            // as typed
};

// The settings the sheet edits, beside the general setup.
struct OptionsSources {
    const CGeneralSetup& setup;
    const EventLogSettings& log;
    const std::string& backupFolder;
    const std::vector<std::uint16_t>& priceZoneFields;
    const CKeyTypeDef& keyTypes;
};

OptionsValues LoadOptions(const OptionsSources& sources);
// The general setup as the sheet leaves it (every conversion undone, To PLU at least From PLU).
CGeneralSetup StoredGeneralSetup(const OptionsValues& values);
// The key type definition as the sheet leaves it: each block's first byte 0.
CKeyTypeDef StoredKeyTypes(const OptionsValues& values);

enum class OptionsPage { General, General2, Reports, Logging, Logging2, Logging3, MultiStore, DataSave,
                         LabelWidths, Rux };
// Multi-Store and Data Save are left out for New Zealand and Australia with nutrition; the RUX page
// appears when the default family is 9 or a family-9 scale is on the links, disabled or not.
std::vector<OptionsPage> OptionsPages(bool ausNzNutrition, bool ruxFamilyOnSite);
const char* OptionsPageTitle(OptionsPage page);

// A check box of a page and the setting it shows (0 or 1).
struct SwitchField {
    const char* caption;
    const char* objectName;
    bool (*get)(const OptionsValues&);
    void (*set)(OptionsValues&, bool);
};
// A number edit of a page with its range.
struct NumberField {
    const char* caption;
    const char* objectName;
    std::uint32_t min;
    std::uint32_t max;
    std::uint32_t (*get)(const OptionsValues&);
    void (*set)(OptionsValues&, std::uint32_t);
};

std::span<const SwitchField> GeneralSwitches();
std::span<const NumberField> GeneralNumbers();
std::span<const SwitchField> General2Switches();
std::span<const NumberField> ReportNumbers();      // the last two are the hidden rewrap and next-day rows
std::span<const SwitchField> LoggingSwitches();
std::span<const NumberField> LoggingNumbers();
std::span<const NumberField> Logging2Numbers();
std::span<const NumberField> Logging3Numbers();
std::span<const SwitchField> DataSaveSwitches();
std::span<const SwitchField> LabelSwitches();
std::span<const NumberField> LabelNumbers();
std::span<const SwitchField> RuxSwitches();
// Label Sizes' six rows: width 10..500, length 5..999, From and To PLU 1..the Max. PLU No. on General #1.
NumberField LabelRowField(std::size_t row, int column);

// A log of the Log and Custom Logs pages: its switch, its file and the file its switch tests.
struct LogFileField {
    const char* switchCaption;  // null for a file without a switch of its own
    const char* switchName;
    const char* fileCaption;     // the label above the file, null for none
    const char* fileName;        // object name of the file's text ("...Select" its button)
    std::uint16_t EventLogSettings::*enabled;
    std::string EventLogSettings::*file;
};
std::span<const LogFileField> LoggingFiles();
std::span<const LogFileField> Logging2Files();
std::span<const LogFileField> Logging3Files();
// The chooser of a log file: a save-as dialog for ".elg" files; true when a file was chosen.
bool SelectLogFile(OptionsValues& values, std::string EventLogSettings::*file);
// A log's switch was clicked: switched on without a file, its chooser opens at once.
void OnLogSwitch(OptionsValues& values, const LogFileField& log, bool on);
// The text a log file shows: the path shortened to 40 bytes under the store's character rule, or
// "No file selected!!".
std::string LogFileText(const std::string& path, const CharRule& chars);

// "Select Folder...": a save-as dialog in the backup folder on the database files; the folder of the
// file named (under the store's character rule) is stored only when the dialog ends with OK.
bool SelectBackupFolder(OptionsValues& values, const CharRule& chars, const std::string& extension,
                        const std::string& pattern, const std::string& filter);

// The Report page's check on leaving it: the font size must read as a number (61231 otherwise).
bool CheckReportPage(OptionsValues& values);

// "Clear Totals...": after 61356 is answered with OK, `clear` empties the production totals at once
// (it reports its own failure). True when it ran.
bool ClearTotals(const std::function<void()>& clear);

// Multi-Store: the price-zone mode as its three radio buttons. Without zones the mode is forced to
// disabled on entry (and the other two buttons are disabled).
enum class ZoneMode { Disabled, HeadOffice, LocalStore };
void EnterMultiStore(OptionsValues& values, bool zonesExist);
ZoneMode GetZoneMode(const OptionsValues& values);
void SetZoneMode(OptionsValues& values, ZoneMode mode);
// The price-zone field list by name: a number without a definition is not shown, so each row keeps
// the position of the number it shows, and removing a row removes that number.
struct PriceZoneFieldRow {
    std::string name;
    std::size_t index;  // in OptionsValues::priceZoneFields
};
std::vector<PriceZoneFieldRow> PriceZoneFieldRows(const OptionsValues& values, const CLabPropMap& definitions);
void RemovePriceZoneField(OptionsValues& values, const PriceZoneFieldRow& row);
// A field chosen in "PLU Fields" is added unless the list holds it.
void AddPriceZoneField(OptionsValues& values, std::uint16_t fieldNo);

// Data Save: the "same number" pair is enabled only in open mode 2.
bool IsSameNumberRuleEnabled(const OptionsValues& values);

// The RUX mapping combos' entries.
std::span<const char* const> RuxMappingChoices();
std::span<const char* const> SystemTypeChoices();
std::span<const char* const> MarketChoices();
std::span<const char* const> StartDayChoices();

}  // namespace varnel
