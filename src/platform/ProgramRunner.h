// Starting a program that the site supplies (a script such as "OrlanSend.bat") in a directory of its
// own, without a shell and without waiting for it. Tests install a runner of their own.
#pragma once

#include "platform/Result.h"

#include <string>
#include <vector>

namespace varnel {

class IProgramRunner {
public:
    virtual ~IProgramRunner() = default;
    // Starts `program` (a path, or a name looked up in `directory`) with `directory` as its current
    // directory and returns without waiting for it to end.
    virtual Result<void> Start(const std::string& directory, const std::string& program,
                               const std::vector<std::string>& arguments) = 0;
};

// Installs the process's runner (null puts back the real one) and returns the one it replaces.
IProgramRunner* SetProgramRunner(IProgramRunner* runner);

// The running program's own file, as an absolute path; empty when the system does not say.
std::string GetProgramPath();

// Starts the program through the installed runner.
Result<void> StartProgram(const std::string& directory, const std::string& program,
                          const std::vector<std::string>& arguments = {});

}  // namespace varnel
