// "PLUSEND.GEN", the send file of the outside maker's scales: for each PLU an "NAA" header record and
// "NAB" text records, for a PLU that no longer exists a "DAA" delete record; fixed-layout lines of
// decimal digits ending in CR LF. The site's script "OrlanSend.bat", run in the scale data directory
// once the file is in place, passes it on to those scales.
//
//   NAA (91 bytes)                          NAB (34 + n bytes)          DAA (65 bytes)
//    0 "NAA", dept (3) twice, "000"          0 as NAA, "NAB"             0 "DAA", dept (3) twice, "000"
//   12 PLU (6)                              26 line number (2) and      12 PLU (6)
//   18 label format (4, "0001" for 0)          kind: "0000" text,       18 "00010000"
//   22 "0000"                                  "2000" ingredients and   26 '0' up to 63, CR LF
//   26 UnitPrice (6)                           messages, "1000"
//   32 MarkPrice (6) "13", or "00000013"        nutrition
//   40 PackQuant (5)  45 Unit (2)           32 the line (at most 84)
//   47 Tare (3)       50 SalesMode (4)      32+n CR LF
//   54 "0000000" ShelfLife (3)   64 "04"
//   66 Posflag (2)    68 PosCode (10)       The department is taken modulo 1000 in every record.
//   78 date kind      79 ten zeros, CR LF
#pragma once

#include "db/site/EventLog.h"
#include "db/site/FieldDefSet.h"
#include "db/site/TextRules.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace varnel {

class CPluDefRec;
class CPluDefTb;

constexpr std::size_t kOrlanHeaderRecordSize = 91;
constexpr MessageId kMsgFileOpenError = 61216;
constexpr MessageId kMsgOrlanScriptNotStarted = 90303;

// What a run reads of the site and where it reports: the scale data directory, which takes the file
// and runs the script; the character rule the text lines are cut by; and the event log, which is told
// of each PLU refused and of a script that did not start.
struct OrlanSendSite {
    std::string directory;
    CharRule chars;
    IEventLog& eventLog;
};

// Fills the NAA record of the row, its POS code as wide as the definitions show it; its length (91),
// or 0 when a value does not fit its field (the reason is written to the event log).
std::size_t WriteOrlanHeaderRecord(IEventLog& eventLog, const FieldDefSet& definitions, const CPluDefRec& row,
                                   std::span<std::uint8_t, kOrlanHeaderRecordSize> out);

// Appends the NAA record and every NAB record of the row; false, appending nothing, when a value does
// not fit its field.
bool WriteOrlanPluRecords(const OrlanSendSite& site, const CPluDefTb& plus, const CPluDefRec& row, std::string& out);
// Appends the DAA record; false, appending nothing, for a PLU number of more than 6 digits.
bool WriteOrlanDeleteRecord(IEventLog& eventLog, std::uint32_t pluNumber, std::uint32_t department, std::string& out);

// The runs: "PLUSEND.GEN" in the scale data directory written anew with the records of the PLUs from
// `first` to `last` (or of the PLUs remembered as changed, which are then forgotten), then
// "OrlanSend.bat" started there. 0 on success; 61216 "File open error" when the file cannot be
// written (shown when `showMessages`), 90303 when the script cannot be started.
MessageId OrlanSendRange(const OrlanSendSite& site, CPluDefTb& plus, std::uint32_t first, std::uint32_t last,
                         bool showMessages, IFileSystem& fs = RealFileSystem());
MessageId OrlanSendChanges(const OrlanSendSite& site, CPluDefTb& plus, bool showMessages,
                           IFileSystem& fs = RealFileSystem());

}  // namespace varnel
