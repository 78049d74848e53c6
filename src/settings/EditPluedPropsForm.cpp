// The Options sheet's values, pages and page rows.
#include "settings/EditPluedPropsForm.h"

#include "db/text/PathText.h"
#include "platform/UserPrompt.h"
#include "settings/OptionsConversions.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint16_t kMaxKeepDays = 365;
constexpr MessageId kInvalidValue = 61231;
constexpr MessageId kClearTotalsQuestion = 61356;
constexpr MessageId kFolderTitle = 61359;  // "Specify Scale Data Directory"
constexpr std::uint32_t kMaxNumber = 99999999;

// The part of the values a member belongs to.
template <class Part>
Part& PartOf(OptionsValues& values);
template <>
CGeneralSetup& PartOf<CGeneralSetup>(OptionsValues& values) { return values.setup; }
template <>
EventLogSettings& PartOf<EventLogSettings>(OptionsValues& values) { return values.log; }
template <class Part>
const Part& PartOf(const OptionsValues& values) { return PartOf<Part>(const_cast<OptionsValues&>(values)); }

template <class Member>
struct MemberTraits;
template <class Part, class Value>
struct MemberTraits<Value Part::*> {
    using PartType = Part;
    using ValueType = Value;
};

template <auto Member>
constexpr SwitchField Switch(const char* caption, const char* objectName)
{
    using Traits = MemberTraits<decltype(Member)>;
    using Part = typename Traits::PartType;
    using Value = typename Traits::ValueType;
    return {caption, objectName, [](const OptionsValues& v) { return PartOf<Part>(v).*Member != 0; },
            [](OptionsValues& v, bool on) { PartOf<Part>(v).*Member = static_cast<Value>(on ? 1 : 0); }};
}

template <auto Member>
constexpr NumberField Number(const char* caption, const char* objectName, std::uint32_t min, std::uint32_t max)
{
    using Traits = MemberTraits<decltype(Member)>;
    using Part = typename Traits::PartType;
    using Value = typename Traits::ValueType;
    return {caption, objectName, min, max,
            [](const OptionsValues& v) { return static_cast<std::uint32_t>(PartOf<Part>(v).*Member); },
            [](OptionsValues& v, std::uint32_t n) { PartOf<Part>(v).*Member = static_cast<Value>(n); }};
}

template <std::size_t Index>
constexpr SwitchField ExtraMessageCheck(const char* caption, const char* objectName)
{
    return {caption, objectName,
            [](const OptionsValues& v) { return v.setup.m_extraMessagesInLengthCheck[Index] != 0; },
            [](OptionsValues& v, bool on) { v.setup.m_extraMessagesInLengthCheck[Index] = on ? 1 : 0; }};
}

using G = CGeneralSetup;
using L = EventLogSettings;

const SwitchField kGeneralSwitches[] = {
    Switch<&G::m_onlineComms>("Enable On-Line Comms?", "onlineComms"),
    Switch<&G::m_seriesNumber>("Enable left-justified fonts? (TR-5300)", "leftJustifiedFonts"),
    Switch<&G::m_couponSupport>("Coupon Support? (TR-5200)", "couponSupport"),
    Switch<&G::m_daisyChainedComms>("Daisy-chained comms link? (USA only)", "daisyChained"),
    Switch<&G::m_campaignDayOfWeek>("Campaign data includes day of week", "campaignDayOfWeek"),
    Switch<&G::m_pluActiveInactive>("Enable PLU Active/Inactive?", "pluActiveInactive"),
    Switch<&G::m_lumenXtPriceChange>("LumenXT supports price change message?", "lumenXtPriceChange"),
    Switch<&G::m_nutritionInUse>("Use Nutrition?", "useNutrition"),
    Switch<&G::m_oneToManyNutrition>("Use Same Nutrition for Multiple PLUs (LumenXT only)?", "oneToManyNutrition"),
    {"Enable POS/Item code prompt for new PLU No.?", "posPrompt",
     [](const OptionsValues& v) { return v.posPrompt; }, [](OptionsValues& v, bool on) { v.posPrompt = on; }},
    Switch<&G::m_keepProductionAfterLoad>("Do not delete production totals after loading", "keepProduction"),
    Switch<&G::m_noAutoResend>("Disable auto-resend of unsent data when scale off-line", "noAutoResend"),
    Switch<&G::m_tr5400MasterSatellite>("TR-5400s use master-satellite mode", "masterSatellite"),
    Switch<&G::m_koreanFont>("Use Korean font? (North America only)", "koreanFont"),
    Switch<&G::m_usePing>("Use ping to check scales (turn OFF where ping is not permitted)", "usePing"),
};

