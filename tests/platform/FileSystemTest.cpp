#include "platform/AtomicReplace.h"
#include "platform/DirectoryListing.h"

#include "support/FaultInjectingFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace varnel::test {
namespace {

TEST(FileSystem, DenyWriteSharingRefusesAsASharingViolationWould)
{
    TempDir dir;
    const std::string path = dir.File("f");
    WriteWholeFile(path, "x");
    IFileSystem& fs = RealFileSystem();
    struct Case {
        FileAccess firstAccess;
        FileAccess secondAccess;
        FileShare secondShare;
        bool secondOpens;
    } const cases[] = {
        {FileAccess::ReadWrite, FileAccess::ReadWrite, FileShare::DenyWrite, false},
        {FileAccess::ReadWrite, FileAccess::Read, FileShare::DenyWrite, false},
        {FileAccess::ReadWrite, FileAccess::Read, FileShare::DenyNone, true},
        {FileAccess::Read, FileAccess::Read, FileShare::DenyWrite, true},
        {FileAccess::Read, FileAccess::ReadWrite, FileShare::DenyWrite, false},
        {FileAccess::ReadWrite, FileAccess::Create, FileShare::DenyWrite, false},
    };
    for (const Case& c : cases) {
        auto first = fs.Open(path, c.firstAccess, FileShare::DenyWrite);
        ASSERT_TRUE(first);
        auto second = fs.Open(path, c.secondAccess, c.secondShare);
        EXPECT_EQ(second.HasValue(), c.secondOpens) << static_cast<int>(c.firstAccess) << "/" << static_cast<int>(c.secondAccess);
        if (!second) {
            EXPECT_EQ(second.GetError().code, Errc::Refused);
        }
    }
    EXPECT_EQ(ReadWholeFile(path), "x") << "a refused creator truncates nothing";
}

TEST(FileSystem, ReplaceFileKeepsTheOldFileUntilTheNewOneIsWhole)
{
    TempDir dir;
    const std::string target = dir.File("data");
    WriteWholeFile(target, "old");
    FaultInjectingFileSystem fs;
    auto write = [](IFile& file) { return WriteBytes(file, "new", 3); };
    for (std::uint64_t n = 1;; ++n) {
        fs.FailAt(n);
        auto replaced = ReplaceFile(fs, target, write);
        if (!fs.Fired()) {
            ASSERT_TRUE(replaced);
            EXPECT_EQ(ReadWholeFile(target), "new");
            break;
        }
        EXPECT_FALSE(replaced) << "call " << n;
        const std::string held = ReadWholeFile(target);
        EXPECT_TRUE(held == "old" || held == "new") << "call " << n;
        WriteWholeFile(target, "old");
    }
    std::size_t leftOver = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) leftOver += entry.path() != target;
    EXPECT_EQ(leftOver, 0u) << "no temporary file stays behind";
}

TEST(FileSystem, AReplacedFileKeptOpenStaysLocked)
{
    TempDir dir;
    const std::string target = dir.File("db");
    std::unique_ptr<IFile> kept;
    ASSERT_TRUE(ReplaceFileKeepOpen(
        RealFileSystem(), target, [](IFile& file) { return WriteBytes(file, "abc", 3); }, kept));
    EXPECT_FALSE(RealFileSystem().Open(target, FileAccess::ReadWrite, FileShare::DenyWrite));
    kept.reset();
    EXPECT_TRUE(RealFileSystem().Open(target, FileAccess::ReadWrite, FileShare::DenyWrite));
}

TEST(FileSystem, AReplacementRemovesTheTemporariesThatKilledReplacementsLeftBesideIt)
{
    TempDir dir;
    const std::string target = dir.File("setup.def");
    WriteWholeFile(target, "old");
    const auto longAgo = std::chrono::system_clock::now() - std::chrono::hours(1);
    struct Case {
        const char* name;
        bool old;
        bool removed;
    } const cases[] = {
        {"setup.def.tmpAb3xYz", true, true},
        {"setup.def.tmpAb3xYz-journal", true, true},
        {"setup.def.tmpQq1Qq1-wal", true, true},
        {"setup.def.tmpNew123", false, false},       // written just now: a writer may be at it
        {"setup.def.tmpHeld12", true, false},        // held by a writer
        {"setup.def.tmpShort", true, false},         // not one of our names
        {"setup.def.tmpAb3xYz.bak", true, false},
        {"other.def.tmpAb3xYz", true, false},        // beside another file
    };
    for (const Case& c : cases) {
        WriteWholeFile(dir.File(c.name), "stale");
        if (c.old) {
            ASSERT_TRUE(SetModifiedTime(dir.File(c.name), longAgo)) << c.name;
        }
    }
    auto held = RealFileSystem().Open(dir.File("setup.def.tmpHeld12"), FileAccess::ReadWrite, FileShare::DenyWrite);
    ASSERT_TRUE(held);

    ASSERT_TRUE(ReplaceFile(RealFileSystem(), target, [](IFile& file) { return WriteBytes(file, "new", 3); }));
    EXPECT_EQ(ReadWholeFile(target), "new");
    for (const Case& c : cases) EXPECT_EQ(std::filesystem::exists(dir.File(c.name)), !c.removed) << c.name;
}

TEST(FileSystem, CopyWholeFileReplacesTheTarget)
{
    TempDir dir;
    WriteWholeFile(dir.File("a"), std::string("a\0b", 3));
    WriteWholeFile(dir.File("b"), "longer old content");
    ASSERT_TRUE(CopyWholeFile(RealFileSystem(), dir.File("a"), dir.File("b")));
    EXPECT_EQ(ReadWholeFile(dir.File("b")), std::string("a\0b", 3));
    EXPECT_FALSE(CopyWholeFile(RealFileSystem(), dir.File("missing"), dir.File("b")));
}

}  // namespace
}  // namespace varnel::test
