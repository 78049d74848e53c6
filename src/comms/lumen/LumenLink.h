// CLumenLink: the interactive transfer with a Lumen scale (families 6 LumenXT and 7 Lumen), the base of
// the serial and socket links. The user starts the transfer on the scale; one batch of records is sent
// or received by a worker thread that lives for that transfer, while the progress dialog counts them.
// The records come from and go to the document on the user-interface thread, at the worker's request.
//
//   RunTransfer: [send: add-or-overwrite question, start instructions] -> Open -> worker started ->
//                progress dialog (modal; its showing starts the worker) -> Close -> message number
//   worker:      wait for start (or cancel) -> SendAll | ReceiveAll -> post 0 -> thread ended
//
// The worker reaches the dialog only by posted messages (kProgressMessage, wParam the code, lParam the
// link number): 0 finished, 1 fetch the next record to send, 2 store the record received. A fetch or
// store is answered on the dialog's thread (GetDataToSend, StoreReceived) within 5000 ms on the
// injected clock, or the transfer fails; a cancel ends the wait at once. The answer is taken under the
// lock only while the request is still awaited, so a late answer never touches the buffer the worker
// has gone on with.
//
// Time-outs of the protocol count reads (1000), not seconds; see LumenSend.cpp and LumenReceive.cpp.
//
// Archive form (both transports): u32 format 122, name, u8 first flag, u8 logging, log file, u16 link
// number, u16 scale type; loading turns logging on and a format below 122 makes the scale type 7.
// The transports add their own fields after these.
#pragma once

#include "comms/lumen/LumenFrames.h"
#include "comms/lumen/LumenSignals.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/MessageWindow.h"
#include "platform/Messages.h"
#include "platform/Serializable.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>

namespace varnel {

class IDocument;
class ILumenTransferUi;

// What a Lumen link keeps of its setup: copied and assigned whole with the link.
struct LumenLinkSettings {
    static constexpr std::uint16_t kLumenXt = 6;
    static constexpr std::uint16_t kLumen = 7;

    std::uint8_t m_firstFlag = 0;  // stored, used for nothing else
    std::string m_name;
    std::uint8_t m_logging = 0;
    std::string m_logFile = "Comms.txt";
    std::uint16_t m_linkNo = 0;
    std::uint16_t m_scaleType = kLumenXt;
    bool m_addMode = false;  // false: overwrite the scale's data (some letters in lower case)
    bool m_askAddMode = true;
};

class CLumenLink : public CObject, public LumenLinkSettings {
public:
    static constexpr std::uint32_t kFormat = 122;
    static constexpr std::size_t kBufferSize = 2048;
    static constexpr std::uint32_t kProgressMessage = kUserMessage + 1;
    static constexpr std::chrono::milliseconds kHandshakeWait{5000};
    static constexpr std::chrono::milliseconds kCloseWait{5000};
    // Each frame goes, or is awaited, this many times; a wait for bytes gives up after this many reads.
    static constexpr int kAttempts = 3;
    static constexpr int kReadLimit = 1000;

    enum Mode : std::uint32_t { ModeNone = 0, ModeSend = 1, ModeReceive = 2 };
    // The worker's result.
    enum TransferResult : std::uint32_t {
        ResultDone = 0,
        ResultCancelled = 1,
        ResultTimeout = 2,
        ResultProtocolError = 3,
        ResultDataError = 4,
        ResultRunning = 5,
    };
    // The codes the worker posts to the progress dialog.
    enum ProgressCode : std::uint32_t { ProgressFinished = 0, ProgressFetch = 1, ProgressStore = 2, ProgressClose = 3 };
    enum TraceKind : std::uint16_t { TraceSend = 0, TraceReceived = 1, TraceError = 2 };

    static constexpr MessageId kMsgDataSent = 31467;
    static constexpr MessageId kMsgCancelled = 61225;
    static constexpr MessageId kMsgTimeout = 61219;
    static constexpr MessageId kMsgCommsAborted = 31491;
    static constexpr MessageId kMsgCannotOpen = 61326;

    CLumenLink(IClock& clock, IFileSystem& fs);
    // Copies are of the settings alone: a link is copied and assigned as a setup value while no
    // transfer runs.
    CLumenLink(const CLumenLink& other);
    CLumenLink& operator=(const CLumenLink& other);
    ~CLumenLink() override;

