#include "platform/SerialPort.h"

#include "platform/TextFormat.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace varnel {
namespace {

constexpr std::chrono::milliseconds kWriteLimit(5000);
// The device numbers of the pseudo-terminal slaves.
constexpr unsigned kFirstPtySlaveMajor = 136;
constexpr unsigned kLastPtySlaveMajor = 143;

struct BaudRate {
    std::uint32_t rate;
    speed_t speed;
};

constexpr std::array kBaudRates{
    BaudRate{110, B110},       BaudRate{300, B300},       BaudRate{600, B600},       BaudRate{1200, B1200},
    BaudRate{2400, B2400},     BaudRate{4800, B4800},     BaudRate{9600, B9600},     BaudRate{19200, B19200},
    BaudRate{38400, B38400},   BaudRate{57600, B57600},   BaudRate{115200, B115200}, BaudRate{230400, B230400},
    BaudRate{460800, B460800}, BaudRate{921600, B921600},
};

std::optional<speed_t> FindSpeed(std::uint32_t rate)
{
    const auto found = std::ranges::find(kBaudRates, rate, &BaudRate::rate);
    if (found == kBaudRates.end()) return std::nullopt;
    return found->speed;
}

std::optional<std::uint32_t> ParseNumber(std::string_view text)
{
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<SerialParity> ParseParity(std::string_view text)
{
    if (text.size() != 1) return std::nullopt;
    switch (text[0]) {
    case 'n': case 'N': return SerialParity::None;
    case 'e': case 'E': return SerialParity::Even;
    case 'o': case 'O': return SerialParity::Odd;
    case 'm': case 'M': return SerialParity::Mark;
    case 's': case 'S': return SerialParity::Space;
    default: return std::nullopt;
    }
}

// The value of "key=value" among the blank-separated words; none when the key is missing.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view key)
{
    while (!text.empty()) {
        const std::size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        text.remove_prefix(start);
        const std::string_view word = text.substr(0, text.find(' '));
        text.remove_prefix(word.size());
        const std::size_t equals = word.find('=');
        if (equals != std::string_view::npos && word.substr(0, equals) == key) return word.substr(equals + 1);
    }
    return std::nullopt;
}

Error InvalidSetting(std::string_view what, std::string_view value)
{
    return MakeError(Errc::Invalid, std::string(what) + " \"" + std::string(value) + "\" is not valid", EINVAL);
}

Error OsError(std::string_view what) { return MakeError(Errc::Io, std::string(what), errno); }

void ApplySettings(termios& state, speed_t speed, const SerialSettings& settings, bool rtsCts)
{
    cfmakeraw(&state);
    cfsetspeed(&state, speed);
    state.c_cflag |= CLOCAL | CREAD;
    state.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    static constexpr std::array<tcflag_t, 4> kSizes{CS5, CS6, CS7, CS8};
    state.c_cflag |= kSizes[settings.dataBits - 5];
    switch (settings.parity) {
    case SerialParity::None: break;
    case SerialParity::Even: state.c_cflag |= PARENB; break;
    case SerialParity::Odd: state.c_cflag |= PARENB | PARODD; break;
    case SerialParity::Mark: state.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case SerialParity::Space: state.c_cflag |= PARENB | CMSPAR; break;
    }
    if (settings.stopBits == 2) state.c_cflag |= CSTOPB;
    if (rtsCts) state.c_cflag |= CRTSCTS;
    // Reads never block: the port's waits are polls.
    state.c_cc[VMIN] = 0;
    state.c_cc[VTIME] = 0;
}

// A pseudo-terminal has no line: it keeps 8 data bits without parity whatever is asked, and the C
// library reports that as EINVAL after it applied everything else (raw mode, no flow control).
bool IsPseudoTerminal(int handle)
{
    struct stat status {};
    if (fstat(handle, &status) < 0) return false;
    const unsigned deviceMajor = major(status.st_rdev);
    return deviceMajor >= kFirstPtySlaveMajor && deviceMajor <= kLastPtySlaveMajor;
}

// Waits for `events` on the handle up to `limit` on the clock; whether they came.
Result<bool> WaitFor(int handle, short events, std::chrono::milliseconds limit, const IClock& clock)
{
    const auto deadline = clock.MonotonicNow() + limit;
    for (;;) {
        const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(
            std::max(deadline - clock.MonotonicNow(), std::chrono::steady_clock::duration::zero()));
        pollfd entry{handle, events, 0};
        const int ready = poll(&entry, 1, static_cast<int>(clock.DeviceWaitSlice(remaining).count()));
        if (ready < 0 && errno != EINTR) return OsError("poll");
        if (ready > 0) {
            if ((entry.revents & (POLLERR | POLLNVAL)) != 0) return MakeError(Errc::Io, "port error", EIO);
            return true;
        }
        if (clock.MonotonicNow() >= deadline) return false;
    }
}

const char* OpenStepName(SerialOpenStep step)
{
    switch (step) {
    case SerialOpenStep::Open: return "CreateFile";
    case SerialOpenStep::ReadSettings: return "GetCommState";
    case SerialOpenStep::BuildSettings: return "BuildCommDCB";
    case SerialOpenStep::ApplySettings: return "SetCommState";
    }
    return "";
}

}  // namespace

std::string DescribeOpenFailure(const SerialOpenFailure& failure)
{
    return FormatText("Error opening COM port - %s error code %ld", OpenStepName(failure.step),
                      static_cast<long>(failure.error.osError));
}

Result<SerialSettings> ParseDeviceControl(std::string_view text)
{
    SerialSettings settings;
    const auto value = [&](std::string_view key) { return FindValue(text, key).value_or(std::string_view{}); };
    const std::string_view baud = value("baud");
    const std::optional<std::uint32_t> rate = ParseNumber(baud);
    if (!rate || !FindSpeed(*rate)) return InvalidSetting("baud", baud);
    settings.baud = *rate;
    const std::string_view parity = value("parity");
    const std::optional<SerialParity> parsedParity = ParseParity(parity);
    if (!parsedParity) return InvalidSetting("parity", parity);
    settings.parity = *parsedParity;
    const std::string_view data = value("data");
    const std::optional<std::uint32_t> dataBits = ParseNumber(data);
    if (!dataBits || *dataBits < 5 || *dataBits > 8) return InvalidSetting("data", data);
    settings.dataBits = static_cast<std::uint8_t>(*dataBits);
    const std::string_view stop = value("stop");
    const std::optional<std::uint32_t> stopBits = ParseNumber(stop);
    if (!stopBits || (*stopBits != 1 && *stopBits != 2)) return InvalidSetting("stop", stop);
    settings.stopBits = static_cast<std::uint8_t>(*stopBits);
    return settings;
}

std::string NativeSerialDeviceName(std::string_view portName)
{
    if (portName.size() > 3 && (portName.substr(0, 3) == "COM" || portName.substr(0, 3) == "com")) {
        if (const std::optional<std::uint32_t> number = ParseNumber(portName.substr(3)); number && *number >= 1)
            return "/dev/ttyS" + std::to_string(*number - 1);
    }
    return std::string(portName);
}

std::optional<SerialOpenFailure> SerialPort::Open(const std::string& device, std::string_view deviceControl,
                                                  bool rtsCts)
{
    Close();
    const int handle = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) return SerialOpenFailure{SerialOpenStep::Open, OsError(device)};
    const auto fail = [handle](SerialOpenStep step, Error error) {
        close(handle);
        return SerialOpenFailure{step, std::move(error)};
    };
    // No sharing: a second opener is refused while the link holds the port.
    if (ioctl(handle, TIOCEXCL) < 0) return fail(SerialOpenStep::Open, OsError("exclusive use"));
    termios state{};
    if (tcgetattr(handle, &state) < 0) return fail(SerialOpenStep::ReadSettings, OsError("settings"));
    const Result<SerialSettings> settings = ParseDeviceControl(deviceControl);
    if (!settings) return fail(SerialOpenStep::BuildSettings, settings.GetError());
    ApplySettings(state, *FindSpeed(settings->baud), *settings, rtsCts);
    if (tcsetattr(handle, TCSANOW, &state) < 0 && !(errno == EINVAL && IsPseudoTerminal(handle)))
        return fail(SerialOpenStep::ApplySettings, OsError("settings"));
    if (!rtsCts) {
        const int rts = TIOCM_RTS;
        // A pseudo-terminal has no modem lines to hold.
        if (ioctl(handle, TIOCMBIS, &rts) < 0 && errno != ENOTTY && errno != EINVAL)
            return fail(SerialOpenStep::ApplySettings, OsError("RTS"));
    }
    m_handle = handle;
    return std::nullopt;
}

