// The setup list.
#include "app/SetupList.h"

#include "app/FrameCommandSite.h"
#include "app/MainFrame.h"
#include "platform/AtomicReplace.h"
#include "platform/LocalTime.h"
#include "platform/OleDate.h"
#include "platform/TextFormat.h"
#include "platform/TextViewer.h"
#include "platform/UserPrompt.h"

#include <array>
#include <string_view>

namespace varnel {
namespace {

constexpr std::array<std::string_view, 8> kFamilyNames = {"TR-5300", "HBKU (TR-5300)", "TR-5200,", "HBKU (TR-5200)",
                                                          "ZNQ",     "GK-6300",        "LumenXT",  "Lumen"};
constexpr std::array<std::string_view, 15> kMarketNames = {
    "USA",      "NZ",      "Australia", "Thailand", "South America", "Hong Kong", "Indonesia",   "China",
    "Iceland",  "Philippines", "Taiwan", "Singapore", "Malaysia",     "South Africa", "Sweden"};
constexpr std::array<std::string_view, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};

// A name of the table, or "" for a number past its end (the families and markets it does not name).
template <std::size_t N>
std::string NameOf(const std::array<std::string_view, N>& names, std::size_t index)
{
    return index < N ? std::string(names[index]) : std::string();
}

const char* YesNo(bool on) { return on ? "Yes" : "No"; }
const char* EnabledDisabled(bool on) { return on ? "Enabled" : "Disabled"; }

// Appends one formatted line (the format ends in its own CR LF).
template <class... Args>
void Line(std::string& out, std::string_view format, Args... args)
{
    out += FormatText(format, args...);
}

void PrintGeneralSettings(std::string& out, const CMainFrame& frame)
{
    const CGeneralSetup& s = frame.GetGeneralSetup();
    out += "\r\nGeneral Settings:\r\n";
    if (s.m_defaultScaleFamily <= 12)
        Line(out, "  Default system type                 : %s\r\n", NameOf(kFamilyNames, s.m_defaultScaleFamily).c_str());
    Line(out, "  Version                             : %s\r\n", NameOf(kMarketNames, s.m_market).c_str());
    Line(out, "  On-line comms                       : %s\r\n", EnabledDisabled(s.m_onlineComms != 0));
    Line(out, "  Left-justified fonts                : %s\r\n", EnabledDisabled(s.m_seriesNumber != 0));
    Line(out, "  Coupon support                      : %s\r\n", EnabledDisabled(s.m_couponSupport != 0));
    Line(out, "  Daisy-chained comms?                : %s\r\n", YesNo(s.m_daisyChainedComms != 0));
    Line(out, "  Campaign includes day of week?      : %s\r\n", YesNo(s.m_campaignDayOfWeek != 0));
    Line(out, "  PLU active/inactive function        : %s\r\n", EnabledDisabled(s.m_pluActiveInactive != 0));
    // The stored switch turns the check off.
    Line(out, "  POS/item code check for new PLU     : %s\r\n", EnabledDisabled(s.m_posCheckNewPlu == 0));
    Line(out, "  Nutrition support                   : %s\r\n", EnabledDisabled(s.m_nutritionInUse != 0));
    Line(out, "  Support one-to-many nutrition       : %s\r\n", EnabledDisabled(s.m_oneToManyNutrition != 0));
    Line(out, "  Use LumenXT price change message    : %s\r\n", EnabledDisabled(s.m_lumenXtPriceChange != 0));
    Line(out, "  Do not delete production totals after loading : %s\r\n",
         EnabledDisabled(s.m_keepProductionAfterLoad != 0));
    Line(out, "  Max. PLU No.                        : %d\r\n", static_cast<int>(s.m_maxPluNo));
    Line(out, "  Max. Ex. Message No.                : %d\r\n", static_cast<int>(s.m_maxExMessageNo));
    Line(out, "  Max. Coupon No.                     : %d\r\n", static_cast<int>(s.m_maxCouponNo));
    Line(out, "  Max. Campaign No.                   : %hd\r\n", static_cast<short>(s.m_maxCampaignNo));
    Line(out, "  Max. Store No.                      : %hd\r\n", static_cast<short>(s.m_maxStoreNo));
    Line(out, "  Setup password                      : %s\r\n", EnabledDisabled(s.m_setupPasswordInUse != 0));
    out += s.m_defaultDatabaseFormat == 1 ? "  Default database file format        : SQLite (*.MDB)\r\n"
                                          : "  Default database file format        : Norvik (*.PLD)\r\n";
    Line(out, "  Auto-load database at startup?      : %s\r\n", EnabledDisabled(s.m_autoLoadDatabase != 0));
    Line(out, "  Multi-user database access          : %s\r\n", EnabledDisabled(s.m_multiUserAccess != 0));
    Line(out, "  Automatic database file backup      : %s\r\n", EnabledDisabled(s.m_autoBackup != 0));
    if (s.m_autoBackup != 0) Line(out, "    Backup directory = %s\r\n", frame.GetBackupDirectory().c_str());
    Line(out, "  Use POS code in search window?      : %s\r\n", YesNo(s.m_posCodeInSearch != 0));
    Line(out, "  Use Dept & Group in search window?  : %s\r\n", YesNo(s.m_deptGroupInSearch != 0));
    Line(out, "  Show comms status dialog at startup?: %s\r\n", YesNo(s.m_commsStatusAtStartup != 0));
    Line(out, "  Bypass bug in printer driver?       : %s\r\n", YesNo(s.m_printerDriverBypass != 0));
    Line(out, "  Different dec. pt. for unit/fixed price?: %s\r\n", YesNo(s.m_unitFixedPriceDecimal != 0));
    Line(out, "  Different dec. pt. for markdown percentage?: %s\r\n", YesNo(s.m_markdownPercentDecimal != 0));
}

void PrintReportSettings(std::string& out, const CGeneralSetup& s)
{
    out += "\r\nReport Settings:\r\n";
    Line(out, "  Report font size                    : %hd points\r\n\r\n", static_cast<short>(s.m_reportFontSize));
    if (s.m_startDayOfWeek >= 1 && s.m_startDayOfWeek <= 7)
        Line(out, "  Start day of week                   : %s\r\n", NameOf(kDayNames, s.m_startDayOfWeek - 1u).c_str());
    Line(out, "  Save PLU prod. for                  : %hd days\r\n", static_cast<short>(s.m_keepPluDays));
    Line(out, "  Save hourly prod. for               : %hd days\r\n", static_cast<short>(s.m_keepHourlyDays));
    Line(out, "  Save operator prod. for             : %hd days\r\n", static_cast<short>(s.m_keepOperatorDays));
    Line(out, "  Save rewrap prod. for               : %hd days\r\n", static_cast<short>(s.m_keepRewrapDays));
    Line(out, "  Save next day prod. for             : %hd days\r\n", static_cast<short>(s.m_keepNextDayDays));
}

void PrintPriceZones(std::string& out, const CMainFrame& frame)
{
    const CGeneralSetup& s = frame.GetGeneralSetup();
    out += "Price Zone Settings:\r\n";
    if ((s.m_priceZoneMode & 1) != 0)
        out += "  Price zone mode:  Disabled\r\n";
    else if ((s.m_priceZoneMode & 2) != 0)
        out += "  Price zone mode:  Head office\r\n";
    else if (frame.PriceZones().IsDefined(s.m_localPriceZone))
        Line(out, "  Price zone mode:  Local store (Zone = %s)\r\n", frame.PriceZones().GetName(s.m_localPriceZone).c_str());
    else
        out += "  Price zone mode:  Local store\r\n";
    const std::span<const std::uint16_t> fields = frame.GetPriceZoneFields();
    if (!fields.empty()) {
        out += "  Price Zone Fields:\r\n";
        for (const std::uint16_t field : fields) {
            out += "    ";
            out += GetMessageText(field);
            out += "\r\n";
        }
    }
    frame.PriceZones().Print(out);
    out += "\r\n";
}

void PrintDataSaveSettings(std::string& out, const CGeneralSetup& s)
{
    out += "\r\nData Save Settings:\r\n";
    Line(out, "  Hide Data Save function?            : %s\r\n", YesNo(s.m_hideDataSave != 0));
    Line(out, "  Display options when opening file?  : %s\r\n", YesNo(s.m_dataSaveShowOptions != 0));
    switch (s.m_dataSaveOpenMode) {
    case 0: out += "  Data Save file open mode            : Open file but don't import\r\n"; break;
    case 1: out += "  Data Save file open mode            : Import into new database\r\n"; break;
    default:
        out += "  Data Save file open mode            : Import, add to current database\r\n";
        Line(out, "  Overwrite existing records?         : %s\r\n", YesNo(s.m_overwriteExisting != 0));
        break;
    }
}

void PrintLabelSizes(std::string& out, const CGeneralSetup& s)
{
    out += "\r\nLabel Size Settings:\r\n";
    out += "  From PLU  To PLU   Label Width  Desc. Length\r\n";
    for (std::size_t i = 0; i < s.m_labelFromPlu.size(); ++i)
        Line(out, "    %8d  %8d        %6hd        %6hd\r\n", static_cast<int>(s.m_labelFromPlu[i]),
             static_cast<int>(s.m_labelToPlu[i]), static_cast<short>(s.m_labelWidths[i]),
             static_cast<short>(s.m_descLengths[i]));
    Line(out, "  Desc. text line spacing             : %hd dots\r\n", static_cast<short>(s.m_lineSpacing));
    Line(out, "  60mm label width (dots)             : %hd dots\r\n", static_cast<short>(s.m_labelWidth60mmDots));
}

void PrintPluProfile(std::string& out, const CPluRangeList& ranges)
{
    if (ranges.GetCount() == 0) return;
    out += "PLU Profile:\r\n";
    out += "        From      To  Comment\r\n";
    for (std::size_t i = 0; i < ranges.GetCount(); ++i) {
        const CPluRange& range = ranges.GetAt(i);
        Line(out, "    %8d  %8d  %s\r\n", static_cast<int>(range.m_from), static_cast<int>(range.m_to),
             range.m_comment.c_str());
    }
    out += "\r\n";
}

void PrintFieldSet(std::string& out, const char* title, const CLabPropMap& fields)
{
    out += title;
    out += "                 Name   Display  Print  Width\r\n";
    for (const auto& [key, field] : fields)
        Line(out, "  %20s     %3s    %3s   %4hd\r\n", field->m_name.c_str(), YesNo(field->m_display != 0),
             YesNo(field->m_print != 0), static_cast<short>(field->m_width));
    out += "\r\n";
}

}  // namespace

