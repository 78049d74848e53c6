#include "PseudoTerminal.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string_view>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace varnel::test {
namespace {

Error OsError(std::string_view what) { return MakeError(Errc::Io, std::string(what), errno); }

}  // namespace

PseudoTerminal::PseudoTerminal(PseudoTerminal&& other) noexcept
    : m_master(std::exchange(other.m_master, -1)), m_slave(std::exchange(other.m_slave, -1)),
      m_slaveName(std::move(other.m_slaveName))
{
}

PseudoTerminal& PseudoTerminal::operator=(PseudoTerminal&& other) noexcept
{
    std::swap(m_master, other.m_master);
    std::swap(m_slave, other.m_slave);
    std::swap(m_slaveName, other.m_slaveName);
    return *this;
}

PseudoTerminal::~PseudoTerminal()
{
    if (m_slave >= 0) close(m_slave);
    if (m_master >= 0) close(m_master);
}

Result<PseudoTerminal> PseudoTerminal::Open()
{
    PseudoTerminal pair;
    pair.m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (pair.m_master < 0 || grantpt(pair.m_master) < 0 || unlockpt(pair.m_master) < 0) return OsError("pty");
    std::array<char, 128> name{};
    if (ptsname_r(pair.m_master, name.data(), name.size()) != 0) return OsError("pty name");
    pair.m_slaveName = name.data();
    pair.m_slave = open(name.data(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (pair.m_slave < 0) return OsError("pty slave");
    termios state{};
    if (tcgetattr(pair.m_slave, &state) < 0) return OsError("pty settings");
    cfmakeraw(&state);
    if (tcsetattr(pair.m_slave, TCSANOW, &state) < 0) return OsError("pty settings");
    return pair;
}

Result<bool> PseudoTerminal::WaitReadable(std::chrono::milliseconds limit)
{
    pollfd entry{m_master, POLLIN, 0};
    int ready = 0;
    do {
        ready = poll(&entry, 1, static_cast<int>(limit.count()));
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) return OsError("poll");
    if (ready > 0 && (entry.revents & (POLLERR | POLLNVAL)) != 0) return MakeError(Errc::Io, "port error", EIO);
    return ready > 0;
}

Result<std::size_t> PseudoTerminal::Read(std::span<std::uint8_t> into, std::chrono::milliseconds limit)
{
    const Result<bool> ready = WaitReadable(limit);
    if (!ready) return ready.GetError();
    if (!*ready) return std::size_t{0};
    const ssize_t got = read(m_master, into.data(), into.size());
    if (got < 0) return OsError("pty read");
    return static_cast<std::size_t>(got);
}

Result<void> PseudoTerminal::Write(std::span<const std::uint8_t> bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = write(m_master, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return OsError("pty write");
        }
        done += static_cast<std::size_t>(written);
    }
    return {};
}

}  // namespace varnel::test
