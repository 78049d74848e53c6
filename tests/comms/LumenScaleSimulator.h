// A Lumen scale's side of an interactive transfer, played from what the protocol states of the
// scales' frames and replies.
//
//   receiver (the link sends): reads each frame the link sends and answers it: a sound command with its
//            own letter, a sound block with the current command's letter, anything else with a refusal;
//            gathers each record's blocks down to block 0; 'E' ends the batch.
//   sender (the link receives): sends its batch once: a command frame whenever the command changes,
//            each record in blocks of 250 bytes numbered down to 0, then 'E'; each frame waits for its
//            6-byte reply and goes again after a refusal, three times in all. Then it is a receiver.
//
// Scripted faults: received frames it refuses or leaves unanswered, frames it sends with a wrong block
// check, and silence after some frames of its own. The line is the in-memory one, a pseudo-terminal
// pair or loopback TCP; a connection the link closes ends the exchange, and the scale waits for the
// next one.
#pragma once

#include "ScaleLine.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace varnel::test {

// One record of a batch: the letter of its command, as sent, and its bytes.
struct LumenRecord {
    std::uint8_t letter = 0;
    Bytes data;
    bool operator==(const LumenRecord&) const = default;
};

struct LumenScaleFaults {
    std::function<bool(std::size_t frame)> refuse;    // received frames (counted from 0) it refuses
    std::function<bool(std::size_t frame)> ignore;    // received frames it leaves unanswered
    std::function<bool(std::size_t frame)> badCheck;  // frames it sends (counted from 0) with a wrong check
    std::optional<std::size_t> silentAfter;           // sends nothing after this many frames of its own
};

class LumenScaleSimulator {
public:
    explicit LumenScaleSimulator(ScaleLine& line);
    ~LumenScaleSimulator();
    LumenScaleSimulator(const LumenScaleSimulator&) = delete;
    LumenScaleSimulator& operator=(const LumenScaleSimulator&) = delete;

    // Starts the scale's thread; returns once it waits for the link.
    void Start();
    void Stop();

    // Makes the scale the sender of these records, or of exactly these frames.
    void SetBatch(const std::vector<LumenRecord>& records);
    void SetFrames(std::vector<Bytes> frames);
    // Clears the faults and sets those `set` chooses.
    void SetFaults(const std::function<void(LumenScaleFaults&)>& set);

    // As a receiver, the records it took, in order; every frame the link sent (the sender's: the replies).
    std::vector<LumenRecord> Records() const;
    std::vector<Bytes> Received() const;
    // Waits until the scale has ended `count` exchanges in all (a batch done or given up); false when
    // they do not end within a minute of real time.
    bool WaitExchanges(std::size_t count) const;

private:
    class Reader;
    void Run();
    void Serve(const ScaleLine::ConnectionPtr& connection);
    bool Receive(const ScaleLine::ConnectionPtr& connection, Reader& reader);
    void SendBatch(const ScaleLine::ConnectionPtr& connection, Reader& reader, const std::vector<Bytes>& frames);
    void EndExchange();

    ScaleLine& m_line;
    std::thread m_thread;

    mutable std::mutex m_mutex;  // guards what follows
    mutable std::condition_variable m_ended;
    LumenScaleFaults m_faults;
    std::vector<Bytes> m_batch;
    std::vector<LumenRecord> m_records;
    std::vector<Bytes> m_received;
    std::size_t m_sentFrames = 0;
    std::size_t m_exchanges = 0;
};

}  // namespace varnel::test
