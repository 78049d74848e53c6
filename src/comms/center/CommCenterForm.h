// The "Communication Center" (dialog 272) without its window. It lists every scale with its model,
// whether it is enabled, connected and holding unsent data ("Scale Status" tab), and runs work on one
// scale or all of them ("Send/Receive" tab): send a data kind's record range, delete a range or all of
// a kind, receive a kind from one scale, compare PLUs with the database; it tests links, enables and
// disables scales and clears their waiting data. In continue mode (a production load waiting for
// off-line scales) it offers "&Continue" and closes by itself once a test finds every scale of the
// department on-line.
//
//   idle (operation 0) --Send/Delete (5), Receive/Compare (3), Test (2): busy wait, request handed out
//        --> running --last pending link reported--> result shown --> idle
//   running --"Cancel Comms": current job dropped, links cancelled (their windows cleared)--> idle
//
// The links post their ends from their worker threads into the form's queue; the form's thread takes
// them (Dispatch). Timer 8 refreshes the status every 4 seconds while idle and every second during an
// operation, when it also counts the records moved. Before the form goes, every pending link's notify
// window is cleared, so nothing a link posts later reaches it.
#pragma once

#include "comms/center/CommCenterRules.h"
#include "comms/center/PendingLinks.h"
#include "db/site/ScaleDef.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/PostQueue.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class CAppEventLog;
class CIdEnqLink;
class CIdEnqLinkList;
class CLinkScale;
class CMasterScale;
class CompareResultForm;
class IDocument;
struct CGeneralSetup;

// What the Communication Center needs of the program around it.
class ICommCenterHost {
public:
    virtual ~ICommCenterHost() = default;
    virtual const CGeneralSetup& GetGeneralSetup() const = 0;
    // Where the compare result files are.
    virtual std::string GetScaleDataDirectory() const = 0;
    virtual KindsInUse GetKindsInUse() const = 0;
    // Nutrition and ingredients go with PLUs (a PLU receive then says they must be received apart).
    virtual bool SendsNutritionWithPlus() const = 0;
    // An enabled scale of the family (the current department's, else on an enabled link; with none
    // enabled at all, the default family).
    virtual bool HasEnabledScaleType(std::uint16_t family) const = 0;
    // The logged-in user: restricted access, the rights to transmit to and load from scales, and the
    // rights on a table (mask 4 delete).
    virtual bool IsRestrictedAccess() const = 0;
    virtual bool MayTransmit() const = 0;
    virtual bool MayLoad() const = 0;
    virtual bool HasTableAccess(std::uint16_t table, std::uint8_t mask) const = 0;
    virtual const CMasterScale* GetCurrentDepartment() const = 0;
    virtual IDocument* GetDocument() const = 0;
    virtual const CAppEventLog* GetEventLog() const = 0;
    virtual void WriteEvent(std::uint16_t kind, const std::string& text) = 0;
    // Before a send: the PLU database's pending change entries and the POS update lines of the jobs.
    virtual void PrepareSend(const SendRequests& jobs) = 0;
    // The frame's flag of records refused on receipt (invalid numbers or PLUs not allowed).
    virtual bool TakeImportErrorFlag() = 0;
    virtual void ClearImportErrorFlag() = 0;
    // The picker of a data kind behind "Select..." (PLUs, POP messages, trays, operators, stores,
    // storage texts, departments and groups); none when cancelled or when no picker is built.
    virtual std::optional<std::uint32_t> PickRecord(std::uint16_t /*kind*/, std::uint32_t /*current*/)
    {
        return std::nullopt;
    }
    virtual IFileSystem& FileSystem() const { return RealFileSystem(); }
};

class CommCenterForm {
public:
    static constexpr std::chrono::milliseconds kIdleInterval{4000};
    static constexpr std::chrono::milliseconds kBusyInterval{1000};
    enum class Operation { Idle = 0, Testing = 2, Receiving = 3, Sending = 5 };
    enum class Tab { Status, SendReceive };
    // The list's columns and their widths in per cent of 345 dialog units.
    static constexpr std::array<const char*, 5> kColumnTitles = {"Scale", "Model", "Enabled?", "Status", "Data Waiting?"};
    static constexpr std::array<int, 5> kColumnPercents = {25, 22, 12, 25, 15};
    static constexpr int kListWidthUnits = 345;

    // Message numbers.
    static constexpr MessageId kMsgAllScales = 17599;
    static constexpr MessageId kMsgStatusTab = 17566;
    static constexpr MessageId kMsgSendReceiveTab = 17567;
    static constexpr MessageId kMsgConnected = 17571;
    static constexpr MessageId kMsgNotConnected = 17572;
    static constexpr MessageId kMsgConnecting = 17574;
    static constexpr MessageId kMsgLoadingData = 17631;
    static constexpr MessageId kMsgRecordsTransferred = 17527;
    static constexpr MessageId kMsgCompletedOk = 17575;
    static constexpr MessageId kMsgUnsuccessful = 17576;
    static constexpr MessageId kMsgInvalidValue = 61231;
    static constexpr MessageId kMsgInvalidRange = 31466;
    static constexpr MessageId kMsgNotSupported = 31458;
    static constexpr MessageId kMsgSendErrors = 31462;
    static constexpr MessageId kMsgSameData = 31464;
    static constexpr MessageId kMsgAskDeleteAll = 31534;
    static constexpr MessageId kMsgAskDeleteRange = 31535;
    static constexpr MessageId kMsgImportErrors = 61290;
    static constexpr MessageId kMsgContinuePressed = 20599;
    static constexpr MessageId kKindNameBase = 20400;
    static constexpr const char* kCancelledText = "Data transfer cancelled by user.";
    static constexpr const char* kIdleText = "Idle";
    static constexpr const char* kPlusOnlyText =
        "This only receives the PLU data. To receive nutrition and ingredients, select in the [Send/Receive "
        "Data] field and receive separately.";

