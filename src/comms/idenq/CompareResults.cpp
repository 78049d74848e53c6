// The scale's compare result file: a text file with CR LF line ends, in which every line after the
// header is written as CR LF followed by the line, so the file never ends in a line break.
//
//   Scale: <title>
//   <date and time>
//   PluNo,Result,Detail
//   <lines of the PLU decoders and of CompareWithDatabase>
#include "comms/idenq/LinkScale.h"

#include "db/plu/PluDefTb.h"
#include "platform/LocalTime.h"
#include "platform/TextFormat.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr MessageId kMsgScaleTitle = 20556;    // "Scale: %s"
constexpr MessageId kMsgNotOnScale = 20559;    // key, "Database PLU not on scale"
constexpr MessageId kMsgHeaderLine = 20562;    // "PluNo,Result,Detail"
constexpr MessageId kMsgScaleOffline = 17589;  // "Scale Comms: Off-Line"
constexpr std::uint32_t kNotSentToScales = 1;   // control flag bit 0

Result<void> WriteText(IFile& file, const std::string& text) { return WriteBytes(file, text.data(), text.size()); }

Result<std::unique_ptr<IFile>> OpenAtEnd(IFileSystem& fs, const std::string& path)
{
    auto opened = fs.Open(path, FileAccess::OpenAlways, FileShare::DenyWrite);
    if (!opened) return opened.GetError();
    auto length = (*opened)->Length();
    if (!length) return length.GetError();
    if (auto seek = (*opened)->Seek(*length); !seek) return seek.GetError();
    return std::move(*opened);
}

}  // namespace

std::string CLinkScale::GetCompareResultFileName(std::string_view directory) const
{
    std::string path(directory);
    if (!path.empty() && path.back() != '/') path += '/';
    return path + FormatText("CompareResultsScale%03.3d.txt", static_cast<int>(m_scaleNo));
}

void CLinkScale::ClearCompareLists()
{
    m_scaleKeys.clear();
    m_notInDatabase.clear();
    m_different.clear();
    m_notOnScale.clear();
}

bool CLinkScale::HasCompareDifferences() const
{
    return !m_notInDatabase.empty() || !m_different.empty() || !m_notOnScale.empty();
}

void CLinkScale::StartCompareResults(const std::string& title, std::string_view directory, IFileSystem& fs,
                                     const IClock& clock)
{
    ClearCompareLists();
    auto file = fs.Open(GetCompareResultFileName(directory), FileAccess::Create);
    if (!file) return;
    const std::string header = FormatMessage(kMsgScaleTitle, title.c_str()) + "\r\n" +
                               FormatDateTime(ToLocalParts(clock.WallNow())) + "\r\n" +
                               std::string(GetMessageText(kMsgHeaderLine));
    (void)WriteText(**file, header);
}

void CLinkScale::CompareWithDatabase(const CPluDefTb& plus, std::string_view directory, IFileSystem& fs)
{
    const std::string path = GetCompareResultFileName(directory);
    if (!IsOnline()) {
        if (auto file = fs.Open(path, FileAccess::Create))
            (void)WriteText(**file, std::string(GetMessageText(kMsgScaleOffline)) + "\r\n");
        return;
    }
    auto file = OpenAtEnd(fs, path);
    m_notOnScale.clear();
    std::vector<std::uint32_t> onScale = m_scaleKeys;
    std::ranges::sort(onScale);
    std::string lines;
    KeyCursor cursor = 0;
    while (const CDBRecord* record = plus.PeekNextRecord(cursor)) {
        const auto* plu = dynamic_cast<const CPluDefRec*>(record);
        if (!plu || plu->TestCtrlFlag(kNotSentToScales) || std::ranges::binary_search(onScale, plu->GetKey())) continue;
        m_notOnScale.push_back(plu->GetKey());
        lines += "\r\n" + FormatMessage(kMsgNotOnScale, static_cast<unsigned long>(plu->GetKey()));
    }
    // A file that cannot be opened still leaves the list filled.
    if (file) (void)WriteText(**file, lines);
}

void CScaleCompareResults::WriteLine(std::string_view line)
{
    if (!m_file) {
        auto file = OpenAtEnd(m_fs, m_scale.GetCompareResultFileName(m_directory));
        if (!file) return;
        m_file = std::move(*file);
    }
    (void)WriteText(*m_file, "\r\n" + std::string(line));
}

}  // namespace varnel
