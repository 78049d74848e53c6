#include "comms/filelink/DataSaveFile.h"

#include "comms/filelink/DataSaveIndex.h"
#include "db/store/StoreTransaction.h"
#include "platform/AtomicReplace.h"
#include "platform/UserPrompt.h"

#include <vector>

namespace varnel {
namespace {

constexpr MessageId kMsgFileOpenError = 61216;
constexpr MessageId kMsgNoIndex = 61244;
constexpr MessageId kMsgInvalidRecords = 61290;
constexpr MessageId kMsgOpenReceived = 61245;
constexpr std::size_t kCopyPiece = 1024;
constexpr std::string_view kReceivedName = "backup1.dsv";
constexpr std::string_view kDataSaveFilter = "Data Save (*.dsv) |*.dsv|All Files (*.*)|*.*||";

Result<std::vector<std::uint8_t>> ReadRange(IFile& file, std::uint64_t from, std::uint64_t to)
{
    std::vector<std::uint8_t> bytes(to - from);
    if (auto seek = file.Seek(from); !seek) return seek.GetError();
    if (auto read = ReadExact(file, bytes.data(), bytes.size()); !read) return read.GetError();
    return bytes;
}

Result<void> CopyRange(IFile& from, std::uint64_t start, std::uint64_t end, IFile& to)
{
    for (std::uint64_t at = start; at < end; at += kCopyPiece) {
        auto piece = ReadRange(from, at, std::min(end, at + kCopyPiece));
        if (!piece) return piece.GetError();
        if (auto written = WriteBytes(to, piece->data(), piece->size()); !written) return written;
    }
    return {};
}

// The file's index, or the message that tells why there is none.
Result<DataSaveIndex> ReadIndexOrTell(IFile& file)
{
    auto index = ReadDataSaveIndex(file, kDataSaveMaxSections);
    if (!index) {
        ShowMessage(kMsgFileOpenError);
        return index.GetError();
    }
    if (!*index) {
        ShowMessage(kMsgNoIndex);
        return MakeError(Errc::Corrupt, "no Data Save index");
    }
    return std::move(**index);
}

}  // namespace

bool CDataSaveFiles::LoadDataSaveFile(const std::string& path)
{
    auto file = m_fs.Open(path, FileAccess::Read, FileShare::DenyWrite);
    if (!file) {
        ShowMessage(kMsgFileOpenError);
        return false;
    }
    const auto index = ReadIndexOrTell(**file);
    if (!index) return false;
    IEventLog& events = m_roles.log;
    events.SetInvalidRecordFlag(0);
    // One operation on the database: a file that fails to load leaves nothing of it behind.
    StoreTransaction operation(m_store.GetDatabase());
    bool read = true;
    for (std::size_t i = 0; i < index->sections.size() && read; ++i) {
        const std::uint16_t type = index->sections[i].type;
        if (!IsImportableType(type) || !m_store.Holds(type)) continue;
        const auto section = ReadRange(**file, index->SectionStart(i), index->SectionEnd(i));
        read = section.HasValue();
        if (!read) break;
        ForEachSectionRecord(*section, m_store.LargestRecord(type), [&](auto record, std::uint32_t recordNo) {
            return m_store.ApplyRecord(type, record, recordNo);
        });
    }
    if (events.GetInvalidRecordFlag() != 0) {
        ShowMessage(kMsgInvalidRecords);
        events.SetInvalidRecordFlag(0);
    }
    if (!read || !operation.Commit()) {
        ShowMessage(kMsgFileOpenError);
        return false;
    }
    m_roles.status.SetCurrentDataSaveFile(path);
    return true;
}

bool CDataSaveFiles::WriteDataSaveFile(const std::string& target)
{
    ICommsStatus& status = m_roles.status;
    const std::string current = status.GetCurrentDataSaveFile();
    const bool inPlace = target.empty() || target == current;
    auto source = m_fs.Open(current, FileAccess::Read, FileShare::DenyWrite);
    if (current.empty() || !source) {
        ShowMessage(kMsgFileOpenError);
        return false;
    }
    const auto index = ReadIndexOrTell(**source);
    if (!index) return false;
    const auto rewrite = [&](IFile& out) -> Result<void> {
        std::vector<CDataSaveSection> sections = index->sections;
        for (std::size_t i = 0; i < sections.size(); ++i) {
            sections[i].offset = static_cast<std::uint32_t>(out.Position());
            const std::uint16_t type = sections[i].type;
            auto written = IsImportableType(type) && m_store.Holds(type)
                               ? m_store.WriteSection(type, out)
                               : CopyRange(**source, index->SectionStart(i), index->SectionEnd(i), out);
            if (!written) return written;
        }
        return WriteDataSaveIndex(out, sections);
    };
    // Once the new file stands in the old one's place it is the file, even when the directory's sync
    // then fails.
    std::unique_ptr<IFile> replacement;
    if (auto replaced = ReplaceFileKeepOpen(m_fs, inPlace ? current : target, rewrite, replacement);
        !replaced && !replacement) {
        ShowMessage(kMsgFileOpenError);
        return false;
    }
    if (!inPlace) status.SetCurrentDataSaveFile(target);
    return true;
}

bool CDataSaveFiles::ReceiveDataSaveFile(CQd47ComLink& link, IQd47Dialog& dialog)
{
    std::string directory = m_roles.site.GetScaleDataDirectory();
    if (directory.empty()) directory = ".";
    std::string received;
    const std::string beside = directory + "/" + std::string(kReceivedName);
    if (auto work = m_fs.CreateTempBeside(beside, received, FilePermissions::Normal); !work) {
        ShowMessage(kMsgFileOpenError);
        return false;
    }
    const auto discard = [&] {
        (void)m_fs.Remove(received);
        return false;
    };
    if (!link.TransferFile(true, received, dialog)) return discard();
    const std::optional<std::string> name = AskSaveFileName("dsv", kReceivedName, kDataSaveFilter);
    if (!name) return discard();
    // A rename within one file system puts the file in place whole; across file systems it is copied.
    if (!m_fs.Rename(received, *name)) {
        if (!CopyWholeFile(m_fs, received, *name)) {
            ShowMessage(kMsgFileOpenError);
            return discard();
        }
        (void)m_fs.Remove(received);
    }
    if (link.HasImportableData() &&
        ShowMessage(kMsgOpenReceived, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes) {
        ICommsStatus& status = m_roles.status;
        status.SetCurrentDataSaveFile(*name);
        status.PostOpenDataSaveRequest();
    }
    return true;
}

}  // namespace varnel