    struct Row {
        std::string scale;
        std::string model;
        std::string enabled;
        std::string status;
        std::string dataWaiting;
    };
    struct KindChoice {
        std::uint16_t kind = 0;
        std::string name;
    };

    // `department` given: continue mode, waiting for that department's scales.
    CommCenterForm(CIdEnqLinkList& links, ICommCenterHost& host, const CMasterScale* continueFor = nullptr);
    ~CommCenterForm();
    CommCenterForm(const CommCenterForm&) = delete;
    CommCenterForm& operator=(const CommCenterForm&) = delete;

    // The window's state.
    const std::vector<Row>& GetRows() const { return m_rows; }
    std::optional<std::size_t> GetRowSelection() const { return m_rowSelection; }
    void SelectRow(std::optional<std::size_t> row);
    const std::vector<std::string>& GetScaleChoices() const { return m_scaleChoices; }
    std::size_t GetScaleChoice() const { return m_scaleChoice; }
    void ChooseScale(std::size_t choice);
    const std::vector<KindChoice>& GetKindChoices() const { return m_kindChoices; }
    std::optional<std::size_t> GetKindChoice() const;
    void ChooseKind(std::size_t choice);
    std::uint16_t GetKind() const { return m_kind; }
    const KindSet& GetOfferedKinds() const { return m_offered; }
    Tab GetTab() const { return m_tab; }
    void ChooseTab(Tab tab);
    bool IsContinueMode() const { return m_continueFor != nullptr; }
    Operation GetOperation() const { return m_operation; }
    const std::string& GetStatusText() const { return m_statusText; }
    std::chrono::milliseconds GetTimerInterval() const { return m_operation == Operation::Idle ? kIdleInterval : kBusyInterval; }

    // The range edits: shown with "%ld", taken as typed when an edit is left and read as numbers when
    // a range is sent or deleted (61231 for a text that gives none).
    const std::string& GetFromText() const { return m_fromText; }
    const std::string& GetToText() const { return m_toText; }
    void SetFromText(std::string text) { m_fromText = std::move(text); }
    void SetToText(std::string text) { m_toText = std::move(text); }

    // Enabling.
    bool IsEnabled(CommControl control) const;
    bool IsSelectEnabled() const { return HasRecordPicker(m_kind); }
    bool IsCancelCommsEnabled() const { return m_operation != Operation::Idle; }
    bool IsTestLinkEnabled() const;
    bool IsClearWaitingEnabled() const;
    bool IsEnableDisableEnabled() const;
    bool IsEnableAllEnabled() const;
    bool IsTestAllEnabled() const;
    bool IsContinueEnabled() const { return IsContinueMode() && m_operation == Operation::Idle; }

    // The buttons.
    void Send();
    void DeleteRange();
    void DeleteAll();
    void Receive();
    void Compare();
    void TestLink();
    void TestAllLinks();
    void EnableDisable();
    void EnableAllLinks();
    void DisableAllLinks();
    void ClearWaitingData();
    void Continue();
    void CancelComms();
    // "Select..." of the from (true) or to edit.
    void SelectRecord(bool from);

    // Timer 8.
    void OnTimer();
    void RefreshStatus();
    // The form's thread: handles every post queued.
    void Dispatch();
    // How the view hears of a post; null before the view goes.
    void SetWake(std::function<void()> wake) { m_posts.SetWake(std::move(wake)); }
    // None while open; true once it closed itself with OK (continue mode, "&Continue").
    std::optional<bool> GetOutcome() const { return m_outcome; }
    // The window closes ("Close"): nothing the links post later reaches the form.
    void Close();

private:
    struct ScaleEntry {
        CScaleDef def;
        CIdEnqLink* link = nullptr;
        CLinkScale* scale = nullptr;
    };
    void BuildScaleList();
    void BuildKindChoices();
    ButtonFacts Facts() const;
    const ScaleEntry* ChosenScale() const;
    const ScaleEntry* SelectedRow() const;
    ScaleDefs AllScaleDefs() const;
    // Send, delete range and delete all.
    void SendOrDelete(bool erase, bool all);
    // Busy wait, pending links, the status text, timer 8 at one second; false after a cancelled wait.
    bool StartOperation(Operation operation, const ScaleDefs& scales);
    void HandlePost(const PostQueue::Posted& posted);
    void FinishOperation();
    void RunTest(const ScaleDefs* scales);
    std::optional<KeyRange> TableKeys(std::uint16_t kind) const;

    CIdEnqLinkList& m_links;
    ICommCenterHost& m_host;
    const CMasterScale* m_continueFor;
    PostQueue m_posts;
    PendingLinks m_pending;

    std::vector<ScaleEntry> m_scales;
    std::vector<Row> m_rows;
    std::optional<std::size_t> m_rowSelection;
    std::vector<std::string> m_scaleChoices;
    std::size_t m_scaleChoice = 0;
    KindSet m_offered;
    std::vector<KindChoice> m_kindChoices;
    std::uint16_t m_kind = 2;
    Tab m_tab = Tab::Status;
    std::string m_fromText = "0";
    std::string m_toText = "0";

    Operation m_operation = Operation::Idle;
    ScaleDefs m_jobScales;
    bool m_comparing = false;
    MessageId m_result = 0;
    std::string m_statusText = kIdleText;
    std::optional<bool> m_outcome;
};

}  // namespace varnel
