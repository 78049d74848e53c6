// The unsent-data file: every scale's undelivered jobs, kept beside the database across runs and
// shared with the other processes that queue jobs for the same scales (the automation copy, the
// scheduler).
//
// Layout, little-endian, through one object archive (class tags shared by the whole file):
//   OFFSET  SIZE  FIELD
//     0       2   version 1001
//     2       2   link number of the first scale   } one group per scale of every link, in link
//     4       2   scale number                      } order and each link's scale order, empty
//     6       n   the scale's queue: object array of CSendDataLog  } queues included
//   ...           further groups
//   end       4   link 65535, scale 65535 (a reader stops at link 65535 and ignores what follows)
//
// Invariants:
//   (1) the file is only read and written while this process holds the lock file beside it
//       ("<file>.lock", an exclusive open-file-description lock that other processes respect), so
//       a save's read, merge and write is one step for every process;
//   (2) the file is replaced as a whole (temporary file, sync, rename), never rewritten in place: a
//       crash leaves the old file or the new one, and no bytes of an older, longer file remain;
//   (3) a save merges by identity, never by time (clocks are set back, and the hour at the end of
//       daylight-saving time repeats): the process remembers each scale's jobs as it last read or
//       wrote them in the file. A job of the file it does not remember was added by another process
//       and joins its queue, in time order; one it remembers is either still queued here or was
//       delivered or dropped here since, and is not taken again. So no job is lost or written twice,
//       and the merge is linear in the file and the queue.
#include "comms/manager/IdEnqLinkList.h"

#include "platform/Archive.h"
#include "platform/ArchiveCollections.h"
#include "platform/AtomicReplace.h"

#include <algorithm>
#include <optional>

