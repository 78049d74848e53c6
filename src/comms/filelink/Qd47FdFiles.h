// QD47FD files: the records of one Data Save section type in a file of its own, without an index, named
// by the type and a file number ("ITEM.001"), in a directory the user chooses. Each record has its
// length word as in a Data Save section (DataSaveStore.h).
#pragma once

#include "comms/filelink/DataSaveStore.h"
#include "db/site/EventLog.h"
#include "platform/FileSystem.h"

#include <string>

namespace varnel {

// The files the user chose when not all are taken.
struct Qd47FdSelection {
    bool plus = false;
    bool messages = false;
    bool stores = false;
    bool presets = false;
    bool scrollMessages = false;
    bool campaigns = false;
    bool coupons = false;
    bool nutrition = false;
};

class CQd47FdFiles {
public:
    // Records refused for their PLU numbers are told through the event log's flag.
    CQd47FdFiles(CDataSaveStore& store, IEventLog& log, IFileSystem& fs = RealFileSystem())
        : m_store(store), m_log(log), m_fs(fs)
    {
    }

    // Reads the chosen files (every type with `all`; only PLUs and extra messages for the file-server
    // scales, `itemsAndMessagesOnly`) in the order ITEM, ADDR, MESG, PSET, SCRL, CAMP, COUP, INGR. A file
    // that cannot be opened is named with 61216; a record refused ends its file with 61267; PLU numbers
    // the profile leaves out are told with 61290. 61273 when a file was read, else 61275; true when one was.
    bool Import(unsigned fileNumber, std::string directory, bool all, const Qd47FdSelection& selection,
                bool itemsAndMessagesOnly);
    // Writes the chosen files, each replaced whole; when any of them exists already the user must
    // allow it (31531). A file that cannot be written stops the export (61216); 61272 at the end.
    bool Export(unsigned fileNumber, std::string directory, bool all, const Qd47FdSelection& selection,
                bool itemsAndMessagesOnly);

private:
    CDataSaveStore& m_store;
    IEventLog& m_log;
    IFileSystem& m_fs;
};

}  // namespace varnel
