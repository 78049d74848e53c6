#include "support/FaultInjectingFileSystem.h"

namespace varnel::test {
namespace {

Error InjectedFault() { return MakeError(Errc::Io, "injected I/O fault", 5); }

class FaultInjectingFile final : public IFile {
public:
    FaultInjectingFile(std::unique_ptr<IFile> inner, FaultInjectingFileSystem& fs) : m_inner(std::move(inner)), m_fs(fs) {}

    Result<std::size_t> Read(std::span<std::byte> buffer) override
    {
        if (m_fs.NextCallFails()) return InjectedFault();
        return m_inner->Read(buffer);
    }
    Result<void> Write(std::span<const std::byte> data) override
    {
        if (m_fs.NextCallFails()) return InjectedFault();
        return m_inner->Write(data);
    }
    Result<void> Seek(std::uint64_t position) override
    {
        if (m_fs.NextCallFails()) return InjectedFault();
        return m_inner->Seek(position);
    }
    std::uint64_t Position() const override { return m_inner->Position(); }
    Result<std::uint64_t> Length() const override
    {
        if (m_fs.NextCallFails()) return InjectedFault();
        return m_inner->Length();
    }
    Result<void> Truncate(std::uint64_t length) override
    {
        if (m_fs.NextCallFails()) return InjectedFault();
        return m_inner->Truncate(length);
    }
    Result<void> Sync() override
    {
        if (m_fs.NextCallFails()) return InjectedFault();
        return m_inner->Sync();
    }

private:
    std::unique_ptr<IFile> m_inner;
    FaultInjectingFileSystem& m_fs;
};

}  // namespace

void FaultInjectingFileSystem::FailAt(std::uint64_t n, bool persistent)
{
    m_calls = 0;
    m_failAt = n;
    m_persistent = persistent;
    m_fired = false;
}

bool FaultInjectingFileSystem::NextCallFails()
{
    ++m_calls;
    if (m_failAt == 0) return false;
    const bool fails = m_calls == m_failAt || (m_persistent && m_calls > m_failAt);
    m_fired = m_fired || fails;
    return fails;
}

Result<std::unique_ptr<IFile>> FaultInjectingFileSystem::Open(const std::string& path, FileAccess access,
                                                              FileShare share)
{
    if (NextCallFails()) return InjectedFault();
    auto file = m_inner.Open(path, access, share);
    if (!file) return file.GetError();
    return std::unique_ptr<IFile>(std::make_unique<FaultInjectingFile>(std::move(*file), *this));
}

Result<std::unique_ptr<IFile>> FaultInjectingFileSystem::CreateTempBeside(const std::string& target, std::string& path,
                                                                          FilePermissions permissions)
{
    if (NextCallFails()) return InjectedFault();
    auto file = m_inner.CreateTempBeside(target, path, permissions);
    if (!file) return file.GetError();
    return std::unique_ptr<IFile>(std::make_unique<FaultInjectingFile>(std::move(*file), *this));
}

Result<void> FaultInjectingFileSystem::Rename(const std::string& from, const std::string& to)
{
    if (NextCallFails()) return InjectedFault();
    return m_inner.Rename(from, to);
}

Result<void> FaultInjectingFileSystem::Remove(const std::string& path)
{
    if (NextCallFails()) return InjectedFault();
    return m_inner.Remove(path);
}

Result<void> FaultInjectingFileSystem::ClearReadOnly(const std::string& path)
{
    if (NextCallFails()) return InjectedFault();
    return m_inner.ClearReadOnly(path);
}

Result<void> FaultInjectingFileSystem::SyncDirectoryOf(const std::string& path)
{
    if (NextCallFails()) return InjectedFault();
    return m_inner.SyncDirectoryOf(path);
}

}  // namespace varnel::test
