// A scale's side of ID-ENQ, played from what the protocol states of the scales' replies: it answers
// enquiries addressed to its machine ids with ACK, checks each frame's block check and ACKs or NAKs
// it, collects the packets, answers a request file code (after the link's EOT) with packets of records
// of its own and EOT, and plays scripted faults. Tests start it (it reports ready before Start
// returns) and stop it by its handle; time is the line's (virtual) time. The line is
// the in-memory one or a real transport (RealScaleLine.h).
#pragma once

#include "ScaleLine.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <vector>

namespace varnel::test {

// The faults a simulator plays; a test sets them before the exchange they are meant for.
struct ScaleFaults {
    bool offline = false;                  // never answers an enquiry
    int silentEnquiries = 0;               // leaves this many enquiries unanswered, then answers
    int lateAnswerSeconds = 0;             // answers each enquiry this many seconds late
    int naksInARow = 0;                    // NAKs the next frames it receives, this many of them
    std::function<bool(std::size_t frame)> nakFrame;   // NAKs the received frames it picks (counted from 0)
    std::function<bool(std::size_t frame)> dropFrame;  // ignores the received frames it picks: no answer
    int badBlockChecks = 0;                // frames it sends carry a wrong block check, this many times
    int repeatedEnquiries = 0;             // sends its enquiry again before its first frame, this many times
                                           // as long as each is acknowledged
    bool silentAfterClaim = false;         // claims the line for its reply, then sends nothing
    std::optional<std::size_t> dropAfterBytes;  // closes the connection after this many bytes of its first frame
    bool trickle = false;                  // sends its frames one byte at a time
    std::optional<std::uint8_t> ackByte;   // answers enquiries with this byte instead of ACK
    std::function<void()> beforeAnswer;    // runs on the scale's thread before it answers an enquiry
    std::function<void()> afterClaim;      // runs on the scale's thread once its enquiry is acknowledged
};

class ScaleSimulator {
public:
    ScaleSimulator(ScaleLine& line, std::set<std::uint16_t> machineIds, bool eightBitData = false);
    ~ScaleSimulator();
    ScaleSimulator(const ScaleSimulator&) = delete;
    ScaleSimulator& operator=(const ScaleSimulator&) = delete;

    // Starts the scale's thread; returns once it waits for the link.
    void Start();
    void Stop();

    // What the scale answers to a request packet: these packets, then EOT.
    void SetReply(const Bytes& request, std::vector<Bytes> packets);
    // Clears the faults and sets those `set` chooses.
    void SetFaults(const std::function<void(ScaleFaults&)>& set);

    // What it received, by machine id: every complete packet (requests included), in order.
    std::vector<Bytes> Packets(std::uint16_t machineId) const;
    // Waits until `count` packets have come for the machine id in all; false if they do not come
    // within `guard` of real time.
    bool WaitForPackets(std::uint16_t machineId, std::size_t count,
                        std::chrono::milliseconds guard = std::chrono::seconds(60)) const;
    std::size_t EnquiriesSeen() const;
    std::size_t FramesSeen() const;
    // Every byte the link sent, in order.
    Bytes Wire() const;

    // For long runs (the link benchmark): what comes is counted, not kept, so the scale costs no more
    // than a peer that only answers; Packets() and Wire() then stay empty. Set before Start.
    void CountOnly() { m_countOnly = true; }
    std::size_t PacketCount(std::uint16_t machineId) const;
    std::size_t WireBytes() const;

private:
    class Reader;
    void Run();
    void Serve(const ScaleLine::ConnectionPtr& connection);
    bool AnswerEnquiry(const ScaleLine::ConnectionPtr& connection, std::uint16_t machineId);
    void ReceiveFrame(const ScaleLine::ConnectionPtr& connection, Reader& reader);
    bool SendReply(const ScaleLine::ConnectionPtr& connection, Reader& reader, std::uint16_t machineId,
                   const std::vector<Bytes>& packets);
    bool SendFrame(const ScaleLine::ConnectionPtr& connection, Reader& reader, std::span<const std::uint8_t> data,
                   bool last, bool& firstFrame);

    ScaleLine& m_line;
    const std::set<std::uint16_t> m_machineIds;
    const bool m_eightBitData;
    std::thread m_thread;

    mutable std::mutex m_mutex;  // guards what follows
    mutable std::condition_variable m_packetCame;
    ScaleFaults m_faults;
    std::map<Bytes, std::vector<Bytes>> m_replies;
    std::map<std::uint16_t, std::vector<Bytes>> m_packets;
    Bytes m_wire;
    std::size_t m_wireBytes = 0;
    std::map<std::uint16_t, std::size_t> m_packetCounts;
    bool m_countOnly = false;
    std::size_t m_enquiries = 0;
    std::size_t m_frames = 0;

    // The exchange under way (the scale's thread only).
    std::optional<std::uint16_t> m_claimedBy;  // the machine id the link's enquiry named
    Bytes m_packet;
    Bytes m_frameBody;  // the frame being read, its room kept from frame to frame
    std::optional<Bytes> m_pendingRequest;
    std::uint16_t m_sequence = 0;
};

}  // namespace varnel::test
