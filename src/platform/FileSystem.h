// The one seam through which the system touches files: an open file (IFile) and the file system
// that opens, renames and removes them (IFileSystem). Tests wrap the real one to fail the Nth call.
#pragma once

#include "platform/Result.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace varnel {

enum class FileAccess {
    Read,       // existing file, reading only
    ReadWrite,  // existing file, reading and writing
    Create,     // created or truncated, reading and writing
    OpenAlways  // opened without truncation, created when absent, reading and writing
};

// Deny-write sharing: while the file stays open no other opener that asks for it (in this
// process or another) gets the file; it is refused with Errc::Refused, as a sharing violation.
enum class FileShare { DenyNone, DenyWrite };

// Who may read and write a file that is created: everyone the process's defaults allow (as a file
// newly opened with FileAccess::Create), or its owner alone (files that hold passwords).
enum class FilePermissions { Normal, OwnerOnly };

class IFile {
public:
    virtual ~IFile() = default;

    // Reads up to buffer.size() bytes at the current position; fewer at the end of the file.
    virtual Result<std::size_t> Read(std::span<std::byte> buffer) = 0;
    // Writes every byte at the current position or fails; the position moves past what was written.
    virtual Result<void> Write(std::span<const std::byte> data) = 0;
    virtual Result<void> Seek(std::uint64_t position) = 0;
    virtual std::uint64_t Position() const = 0;
    virtual Result<std::uint64_t> Length() const = 0;
    virtual Result<void> Truncate(std::uint64_t length) = 0;
    virtual Result<void> Sync() = 0;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    virtual Result<std::unique_ptr<IFile>> Open(const std::string& path, FileAccess access,
                                                FileShare share = FileShare::DenyNone) = 0;
    // A new, uniquely named file in the directory of `target`, opened for writing with deny-write
    // sharing; `path` receives its name. Used to replace `target` as a whole (see ReplaceFile), so it
    // is created with the permissions the target is to have.
    virtual Result<std::unique_ptr<IFile>> CreateTempBeside(const std::string& target, std::string& path,
                                                            FilePermissions permissions) = 0;
    virtual Result<void> Rename(const std::string& from, const std::string& to) = 0;
    virtual Result<void> Remove(const std::string& path) = 0;
    virtual Result<void> SyncDirectoryOf(const std::string& path) = 0;
    virtual bool Exists(const std::string& path) const = 0;
    // Whether the file may not be written (its write permission is off); an error when its status
    // cannot be read.
    virtual Result<bool> IsReadOnly(const std::string& path) const = 0;
    // Gives the file's owner the right to write it again.
    virtual Result<void> ClearReadOnly(const std::string& path) = 0;
    // Removes what replacements of `target` killed in the middle left beside it: temporary files made
    // by CreateTempBeside (and the database engine's journals of them) that nobody holds and nobody
    // has written for a while. Called once a replacement of `target` stands in place.
    virtual void RemoveStaleTempsBeside(const std::string& /*target*/) {}
};

// The process's real file system.
IFileSystem& RealFileSystem();

// Helpers over IFile for whole reads and writes.
Result<void> WriteBytes(IFile& file, const void* data, std::size_t size);
// Copies a whole file; an existing target is replaced as a whole (see ReplaceFile).
Result<void> CopyWholeFile(IFileSystem& fs, const std::string& from, const std::string& to);
// Reads exactly `size` bytes, or fails with Errc::Corrupt when the file ends first.
Result<void> ReadExact(IFile& file, void* data, std::size_t size);

}  // namespace varnel
