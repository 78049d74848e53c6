// CIdEnqLinkList: the link manager. The main frame holds the one list of links and saves it with the
// site setup. It starts and stops the links' worker threads, puts work on them (polls, sends,
// receives, resends of unsent data), finds scales by number or name, keeps each scale's undelivered
// jobs across runs in the unsent-data file beside the database, and waits while the links are busy.
//
//   stopped --StartLinks (load unsent data; start every worker; poll all scales)--> started
//   started --StopLinks (cancel and stop every worker, kill those that do not end, save unsent data)--> stopped
//
// While started, a link takes a request only when none is pending on it; a refused request leaves
// the link's error 31446 and still posts its completion to the notify window, so a waiting dialog
// counts the link as finished.
//
// Used from the user-interface thread only; the links' own locks guard what their workers share.
//
// Archive form (schema 1): the links as an object array.
#pragma once

#include "comms/idenq/IdEnqLink.h"
#include "comms/idenq/SendJobCounts.h"
#include "db/site/ScaleDef.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/OleDate.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnel {

class CAppEventLog;
struct PluLogImport;
class IDocument;

class CIdEnqLinkList : public CObject {
    VARNEL_DECLARE_SERIAL(CIdEnqLinkList)
public:
    static constexpr std::uint16_t kAllScales = 0;
    static constexpr std::uint16_t kUserAdjustment = 32767;
    static constexpr std::uint16_t kDefaultMaxDescLength = 1001;
    // How long a stop waits for the workers to end before it kills them, and for killed ones to end
    // before it leaves them running on their own.
    static constexpr std::chrono::seconds kStopLimit{40};
    static constexpr std::chrono::seconds kKillLimit{10};

    CIdEnqLinkList() : CIdEnqLinkList(SystemClock(), RealFileSystem()) {}
    CIdEnqLinkList(IClock& clock, IFileSystem& fs) : m_clock(clock), m_fs(fs) {}
    CIdEnqLinkList(const CIdEnqLinkList&) = delete;
    CIdEnqLinkList& operator=(const CIdEnqLinkList&) = delete;
    // Stops the links; a link whose worker was left running is freed by that worker as it ends.
    ~CIdEnqLinkList() override;

    void Serialize(CArchive& ar) override;

    void Add(std::unique_ptr<CIdEnqLink> link);
    const std::vector<std::unique_ptr<CIdEnqLink>>& GetLinks() const { return m_links; }
    // Deletes the link (its worker stopped first); false for an unknown number.
    bool RemoveLink(std::uint16_t linkNo);

    // Life cycle. The links report to the roles given (the main frame's), which the list keeps for the
    // reports it writes itself. A second start keeps the links running and only takes the newer document.
    void StartLinks(IDocument* document, const LinkRoles& roles, bool loadUnsent);
    // False, touching nothing, when the links were not started.
    bool StopLinks(bool saveUnsent);
    bool IsStarted() const { return m_started; }
    bool CanClose() const { return true; }

    // Work for the selected links (null selects every scale); the notify window, when given, gets each
    // link's progress and completion messages.
    void TestLinks(const ScaleDefs* scales, IMessageWindow* notify);
    void QueueJob(const ScaleDefs* scales, const SendRequests& jobs, IMessageWindow* notify);
    MessageId QueueSend(const ScaleDefs* scales, const SendRequests& jobs);
    void ReceiveData(const ScaleDefs* scales, std::uint16_t dataKind, IMessageWindow* notify);
    void SendUnsentData(const ScaleDefs* scales, IMessageWindow* notify);
    void CancelJobs(const ScaleDefs* scales);
    void ClearQueues(const ScaleDefs* scales, bool onlineOnly, bool currentJobOnly);

    // Busy: a request is pending on any link. WaitUntilIdle: 0 once idle, 61219 once `seconds` whole
    // seconds passed while busy (at once for 0).
    bool IsBusy() const;
    MessageId WaitUntilIdle(const ScaleDefs* scales, std::uint32_t seconds) const;
    // 0 at once when no link is busy; else "Comms Busy" until they are idle (without a window, the
    // wait itself): 61225 when the user cancelled it, else 0.
    MessageId WaitWithBusyDialog(const ScaleDefs* scales) const;

    // "Communication Links" on the list: whether a link was added, changed or deleted.
    bool EditLinks(const LinkSetupContext& context);

    // The unsent-data file of a database: its path with ".usd" appended.
    static std::string GetUnsentDataPath(std::string_view databasePath);
    bool LoadUnsentData(const std::string& path);
    bool SaveUnsentData(const std::string& path);
    // The schedule file's section of every scale's queue.
    void SerializeSendQueues(CArchive& ar);

