// Data Save files (".dsv", layout in DataSaveIndex.h) opened into the database and rewritten from it.
// The file being opened or rewritten is the current Data Save file of the comms status given (the
// main frame's) afterwards; refused records are told through the event log's flag.
//
// A rewrite never leaves a file half written: the new file is built beside its target and takes the
// target's place only once it is whole (ReplaceFile), so a failure leaves the old file as it was.
#pragma once

#include "comms/filelink/DataSaveStore.h"
#include "comms/filelink/Qd47ComLink.h"
#include "db/site/LinkRoles.h"
#include "platform/FileSystem.h"

#include <string>

namespace varnel {

class CDataSaveFiles {
public:
    CDataSaveFiles(CDataSaveStore& store, const LinkRoles& roles, IFileSystem& fs = RealFileSystem())
        : m_store(store), m_roles(roles), m_fs(fs)
    {
    }

    // Reads the records of every section the store holds into the database. False, after 61216 "File
    // open error" or 61244 "Data Save file empty or not a valid Data Save file.", when the file cannot
    // be read or has no index; records refused for a PLU number the profile leaves out are told with
    // 61290 afterwards.
    bool LoadDataSaveFile(const std::string& path);
    // Writes the current Data Save file again with the database's data: into `target`, or in place for
    // an empty target or the current file's own name. Label formats, other files and sections the
    // store does not hold are copied unchanged, byte for byte, at their new offsets.
    bool WriteDataSaveFile(const std::string& target);

    // Receives a Data Save file from the scale over the file link, beside "backup1.dsv" in the scale
    // data directory, and gives it the name the user chooses (an existing file of that name replaced
    // whole). When it holds data to import and the user wants it opened (61245), it becomes the current
    // Data Save file and the comms status is asked to open it. False when nothing was kept.
    bool ReceiveDataSaveFile(CQd47ComLink& link, IQd47Dialog& dialog);
    // Sends the file to the scale over the file link.
    bool SendDataSaveFile(CQd47ComLink& link, const std::string& path, IQd47Dialog& dialog)
    {
        return link.TransferFile(false, path, dialog);
    }

private:
    CDataSaveStore& m_store;
    LinkRoles m_roles;
    IFileSystem& m_fs;
};

}  // namespace varnel
