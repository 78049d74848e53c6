// The users' block of the setup list: per user the database, profile and price zone, the rights, and
// the data access permissions on the tables the users' sheet mostly guards.
#include "settings/UserSetupList.h"

#include "db/plu/DBComTb.h"
#include "settings/PriceZone.h"
#include "settings/SetupListLines.h"

#include <array>
#include <utility>

namespace varnel {
namespace {

constexpr std::array<std::pair<UserRight, const char*>, 21> kPrintedRights{{
    {RightBatchMode, "  Allow batch mode?"},
    {RightTransmitToScales, "  Allow transmit to scales?"},
    {RightLoadFromScales, "  Allow load from scales?"},
    {RightReadProdFromScales, "  Allow read prod. from scales?"},
    {RightTr5400SerialComms, "  Allow TR-5400/LumenXT RS-232C comms?"},
    {RightLumenComms, "  Allow Lumen comms?"},
    {RightPz6602Comms, "  Allow PZ-6602 comms?"},
    {RightQd47ImportExport, "  Allow QD47 import/export?"},
    {RightScheduler, "  Allow scheduler use?"},
    {RightTextExport, "  Allow text file export?"},
    {RightTextImport, "  Allow text file import?"},
    {RightDatabaseImport, "  Allow database import?"},
    {RightPluListReport, "  Allow PLU list report?"},
    {RightPluProdReport, "  Allow PLU prod. report?"},
    {RightPluDailyReport, "  Allow PLU prod. daily report?"},
    {RightOperatorReport, "  Allow operator prod. report?"},
    {RightRewrapReport, "  Allow rewrap prod. report?"},
    {RightNextDayReport, "  Allow next day prod. report?"},
    {RightBatchProdReport, "  Allow batch production report?"},
    {RightAdjustProdTotals, "  Allow adjust prod. totals?"},
    {RightRestrictedAccess, "  Restricted access?"},
}};

// Setup, PLU, Advertising Message, Extra Message, Coupon, Store, Campaign, Keyboards, Nutrition.
constexpr std::array<std::uint16_t, 9> kPrintedTables{1, 2, 3, 4, 8, 7, 10, 12, 9};

constexpr const char* kRule = " -------------------------------------------\r\n";

void PrintPermissions(std::string& out, const CUserSetup& user)
{
    out += "  Data access permissions:\r\n";
    out += kRule;
    out += "               Table   View   Delete  Update\r\n";
    out += kRule;
    for (const std::uint16_t table : kPrintedTables) {
        const std::uint8_t permission = user.m_tablePermission[table];
        out += FormatText("  %18s   %3s      %3s     %3s\r\n", CDBComTb::GetTableCaption(table).c_str(),
                          YesNo(permission & AccessView), YesNo(permission & AccessDelete),
                          YesNo(permission & AccessUpdate));
    }
    out += kRule;
    out += "\r\n";
}

}  // namespace

void CUserSetupList::Print(std::string& out, const CPriceZoneList& zones) const
{
    if (m_users.empty()) return;
    out += "Users:\r\n";
    for (const auto& user : m_users) {
        out += FormatText("User Name: %s\r\n", user->m_name.c_str());
        if (user->HasRight(RightTiedToDatabase)) SetupLine(out, "  Database", user->m_database);
        if (user->m_useProfile != 0) {
            SetupLine(out, "  Profile", user->m_profileFile);
            out += "\r\n";
        }
        SetupLine(out, "  Price zone", zones.GetName(user->m_priceZone));
        for (const auto& [right, label] : kPrintedRights) SetupLine(out, label, YesNo(user->HasRight(right)));
        PrintPermissions(out, *user);
    }
    out += "\r\n";
}

}  // namespace varnel
