// The real runner: the program is spawned directly (an executable or a script with a "#!" line), so
// its name and arguments reach it unchanged whatever characters they hold; its exit is collected by a
// detached thread so that it leaves no zombie.
#include "platform/ProgramRunner.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace varnel {
namespace {

class SpawningRunner final : public IProgramRunner {
public:
    Result<void> Start(const std::string& directory, const std::string& program,
                       const std::vector<std::string>& arguments) override
    {
        std::string path = program.find('/') == std::string::npos ? directory + "/" + program : program;
        std::vector<std::string> words{path};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
        pid_t pid = 0;
        const int failed = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (failed != 0)
            return MakeError(Errc::NotFound, "cannot start \"" + path + "\": " + std::strerror(failed), failed);
        std::thread([pid] {
            int status = 0;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
        return {};
    }
};

std::atomic<IProgramRunner*> g_runner{nullptr};

}  // namespace

IProgramRunner* SetProgramRunner(IProgramRunner* runner) { return g_runner.exchange(runner); }

std::string GetProgramPath()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

Result<void> StartProgram(const std::string& directory, const std::string& program,
                          const std::vector<std::string>& arguments)
{
    static SpawningRunner spawning;
    IProgramRunner* runner = g_runner.load();
    return (runner != nullptr ? *runner : spawning).Start(directory, program, arguments);
}

}  // namespace varnel
