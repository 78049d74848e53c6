// CLinkScale: one scale on a link. Besides the settings that shape its records (CLinkScaleSettings)
// it holds the filters on what it is sent, its queue of send jobs not yet delivered, the outcome of
// the last job, and the result lists of the last comparison of its records with the database.
//
// Archive form (schema 1), little-endian, version 104 when storing:
//   u16 version, u16 scale number, u32 enabled, string name, u16 family, u16 reserved (0),
//   u16 price zone, u16 machine id, u16 add one day, u16 max description length, u16 tare format,
//   u16 message 28 (version > 101), u16 two-colour printer (version > 102),
//   u32 store number (version > 103; older scales take their scale number),
//   object list of CLinkFilter,
//   object array of CSendDataLog (version 100 only: the send queue of that format)
// A tare format of 2 or more reads as 0.
//
// Send queue: jobs oldest first. The link delivers from the front and empties each slot (null) whose
// job it finished, so the queue holds no null slot after its first job. The current job start is the
// slot of the first job of the send under way (none outside one).
#pragma once

#include "comms/idenq/LinkFilter.h"
#include "comms/idenq/SendJobCounts.h"
#include "db/site/LinkScaleSettings.h"
#include "db/plu/PluCompare.h"
#include "db/plu/SendDataLog.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/Serializable.h"
#include "settings/AppEventLog.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnel {

class CPluDefTb;
struct CGeneralSetup;
struct LinkSetupContext;

using SendQueue = std::vector<std::unique_ptr<CSendDataLog>>;

class CLinkScale : public CObject, public CLinkScaleSettings {
    VARNEL_DECLARE_SERIAL(CLinkScale)
public:
    static constexpr std::uint16_t kVersion = 104;

    CLinkScale() = default;
    CLinkScale(const CLinkScale&) = delete;
    CLinkScale& operator=(const CLinkScale&) = delete;

    void Serialize(CArchive& ar) override;

    // Replaces this scale's settings and filters by copies of the other's; the queue is emptied and the
    // compare lists and job state stay as they are.
    void CopySettings(const CLinkScale& other);
    void ClearFiltersAndQueue();
    void ClearSendQueue();
    bool HasDataWaiting() const;
    // Moves the items of `items` that `known` does not hold into the queue in time order (an item goes
    // after queued jobs of the same time) and empties their slots; each known item uses up one copy in
    // `known` and stays with the caller. Linear in the queue's length.
    void MergeSendQueue(SendQueue& items, SendJobCounts& known);
    // Deletes the jobs of the send under way; when part of it was delivered already, the whole queue.
    void DropCurrentJob();

    // "Scale Setup" on the scale: true after OK, which stores it; Cancel leaves the scale as it was.
    bool EditSettings(const LinkSetupContext& context);

    // The scale's lines of the setup listing, a scale left at the default being of the setup's family;
    // `indent` for a scale listed under its link.
    void WriteSetupDump(std::string& out, const CGeneralSetup& setup, bool indent) const;

    // The compare result file: "CompareResultsScale<nnn>.txt" in `directory`, the scale data directory.
    std::string GetCompareResultFileName(std::string_view directory) const;
    // Empties the four compare lists: the scale's keys, not in the database, different, not on the scale.
    void ClearCompareLists();
    // Whether the last comparison found the scale and the database to differ.
    bool HasCompareDifferences() const;
    // Empties the compare lists and starts the file with its header; only the lists when it cannot be created.
    void StartCompareResults(const std::string& title, std::string_view directory, IFileSystem& fs = RealFileSystem(),
                             const IClock& clock = SystemClock());
    // Ends a comparison: the PLUs of the table that the scale lacks (leaving out those switched off
    // for scales, control flag bit 0) go into the not-on-scale list and the file.
    void CompareWithDatabase(const CPluDefTb& plus, std::string_view directory, IFileSystem& fs = RealFileSystem());

    // Writes every PLU of the queued PLU jobs not yet logged to the PLU send-failure log (when that log
    // is on), then marks every queued job logged.
    void WriteUnsentPluLog(const CAppEventLog& log, CPluDefTb& plus, const PluLogScale& scale);

    bool IsOnline() const { return m_online.load(); }
    void SetOnline(bool online) { m_online.store(online); }
    MessageId GetLastResult() const { return m_lastResult.load(); }
    void SetLastResult(MessageId result) { m_lastResult.store(result); }
    std::uint32_t GetRecordCounter() const { return m_recordCounter.load(); }
    void SetRecordCounter(std::uint32_t count) { m_recordCounter.store(count); }
    void CountRecord() { ++m_recordCounter; }
    // Records of the send under way that were refused for a value that does not fit: not sent.
    std::uint32_t GetRefusedCounter() const { return m_refusedCounter.load(); }
    void SetRefusedCounter(std::uint32_t count) { m_refusedCounter.store(count); }
    void CountRefusedRecord() { ++m_refusedCounter; }

    std::vector<std::unique_ptr<CLinkFilter>> m_filters;
    SendQueue m_sendQueue;  // guarded by the link's queue lock
    std::vector<std::uint32_t> m_scaleKeys;
    std::vector<std::uint32_t> m_notInDatabase;
    std::vector<std::uint32_t> m_different;
    std::vector<std::uint32_t> m_notOnScale;
    std::optional<std::size_t> m_currentJobStart;

private:
    void SerializeSettings(CArchive& ar, std::uint16_t version);

    // Set by the link's worker, read by the user interface.
    std::atomic<bool> m_online{false};
    std::atomic<MessageId> m_lastResult{0};
    std::atomic<std::uint32_t> m_recordCounter{0};
    std::atomic<std::uint32_t> m_refusedCounter{0};
};

// What the comparison of the PLUs a scale sent gives (CPluDefTb::ComparePluRecord): the scale's compare
// lists, and lines appended to its compare result file in `directory`, each after CR LF. A file that
// cannot be opened leaves the lists filled.
class CScaleCompareResults final : public IPluCompareResults {
public:
    CScaleCompareResults(CLinkScale& scale, std::string directory, IFileSystem& fs = RealFileSystem())
        : m_scale(scale), m_directory(std::move(directory)), m_fs(fs)
    {
    }

    void AddScaleKey(std::uint32_t pluNumber) override { m_scale.m_scaleKeys.push_back(pluNumber); }
    void AddNotInDatabase(std::uint32_t pluNumber) override { m_scale.m_notInDatabase.push_back(pluNumber); }
    void AddDifferent(std::uint32_t pluNumber) override { m_scale.m_different.push_back(pluNumber); }
    void WriteLine(std::string_view line) override;

private:
    CLinkScale& m_scale;
    std::string m_directory;
    IFileSystem& m_fs;
    std::unique_ptr<IFile> m_file;
};

}  // namespace varnel
