// Opening Data Save files (".dsv") from the main frame. With a database open, "Data Save Open
// Options" (when the general setup shows it) says how: 0 the file only becomes the current Data Save
// file, 1 its records go into a new database named after it, 2 they are added to the open database.
// The choice is kept in the frame. A Data Save file the file link received opens the same way.
//
// A new database takes the place of a file of its name only after that file was kept as a dated
// backup (DatedBackup.h); when the backup cannot be made, 61216 ends the command and nothing changed.
//
//   OnOpenDataSave            32812  chooser, then OpenDataSaveFile
//   OnOpenDataSaveNoDocument  32830  chooser; the ".mdb" database of the file's name opens (made when
//                                    missing) and the file's records go into it
#pragma once

#include "platform/Messages.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

struct FrameCommandSite;

namespace Commands {
inline constexpr std::uint32_t kOpenDataSave = 32812;
inline constexpr std::uint32_t kOpenDataSaveNoDocument = 32830;
}  // namespace Commands

inline constexpr MessageId kDataSaveFileOpenError = 61216;

// The Data Save file's path with its file name's extension (only the name's: a "." of a directory
// does not count) replaced by `extension` (".pld"), or `extension` added when the name has none.
std::string DataSaveDatabaseName(std::string_view dataSavePath, std::string_view extension);

// True when the file was opened as chosen (for mode 0, made the current Data Save file).
bool OpenDataSaveFile(FrameCommandSite& site, const std::string& path);
bool OnOpenDataSave(FrameCommandSite& site);
bool OnOpenDataSaveNoDocument(FrameCommandSite& site);

}  // namespace varnel
