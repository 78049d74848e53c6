// Any bytes as each kind of setup file (general setup, site setup, PLU range profile, schedule; the
// first byte chooses): a load either succeeds or is refused cleanly, and a refused load leaves every
// setting of the frame as it was, as the files it writes afterwards show.
#include "FuzzRequire.h"

#include "app/MainFrame.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

using varnel::CMainFrame;
using varnel::fuzz::Require;

const std::string& WorkDirectory()
{
    static const std::string directory = [] {
        const auto path = std::filesystem::temp_directory_path() / ("setup_file_fuzz." + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        static const std::filesystem::path removed = path;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(removed, ignored);
        });
        return path.string() + "/";
    }();
    return directory;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What a frame's settings look like on disk.
std::string SettingsOf(CMainFrame& frame)
{
    const std::string general = WorkDirectory() + "check.set";
    const std::string site = WorkDirectory() + "check.sit";
    Require(frame.SaveGeneralSetup(general) && frame.SaveSiteSetup(site));
    return ReadFile(general) + ReadFile(site);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const std::string input = WorkDirectory() + "input";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    CMainFrame frame(WorkDirectory());
    static const std::string untouched = SettingsOf(frame);
    bool loaded = false;
    switch (data[0] % 4) {
    case 0: loaded = frame.LoadGeneralSetup(input); break;
    case 1: loaded = frame.LoadSiteSetup(input); break;
    case 2: loaded = frame.LoadPluRangeProfile(input); break;
    default: {
        bool inUse = false;
        loaded = frame.LoadSchedule(input, inUse, false) == 0;
        frame.CloseScheduleFile();
        break;
    }
    }
    if (!loaded) Require(SettingsOf(frame) == untouched);
    return 0;
}