std::string BuildSetupList(const CMainFrame& frame)
{
    const CGeneralSetup& s = frame.GetGeneralSetup();
    std::string out;
    Line(out, "        --- Varnel Setup Data ---        %s\r\n",
         FormatDateTime(ToLocalParts(frame.Clock().WallNow())).c_str());
    PrintGeneralSettings(out, frame);
    PrintReportSettings(out, s);
    frame.EventLog().PrintSettings(out, s);
    PrintPriceZones(out, frame);
    PrintDataSaveSettings(out, s);
    PrintLabelSizes(out, s);
    out += "\r\nRUX Settings:\r\n";
    Line(out, "  Single store operation?             : %s\r\n", YesNo(s.m_singleStoreOperation != 0));
    Line(out, "  Scale supports 2-color printing     : %s\r\n", YesNo(s.m_twoColourPrinting != 0));
    out += "\r\n\r\n";
    if (s.m_noDeptGroupSearchFamily10 == 0) frame.DeptCodes().Print(out);
    frame.Access().m_users.Print(out, frame.PriceZones());
    frame.Departments().Print(out);
    PrintPluProfile(out, frame.Access().m_activePluRanges);
    PrintFieldSet(out, "PLU Fields:\r\n", frame.GetFieldDefMap(FieldDefMap::Plu));
    PrintFieldSet(out, "Production Report Fields:\r\n", frame.GetFieldDefMap(FieldDefMap::Production));
    if (s.m_defaultScaleFamily == 9) {
        PrintFieldSet(out, "PLU Fields (RUX):\r\n", frame.GetFieldDefMap(FieldDefMap::Plu2));
        PrintFieldSet(out, "RUX Price Fields:\r\n", frame.GetFieldDefMap(FieldDefMap::RuxPrice));
    }
    frame.Operators().Print(out);
    return out;
}

bool OnOutputSetupList(FrameCommandSite& site)
{
    const auto path = AskFileName(ExtensionChooser(FileRequest::Kind::Save, "txt",
                                                   "Text Files (*.txt) |*.txt|All Files (*.*)|*.*||"));
    if (!path) return false;
    const std::string text = BuildSetupList(site.frame);
    const auto written = ReplaceFile(site.frame.FileSystem(), *path,
                                     [&text](IFile& file) { return WriteBytes(file, text.data(), text.size()); });
    if (!written) {
        ShowMessage(kSetupListFileError);
        return false;
    }
    if (ShowMessage(kViewSetupList, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::No)
        (void)OpenInTextViewer(*path);
    return true;
}

}  // namespace varnel