const NumberField kGeneralNumbers[] = {
    Number<&G::m_maxPluNo>("Max. PLU No.", "maxPluNo", 1, kMaxNumber),
    Number<&G::m_maxExMessageNo>("Max. Extra Message No.", "maxExMessageNo", 1, kMaxNumber),
    Number<&G::m_maxCouponNo>("Max. Coupon No.", "maxCouponNo", 1, kMaxNumber),
    Number<&G::m_maxStoreNo>("Max. Store No.", "maxStoreNo", 1, 9999),
    Number<&G::m_maxCampaignNo>("Max. Campaign No.", "maxCampaignNo", 1, 100),
};

const SwitchField kGeneral2Switches[] = {
    Switch<&G::m_autoLoadDatabase>("Auto-load database at startup?", "autoLoad"),
    Switch<&G::m_multiUserAccess>("Multi-user database access? (MDB only)", "multiUser"),
    Switch<&G::m_autoBackup>("Automatic database file backup?", "autoBackup"),
    Switch<&G::m_posCodeInSearch>("Use POS code in search window?", "posCodeInSearch"),
    Switch<&G::m_deptGroupInSearch>("Use Dept && Group in search window?", "deptGroupInSearch"),
    Switch<&G::m_noDeptGroupSearchFamily10>("Use Dept and Group codes from Scales menu (5400-series only)?",
                                            "deptGroupFromScales"),
    Switch<&G::m_twoDescLinesInSearch>("Show 2 lines of PLU description in search window?", "twoDescLines"),
    Switch<&G::m_commsStatusAtStartup>("Show comms status at startup?", "commsStatusAtStartup"),
    Switch<&G::m_printerDriverBypass>("Bypass bug in print driver (Keysheet print)?", "printerDriverBypass"),
    Switch<&G::m_unitFixedPriceDecimal>("Use different decimal pt. position for unit && fixed price?",
                                        "unitFixedPriceDecimal"),
    Switch<&G::m_markdownPercentDecimal>("Use decimal point in percentage markdown (XX.X%)?", "markdownDecimal"),
    Switch<&G::m_hostSupportedShown>("Show host-supported flag in PLU Edit screen?", "hostSupportedShown"),
    Switch<&G::m_kanaSupport>("Support Hiragana && Katakana (Taiwan)", "kanaSupport"),
    Switch<&G::m_orlanComms>("Support NZ Orlan comms?", "orlanComms"),
    Switch<&G::m_skipDuplicateIpCheck>("Skip duplicate scale IP address check", "skipDuplicateIpCheck"),
    Switch<&G::m_checkConnectionBeforeProduction>("Check if scales connected before receiving prod. data",
                                                  "checkConnection"),
    Switch<&G::m_tenDigitProductionPrice>("LumenXT uses 10-digit price in prod. data", "tenDigitPrice"),
    Switch<&G::m_productionPriceDiv100>("Price in prod. data is div. by 100 (SA/Zim)", "priceDiv100"),
    Switch<&G::m_productionOption>("Wrapper supports meat cut test", "meatCutTest"),
    Switch<&G::m_tr5300ExtraMessage2>("TR-5300 supports Ex Msg #2 (Thailand)", "tr5300ExtraMessage2"),
    Switch<&G::m_noTrayNumber>("Do not send tray no. to RUX/PZ4/Tarn4", "noTrayNumber"),
};

