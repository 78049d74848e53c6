// A network scale's side of the block protocol, played from what the protocol states of the scales'
// replies: it reads each message the link sends (an 8-byte header and what its length announces),
// keeps it, and answers with a 12-byte reply, or, for a request of a data kind the test registered,
// with a block of records in the form's record headers. Scripted answers play the faults: refusals
// with chosen counts and error code, a busy scale, a reply header of a wrong length followed by junk,
// late replies, no reply, and a connection dropped instead of a reply. The line is a loopback TCP
// listener; the short form's link connects anew for each exchange, which the scale accepts in turn.
#pragma once

#include "ScaleLine.h"
#include "comms/sorrel/SorrelWire.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace varnel::test {

// One message the link sent: its code, what followed its header, and all its bytes.
struct BlockMessage {
    std::uint16_t code = 0;
    Bytes payload;
    Bytes wire;
};

// How the scale answers one message.
struct BlockAnswer {
    enum class Kind { Accept, Refuse, WrongLength, Silent, Drop };
    Kind kind = Kind::Accept;
    std::uint16_t firstCount = 0;
    std::uint16_t secondCount = 0;
    std::uint16_t errorCode = 0;
    int lateSeconds = 0;
    Bytes junk;  // WrongLength: the header announces its length and it follows

    static BlockAnswer Refuse(std::uint16_t first, std::uint16_t second, std::uint16_t error = 0)
    {
        return {Kind::Refuse, first, second, error, 0, {}};
    }
    static BlockAnswer Of(Kind kind) { return {kind, 0, 0, 0, 0, {}}; }
    static BlockAnswer Late(int seconds) { return {Kind::Accept, 0, 0, 0, seconds, {}}; }
    static BlockAnswer WrongLength(Bytes junk) { return {Kind::WrongLength, 0, 0, 0, 0, std::move(junk)}; }
};

class BlockScaleSimulator {
public:
    // The script: the answer to a message (the messages are counted from 0 in the order they came);
    // none gives the usual answer.
    using Script = std::function<std::optional<BlockAnswer>(const BlockMessage& message, std::size_t index)>;

    BlockScaleSimulator(ScaleLine& line, sorrel::Form form);
    ~BlockScaleSimulator();
    BlockScaleSimulator(const BlockScaleSimulator&) = delete;
    BlockScaleSimulator& operator=(const BlockScaleSimulator&) = delete;

    void Start();
    void Stop();

    // The records the scale sends back for a request with this code (each given a record header of
    // the form carrying `recordCode`); raw bytes replace the whole block when given instead.
    void SetRecords(std::uint16_t requestCode, std::uint16_t recordCode, std::vector<Bytes> records);
    void SetRawReply(std::uint16_t requestCode, Bytes block);
    void SetScript(Script script);

    std::vector<BlockMessage> Messages() const;
    std::size_t Connections() const;

private:
    void Run();
    void Serve(const ScaleLine::ConnectionPtr& connection);
    bool Answer(const ScaleLine::ConnectionPtr& connection, const BlockMessage& message, std::size_t index);
    Bytes Reply(std::uint16_t code, std::uint8_t flag, std::span<const std::uint8_t> body) const;
    Bytes ReplyBody(const BlockAnswer& answer) const;

    ScaleLine& m_line;
    const sorrel::Form m_form;
    std::thread m_thread;

    mutable std::mutex m_mutex;  // guards what follows
    Script m_script;
    std::map<std::uint16_t, Bytes> m_replies;  // by request code: the block after the header
    std::vector<BlockMessage> m_messages;
    std::size_t m_connections = 0;
};

}  // namespace varnel::test
