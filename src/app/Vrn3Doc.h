// CVrn3Doc: the one document of the program, from start-up to exit. It owns the PLU database and the
// production database beside it, keeps their tables by number, opens, creates, converts, backs up,
// reloads, saves under a new name and closes databases, and is the one road by which the rest of the
// system sends table ranges to the scales and hands received records to the tables.
//
//   no database --OpenDatabase (backup at start; convert an old version after asking)--> open
//   open --OpenDatabase / OpenDatabaseFile of another path (closes first)--> open
//   open --CloseDatabase (POS update lines flushed, compacted when due)--> no database
//
// Interactive sends are queued on the links and return at once; in automation and scheduler mode a
// send runs to its end (in the "Scale Comms" dialog when there is a window) and reports its status.
#pragma once

#include "app/DocumentHost.h"
#include "app/FrameDocument.h"
#include "app/KeyboardTables.h"
#include "app/ProdDatabase.h"
#include "app/Reports.h"
#include "comms/center/ScaleCommsForm.h"
#include "db/plu/Document.h"
#include "db/plu/PluDatabase.h"
#include "db/site/LinkScaleSettings.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "pluedit/PluEditSite.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class CAppEventLog;
class CLinkScale;
class CPluDefRec;
class CPluDefTb;
class CPluPriceZoneTb;

class CVrn3Doc final : public IDocument, public IFrameDocument {
public:
    static constexpr MessageId kMsgCannotLoad = 61221;
    static constexpr MessageId kMsgProdFileError = 61295;
    static constexpr MessageId kMsgSaveError = 61298;
    static constexpr MessageId kMsgPreviousVersion = 61367;
    static constexpr MessageId kMsgUnsupportedVersion = 61368;
    static constexpr MessageId kMsgCommsOffline = 31509;
    static constexpr MessageId kMsgDateTimeSent = 20575;
    static constexpr MessageId kMsgBatchFileExists = 61346;
    static constexpr MessageId kMsgBatchStarted = 20532;
    static constexpr MessageId kMsgBatchEnded = 20533;
    static constexpr MessageId kMsgCommsCancelled = 61225;
    static constexpr MessageId kMsgBackupFailed = 90402;
    static constexpr MessageId kMsgUnmatchedKeyboards = 31492;
    static constexpr MessageId kMsgUnsentOtherMakerChanges = 31530;
    // The tables the cache holds, in the order it asks for them.
    static constexpr std::array<std::uint16_t, 35> kCachedTables = {
        2, 15, 3, 4, 29, 30, 11, 10, 13, 12, 7, 8, 9, 34, 37, 70, 71, 72,
        73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 53, 87, 88, 89, 90, 91};

    CVrn3Doc(IDocumentHost& host, IFileSystem& fs = RealFileSystem(), const IClock& clock = SystemClock(),
             std::unique_ptr<IProdDatabase> prodDatabase = nullptr);
    CVrn3Doc(const CVrn3Doc&) = delete;
    CVrn3Doc& operator=(const CVrn3Doc&) = delete;
    ~CVrn3Doc() override;

    // The windows' side; none (the default) shows nothing.
    void SetUi(IDocumentUi* ui);

    // Life cycle.
    bool OnNewDocument();
    bool OnOpenDocument(const std::string& path);
    void OnCloseDocument();

    // The table cache: pointers by table number, asked for (and made) before and after every open and
    // close; null for a number it does not hold.
    void CacheTables();
    CObjDBTable* GetCachedTable(std::uint16_t tableNo) const;
    CPluDefTb* GetPluTable() const;
    CPluPriceZoneTb* GetPriceZoneTable() const;

    // Databases.
    bool OpenDatabase(const std::string& path);
    // For automation, batch files and the scheduler: no conversion and no links started; true at once
    // for the path that is open already.
    bool OpenDatabaseFile(const std::string& path);
    void CloseDatabase();
    bool ReloadDatabase();
    bool SaveDatabaseAs();
    bool MigrateDatabase();
    // The dated copy made before the last database opens at start; a failed copy is written to the
    // event log and the open goes on.
    bool MakeDatedBackup(const std::string& path);
    bool IsDatabaseOpen() const { return m_pluDatabase.IsOpen(); }
    CPluDatabase& GetDatabase() { return m_pluDatabase; }
    bool IsModified() const { return m_modified; }