const NumberField kReportNumbers[] = {
    Number<&G::m_keepPluDays>("PLU production totals", "keepPluDays", 0, 365),
    Number<&G::m_keepHourlyDays>("Hourly production totals", "keepHourlyDays", 0, 30),
    Number<&G::m_keepOperatorDays>("Operator production totals", "keepOperatorDays", 0, 365),
    Number<&G::m_keepRewrapDays>("Rewrap production totals", "keepRewrapDays", 0, 365),
    Number<&G::m_keepNextDayDays>("Next day production totals", "keepNextDayDays", 0, 365),
};

const SwitchField kLoggingSwitches[] = {
    Switch<&L::LogAdditions>("Log Additions", "logAdditions"),
    Switch<&L::LogUpdates>("Log Updates", "logUpdates"),
    Switch<&L::LogDeletions>("Log Deletions", "logDeletions"),
    Switch<&L::LogGeneral>("Log General Events", "logGeneral"),
    Switch<&L::LogPluDetails>("PLU Details", "logPluDetails"),
};

// The size is kept in a 16-bit word: 65535 KB is the largest it holds.
const NumberField kLoggingNumbers[] = {
    Number<&L::KeepDays>("Keep data for", "keepDays", 1, 365),
    Number<&G::m_maxCommsLogSize>("Maximum Comms Log Size", "maxCommsLogSize", 0, 65535),
};

const NumberField kLogging2Numbers[] = {
    Number<&L::PluLogKeepDays>("Keep data for (PLU Update && Exception Log)", "pluLogKeepDays", 1, 30),
    Number<&L::StatusLogKeepDays>("Keep data for (Scale Status Log)", "statusLogKeepDays", 0, 100),
};

const NumberField kLogging3Numbers[] = {
    Number<&L::ImportSummaryKeepDays>("Keep data for (summary)", "importSummaryKeepDays", 1, 100),
    Number<&L::ImportErrorKeepDays>("Keep data for (send errors)", "importErrorKeepDays", 1, 30),
};

const SwitchField kDataSaveSwitches[] = {
    Switch<&G::m_hideDataSave>("Hide Data Save menus? (TR-5300)", "hideDataSave"),
    Switch<&G::m_dataSaveShowOptions>("Display options dialog when opening?", "showOptions"),
};

const SwitchField kLabelSwitches[] = {
    ExtraMessageCheck<0>("Include extra message #1 in description length check", "lengthCheckExtra1"),
    ExtraMessageCheck<1>("Include extra message #2 in description length check", "lengthCheckExtra2"),
    ExtraMessageCheck<2>("Include extra message #3 in description length check", "lengthCheckExtra3"),
};

const NumberField kLabelNumbers[] = {
    Number<&G::m_lineSpacing>("Description Text Line Spacing", "lineSpacing", 0, 20),
    Number<&G::m_label60mmWidth>("Default Description Text Width", "label60mmWidth", 100, 444),
};

const SwitchField kRuxSwitches[] = {
    Switch<&G::m_twoColourPrinting>("Scale supports 2-color printing", "twoColourPrinting"),
    Switch<&G::m_singleStoreOperation>("Single store operation (do not allow multiple prices, etc. per PLU)",
                                       "singleStore"),
};

const LogFileField kLoggingFiles[] = {
    {"Enable logging", "loggingOn", "Log file name:", "logFile", &L::LoggingOn, &L::LogFile},
};

const LogFileField kLogging2Files[] = {
    {"Log PLU Updates", "logPluUpdates", nullptr, "pluUpdateLogFile", &L::LogPluUpdates, &L::PluUpdateLogFile},
    {"Log PLU Send Failures", "logSendFailures", nullptr, "sendFailureLogFile", &L::LogSendFailures,
     &L::SendFailureLogFile},
    {"Enable Scale Status Log", "scaleStatusLogOn", nullptr, "scaleStatusLogFile", &L::ScaleStatusLogOn,
     &L::ScaleStatusLogFile},
};

// "Create Text Import Logs" tests and chooses the summary log, as every other switch its own file.
const LogFileField kLogging3Files[] = {
    {"Create Text Import Logs", "importLogsOn", "Summary log file name:", "importSummaryLogFile", &L::ImportLogsOn,
     &L::ImportSummaryLogFile},
    {nullptr, nullptr, "PLU import log file name:", "importPluLogFile", &L::ImportLogsOn, &L::ImportPluLogFile},
    {nullptr, nullptr, "Send errors log file name:", "importErrorLogFile", &L::ImportLogsOn, &L::ImportErrorLogFile},
};