    void Serialize(CArchive& ar) override;

    // The transport. Open and Close frame one transfer; Close waits for the worker to end first.
    virtual bool Open() = 0;
    virtual bool Close() = 0;
    virtual bool Send(std::span<const std::uint8_t> bytes, std::size_t& sent) = 0;
    // What has arrived, at most into.size() bytes; `got` may be 0. False on a line error.
    virtual bool Receive(std::span<std::uint8_t> into, std::size_t& got) = 0;

    // The transfers with the document's records, in the command letters of the market given (the
    // general setup's): 0 or the message number that ended them. A send that succeeded shows 31467
    // "Data sent OK.".
    MessageId SendToScale(IDocument& document, std::uint16_t market, ILumenTransferUi& ui);
    MessageId ReceiveFromScale(IDocument& document, std::uint16_t market, ILumenTransferUi& ui);
    // One transfer of the mode (1 send, 2 receive): 0, 61225, 61219, 31491, or 61326 when the line
    // does not open.
    MessageId RunTransfer(Mode mode, std::uint16_t market, ILumenTransferUi& ui);

    // The progress dialog's side (its thread). Its showing starts the worker; its closing or Cancel
    // clears the window; the answers to the worker's fetch and store requests.
    void SignalStart() { m_signals.Set(LumenSignals::Start); }
    void ClearProgressWindow();
    void GetDataToSend();
    void StoreReceived();

    TransferResult GetResult() const;
    bool IsOpen() const { return m_open; }

    // The trace file, while logging is on and a file is named; kinds as TraceKind.
    void WriteTrace(std::uint16_t kind, std::span<const std::uint8_t> data);
    void WriteTrace(std::uint16_t kind, std::string_view message);

protected:
    // For the transports' Close: waits up to 5000 ms for the worker to say it ended (tracing when it
    // does not), then for the worker itself, which a cancel ends within one read.
    void EndWorker();
    // For the transports' destructors: a worker still there is cancelled and waited for, before the
    // transport it reads goes.
    void CancelWorker();

    IClock& m_clock;
    IFileSystem& m_fs;
    LumenSignals m_signals;

private:
    enum class Answer { Given, Refused, Cancelled, TimedOut };

    void StartThread();
    void RunWorker();
    void Transfer();
    void Post(ProgressCode code);
    Answer AskDialog(ProgressCode code);
    void Finish(TransferResult result);

    // Sending (LumenSend.cpp).
    void SendAll();
    TransferResult SendCommand(std::uint32_t command);
    TransferResult SendData();
    TransferResult SendFrame(std::span<const std::uint8_t> frame);
    TransferResult WaitReply();

    // Receiving (LumenReceive.cpp).
    struct Frame {
        std::optional<std::uint32_t> command;  // set for a command frame
        std::uint8_t blockNumber = 0;
        std::size_t length = 0;  // data bytes copied out
    };
    void ReceiveAll();
    TransferResult ReceiveFrameRetry(std::span<std::uint8_t> destination, bool timed, Frame& frame);
    TransferResult ReceiveFrame(std::span<std::uint8_t> destination, bool timed, Frame& frame);
    bool Reply(bool accepted, std::uint8_t letter);

    bool Cancelled() { return m_signals.Poll(LumenSignals::Cancel); }

    IDocument* m_document = nullptr;
    std::thread m_worker;
    bool m_open = false;
    lumen::CommandLetters m_letters = lumen::CommandLetters::ForMarketVersion(0);

    // The lock guards the mode, the result, the progress window and the request awaited, and is held
    // while the dialog answers a request, so the buffer is the dialog's only while the worker waits.
    mutable std::mutex m_lock;
    Mode m_mode = ModeNone;
    TransferResult m_result = ResultDone;
    IMessageWindow* m_progress = nullptr;
    std::optional<ProgressCode> m_awaited;
    bool m_refused = false;  // the document refused the request awaited

    // The record in hand: its command index and bytes.
    std::uint32_t m_command = lumen::kNoCommand;
    std::array<std::uint8_t, kBufferSize> m_buffer{};
    std::size_t m_dataLength = 0;
};

}  // namespace varnel