    // What the frame's windows ask of the document.
    std::string GetTitle() const override { return m_title; }
    bool IsBatchMode() const override { return m_pluDatabase.IsBatchMode(); }
    std::string GetBatchFilePath() const override { return m_pluDatabase.GetBatchFilePath(); }
    int GetReportKind() const override { return m_reportType; }
    // Before the document closes: in the normal mode the PLUs changed since the last send to the
    // outside maker's scales go there (31530 says so first), when the site sends them; the links stop
    // and keep their unsent data. Every change is written to the database when it is made, so the
    // document itself is never offered for saving.
    bool SaveModified() override;
    // Closes the PLU edit window when it is open.
    void CloseEditorWindows() override;

    // Reports (Vrn3DocReports.cpp). Without a report maker no report runs. RunReport: the object for
    // the type (none above 34) prepares itself as the pending report and the report window opens;
    // false, keeping nothing, when it does not prepare or no window opens. DetachReport hands the
    // pending report to the report window.
    void SetReportMaker(IReportMaker* maker) { m_reportMaker = maker; }
    bool RunReport(int type);
    bool ShowReport(std::unique_ptr<IReport> report, int type);
    std::unique_ptr<IReport> DetachReport() { return std::move(m_pendingReport); }

    // The outside maker's scales (Vrn3DocLists.cpp): "PLUSEND.GEN" with the PLUs from..to, or with the
    // PLUs changed since the last send (0 at once when there are none), handed to "OrlanSend.bat".
    // 0, or the message of the failure; nothing happens without a database.
    MessageId SendOrlanPlus(std::uint32_t from, std::uint32_t to, bool showErrors);
    MessageId SendAllOrlanPlus();
    MessageId SendOrlanChanges(bool showErrors);
    bool HasOrlanChanges() const;
    // Whether a PLU whose CtrlFlag bits 1 and 2 are both set names the number as its extra message
    // (Message7) or as its coupon.
    bool IsExtraMessageInUse(std::uint32_t number) const;
    bool IsCouponInUse(std::uint32_t number) const;

    // The PLU edit window: the document's part in it (the PLU to show next, the one last shown, the
    // zone last chosen, whether the PLU shown changed) and whether it is open.
    PluEditDocState& GetPluEditState() { return m_pluEdit; }
    bool IsPluEditorOpen() const { return m_pluEditorOpen; }
    // Shows the PLU in the PLU edit window: the window opens when it is not open, else its views are
    // told.
    void ShowPluEditor(std::uint32_t pluNumber);
    // The window's frame closed.
    void OnPluEditorClosed() { m_pluEditorOpen = false; }
    // 0 none; 1 or 3 a sale of the sale list holding the PLU (none is kept yet); 2 a campaign of the
    // PLU running now, 4 one to come, its number in `campaign`.
    int GetPluPromotionState(std::uint32_t pluNumber, std::uint32_t& campaign) const;

    // The production database, open only between these two calls: beside the open PLU database, or
    // at a path of its own (another department's), closing one open elsewhere first.
    bool OpenProdDatabase();
    bool OpenProdDatabaseAt(const std::string& prodPath);
    bool CloseProdDatabase();
    bool MigrateProdDatabase();
    CObjDBTable* GetProdTable(std::uint16_t tableNo) const;
    IProdDatabase& GetProdDatabase() { return *m_prodDatabase; }
    // Empties the nine production tables: 0, or 61295 when the production database does not open.
    MessageId ClearProdTotals(bool showErrors);