constexpr const char* kRuxMappings[] = {"No file mapping", "Free Message #1", "Free Message #2",
                                        "Free Message #3", "Free Message #4", "Free Message #5",
                                        "Ingredients",     "Comments",        "Storage Temperature",
                                        "Storage Instructions"};
constexpr const char* kSystemTypes[] = {"TR-5300 Master", "HBKU (TR-5300)", "TR-5200 Master", "HBKU (TR-5200)",
                                        "ZNQ",            "GK-6300",        "LumenXT",        "TR-5400 XT",
                                        "RUX/PZ4/Tarn4",  "TR-5400",        "VM-8100b/QF",    "KB-7100"};
constexpr const char* kMarkets[] = {"USA",         "New Zealand", "Australia",    "Thailand",
                                    "Sth. America", "Hong Kong",   "Indonesia",    "China",
                                    "Iceland",     "Philippines", "Taiwan",       "Singapore",
                                    "Malaysia",    "South Africa", "Sweden",      "Turkey",
                                    "Norway",      "Baltic Countries"};
constexpr const char* kStartDays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

}  // namespace

OptionsValues LoadOptions(const OptionsSources& sources)
{
    OptionsValues values;
    values.setup = sources.setup;
    values.log = sources.log;
    values.backupFolder = sources.backupFolder;
    values.priceZoneFields = sources.priceZoneFields;
    values.keyBlocks = sources.keyTypes.m_tables;
    CGeneralSetup& setup = values.setup;
    values.systemTypeIndex = SystemTypeToIndex(setup.m_defaultScaleFamily);
    values.startDayIndex = StartDayToIndex(setup.m_startDayOfWeek);
    setup.m_keepRewrapDays = std::min(setup.m_keepRewrapDays, kMaxKeepDays);
    setup.m_keepNextDayDays = std::min(setup.m_keepNextDayDays, kMaxKeepDays);
    for (std::size_t i = 0; i < values.ruxMappingIndex.size(); ++i)
        values.ruxMappingIndex[i] = RuxMappingToIndex(setup.m_messageFileMapping[i]);
    values.posPrompt = setup.m_posCheckNewPlu == 0;
    values.password = SetupPasswordText(setup.m_setupPassword);
    values.passwordProtect = setup.m_setupPasswordInUse != 0 && !values.password.empty();
    setup.m_displayFont = DisplayFontCopy(setup.m_displayFont);
    values.reportFontSize = std::to_string(setup.m_reportFontSize);
    return values;
}

CGeneralSetup StoredGeneralSetup(const OptionsValues& values)
{
    CGeneralSetup setup = values.setup;
    setup.m_defaultScaleFamily = IndexToSystemType(values.systemTypeIndex);
    setup.m_startDayOfWeek = IndexToStartDay(values.startDayIndex);
    for (std::size_t i = 0; i < values.ruxMappingIndex.size(); ++i)
        setup.m_messageFileMapping[i] = IndexToRuxMapping(values.ruxMappingIndex[i]);
    setup.m_posCheckNewPlu = values.posPrompt ? 0 : 1;
    setup.m_setupPasswordInUse = values.passwordProtect ? 1 : 0;
    setup.m_setupPassword = StoredSetupPassword(values.password);
    if (const std::optional<int> size = ReadWholeNumber(values.reportFontSize))
        setup.m_reportFontSize = static_cast<std::uint16_t>(*size);
    for (std::size_t row = 0; row < setup.m_labelToPlu.size(); ++row)
        setup.m_labelToPlu[row] = std::max(setup.m_labelToPlu[row], setup.m_labelFromPlu[row]);
    return setup;
}

CKeyTypeDef StoredKeyTypes(const OptionsValues& values)
{
    CKeyTypeDef keyTypes;
    keyTypes.m_tables = values.keyBlocks;
    for (CKeyTypeDef::Codes& block : keyTypes.m_tables) block[0] = 0;
    return keyTypes;
}

