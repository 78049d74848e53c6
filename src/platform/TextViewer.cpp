// The desktop's text viewer, started as a program of its own with the file as its one argument. No
// shell is involved, so a path with blanks or shell characters reaches the viewer unchanged.
#include "platform/TextViewer.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace varnel {
namespace {

class DesktopTextViewer final : public ITextViewer {
public:
    Result<void> Show(const std::string& path) override
    {
        const char* chosen = std::getenv("VARNEL_VIEWER");
        std::string program = chosen != nullptr && *chosen != '\0' ? chosen : "xdg-open";
        std::string argument = path;
        char* argv[] = {program.data(), argument.data(), nullptr};
        pid_t pid = 0;
        const int failed = posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ);
        if (failed != 0)
            return MakeError(Errc::NotFound, "cannot start the text viewer \"" + program + "\": " + std::strerror(failed),
                             failed);
        // The viewer runs on after we return; its exit is collected so that it leaves no zombie.
        std::thread([pid] {
            int status = 0;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
        return {};
    }
};

std::atomic<ITextViewer*> g_viewer{nullptr};

}  // namespace

ITextViewer* SetTextViewer(ITextViewer* viewer) { return g_viewer.exchange(viewer); }

Result<void> OpenInTextViewer(const std::string& path)
{
    static DesktopTextViewer desktop;
    ITextViewer* viewer = g_viewer.load();
    return (viewer != nullptr ? *viewer : desktop).Show(path);
}

}  // namespace varnel
