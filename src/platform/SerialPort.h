// SerialPort: an RS-232 port opened exclusively for one operation of a serial link. Its settings come
// from the device-control text "baud=%s parity=%s data=%s stop=%s"; reads return with what has
// arrived (possibly nothing) within the port's read time, 40 ms unless its user asks for another,
// and writes are bounded by 5 seconds, as the links' ports were set up. Waits count on the injected clock (IClock::DeviceWaitSlice).
//
// Built on the terminal interface directly: it drives USB adapters, on-board UARTs and the
// pseudo-terminals the tests use alike (a pseudo-terminal has no modem lines, so holding RTS on is
// skipped there).
#pragma once

#include "platform/Clock.h"
#include "platform/Result.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

enum class SerialParity { None, Even, Odd, Mark, Space };

struct SerialSettings {
    std::uint32_t baud = 9600;
    SerialParity parity = SerialParity::Even;
    std::uint8_t dataBits = 7;
    std::uint8_t stopBits = 1;
};

// Parses the device-control text; an Errc::Invalid error names the value refused (a baud rate the
// port cannot take, an unknown parity letter, data bits outside 5 to 8, stop bits other than 1 or 2).
Result<SerialSettings> ParseDeviceControl(std::string_view text);

// The device a stored port name opens: "COM<n>", the port name that stored setups carry, is the
// n-th on-board port "/dev/ttyS<n-1>"; any other name is the device's own path.
std::string NativeSerialDeviceName(std::string_view portName);

// Which step of opening a port failed, for the links' traces.
enum class SerialOpenStep { Open, ReadSettings, BuildSettings, ApplySettings };

struct SerialOpenFailure {
    SerialOpenStep step = SerialOpenStep::Open;
    Error error;
};

// The serial links' trace of a failed open: "Error opening COM port - %s error code %ld" with the step
// as the links have always named it (CreateFile, GetCommState, BuildCommDCB, SetCommState).
std::string DescribeOpenFailure(const SerialOpenFailure& failure);

class SerialPort {
public:
    static constexpr std::chrono::milliseconds kDefaultReadTime{40};

    explicit SerialPort(const IClock& clock = SystemClock(), std::chrono::milliseconds readTime = kDefaultReadTime)
        : m_clock(clock), m_readTime(readTime)
    {
    }
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;
    ~SerialPort() { Close(); }

    // Opens `device` exclusively, raw, without software flow control, with the device-control text's
    // settings; with `rtsCts` the hardware handshake, else RTS held on. The failure names its step.
    std::optional<SerialOpenFailure> Open(const std::string& device, std::string_view deviceControl, bool rtsCts);
    void Close();
    bool IsOpen() const { return m_handle >= 0; }

    // What has arrived within the read time, at most into.size() bytes.
    Result<std::size_t> Read(std::span<std::uint8_t> into);
    // Writes within 5 seconds; fewer bytes than given when the port took no more in that time.
    Result<std::size_t> Write(std::span<const std::uint8_t> bytes);

private:
    const IClock& m_clock;
    const std::chrono::milliseconds m_readTime;
    int m_handle = -1;
};

}  // namespace varnel
