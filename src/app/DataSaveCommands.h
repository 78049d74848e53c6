// The document's Data Save, QD47FD and compact commands, Qt-free:
//   SaveDataSave      "&Save (Data Save)": the current Data Save file rewritten from the database
//   SaveDataSaveAs    "Sa&ve As (Data Save)": the same into a file the user names, which becomes current
//   ReceiveDataSave   "&Receive (Data Save)": a file received over the file link
//   SendDataSave      "&Send (Data Save)": "Specify Transmit Data"; the current database (the current
//                     Data Save file rewritten first; without one 61264 and a file to take its place)
//                     or a Data Save file chosen as it is, sent over the file link
//   ImportQd47Fd      "&Import QD47FD": "QD47FD Settings", then the files read into the database with
//                     the general setup's overwrite switch taken from the dialog for the import only
//   ExportQd47Fd      "&Export QD47FD": the same dialog, then the files written
//   CompactDatabase   "Com&pact Database": 31490 when the open database cannot be compacted
// Each answers whether its work was done; a refused dialog or question changes nothing.
#pragma once

#include "db/site/LinkRoles.h"
#include "platform/Messages.h"

#include <optional>
#include <string>

namespace varnel {

class CQd47ComLink;
class CVrn3Doc;
class IFileSystem;
class IKeyboardPresets;
struct CGeneralSetup;

inline constexpr MessageId kMsgNoCurrentDataSave = 61264;
inline constexpr MessageId kMsgCannotCompact = 31490;

// What the commands take from the frame.
struct DataSaveSite {
    CQd47ComLink* link = nullptr;
    IKeyboardPresets* presets = nullptr;  // none: preset sections are copied, never read or written
    CGeneralSetup* setup = nullptr;
    IFileSystem* fs = nullptr;
    std::optional<LinkRoles> roles;  // the frame's: the current Data Save file, the event log, the directories
    std::string currentDirectory;  // the directory fields of "QD47FD Settings" start at
};

bool SaveDataSave(CVrn3Doc& document, const DataSaveSite& site);
bool SaveDataSaveAs(CVrn3Doc& document, const DataSaveSite& site);
bool ReceiveDataSave(CVrn3Doc& document, const DataSaveSite& site);
bool SendDataSave(CVrn3Doc& document, const DataSaveSite& site);
bool ImportQd47Fd(CVrn3Doc& document, const DataSaveSite& site);
bool ExportQd47Fd(CVrn3Doc& document, const DataSaveSite& site);
bool CompactDatabase(CVrn3Doc& document);

}  // namespace varnel