    // Sending and receiving.
    bool CanUseOnlineComms() const;
    bool SendData(std::uint32_t dataType, bool showResult, const SendRequests& requests,
                  const CMasterScale* department) override;
    MessageId SendDataNow(std::uint32_t dataType, bool showResult, const SendRequests& requests,
                          const CMasterScale* department) override;
    bool SendDataToScale(std::uint32_t dataType, bool showResult, const SendRequests& requests,
                         const CLinkScaleSettings& scale) override;
    bool QueueSendData(bool showErrors, const SendRequests& requests, const ScaleDefs* scales);
    MessageId RunSendDialog(bool showErrors, const SendRequests& requests, const ScaleDefs* scales);
    bool DoSendUnsentData(bool showErrors, const CMasterScale* department);
    // "&Date and Time": one clock job for the current department's scales (each record is made as its
    // link sends it), and 20575 in the event log. False, logging nothing, when on-line comms cannot
    // be used.
    bool SendDateAndTime();

    // Batch mode (Vrn3DocBatch.cpp). "&Start Batch Mode...": the batch file is asked for ("*.bch"); one
    // that already reads as a batch file asks 61346: Yes records it anew, No first applies its changes
    // and then records after them, Cancel ends. "End &Batch Mode...": recording ends and the database
    // is read again. Each is logged (20532, 20533) and the views refresh; true when it happened.
    bool StartBatchMode();
    bool EndBatchMode();
    // Receives records of one data kind from the department's scales: 0 or the status that ended it.
    MessageId RequestScaleData(std::uint16_t dataKind, bool showErrors, const CMasterScale* department);
    // Polls the current department's scales so that each one's state is current for the scale status
    // log: 1 when on-line communication cannot be used, else 0 or the status that ended the poll.
    MessageId UpdateScaleLog(bool showErrors);
    // "Update Scale Status Log": the current department's scales polled, then every link's status
    // written to the scale status log; the poll's status.
    MessageId WriteScaleStatusLog(const CAppEventLog& log, bool showErrors);
    // Compares the table (the PLUs) on the department's scales with the database.
    MessageId RunCompareScales(std::uint16_t tableNo, bool showErrors, const CMasterScale* department);
    bool HasCompareDifferences(const CMasterScale* department);
    // Sends the scale what its last comparison found missing or different and deletes what only it
    // holds: 1 when there is nothing to do, else the send's status.
    MessageId SynchronizeScale(bool showErrors, std::uint16_t linkNo, CLinkScale& scale) override;
    void SynchronizeAllScales(bool showErrors, const CMasterScale* department) override;
    // Market 3: the error records of the last "Scale Comms" run (ScaleCommsForm.h); empty elsewhere.
    const std::string& GetCommsErrorText() const { return m_commsErrorText; }
    void UpdateAllViews() override { m_ui->UpdateAllViews(); }
    std::optional<std::uint32_t> SelectMessageNo(std::uint32_t kind, std::uint32_t current) override
    {
        return m_ui->SelectMessageNo(kind, current);
    }
    // The store list in pick mode: the store chosen, else `current`.
    std::uint32_t SelectStoreNo(std::uint32_t current) { return m_ui->SelectStoreNo(current).value_or(current); }

    // Before a send, while the POS update file is written: each existing PLU of the requests' PLU
    // ranges gets its line, "C" for a send and "D" for a delete.
    void QueuePosUpdatesForSend(const SendRequests& requests);

    // 1 stores received records in their tables; 0 compares received PLUs with the database.
    void SetReceivedRecordMode(int mode) override { m_receivedRecordMode = mode; }
    int GetReceivedRecordMode() const override { return m_receivedRecordMode; }
    bool StoreReceivedRecord(std::uint16_t dataKind, CLinkScale& scale, std::span<const std::uint8_t> packet) override;

    // The PLU editor's save: the row gets the PLU number and the size 261 + its description's length,
    // rounded up to a multiple of 4; a new PLU is added, an existing one updated, and each gets its
    // POS update line ("N" new, "C" changed).
    bool SavePluRecord(CPluDefRec& row, std::uint32_t pluNumber, bool isNew);

    // The records of the jobs that tables do not build: the scale's clock (kind 5, one record of the
    // time 30 seconds ahead), and those of the frame's operators and keyboards.
    bool NextJobRecord(std::uint32_t kind, const CLinkScaleSettings& scale, IEventLog& log, KeyCursor& cursor,
                       std::uint32_t last, ScaleRecordOut& out, KeyCursor& key) override;

