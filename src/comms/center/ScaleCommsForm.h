// "Scale Comms" (dialog 106) without its window: one request on the selected scales' links, run to
// its end. Opening hands the request to the links with the form as their notify window; each link
// reports the end of its part (result 4, or 5 after a receive) and the form ends with OK once the last
// one has, showing the first non-zero result (31528 when a block scale refused batch print data)
// unless errors are not to be shown. Cancel drops the current job of a send, cancels the links and
// ends with 61225. A progress line counts the records moved, each second (timer 9).
//
//   Open --nothing enabled or no link selected--> ended (OK, result 0)
//   Open --request handed out--> running --last link reported--> ended (OK) | --Cancel--> ended (Cancel)
//
// The links post from their worker threads; the posts wait in the form's queue until its own thread
// takes them (Dispatch). The notify window of every link still pending is cleared before the form
// goes, so nothing a link posts later reaches it. Without a window the form runs itself to its end
// (RunUnseen), for automation and the scheduler.
//
// In market 3 every link that ends with an error adds a record to the error text (a CR LF between
// records): the date and time "yyyymmddhhmmss", then for a socket link the four octets of its address
// in three digits each and the error's code in two, for a serial link eleven zeros, its port's
// number and the code. Codes: 61326 0, 31457 13, 61219 11, 61447 8, 61456 9, any other 7.
#pragma once

#include "comms/center/PendingLinks.h"
#include "comms/idenq/ScaleFamily.h"
#include "db/plu/SendDataLog.h"
#include "db/site/ScaleDef.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/OleDate.h"
#include "platform/PostQueue.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace varnel {

class CIdEnqLink;
class CIdEnqLinkList;
class IDocument;

class ScaleCommsForm {
public:
    static constexpr MessageId kMsgRecordsTransferred = 17527;  // "%d records transferred"
    static constexpr MessageId kMsgWaitingForPrevious = 18009;
    static constexpr MessageId kMsgBatchPrintRefused = 31528;
    static constexpr std::uintptr_t kWaitingForPrevious = 7;
    static constexpr std::chrono::milliseconds kTimerInterval{1000};

    enum class Mode { Poll = 2, Receive = 3, Send = 5, SendUnsent = 6 };
    struct Request {
        Mode mode = Mode::Send;
        const ScaleDefs* scales = nullptr;    // null: every scale
        const SendRequests* sends = nullptr;  // a send's jobs
        std::uint16_t dataKind = kNoDataKind;  // a receive's comms data kind
        bool showErrors = true;
    };
    // What the form needs of the program around it.
    struct Site {
        IDocument* document = nullptr;  // a compare's database; null compares nothing
        std::uint16_t market = 0;
        const IClock* clock = &SystemClock();
        IFileSystem* fs = &RealFileSystem();
        std::string scaleDataDirectory;  // where a compare's result files are
    };

    ScaleCommsForm(CIdEnqLinkList& links, Request request, Site site);
    ~ScaleCommsForm();
    ScaleCommsForm(const ScaleCommsForm&) = delete;
    ScaleCommsForm& operator=(const ScaleCommsForm&) = delete;

    // The dialog is up: the request goes to the links, or, with nothing to do, the form ends (OK).
    void Open();
    // Timer 9: the records moved so far.
    void OnTimer();
    void OnCancel();
    // The form's thread: handles every post queued, until the form has ended.
    void Dispatch();
    // How the view hears of a post (SetWake on the form's queue); null before the view goes.
    void SetWake(std::function<void()> wake) { m_posts.SetWake(std::move(wake)); }

    // Runs the form to its end without a window: Open, then the posts as they come.
    void RunUnseen();

    // None while it runs; true for OK.
    std::optional<bool> GetOutcome() const { return m_outcome; }
    const std::string& GetProgressText() const { return m_progress; }
    // The first non-zero result a link reported; 61225 after Cancel.
    MessageId GetResult() const { return m_result; }
    bool IsBatchPrintRefused() const { return m_batchPrintRefused; }
    // Market 3's error records.
    const std::string& GetErrorText() const { return m_errorText; }

private:
    void Handle(const PostQueue::Posted& posted);
    void EndLinkPart(CIdEnqLink& link, std::uintptr_t code);
    void UpdateProgress();
    void AppendErrorRecord(const CIdEnqLink& link, MessageId error);
    void Finish();

    CIdEnqLinkList& m_links;
    const Request m_request;
    const Site m_site;
    PostQueue m_posts;
    PendingLinks m_pending;
    std::optional<bool> m_outcome;
    std::string m_progress;
    MessageId m_result = 0;
    bool m_batchPrintRefused = false;
    std::string m_errorText;
};

// The error record's two-digit code of a result.
int ScaleErrorCode(MessageId result);
// Market 3's record of a link that ended with `error` at `now`; empty for a link neither on the
// network nor on a serial port.
std::string ScaleErrorRecord(const DateTimeParts& now, const CIdEnqLink& link, MessageId error);

// Runs a request in "Scale Comms": first waits while the links finish earlier work (the busy wait),
// then in the window of the installed comms dialogs, or without a window when none is installed. The
// busy wait's 61225 when it was cancelled, else the form's result; `errorText` gets market 3's records.
MessageId RunScaleComms(CIdEnqLinkList& links, const ScaleCommsForm::Request& request,
                        const ScaleCommsForm::Site& site, std::string* errorText = nullptr);

}  // namespace varnel
