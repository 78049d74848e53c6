// The file link's progress dialogs without their windows, the link's notify window while a run lasts:
//   DataSave    dialog 127 "Scales Comms Link" (Cancel): the state on a blue field and below it, when
//               receiving, "%ld Bytes Received", when sending a bar filled to the per cent sent (whole
//               above 90)
//   FileServer  dialog 231 "Scales Comms Link" (Close): the state, "Bytes Received:" and "Bytes Sent:"
// Opening starts the run; the link's notices (code, value) change the state; notice 5 ends the dialog
// with OK. Before the dialog ends the link forgets it (under the link's lock), so no notice reaches a
// closed dialog. The notices wait in the form's queue for the dialog's thread (Dispatch). Without a
// window the form waits for the notices itself.
#pragma once

#include "comms/filelink/Qd47ComLink.h"
#include "platform/PostQueue.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace varnel {

class Qd47ProgressForm final : public IQd47Dialog {
public:
    enum class Shape { DataSave, FileServer };
    static constexpr int kFullBarAbove = 90;

    // `receiving`: the Data Save shape counts bytes received instead of showing a bar.
    Qd47ProgressForm(Shape shape, bool receiving);

    // IQd47Dialog: runs the dialog of the installed comms dialogs, or waits for the run's end.
    void RunModal(CQd47ComLink& link) override;
    void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    // The dialog's side.
    void OnOpen();
    void Dispatch();
    void OnClose();
    void SetWake(std::function<void()> wake) { m_posts.SetWake(std::move(wake)); }

    Shape GetShape() const { return m_shape; }
    bool IsReceiving() const { return m_receiving; }
    int GetState() const { return m_state; }
    std::string GetStateText() const;
    // The Data Save shape's box below the state: the bytes received, or the bar's per cent (0 to 100).
    std::string GetReceivedText() const;
    int GetBarPercent() const;
    // The file-server shape's counts.
    long GetBytesSent() const { return m_bytesSent; }
    long GetBytesReceived() const { return m_bytesReceived; }
    std::optional<bool> GetOutcome() const { return m_outcome; }

private:
    void Handle(std::uintptr_t code, std::intptr_t value);

    const Shape m_shape;
    const bool m_receiving;
    CQd47ComLink* m_link = nullptr;
    PostQueue m_posts;
    int m_state = 0;
    long m_value = 0;
    long m_bytesSent = 0;
    long m_bytesReceived = 0;
    std::optional<bool> m_outcome;
};

}  // namespace varnel