    // A Lumen transfer with `scale`: the tables whose records it sends, by number in order (12 the
    // frame's keyboards), and the counts of records received by command index, from 0.
    void BeginLumenTransfer(std::vector<std::uint16_t> dataTypes, const CLinkScaleSettings& scale);
    std::uint32_t GetLumenReceivedCount(std::uint32_t kind) const;
    bool GetNextLumenRecord(std::uint32_t& kind, std::span<std::uint8_t> buffer, std::uint32_t& length) override;
    bool StoreLumenRecord(std::uint32_t kind, std::span<const std::uint8_t> record) override;

    std::string GetPathName() const override { return m_pluDatabase.IsOpen() ? m_pluDatabase.GetPath() : ""; }
    CObjDatabase* GetPluDatabase() const override;

private:
    // The wait cursor while it lives.
    class WaitCursor {
    public:
        explicit WaitCursor(IDocumentUi& ui) : m_ui(ui) { m_ui.BeginWaitCursor(); }
        ~WaitCursor() { m_ui.EndWaitCursor(); }
        WaitCursor(const WaitCursor&) = delete;
        WaitCursor& operator=(const WaitCursor&) = delete;

    private:
        IDocumentUi& m_ui;
    };

    bool IsUnattended() const;
    bool IsOnlineCommsOn() const;
    // The department's scales, else the current department's; none selects every scale.
    std::optional<ScaleDefs> SelectScales(const CMasterScale* department) const;
    static const ScaleDefs* Selection(const std::optional<ScaleDefs>& scales) { return scales ? &*scales : nullptr; }
    // Runs a request in the "Scale Comms" dialog, or to its end unseen when there is no window; the
    // busy links are waited for first. Market 3's error records are kept for the caller.
    MessageId RunScaleComms(const ScaleCommsForm::Request& request);
    bool StoreInTable(std::uint16_t tableNo, CLinkScale& scale, std::span<const std::uint8_t> packet);
    bool StoreProdRecord(std::uint16_t prodTableNo, CLinkScale& scale, std::span<const std::uint8_t> packet);
    void CacheProdTables();
    void ResetProdTables() { m_prodTables.fill(nullptr); }
    // The next Lumen record of one table of the transfer's list, from the transfer's position; its
    // command index, none when the table has nothing (more) to send.
    std::optional<std::uint32_t> NextLumenRecordOf(std::uint16_t tableNo, std::span<std::uint8_t> buffer,
                                                   std::uint32_t& length);
    // The layout keyboards of an older database's keyboard tables, 31492 shown when one matches no scale.
    ConvertedKeyboards ConvertKeyboards();
    // Closes the container after a failed open and empties the cache.
    bool FailOpen();
    void SetOpenedPath(const std::string& path);

    IDocumentHost& m_host;
    IFileSystem& m_fs;
    const IClock& m_clock;
    IDocumentUi m_noUi;
    IDocumentUi* m_ui = &m_noUi;
    CPluDatabase m_pluDatabase;
    std::unique_ptr<IProdDatabase> m_prodDatabase;
    std::array<CObjDBTable*, IProdDatabase::kTableCount> m_prodTables{};
    std::array<CObjDBTable*, CPluDatabase::kHighestTableNo + 1> m_tables{};
    std::string m_title;
    bool m_modified = false;
    PluEditDocState m_pluEdit;
    bool m_pluEditorOpen = false;
    IReportMaker* m_reportMaker = nullptr;
    std::unique_ptr<IReport> m_pendingReport;
    int m_reportType = 0;
    int m_receivedRecordMode = 1;
    std::string m_commsErrorText;
    struct LumenTransfer {
        std::vector<std::uint16_t> dataTypes;
        std::size_t index = 0;     // into dataTypes
        std::size_t position = 0;  // into the current table
        CLinkScaleSettings scale;
        std::uint16_t family = 0;  // the scale's, as the transfer began
        std::array<std::uint32_t, kLumenEnd> received{};
    } m_lumen;
};

}  // namespace varnel
