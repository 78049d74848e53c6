// The real file system on POSIX: plain descriptors, open-file-description locks for deny-write sharing.
#include "platform/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnel {
namespace {

Error OsError(const std::string& what, const std::string& path, int err = errno)
{
    Errc code = Errc::Io;
    if (err == ENOENT) code = Errc::NotFound;
    else if (err == ENOSPC || err == EDQUOT) code = Errc::DiskFull;
    else if (err == EACCES || err == EPERM || err == EAGAIN) code = Errc::Refused;
    return MakeError(code, what + " \"" + path + "\": " + std::strerror(err), err);
}

class UniqueFd {
public:
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    int Get() const { return m_fd; }
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// Takes the whole-file lock that stands for deny-write sharing. A read lock for readers and a write
// lock for writers: two deny-write readers may share, anything else is refused.
Result<void> LockForSharing(int fd, bool forWriting, const std::string& path)
{
    struct flock lock {};
    lock.l_type = forWriting ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        const int err = errno;
        if (err == EAGAIN || err == EACCES)
            return MakeError(Errc::Refused, "\"" + path + "\" is in use by another program", err);
        return OsError("Cannot lock", path, err);
    }
    return {};
}

class PosixFile final : public IFile {
public:
    PosixFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}

    Result<std::size_t> Read(std::span<std::byte> buffer) override
    {
        std::size_t done = 0;
        while (done < buffer.size()) {
            const ssize_t n = ::pread(m_fd.Get(), buffer.data() + done, buffer.size() - done,
                                      static_cast<off_t>(m_position + done));
            if (n < 0) {
                if (errno == EINTR) continue;
                return OsError("Cannot read", m_path);
            }
            if (n == 0) break;
            done += static_cast<std::size_t>(n);
        }
        m_position += done;
        return done;
    }

    Result<void> Write(std::span<const std::byte> data) override
    {
        std::size_t done = 0;
        while (done < data.size()) {
            const ssize_t n = ::pwrite(m_fd.Get(), data.data() + done, data.size() - done,
                                       static_cast<off_t>(m_position + done));
            if (n < 0) {
                if (errno == EINTR) continue;
                return OsError("Cannot write", m_path);
            }
            done += static_cast<std::size_t>(n);
        }
        m_position += done;
        return {};
    }

    Result<void> Seek(std::uint64_t position) override
    {
        m_position = position;
        return {};
    }

    std::uint64_t Position() const override { return m_position; }

    Result<std::uint64_t> Length() const override
    {
        struct stat st {};
        if (::fstat(m_fd.Get(), &st) != 0) return OsError("Cannot read the size of", m_path);
        return static_cast<std::uint64_t>(st.st_size);
    }

    Result<void> Truncate(std::uint64_t length) override
    {
        if (::ftruncate(m_fd.Get(), static_cast<off_t>(length)) != 0) return OsError("Cannot truncate", m_path);
        return {};
    }

    Result<void> Sync() override
    {
        if (::fsync(m_fd.Get()) != 0) return OsError("Cannot flush", m_path);
        return {};
    }

private:
    UniqueFd m_fd;
    std::string m_path;
    std::uint64_t m_position = 0;
};

std::string RandomSuffix()
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string suffix(6, ' ');
    for (char& letter : suffix) letter = kLetters[pick(generator)];
    return suffix;
}

