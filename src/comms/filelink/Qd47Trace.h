// The file link's trace "QD47Dump.txt": every read, write, command, reply and error of a run, appended
// as the time, " : " and what happened, then the bytes as " %02.2x", 16 a line; lines end CR LF.
#pragma once

#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

class CQd47Trace {
public:
    // An empty path traces nothing.
    CQd47Trace(std::string path, const IClock& clock, IFileSystem& fs)
        : m_path(std::move(path)), m_clock(clock), m_fs(fs)
    {
    }

    void Sent(std::span<const std::uint8_t> bytes);
    void Received(std::span<const std::uint8_t> bytes);
    void Command(std::uint8_t command);
    void Reply(std::uint8_t reply);
    void Error(std::string_view what);

private:
    void Append(std::string_view what, std::span<const std::uint8_t> bytes = {});

    std::string m_path;
    const IClock& m_clock;
    IFileSystem& m_fs;
    std::unique_ptr<IFile> m_file;
};

}  // namespace varnel
