// The message table: one line per message number, kept in ascending order.
#include "platform/Messages.h"

#include <algorithm>
#include <array>
#include <utility>

namespace varnel {
namespace {

constexpr std::pair<MessageId, std::string_view> kMessages[] = {
    {1605, "Operator"},
    {16427, "Use Defaults"},
    {16464, "TR-5300"},
    {16465, "HBKU (5300 mode)"},
    {16466, "TR-5200"},
    {16467, "HBKU (5200 mode)"},
    {16468, "ZNQ"},
    {16469, "GK-6300"},
    {16470, "LumenXT"},
    {16471, "Lumen"},
    {16472, "TR-5400 XT"},
    {16473, "RUX/PZ4/TARN4"},
    {16474, "TR-5400"},
    {16475, "VM-8100b/QF"},
    {16476, "KB-7100"},
    {17541, "User Adjustment"},
    {17545, "All Departments"},
    {17546, "All Groups"},
    {17547, "Dept. and Group Code"},
    {17589, "Scale Comms: Off-Line"},
    {17594, "RS-232  "},
    {17595, "TCP/IP  "},
    {17599, "All Scales"},
    {18095, "%s : From %ld to %ld"},
    {20401, "Setup"},
    {20402, "PLU"},
    {20403, "Advertising Message"},
    {20404, "Extra Message"},
    {20407, "Store (TR-5300/LumenXT)"},
    {20408, "Coupon"},
    {20409, "Nutrition"},
    {20410, "Campaign"},
    {20411, "Campaign PLUs"},
    {20412, "Keyboards"},
    {20413, "Key Data"},
    {20415, "Price zone data"},
    {20429, "Extra Message #2"},
    {20430, "Extra Message #3"},
    {20434, "Batch Labels"},
    {20437, "Pop Message"},
    {20453, "Trays"},
    {20470, "Comment/Lot Message"},
    {20471, "Store (5400-series/RUX/VM/QF)"},
    {20472, "Free Message 1"},
    {20473, "Free Message 2"},
    {20474, "Free Message 3"},
    {20475, "Free Message 4"},
    {20476, "Free Message 5"},
    {20477, "Free Message Name"},
    {20478, "Ingredients"},
    {20479, "Origin"},
    {20480, "Storage Temperature"},
    {20481, "Storage Instructions"},
    {20482, "Department"},
    {20483, "Group"},
    {20487, "Price Master #1"},
    {20488, "Price Master #2"},
    {20489, "Price Master #3"},
    {20490, "Price Master #4"},
    {20491, "Price Master #5"},
    {20502, " : Updated %s No. %u"},
    {20503, " : Added %s No. %u"},
    {20504, " : Deleted %s No. %u"},
    {20505, " User: <%s>"},
    {20506, " Op: <User edit>"},
    {20507, " Op: <Text file import>"},
    {20508, " Op: <QD47 file import>"},
    {20509, " Op: <Load from scale>"},
    {20510, ": Setup modified - %s"},
    {20511, ": Setup deleted - %s"},
    {20512, "Operator"},
    {20513, "Department"},
    {20514, "User access permissions"},
    {20522, "PLU range profile"},
    {20523, "Markdown price change for PLU %ld Mode=%d Price=%ld -> %ld (Zone=%hd) (Desc. = %s)"},
    {20524, "Price change for PLU %ld Price=%ld -> %ld (Zone=%hd) (Desc. = %s)"},
    {20529, "Price Zone"},
    {20531, " Op: <Batch file import>"},
    {20540, " Op: <Database import>"},
    {20553, "%lu,\"Scale PLU not in database\""},
    {20554, "%lu,\"Scale PLU does not match database\""},
    {20555, "\"Scale and database PLU description text different\""},
    {20556, "Scale: %s"},
    {20557, "%s : Scale = %d DB = %d"},
    {20559, "%lu,\"Database PLU not on scale\""},
    {20562, "PluNo,Result,Detail"},
    {20567, "%d.%d.%d.%d"},
    {20569, "  Scale [%s] : Comms operation completed successfully"},
    {20570, "   No. of data records sent succesfully: %d  No. of data records not sent: %d"},
    {20572, "  Scale [%s] : Comms error [%s]"},
    {20573, "%s (%d.%d.%d.%d)"},
    {20574, "Communication error reported by scale [%s] : %s"},
    {20587, "%lu,\"Scale PLU price master not in database (Price Master #%d)\""},
    {20588, "%lu,\"Database PLU price master not on scale (Price Master #%d)\""},
    {20590, "Enabled"},
    {20591, "Disabled"},
    {20592, "Online "},
    {20593, "Offline"},
    {20594, "Date&Time\tScale No.\tLink Status\tEnable|Disable"},
    {20595, "\r\n\r\nTotal : %d scales\r\n\t%d scale(s) are enabled but offline, please check these scales.\r\n\t%d "
            "scale(s) are disabled.\r\n\tOffline Ratio = %d/(%d-%d) = %d%%"},
    {20598, "Scale [%s] offline"},
    {31446, "Unable to communicate with one or more scales - scale busy!"},
    {31457, "Comms error reported by scale. Scale memory may be full."},
    {31491, "Error communicating with scales. Scale operation aborted!"},
    {31531, "One or more QD47FD files already exist in the target folder. OK to overwrite?"},
    {61216, "File open error"},
    {61217, "Cannot open communication link. Check Comms. Setup in the Setup menu and/or check that the cable is "
            "plugged in."},
    {61218, "A communication error occurred on one or more scales - If sending data to the scales (and auto-resend is "
            "enabled), any unsent data has been queued for resending when the scale comes back online. If receiving, "
            "some or all receive data may have been lost."},
    {61219, "Communication link to scales timed out."},
    {61220, "Data transfer complete."},
    {61225, "Data transfer cancelled by user."},
    {61226, "The received file did not contain any data that can be imported into the database."},
    {61228, "No data to send."},
    {61231, "Invalid value entered."},
    {61244, "Data Save file empty or not a valid Data Save file."},
    {61245, "Do you wish to open the received file?"},
    {61264, "There is no current Data Save file open!\n\nPlease select a Data Save file in which to save data and "
            "send.\n"},
    {61265, "Error saving setup file!"},
    {61267, "The QD47FD file contains invalid data - Data import aborted."},
    {61272, "QD47FD data export completed."},
    {61273, "Selected QD47FD data loaded OK."},
    {61275, "No QD47FD data loaded!\nEither file invalid, file not in specified directory, or no files specified. "},
    {61290, "The imported data contained invalid record numbers or PLU No.s that are disabled in your PLU "
            "profile.\nThese data were NOT added to the database!"},
    {61291, "The PLU range overlaps an existing range.\nThe ranges have been combined."},
    {61309, "Enter your user name and current password before clicking <Change Password>."},
    {61310, "Incorrect password - Please try again."},
    {61312, "The entered passwords are different. Please enter again."},
    {61326, "Cannot open communication link!"},
    {61328, "Your user settings do not allow this operation.\nDatabase not updated."},
    {61368, "Cannot open database\nUnsupported file version"},
    {61370, "Internal software error"},
    {61401, "The database file is read-only! You must save to a different file name before Varnel can open the "
            "database."},
    {61407, "No log entries were found in the specified range."},
    {61448, "Error processing received data. Some received data may not be added to database."},
    {61456, "One or more data records was not accepted by the scale.\nThe scale memory may be full."},
    {61460, "Error opening database file. The file may already be open in another  copy of VRN on this computer. "
            "Please close all copies of VRN and try again."},
    // Varnel's own, outside the system's numbers.
    {90001, "Cannot open database\nThe file is a Microsoft Access database. Varnel keeps \".mdb\" databases in "
            "SQLite files and cannot open Access files."},
    {90101, "Scale [%s] : a queued job of kind %u cannot be sent over an ID-ENQ link and was dropped"},
    {90301, "Scale [%s] : record %u was not sent: its %s does not fit the scale's record"},
    {90302, "PLU %u : date flag %u has no meaning for family-9 scales and was sent as no date"},
    {90303, "\"PLUSEND.GEN\" was written, but \"OrlanSend.bat\" could not be started in the scale data "
            "directory."},
    {90401, "Comms link [%s] did not stop when it was killed and was left running; restart Varnel to use it "
            "again"},
};

static_assert(std::ranges::is_sorted(kMessages, {}, &std::pair<MessageId, std::string_view>::first),
              "keep the message table in ascending order");

}  // namespace

std::string_view GetMessageText(MessageId id)
{
    const auto it = std::ranges::lower_bound(kMessages, id, {}, &std::pair<MessageId, std::string_view>::first);
    return it != std::end(kMessages) && it->first == id ? it->second : std::string_view{};
}

}  // namespace varnel