std::vector<OptionsPage> OptionsPages(bool ausNzNutrition, bool ruxFamilyOnSite)
{
    using enum OptionsPage;
    std::vector<OptionsPage> pages = {General, General2, Reports, Logging, Logging2, Logging3};
    if (!ausNzNutrition) pages.insert(pages.end(), {MultiStore, DataSave});
    pages.push_back(LabelWidths);
    if (ruxFamilyOnSite) pages.push_back(Rux);
    return pages;
}

const char* OptionsPageTitle(OptionsPage page)
{
    static constexpr const char* kTitles[] = {"General #1",     "General #2",     "Report",     "Log",
                                              "Custom Logs #1", "Custom Logs #2", "Multi-Store", "Data Save",
                                              "Label Sizes",    "RUX/PZ4/Tarn4"};
    return kTitles[static_cast<std::size_t>(page)];
}

std::span<const SwitchField> GeneralSwitches() { return kGeneralSwitches; }
std::span<const NumberField> GeneralNumbers() { return kGeneralNumbers; }
std::span<const SwitchField> General2Switches() { return kGeneral2Switches; }
std::span<const NumberField> ReportNumbers() { return kReportNumbers; }
std::span<const SwitchField> LoggingSwitches() { return kLoggingSwitches; }
std::span<const NumberField> LoggingNumbers() { return kLoggingNumbers; }
std::span<const NumberField> Logging2Numbers() { return kLogging2Numbers; }
std::span<const NumberField> Logging3Numbers() { return kLogging3Numbers; }
std::span<const SwitchField> DataSaveSwitches() { return kDataSaveSwitches; }
std::span<const SwitchField> LabelSwitches() { return kLabelSwitches; }
std::span<const NumberField> LabelNumbers() { return kLabelNumbers; }
std::span<const SwitchField> RuxSwitches() { return kRuxSwitches; }
std::span<const LogFileField> LoggingFiles() { return kLoggingFiles; }
std::span<const LogFileField> Logging2Files() { return kLogging2Files; }
std::span<const LogFileField> Logging3Files() { return kLogging3Files; }
std::span<const char* const> RuxMappingChoices() { return kRuxMappings; }
std::span<const char* const> SystemTypeChoices() { return kSystemTypes; }
std::span<const char* const> MarketChoices() { return kMarkets; }
std::span<const char* const> StartDayChoices() { return kStartDays; }

NumberField LabelRowField(std::size_t row, int column)
{
    // Rows are few and fixed: the accessors read the row from the field's place in this table.
    static const auto kRows = [] {
        std::array<std::array<NumberField, 4>, 6> rows{};
        const auto make = [&rows]<std::size_t Row>(std::integral_constant<std::size_t, Row>) {
            rows[Row] = {{
                {"Width", "labelWidth", 10, 500,
                 [](const OptionsValues& v) -> std::uint32_t { return v.setup.m_labelWidths[Row]; },
                 [](OptionsValues& v, std::uint32_t n) { v.setup.m_labelWidths[Row] = static_cast<std::uint16_t>(n); }},
                {"Length", "descLength", 5, 999,
                 [](const OptionsValues& v) -> std::uint32_t { return v.setup.m_descLengths[Row]; },
                 [](OptionsValues& v, std::uint32_t n) { v.setup.m_descLengths[Row] = static_cast<std::uint16_t>(n); }},
                {"From PLU:", "fromPlu", 1, kMaxNumber,
                 [](const OptionsValues& v) { return v.setup.m_labelFromPlu[Row]; },
                 [](OptionsValues& v, std::uint32_t n) { v.setup.m_labelFromPlu[Row] = n; }},
                {"To PLU:", "toPlu", 1, kMaxNumber,
                 [](const OptionsValues& v) { return v.setup.m_labelToPlu[Row]; },
                 [](OptionsValues& v, std::uint32_t n) { v.setup.m_labelToPlu[Row] = n; }},
            }};
        };
        [&]<std::size_t... Rows>(std::index_sequence<Rows...>) {
            (make(std::integral_constant<std::size_t, Rows>{}), ...);
        }(std::make_index_sequence<6>{});
        return rows;
    }();
    return kRows.at(row).at(static_cast<std::size_t>(column));
}

