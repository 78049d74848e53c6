#include "comms/filelink/Qd47FdFiles.h"

#include "comms/filelink/DataSaveIndex.h"
#include "db/store/StoreTransaction.h"
#include "platform/AtomicReplace.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace varnel {
namespace {

constexpr MessageId kMsgFileOpenError = 61216;
constexpr MessageId kMsgInvalidData = 61267;
constexpr MessageId kMsgExported = 61272;
constexpr MessageId kMsgLoaded = 61273;
constexpr MessageId kMsgNothingLoaded = 61275;
constexpr MessageId kMsgInvalidRecords = 61290;
constexpr MessageId kMsgOverwrite = 31531;

constexpr std::uint16_t kTypeOrder[] = {DsvItems,          DsvStores,    DsvMessages, DsvPresets,
                                        DsvScrollMessages, DsvCampaigns, DsvCoupons,  DsvIngredients};

bool IsChosen(std::uint16_t type, bool all, const Qd47FdSelection& s, bool itemsAndMessagesOnly)
{
    if (itemsAndMessagesOnly && type != DsvItems && type != DsvMessages) return false;
    if (all) return true;
    switch (type) {
    case DsvItems: return s.plus;
    case DsvStores: return s.stores;
    case DsvMessages: return s.messages;
    case DsvPresets: return s.presets;
    case DsvScrollMessages: return s.scrollMessages;
    case DsvCampaigns: return s.campaigns;
    case DsvCoupons: return s.coupons;
    default: return s.nutrition;
    }
}

std::string FileName(const std::string& directory, std::uint16_t type, unsigned fileNumber)
{
    return directory + std::string(DataSaveTypeName(type)) + FormatText(".%03.3d", static_cast<int>(fileNumber));
}

std::string Lowered(std::string path, std::size_t nameStart)
{
    for (std::size_t i = nameStart; i < path.size(); ++i)
        path[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(path[i])));
    return path;
}

// The whole file; none when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadWhole(IFileSystem& fs, const std::string& path)
{
    auto file = fs.Open(path, FileAccess::Read, FileShare::DenyWrite);
    if (!file) return std::nullopt;
    const auto length = (*file)->Length();
    if (!length) return std::nullopt;
    std::vector<std::uint8_t> bytes(*length);
    if (!ReadExact(**file, bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
}

void TellInvalidRecords(IEventLog& events)
{
    if (events.GetInvalidRecordFlag() == 0) return;
    ShowMessage(kMsgInvalidRecords);
    events.SetInvalidRecordFlag(0);
}

}  // namespace

bool CQd47FdFiles::Import(unsigned fileNumber, std::string directory, bool all, const Qd47FdSelection& selection,
                          bool itemsAndMessagesOnly)
{
    if (!directory.empty() && directory.back() != '/') directory += '/';
    // The files are one operation on the database, kept together.
    StoreTransaction operation(m_store.GetDatabase());
    bool anyRead = false;
    for (const std::uint16_t type : kTypeOrder) {
        if (!IsChosen(type, all, selection, itemsAndMessagesOnly) || !m_store.Holds(type)) continue;
        const std::string path = FileName(directory, type, fileNumber);
        // Files copied from a scale's diskette may have their names in small letters.
        const std::string found = m_fs.Exists(path) ? path : Lowered(path, directory.size());
        if (type == DsvItems) m_log.SetInvalidRecordFlag(0);
        const auto bytes = ReadWhole(m_fs, found);
        if (!bytes) {
            ShowMessageText(std::string(GetMessageText(kMsgFileOpenError)) + ":  <" + path + ">");
            continue;
        }
        anyRead = true;
        bool refused = false;
        ForEachSectionRecord(*bytes, m_store.LargestRecord(type), [&](auto record, std::uint32_t recordNo) {
            refused = !m_store.ApplyRecord(type, record, recordNo);
            return !refused;
        });
        if (refused) ShowMessage(kMsgInvalidData);
        if (type == DsvItems) TellInvalidRecords(m_log);
    }
    if (anyRead && !operation.Commit()) {
        ShowMessage(kMsgFileOpenError);
        return false;
    }
    ShowMessage(anyRead ? kMsgLoaded : kMsgNothingLoaded, MessageButtons::Ok, MessageIcon::Information);
    return anyRead;
}

bool CQd47FdFiles::Export(unsigned fileNumber, std::string directory, bool all, const Qd47FdSelection& selection,
                          bool itemsAndMessagesOnly)
{
    if (!directory.empty() && directory.back() != '/') directory += '/';
    std::vector<std::uint16_t> types;
    for (const std::uint16_t type : kTypeOrder)
        if (IsChosen(type, all, selection, itemsAndMessagesOnly) && m_store.Holds(type)) types.push_back(type);
    const bool anyExists = std::ranges::any_of(types, [&](std::uint16_t type) {
        return m_fs.Exists(FileName(directory, type, fileNumber));
    });
    if (anyExists && ShowMessage(kMsgOverwrite, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok)
        return false;
    for (const std::uint16_t type : types) {
        const auto write = [&](IFile& out) { return m_store.WriteSection(type, out); };
        if (auto written = ReplaceFile(m_fs, FileName(directory, type, fileNumber), write); !written) {
            ShowMessage(kMsgFileOpenError);
            return false;
        }
    }
    ShowMessage(kMsgExported, MessageButtons::Ok, MessageIcon::Information);
    return true;
}

}  // namespace varnel
