// The schedule file (".sch"): CString version ("202"; "201" and "202" read), the schedule (the
// framework's object list of schedule items), then every scale's send queues (the unsent-data
// section form); a file that ends after the schedule has no queues. The file stays open and locked
// from a successful load or save until the next one, so no other instance changes it meanwhile.
#include "app/MainFrame.h"

#include "platform/ArchiveCollections.h"
#include "platform/ArchiveFile.h"
#include "platform/AtomicReplace.h"
#include "platform/UserPrompt.h"

namespace varnel {
namespace {

bool IsAcceptedScheduleVersion(const std::string& version) { return version == "201" || version == "202"; }

// The schedule items' form comes with the scheduler; until then the schedule is empty.
void SerializeSchedule(CArchive& ar) { SerializeUnbuiltCollection(ar, "schedule items"); }

}  // namespace

bool CMainFrame::SaveSchedule(const std::string& path)
{
    CloseScheduleFile();
    const auto bytes = SaveArchive([&](CArchive& ar) {
        ar << std::string_view(kScheduleVersion);
        SerializeSchedule(ar);
        m_links->SerializeSendQueues(ar);
    });
    const bool saved = bytes && ReplaceFileKeepOpen(
                                    m_fs, path,
                                    [&](IFile& file) { return WriteBytes(file, bytes->data(), bytes->size()); },
                                    m_scheduleFile, FilePermissions::OwnerOnly);
    if (!saved) {
        ShowMessage(kErrorSavingSchedule);
        return false;
    }
    return true;
}

MessageId CMainFrame::LoadSchedule(const std::string& path, bool& inUse, bool showMessages)
{
    CloseScheduleFile();
    inUse = false;
    const auto fail = [&](MessageId message) {
        if (showMessages) ShowMessage(message);
        return message;
    };
    auto opened = m_fs.Open(path, FileAccess::ReadWrite, FileShare::DenyWrite);
    if (!opened) {
        inUse = opened.GetError().code == Errc::Refused;
        return fail(inUse ? kScheduleInUse : kCannotLoadSchedule);
    }
    std::string version;
    // Read once to see that the whole file is sound, then once more into the scales' queues, so a
    // damaged file leaves every queue as it was.
    const auto read = [&](CIdEnqLinkList& links) {
        return LoadArchiveFromFile(**opened, path, [&](CArchive& ar) {
            ar >> version;
            if (ar.Ok() && !IsAcceptedScheduleVersion(version)) {
                ar.Fail(Errc::Unsupported, "schedule version \"" + version + "\" is not supported");
                return;
            }
            SerializeSchedule(ar);
            if (ar.Ok() && !ar.AtEnd()) links.SerializeSendQueues(ar);
        });
    };
    CIdEnqLinkList scratch(m_clock, m_fs);
    if (!read(scratch) || !read(*m_links)) return fail(kCannotLoadSchedule);
    m_scheduleVersion = version;
    m_scheduleFile = std::move(*opened);
    return 0;
}

}  // namespace varnel
