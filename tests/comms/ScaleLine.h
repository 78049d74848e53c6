// The scale's end of a line, as the scale simulator uses it: the in-memory line with virtual time,
// or a real transport on loopback (TCP, UDP) or a pseudo-terminal pair.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace varnel::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

class ScaleLine {
public:
    // One connection the link opened (a serial line or a UDP peer has one for good).
    struct Connection {
        virtual ~Connection() = default;
    };
    using ConnectionPtr = std::shared_ptr<Connection>;
    enum class ReadResult { Data, Closed, Stopped };

    virtual ~ScaleLine() = default;

    // The next connection; null once stopped.
    virtual ConnectionPtr Accept() = 0;
    // What the link sent; waits for it.
    virtual ReadResult ScaleRead(const ConnectionPtr& connection, Bytes& bytes) = 0;
    // Whether more of what the link is sending comes at once (a real transport may hand over a frame
    // or an enquiry in pieces); the in-memory line always hands over all of it.
    virtual bool MoreFollows(const ConnectionPtr& /*connection*/) { return false; }
    virtual bool ScaleWrite(const ConnectionPtr& connection, std::span<const std::uint8_t> bytes) = 0;
    // Waits until the link has taken every byte written to it (or the connection has gone).
    virtual bool ScaleWaitDrained(const ConnectionPtr& connection) = 0;
    // Waits until the clock has moved on by `duration`; false once stopped.
    virtual bool ScaleSleep(std::chrono::seconds duration) = 0;
    // Closes the connection from the scale's side.
    virtual void ScaleDrop(const ConnectionPtr& connection) = 0;
    // Marks the simulator present or gone.
    virtual void AttachScale(bool attached) = 0;
    // Ends every simulator wait.
    virtual void Stop() = 0;
    // Waits until the simulator waits for a connection with none pending.
    virtual void WaitScaleIdle() = 0;
};

}  // namespace varnel::test