// A new file whose name, `target` with ".tmp" and six random letters, no other file has; -1 with errno
// when none could be made.
int CreateUniqueFile(const std::string& target, mode_t mode, std::string& name)
{
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        name = target + ".tmp" + RandomSuffix();
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

int OpenFlags(FileAccess access)
{
    switch (access) {
    case FileAccess::Read: return O_RDONLY;
    case FileAccess::ReadWrite: return O_RDWR;
    case FileAccess::Create: return O_RDWR | O_CREAT;
    case FileAccess::OpenAlways: return O_RDWR | O_CREAT;
    }
    return O_RDONLY;
}

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

class PosixFileSystem final : public IFileSystem {
public:
    Result<std::unique_ptr<IFile>> Open(const std::string& path, FileAccess access, FileShare share) override
    {
        UniqueFd fd(::open(path.c_str(), OpenFlags(access) | O_CLOEXEC, 0666));
        if (fd.Get() < 0) return OsError("Cannot open", path);
        if (share == FileShare::DenyWrite) {
            if (auto locked = LockForSharing(fd.Get(), access != FileAccess::Read, path); !locked)
                return locked.GetError();
        }
        // Truncate only once the lock is ours: a refused opener must not destroy the holder's file.
        if (access == FileAccess::Create && ::ftruncate(fd.Get(), 0) != 0) return OsError("Cannot truncate", path);
        return std::unique_ptr<IFile>(std::make_unique<PosixFile>(fd.Release(), path));
    }

    Result<std::unique_ptr<IFile>> CreateTempBeside(const std::string& target, std::string& path,
                                                    FilePermissions permissions) override
    {
        // Created with its final mode (the umask applies to Normal), not chmod-ed later: a file for its
        // owner alone is never open to others.
        std::string name;
        UniqueFd fd(CreateUniqueFile(target, permissions == FilePermissions::OwnerOnly ? 0600 : 0666, name));
        if (fd.Get() < 0) return OsError("Cannot create a temporary file beside", target);
        if (auto locked = LockForSharing(fd.Get(), true, name); !locked) {
            ::unlink(name.c_str());
            return locked.GetError();
        }
        path = name;
        return std::unique_ptr<IFile>(std::make_unique<PosixFile>(fd.Release(), name));
    }

    Result<void> Rename(const std::string& from, const std::string& to) override
    {
        if (::rename(from.c_str(), to.c_str()) != 0) return OsError("Cannot rename " + from + " to", to);
        return {};
    }

    Result<void> Remove(const std::string& path) override
    {
        if (::unlink(path.c_str()) != 0) return OsError("Cannot delete", path);
        return {};
    }

    Result<void> SyncDirectoryOf(const std::string& path) override
    {
        const std::string dir = DirectoryOf(path);
        UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (fd.Get() < 0) return OsError("Cannot open the directory", dir);
        if (::fsync(fd.Get()) != 0) return OsError("Cannot flush the directory", dir);
        return {};
    }

    Result<bool> IsReadOnly(const std::string& path) const override
    {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return OsError("Cannot read the status of", path);
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
    }

    Result<void> ClearReadOnly(const std::string& path) override
    {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return OsError("Cannot read the status of", path);
        if (::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) != 0) return OsError("Cannot make writable", path);
        return {};
    }

    bool Exists(const std::string& path) const override
    {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0;
    }

    void RemoveStaleTempsBeside(const std::string& target) override
    {
        const std::string dir = DirectoryOf(target);
        const std::string prefix = target.substr(target.find_last_of('/') + 1) + ".tmp";
        DIR* listing = ::opendir(dir.c_str());
        if (listing == nullptr) return;
        std::vector<std::string> stale;
        while (const dirent* entry = ::readdir(listing)) {
            const std::string name = entry->d_name;
            if (!IsTempName(name, prefix)) continue;
            std::string path = dir;
            path.append("/").append(name);
            if (IsAbandoned(path)) stale.push_back(path);
        }
        ::closedir(listing);
        for (const std::string& path : stale) ::unlink(path.c_str());
    }

private:
    // `prefix` (the target's name and ".tmp"), the six letters of CreateUniqueFile, and nothing more
    // or one of the database engine's journal endings.
    static bool IsTempName(std::string_view name, std::string_view prefix)
    {
        constexpr std::size_t kSuffix = 6;
        if (!name.starts_with(prefix) || name.size() < prefix.size() + kSuffix) return false;
        const std::string_view letters = name.substr(prefix.size(), kSuffix);
        if (!std::ranges::all_of(letters, [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }))
            return false;
        const std::string_view rest = name.substr(prefix.size() + kSuffix);
        return rest.empty() || rest == "-journal" || rest == "-wal" || rest == "-shm";
    }

    // A regular file untouched for a while that nobody holds: a writer holds its temporary file's
    // lock while it writes, and the database engine writes its files steadily while it builds them.
    static bool IsAbandoned(const std::string& path)
    {
        constexpr auto kQuietFor = std::chrono::minutes(10);
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
        const auto modified = std::chrono::system_clock::from_time_t(st.st_mtime);
        if (std::chrono::system_clock::now() - modified < kQuietFor) return false;
        UniqueFd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
        return fd.Get() >= 0 && LockForSharing(fd.Get(), true, path).HasValue();
    }
};

}  // namespace

IFileSystem& RealFileSystem()
{
    static PosixFileSystem fs;
    return fs;
}

}  // namespace varnel