    // Lookups.
    CIdEnqLink* FindLink(std::uint16_t linkNo) const;
    CLinkScale* FindScale(std::uint16_t scaleNo) const;
    CLinkScale* FindScaleByDef(const CScaleDef& def) const;
    CLinkScale* FindScaleByName(std::string_view name) const;
    CIdEnqLink* FindLinkOfScale(std::uint16_t scaleNo) const;
    std::string GetScaleName(std::uint16_t scaleNo) const;
    void GetAllScaleDefs(ScaleDefs& defs) const;
    std::uint16_t GetMaxDescLength() const;
    std::uint16_t GetSingleScaleId() const;
    bool HasAtMostOneScale() const;

    // Counting and state over the selected scales (of enabled links unless said).
    bool IsAnyScaleOnline(std::uint16_t linkNo) const;
    bool AnyScaleEnabled(const ScaleDefs* scales) const;
    std::size_t CountOfflineScales(const ScaleDefs* scales) const;
    bool AreAllScalesOnline(const ScaleDefs* scales);
    bool IsDataWaiting(const ScaleDefs* scales) const;
    std::size_t CountScalesWithDataWaiting(const ScaleDefs* scales) const;
    std::uint32_t CountJobRecords(const ScaleDefs* scales) const;
    std::string GetUnsentDataText() const;

    // Reports and logs.
    void WriteSetupReport(std::string& out, const CGeneralSetup& setup) const;
    // Off-line scale lines to the event log of the links' start.
    void LogOfflineScales(const ScaleDefs* scales);
    void LogLinkStatus(const CAppEventLog& log) const;
    void LogUnsentPlus(const CAppEventLog& log);
    void LogCommsResults(const IEventLog& log) const;
    void WriteCommsLog(std::string& out, std::string_view a, std::string_view b, std::uint32_t value,
                       std::uint32_t count) const;
    void WritePluLogLines(const CAppEventLog& log, std::string& out, const PluLogImport& import) const;

    // Comparisons of scales with the database, whose result files are in `directory` (the scale data
    // directory). Before one, the selected scales of enabled links start
    // their compare result files (titled by their link, or by link and scale when the setup's links
    // carry several scales) and the other scales' compare lists are emptied. After it, the report gives the event
    // log the counts of every selected, enabled, on-line scale, then the result files of those that
    // differ; ReportCompareResults writes it and tells whether any of them differs.
    void WriteCompareResultFiles(const ScaleDefs* scales, const CGeneralSetup& setup, std::string_view directory);
    void WriteCompareReport(const ScaleDefs* scales, std::string_view directory, const CAppEventLog& log) const;
    bool ReportCompareResults(const ScaleDefs* scales, std::string_view directory, const CAppEventLog& log) const;

    // When this process last loaded the unsent-data file.
    const COleDateTime& GetLastUnsentLoad() const { return m_lastUnsentLoad; }

private:
    template <class Visit>
    void ForEachScale(Visit visit) const;
    // The scales a compare report lists: selected, enabled and on-line, in link and list order.
    std::vector<const CLinkScale*> ComparedScales(const ScaleDefs* scales) const;
    // The job's scales: the selected, enabled scales of the link.
    static void AddSelectedScales(CIdEnqLink& link, const ScaleDefs* scales);
    // A request the link cannot take (busy, or disabled): error 31446 on an enabled link, and the
    // completion (`result`) to the notify window, so a waiting dialog counts the link as finished.
    static void RefuseRequest(CIdEnqLink& link, std::uint32_t result, IMessageWindow* notify);
    void StopAll();
    // The roles of the last start; asking before the links were ever started is a programming error.
    const LinkRoles& Roles() const;
    // Frees the links, each by its worker when one was left running on it.
    static void FreeLinks(std::vector<std::unique_ptr<CIdEnqLink>> links);
    COleDateTime Now() const;
    // Changes the queue of the scale named, under its link's lock; false when there is no such scale.
    bool ChangeQueue(const CScaleDef& def, const std::function<void(CLinkScale&)>& change);
    // Writes the unsent-data file anew with every scale's queue.
    bool WriteUnsentData(const std::string& path);
    // Takes every scale's queue as what this process last saw in the unsent-data file.
    void RememberQueuesInFile();

    IClock& m_clock;
    IFileSystem& m_fs;
    std::vector<std::unique_ptr<CIdEnqLink>> m_links;
    bool m_started = false;
    COleDateTime m_lastUnsentLoad{0.0, DateTimeStatus::Null};
    // The jobs of each scale (link, scale) as this process last read or wrote them in the unsent-data file.
    std::map<std::pair<std::uint16_t, std::uint16_t>, SendJobCounts> m_jobsInFile;
    IDocument* m_document = nullptr;
    std::optional<LinkRoles> m_roles;
};

}  // namespace varnel
