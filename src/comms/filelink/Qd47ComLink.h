// CQd47ComLink: the file link over RS-232, on which a scale uses the PC as its file server. The scale
// sends one-byte commands and the PC answers each on files of its own disk. Two modes, by scale type:
//   0 Data Save mode: one Data Save file (DataSaveIndex.h) goes to or comes from the scale, its
//     sections standing for the scale's files (TransferFile);
//   1 file-server mode: the scale reads, writes, lists, dates and deletes files of one served
//     directory, named by strict 8.3 names only (Qd47Names.h; RunSerialComms).
//
// A run: the caller runs the progress dialog, which opens by calling StartRun; the worker thread then
// opens the port and answers commands until the scale ends the run, the user stops it (Close, which
// sets the cancel event) or an exchange fails, posts notice 5 and ends. The dialog learns of progress
// by notices only; it clears the notify window before it closes, under the link's lock, so no notice
// reaches a closed dialog.
//
//   Commands (one byte, then parameters)               answer
//   'O' open: access (0 the scale writes, 1 it reads),  reply
//       name 8, extension 3, 9 bytes not used
//   'R' read block                                      reply 0 and 256 bytes, or reply 2
//   'W' write block: 256 bytes                          reply 0, or reply 2
//   'C' close                                           reply 0
//   'L' list: mode; mode 2 then name 8, extension 3,    reply and a 21-byte entry
//       9 bytes not used (mode 2 starts a listing)
//   'I' disk information                                reply 0, then u16 2847, 2847, 512, 1
//   'A' set file time: name 8, extension 3, 5 bytes,    reply
//       DOS date u16, DOS time u16
//   'D' delete: name 8, extension 3, 9 bytes            reply
//   1 end, 2 stop                                       none
// Replies: 0 done, 2 refused (wrong state or mode, or a name that is not one), 0x20 no such file or
// end of a listing, 0x40 the file cannot be made.
//
// Archive form: the strings port, baud rate, parity, data bits and stop bits, then u16 scale type.
#pragma once

#include "comms/filelink/DataSaveIndex.h"
#include "platform/Clock.h"
#include "platform/Event.h"
#include "platform/FileSystem.h"
#include "platform/MessageWindow.h"
#include "platform/Serializable.h"
#include "platform/SerialPort.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace varnel {

class CQd47ComLink;

// The notices to the progress dialog: message kQd47Notice, wParam the code, lParam the value.
constexpr std::uint32_t kQd47Notice = kUserMessage + 1;
enum Qd47NoticeCode : std::uintptr_t { Qd47BlockSent = 2, Qd47BlockReceived = 3, Qd47RunEnded = 5 };

// How a run ended.
enum Qd47Status : int { Qd47Done = 0, Qd47Timeout = 1, Qd47Cancelled = 2, Qd47Error = 3, Qd47PortNotOpened = 4,
                        Qd47PortOpen = 5 };

// The progress dialog of a run, the link's notify window while it runs.
class IQd47Dialog : public IMessageWindow {
public:
    // Runs until the run ends (notice 5) or the user closes it; calls link.StartRun() as it opens and
    // link.ClearNotifyWindow() before it closes.
    virtual void RunModal(CQd47ComLink& link) = 0;
};

class CQd47ComLink : public CObject {
    VARNEL_DECLARE_SERIAL(CQd47ComLink)
public:
    static constexpr std::uint16_t kDataSaveMode = 0;
    static constexpr std::uint16_t kFileServerMode = 1;

    CQd47ComLink() : CQd47ComLink(SystemClock(), RealFileSystem()) {}
    CQd47ComLink(const IClock& clock, IFileSystem& fs) : m_clock(clock), m_fs(fs) {}
    ~CQd47ComLink() override;
    CQd47ComLink(const CQd47ComLink&) = delete;
    CQd47ComLink& operator=(const CQd47ComLink&) = delete;

    void Serialize(CArchive& ar) override;

    // Data Save mode: receives the scale's files into a Data Save file at `path` (made anew), or sends
    // the one at `path`. Shows the run's result; true when it ended well. A received file gets its
    // index; one without a section of PLUs, stores, messages, presets, advertising messages, campaigns
    // or ingredients ends with 61226 instead.
    bool TransferFile(bool receive, const std::string& path, IQd47Dialog& dialog);
    // File-server mode on the files of `servedDirectory`. Shows the run's result; true when it ended well.
    bool RunSerialComms(const std::string& servedDirectory, IQd47Dialog& dialog);
    // Stops a run: closes its file and listing and, with the port open, sets the cancel event, waits
    // at most 5 seconds for the worker to end and closes the port. True when a port was closed.
    bool Close();

    // "Scales Comms Link (QD47)": true when the settings were stored (after OK, and when
    // `allowSetupChange`, if given, lets the user change the setup).
    bool EditSettings(const std::function<bool()>& allowSetupChange = {});

    // For the progress dialogs.
    void StartRun() { m_start.Set(); }
    void ClearNotifyWindow();

    // After a run: whether a file of an importable kind came in, and how the run ended.
    bool HasImportableData() const { return m_importable; }
    int GetStatus() const { return m_status.load(); }

    std::string m_portName = "COM2";
    std::string m_baudRate = "9600";
    std::string m_parity = "N";
    std::string m_dataBits = "8";
    std::string m_stopBits = "1";
    std::uint16_t m_scaleType = kDataSaveMode;
    // Where "QD47Dump.txt" is written; none when empty.
    std::string m_traceDirectory;

private:
    friend class CQd47Session;

    // False (61217) while a run is under way; else the run's mode and file or directory are set.
    bool PrepareRun(std::uint16_t mode, const std::string& path);
    // Starts the worker, runs the dialog and closes the link when the dialog ends.
    void Run(IQd47Dialog& dialog);
    void WorkerMain();
    void Notify(std::uintptr_t code, std::intptr_t value);
    std::string DeviceControl() const;

    const IClock& m_clock;
    IFileSystem& m_fs;
    Event m_start{Event::ResetMode::Auto};
    Event m_cancel{Event::ResetMode::Auto};
    Event m_ended{Event::ResetMode::Auto};
    std::mutex m_notifyLock;  // guards m_notify
    IMessageWindow* m_notify = nullptr;
    std::thread m_worker;
    SerialPort m_port{m_clock};
    std::atomic<int> m_status{Qd47PortOpen};
    bool m_importable = false;

    // The run's setting, fixed before the worker starts.
    bool m_receive = false;
    std::string m_path;  // the Data Save file, or the served directory
    IFile* m_dataSaveFile = nullptr;  // Data Save mode: the file of the run, held by TransferFile
    DataSaveIndex m_index;  // Data Save send: the file's index
    std::vector<CDataSaveSection> m_sections;  // the files the scale opened
};

}  // namespace varnel
