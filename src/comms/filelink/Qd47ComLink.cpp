#include "comms/filelink/Qd47ComLink.h"

#include "comms/filelink/Qd47Session.h"
#include "platform/ArchiveExchange.h"
#include "platform/AtomicReplace.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace varnel {
namespace {

constexpr MessageId kMsgFileOpenError = 61216;
constexpr MessageId kMsgCannotOpenLink = 61217;
constexpr MessageId kMsgTransferComplete = 61220;
constexpr MessageId kMsgTimedOut = 61219;
constexpr MessageId kMsgCancelled = 61225;
constexpr MessageId kMsgNothingImportable = 61226;
constexpr MessageId kMsgNoIndex = 61244;
constexpr MessageId kMsgScaleError = 31491;
constexpr std::chrono::milliseconds kEndWait(5000);

// The message of a run's status 1 to 4.
MessageId FailureMessage(int status)
{
    switch (status) {
    case Qd47Timeout: return kMsgTimedOut;
    case Qd47Cancelled: return kMsgCancelled;
    case Qd47Error: return kMsgScaleError;
    default: return kMsgCannotOpenLink;
    }
}

// Sections of these types hold data the database takes.
bool IsImportable(const CDataSaveSection& section)
{
    return (section.type >= DsvItems && section.type <= DsvCampaigns) || section.type == DsvIngredients;
}

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CQd47ComLink, 1)

CQd47ComLink::~CQd47ComLink() { Close(); }

void CQd47ComLink::Serialize(CArchive& ar)
{
    Exchange(ar, m_portName, m_baudRate, m_parity, m_dataBits, m_stopBits, m_scaleType);
}

std::string CQd47ComLink::DeviceControl() const
{
    return FormatText("baud=%s parity=%s data=%s stop=%s", m_baudRate.c_str(), m_parity.c_str(), m_dataBits.c_str(),
                      m_stopBits.c_str());
}

void CQd47ComLink::ClearNotifyWindow()
{
    const std::lock_guard lock(m_notifyLock);
    m_notify = nullptr;
}

void CQd47ComLink::Notify(std::uintptr_t code, std::intptr_t value)
{
    const std::lock_guard lock(m_notifyLock);
    if (m_notify) m_notify->Post(kQd47Notice, code, value);
}

void CQd47ComLink::WorkerMain()
{
    m_start.Wait();
    if (m_cancel.Poll()) {
        m_ended.Set();
        return;
    }
    if (m_port.Open(NativeSerialDeviceName(m_portName), DeviceControl(), false)) {
        m_status = Qd47PortNotOpened;
    } else {
        m_status = Qd47PortOpen;
        CQd47Session(*this).Run();
    }
    Notify(Qd47RunEnded, 0);
    m_ended.Set();
}

void CQd47ComLink::Run(IQd47Dialog& dialog)
{
    {
        const std::lock_guard lock(m_notifyLock);
        m_notify = &dialog;
    }
    m_start.Reset();
    m_cancel.Reset();
    m_ended.Reset();
    m_status = Qd47PortOpen;
    m_worker = std::thread([this] { WorkerMain(); });
    dialog.RunModal(*this);
    ClearNotifyWindow();
    Close();
}

bool CQd47ComLink::Close()
{
    const bool running = m_worker.joinable();
    if (running) {
        m_cancel.Set();
        m_start.Set();  // a worker still waiting for its start ends at once
        (void)m_ended.WaitFor(kEndWait, m_clock);
        m_worker.join();
    }
    const bool portOpen = m_port.IsOpen();
    m_port.Close();
    return portOpen;
}

bool CQd47ComLink::PrepareRun(std::uint16_t mode, const std::string& path)
{
    if (m_worker.joinable()) {
        ShowMessage(kMsgCannotOpenLink);
        return false;
    }
    m_scaleType = mode;
    m_path = path;
    m_importable = false;
    m_sections.clear();
    return true;
}

bool CQd47ComLink::TransferFile(bool receive, const std::string& path, IQd47Dialog& dialog)
{
    if (!PrepareRun(kDataSaveMode, path)) return false;
    m_receive = receive;
    // A received file is written beside the target and takes its place only when the transfer
    // succeeded: a failed or cancelled receive leaves the old file as it was.
    std::optional<PendingReplacement> received;
    std::unique_ptr<IFile> sent;
    if (receive) {
        auto replacement = PendingReplacement::Create(m_fs, path);
        if (replacement) {
            received.emplace(std::move(*replacement));
            m_dataSaveFile = &received->File();
        }
    } else if (auto file = m_fs.Open(path, FileAccess::Read, FileShare::DenyWrite)) {
        sent = std::move(*file);
        m_dataSaveFile = sent.get();
    }
    if (!m_dataSaveFile) {
        ShowMessage(kMsgFileOpenError);
        return false;
    }
    if (!receive) {
        auto index = ReadDataSaveIndex(*m_dataSaveFile, kDataSaveMaxSentSections);
        if (!index || !*index) {
            m_dataSaveFile = nullptr;
            ShowMessage(index ? kMsgNoIndex : kMsgFileOpenError);
            return false;
        }
        m_index = std::move(**index);
    }
    Run(dialog);
    int status = m_status;
    if (status == Qd47Done && receive) {
        const bool placed = WriteDataSaveIndex(*m_dataSaveFile, m_sections).HasValue() && received->Commit().HasValue();
        m_importable = std::ranges::any_of(m_sections, IsImportable);
        if (!placed) status = Qd47Error;
        else if (!m_importable) status = Qd47PortOpen;
        m_status = status;
    }
    m_dataSaveFile = nullptr;
    m_sections.clear();
    if (status == Qd47Done)
        ShowMessage(kMsgTransferComplete, MessageButtons::Ok, MessageIcon::Information);
    else if (status == Qd47PortOpen)
        ShowMessage(receive ? kMsgNothingImportable : kMsgCancelled);
    else
        ShowMessage(FailureMessage(status));
    return status == Qd47Done;
}

bool CQd47ComLink::RunSerialComms(const std::string& servedDirectory, IQd47Dialog& dialog)
{
    if (!PrepareRun(kFileServerMode, servedDirectory)) return false;
    Run(dialog);
    const int status = m_status;
    if (status == Qd47Done) {
        m_importable = std::ranges::any_of(m_sections, IsImportable);
        ShowMessage(kMsgTransferComplete, MessageButtons::Ok, MessageIcon::Information);
    } else if (status != Qd47PortOpen) {
        ShowMessage(FailureMessage(status));
    }
    m_sections.clear();
    return status == Qd47Done;
}

}  // namespace varnel