void SerialPort::Close()
{
    if (m_handle < 0) return;
    // Exclusive use belongs to the terminal, not to this descriptor: it is given back first, or the
    // next open fails while anyone else still holds the device open.
    (void)ioctl(m_handle, TIOCNXCL);
    close(m_handle);
    m_handle = -1;
}

Result<std::size_t> SerialPort::Read(std::span<std::uint8_t> into)
{
    const Result<bool> ready = WaitFor(m_handle, POLLIN, m_readTime, m_clock);
    if (!ready) return ready.GetError();
    if (!*ready) return std::size_t{0};
    const ssize_t got = read(m_handle, into.data(), into.size());
    if (got < 0) return errno == EAGAIN ? Result<std::size_t>(std::size_t{0}) : OsError("read");
    return static_cast<std::size_t>(got);
}

Result<std::size_t> SerialPort::Write(std::span<const std::uint8_t> bytes)
{
    const auto deadline = m_clock.MonotonicNow() + kWriteLimit;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(
            std::max(deadline - m_clock.MonotonicNow(), std::chrono::steady_clock::duration::zero()));
        const Result<bool> ready = WaitFor(m_handle, POLLOUT, remaining, m_clock);
        if (!ready) return ready.GetError();
        if (!*ready) break;
        const ssize_t written = write(m_handle, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno != EAGAIN) return OsError("write");
        if (written > 0) done += static_cast<std::size_t>(written);
    }
    return done;
}

}  // namespace varnel
