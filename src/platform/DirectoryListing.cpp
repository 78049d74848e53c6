#include "platform/DirectoryListing.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace varnel {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

Error OsError(const std::string& what) { return MakeError(Errc::Io, what, errno); }

}  // namespace

Result<std::vector<DirectoryEntry>> ListDirectory(const std::string& directory)
{
    const std::unique_ptr<DIR, DirCloser> dir(opendir(directory.c_str()));
    if (!dir) return OsError(directory);
    std::vector<DirectoryEntry> entries;
    errno = 0;
    while (const dirent* entry = readdir(dir.get())) {
        struct stat status {};
        if (fstatat(dirfd(dir.get()), entry->d_name, &status, 0) < 0 || !S_ISREG(status.st_mode)) continue;
        const auto nanoseconds = std::chrono::nanoseconds(status.st_mtim.tv_nsec);
        const auto modified = std::chrono::system_clock::time_point(
            std::chrono::seconds(status.st_mtim.tv_sec) +
            std::chrono::duration_cast<std::chrono::system_clock::duration>(nanoseconds));
        entries.push_back({entry->d_name, static_cast<std::uint64_t>(status.st_size), modified});
    }
    if (errno != 0) return OsError(directory);
    return entries;
}

Result<void> SetModifiedTime(const std::string& path, std::chrono::system_clock::time_point time)
{
    const auto since = time.time_since_epoch();
    const auto seconds = std::chrono::floor<std::chrono::seconds>(since);
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(since - seconds);
    const timespec times[2] = {{0, UTIME_OMIT},
                               {static_cast<time_t>(seconds.count()), static_cast<long>(nanoseconds.count())}};
    if (utimensat(AT_FDCWD, path.c_str(), times, 0) < 0) return OsError(path);
    return {};
}

Result<void> MakeDirectory(const std::string& path)
{
    if (mkdir(path.c_str(), 0777) == 0) return {};
    const int error = errno;
    struct stat status {};
    if (error == EEXIST && stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) return {};
    return MakeError(Errc::Io, path, error);
}

}  // namespace varnel
