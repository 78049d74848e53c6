// A file system that passes every call to another one and fails the Nth call with an I/O error,
// once or from then on. The fault loops of the tests walk n = 1, 2, ... over an operation.
#pragma once

#include "platform/FileSystem.h"

#include <cstdint>

namespace varnel::test {

class FaultInjectingFileSystem final : public IFileSystem {
public:
    explicit FaultInjectingFileSystem(IFileSystem& inner = RealFileSystem()) : m_inner(inner) {}

    // Fails call number `n` (counted from the next call, 1-based); with `persistent` every call after
    // it fails too. 0 disarms.
    void FailAt(std::uint64_t n, bool persistent = false);
    std::uint64_t Calls() const { return m_calls; }
    bool Fired() const { return m_fired; }

    Result<std::unique_ptr<IFile>> Open(const std::string& path, FileAccess access, FileShare share) override;
    Result<std::unique_ptr<IFile>> CreateTempBeside(const std::string& target, std::string& path,
                                                    FilePermissions permissions) override;
    Result<void> Rename(const std::string& from, const std::string& to) override;
    Result<void> Remove(const std::string& path) override;
    Result<void> SyncDirectoryOf(const std::string& path) override;
    bool Exists(const std::string& path) const override { return m_inner.Exists(path); }
    Result<bool> IsReadOnly(const std::string& path) const override { return m_inner.IsReadOnly(path); }
    Result<void> ClearReadOnly(const std::string& path) override;
    void RemoveStaleTempsBeside(const std::string& target) override { m_inner.RemoveStaleTempsBeside(target); }

    // Counts a call; true when this one is to fail.
    bool NextCallFails();

private:
    IFileSystem& m_inner;
    std::uint64_t m_calls = 0;
    std::uint64_t m_failAt = 0;
    bool m_persistent = false;
    bool m_fired = false;
};

}  // namespace varnel::test