namespace varnel {
namespace {

constexpr std::uint16_t kUnsentVersion = 1001;
constexpr std::uint16_t kEndMark = 65535;
constexpr int kOpenTries = 5;
constexpr std::chrono::milliseconds kOpenRetryWait(500);

// Holds the lock file's lock for as long as it lives (invariant (1)). Taken with up to 5 tries
// 500 ms apart, as a file shared with other processes is opened.
std::unique_ptr<IFile> LockUnsentFile(IFileSystem& fs, const IClock& clock, const std::string& path)
{
    for (int attempt = 0; attempt < kOpenTries; ++attempt) {
        Result<std::unique_ptr<IFile>> lock = fs.Open(path + ".lock", FileAccess::OpenAlways, FileShare::DenyWrite);
        if (lock) return std::move(*lock);
        SleepFor(clock, kOpenRetryWait);
    }
    return nullptr;
}

// The whole file; none when it does not exist or cannot be read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(IFileSystem& fs, const std::string& path)
{
    if (!fs.Exists(path)) return std::nullopt;
    Result<std::unique_ptr<IFile>> file = fs.Open(path, FileAccess::Read);
    if (!file) return std::nullopt;
    const Result<std::uint64_t> length = (*file)->Length();
    if (!length) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(*length));
    if (!ReadExact(**file, bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
}

struct UnsentGroup {
    CScaleDef scale;
    SendQueue jobs;
};

// Reads the groups after the version word, handing each whole group to `take`; stops at the end
// mark or at the first error (the groups before it were handed out).
template <class Take>
void ReadGroups(CArchive& ar, Take take)
{
    for (;;) {
        UnsentGroup group;
        ar >> group.scale.m_linkId;
        if (!ar.Ok() || group.scale.m_linkId == kEndMark) return;
        ar >> group.scale.m_scaleId;
        SerializeObjectList(ar, group.jobs);
        if (!ar.Ok()) return;
        take(group);
    }
}

}  // namespace

bool CIdEnqLinkList::ChangeQueue(const CScaleDef& def, const std::function<void(CLinkScale&)>& change)
{
    CIdEnqLink* link = FindLink(def.m_linkId);
    CLinkScale* scale = link ? link->FindScale(def.m_scaleId) : nullptr;
    if (!scale) return false;
    const auto queueLock = link->LockQueues();
    change(*scale);
    return true;
}

std::string CIdEnqLinkList::GetUnsentDataPath(std::string_view databasePath) { return std::string(databasePath) + ".usd"; }

bool CIdEnqLinkList::LoadUnsentData(const std::string& path)
{
    ClearQueues(nullptr, false, false);
    // Until the file is read, nothing of it is known here: a later save keeps all of it.
    m_jobsInFile.clear();
    const std::unique_ptr<IFile> lock = LockUnsentFile(m_fs, m_clock, path);
    if (!lock) return false;
    const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(m_fs, path);
    if (!bytes) return false;
    CArchive ar = CArchive::Loading(*bytes);
    std::uint16_t version = 0;
    ar >> version;
    if (!ar.Ok() || version != kUnsentVersion) return false;
    bool unknownScales = false;
    ReadGroups(ar, [&](UnsentGroup& group) {
        unknownScales |= !ChangeQueue(group.scale, [&](CLinkScale& scale) { scale.m_sendQueue = std::move(group.jobs); });
    });
    m_lastUnsentLoad = Now();
    RememberQueuesInFile();
    if (!ar.Ok()) return false;
    // The groups of deleted scales leave the file.
    if (unknownScales) (void)WriteUnsentData(path);
    return true;
}

bool CIdEnqLinkList::SaveUnsentData(const std::string& path)
{
    for (const auto& link : m_links) link->RemoveDuplicateJobs();
    const std::unique_ptr<IFile> lock = LockUnsentFile(m_fs, m_clock, path);
    if (!lock) return false;
    // Invariant (3): what other processes added joins the queues. A copy of what is known is used
    // up, so a save that fails to write still knows the file as it stands.
    if (const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(m_fs, path)) {
        CArchive ar = CArchive::Loading(*bytes);
        std::uint16_t version = 0;
        ar >> version;
        if (ar.Ok() && version == kUnsentVersion) {
            auto known = m_jobsInFile;
            ReadGroups(ar, [&](UnsentGroup& group) {
                ChangeQueue(group.scale, [&](CLinkScale& scale) {
                    scale.MergeSendQueue(group.jobs, known[{group.scale.m_linkId, group.scale.m_scaleId}]);
                });
            });
        }
    }
    return WriteUnsentData(path);
}

bool CIdEnqLinkList::WriteUnsentData(const std::string& path)
{
    Result<std::vector<std::uint8_t>> bytes = SaveArchive([this](CArchive& ar) {
        ar << kUnsentVersion;
        for (const auto& link : m_links) {
            const auto queueLock = link->LockQueues();
            for (const auto& scale : link->m_scales) {
                ar << link->m_linkId << scale->m_scaleNo;
                // Slots of delivered jobs are left out.
                SendQueue& queue = scale->m_sendQueue;
                ar.WriteCount(static_cast<std::size_t>(std::ranges::count_if(queue, [](const auto& job) { return job != nullptr; })));
                for (const auto& job : queue)
                    if (job) ar.WriteObject(job.get());
            }
        }
        ar << kEndMark << kEndMark;
    });
    if (!bytes) return false;
    // Invariant (2).
    if (!ReplaceFile(m_fs, path, [&](IFile& file) { return WriteBytes(file, bytes->data(), bytes->size()); }))
        return false;
    RememberQueuesInFile();
    return true;
}

void CIdEnqLinkList::RememberQueuesInFile()
{
    m_jobsInFile.clear();
    for (const auto& link : m_links) {
        const auto queueLock = link->LockQueues();
        for (const auto& scale : link->m_scales) {
            SendJobCounts& known = m_jobsInFile[{link->m_linkId, scale->m_scaleNo}];
            for (const auto& job : scale->m_sendQueue)
                if (job) known.Add(*job);
        }
    }
}

void CIdEnqLinkList::SerializeSendQueues(CArchive& ar)
{
    if (ar.IsStoring()) {
        for (const auto& link : m_links) {
            const auto queueLock = link->LockQueues();
            for (const auto& scale : link->m_scales) {
                ar << std::uint8_t{1} << link->m_linkId << scale->m_scaleNo;
                SerializeObjectList(ar, scale->m_sendQueue);
            }
        }
        ar << std::uint8_t{0};
        return;
    }
    for (;;) {
        std::uint8_t more = 0;
        ar >> more;
        if (!ar.Ok() || more == 0) return;
        UnsentGroup group;
        ar >> group.scale.m_linkId >> group.scale.m_scaleId;
        SerializeObjectList(ar, group.jobs);
        if (!ar.Ok()) return;
        ChangeQueue(group.scale, [&](CLinkScale& scale) { scale.m_sendQueue = std::move(group.jobs); });
    }
}

}  // namespace varnel