bool SelectLogFile(OptionsValues& values, std::string EventLogSettings::*file)
{
    const std::string& current = values.log.*file;
    std::optional<std::string> path =
        AskSaveFileName("elg", current.empty() ? "*.elg" : current, "Log Files (*.elg) |*.elg|All Files (*.*)|*.*||");
    if (!path) return false;
    values.log.*file = std::move(*path);
    return true;
}

void OnLogSwitch(OptionsValues& values, const LogFileField& log, bool on)
{
    values.log.*log.enabled = on ? 1 : 0;
    if (on && (values.log.*log.file).empty()) SelectLogFile(values, log.file);
}

std::string LogFileText(const std::string& path, const CharRule& chars)
{
    return path.empty() ? "No file selected!!" : AbbreviatePath(path, 40, chars);
}

bool SelectBackupFolder(OptionsValues& values, const CharRule& chars, const std::string& extension,
                        const std::string& pattern, const std::string& filter)
{
    FileRequest request;
    request.kind = FileRequest::Kind::Save;
    request.title = std::string(GetMessageText(kFolderTitle));
    request.defaultExtension = extension;
    request.fileName = pattern;
    request.filter = filter;
    request.initialDirectory = values.backupFolder;
    const std::optional<std::string> file = AskFileName(request);
    if (!file) return false;
    values.backupFolder = GetFolderOfFile(*file, chars);
    return true;
}

bool CheckReportPage(OptionsValues& values)
{
    if (ReadWholeNumber(values.reportFontSize)) return true;
    ShowMessage(kInvalidValue);
    return false;
}

bool ClearTotals(const std::function<void()>& clear)
{
    if (ShowMessage(kClearTotalsQuestion, MessageButtons::OkCancel, MessageIcon::Warning) != MessageAnswer::Ok)
        return false;
    clear();
    return true;
}

void EnterMultiStore(OptionsValues& values, bool zonesExist)
{
    if (!zonesExist) values.setup.m_priceZoneMode |= 1;
}

ZoneMode GetZoneMode(const OptionsValues& values)
{
    const std::uint16_t mode = values.setup.m_priceZoneMode;
    if ((mode & 1) != 0) return ZoneMode::Disabled;
    return (mode & 2) != 0 ? ZoneMode::HeadOffice : ZoneMode::LocalStore;
}

void SetZoneMode(OptionsValues& values, ZoneMode mode)
{
    std::uint16_t& bits = values.setup.m_priceZoneMode;
    switch (mode) {
    case ZoneMode::Disabled: bits |= 1; break;
    case ZoneMode::HeadOffice: bits = static_cast<std::uint16_t>((bits & ~1) | 2); break;
    case ZoneMode::LocalStore: bits &= static_cast<std::uint16_t>(~3); break;
    }
}

std::vector<PriceZoneFieldRow> PriceZoneFieldRows(const OptionsValues& values, const CLabPropMap& definitions)
{
    std::vector<PriceZoneFieldRow> rows;
    for (std::size_t i = 0; i < values.priceZoneFields.size(); ++i) {
        for (const auto& [key, definition] : definitions) {
            if (definition->m_fieldNo != values.priceZoneFields[i]) continue;
            rows.push_back({definition->m_name, i});
            break;
        }
    }
    return rows;
}

void RemovePriceZoneField(OptionsValues& values, const PriceZoneFieldRow& row)
{
    if (row.index < values.priceZoneFields.size())
        values.priceZoneFields.erase(values.priceZoneFields.begin() + static_cast<std::ptrdiff_t>(row.index));
}

void AddPriceZoneField(OptionsValues& values, std::uint16_t fieldNo)
{
    if (std::ranges::find(values.priceZoneFields, fieldNo) == values.priceZoneFields.end())
        values.priceZoneFields.push_back(fieldNo);
}

bool IsSameNumberRuleEnabled(const OptionsValues& values)
{
    return values.setup.m_dataSaveOpenMode == 2;
}

}  // namespace varnel
