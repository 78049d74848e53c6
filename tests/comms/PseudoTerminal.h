// A pseudo-terminal pair, the serial line of the tests' scale peers: the code under test opens the
// slave side by its name as its port, the peer reads and writes the master side.
#pragma once

#include "platform/Result.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace varnel::test {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    PseudoTerminal(PseudoTerminal&& other) noexcept;
    PseudoTerminal& operator=(PseudoTerminal&& other) noexcept;
    PseudoTerminal(const PseudoTerminal&) = delete;
    ~PseudoTerminal();

    // A new pair in raw mode; the slave stays open on this side too, so the line lives on between the
    // opens of the code under test, as a cable does.
    static Result<PseudoTerminal> Open();
    const std::string& SlaveName() const { return m_slaveName; }

    // The master side. The peer waits as a scale would, in real time: up to `limit` for bytes; 0 when
    // none came.
    Result<bool> WaitReadable(std::chrono::milliseconds limit);
    Result<std::size_t> Read(std::span<std::uint8_t> into, std::chrono::milliseconds limit);
    Result<void> Write(std::span<const std::uint8_t> bytes);

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slaveName;
};

}  // namespace varnel::test
