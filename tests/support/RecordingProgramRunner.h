// A program runner for tests: records each program it was asked to start, installed for the test's
// lifetime; it can be told to fail.
#pragma once

#include "platform/ProgramRunner.h"

#include <string>
#include <vector>

namespace varnel::test {

class RecordingProgramRunner final : public IProgramRunner {
public:
    struct Started {
        std::string directory;
        std::string program;
        std::vector<std::string> arguments;
    };

    RecordingProgramRunner() : m_previous(SetProgramRunner(this)) {}
    ~RecordingProgramRunner() override { SetProgramRunner(m_previous); }
    RecordingProgramRunner(const RecordingProgramRunner&) = delete;
    RecordingProgramRunner& operator=(const RecordingProgramRunner&) = delete;

    Result<void> Start(const std::string& directory, const std::string& program,
                       const std::vector<std::string>& arguments) override
    {
        m_started.push_back({directory, program, arguments});
        if (m_fail) return MakeError(Errc::NotFound, "cannot start \"" + program + "\"");
        return {};
    }

    std::vector<Started> m_started;
    bool m_fail = false;

private:
    IProgramRunner* m_previous;
};

}  // namespace varnel::test
