#include "comms/DataSaveFile.h"

#include "comms/DataSaveIndex.h"
#include "db/MainFrame.h"
#include "platform/AtomicReplace.h"
#include "platform/UserPrompt.h"

#include <vector>

namespace varnel {
namespace {

constexpr MessageId kMsgFileOpenError = 61216;
constexpr MessageId kMsgNoIndex = 61244;
constexpr MessageId kMsgInvalidRecords = 61290;
constexpr std::size_t kCopyPiece = 1024;

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
    IMainFrame* frame = GetMainFrame();
    if (frame) frame->SetInvalidRecordFlag(0);
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
    if (frame && frame->GetInvalidRecordFlag() != 0) {
        ShowMessage(kMsgInvalidRecords);
        frame->SetInvalidRecordFlag(0);
    }
    if (!read) {
        ShowMessage(kMsgFileOpenError);
        return false;
    }
    if (frame) frame->SetCurrentDataSaveFile(path);
    return true;
}

bool CDataSaveFiles::WriteDataSaveFile(const std::string& target)
{
    IMainFrame* frame = GetMainFrame();
    const std::string current = frame ? frame->GetCurrentDataSaveFile() : std::string{};
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
    if (!inPlace && frame) frame->SetCurrentDataSaveFile(target);
    return true;
}

}  // namespace varnel
