// Archive files: whole-file load and atomic save, permissions, and what a failure leaves behind.
#include "ArchiveTestClasses.h"

#include "platform/ArchiveFile.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace varnel::test {
namespace {

namespace fs = std::filesystem;

class ArchiveFileTest : public ::testing::Test {
protected:
    std::string Path() const { return m_dir.File("SITESETUP.DEF"); }

    Result<void> Save(IFileSystem& fileSystem, const std::string& text,
                      FilePermissions permissions = FilePermissions::Normal)
    {
        CTestLeaf leaf(text, 42);
        return SaveArchiveFile(fileSystem, Path(), [&](CArchive& ar) { ar.WriteObject(&leaf); }, permissions);
    }

    Result<std::string> Load()
    {
        std::unique_ptr<CTestLeaf> leaf;
        auto loaded =
            LoadArchiveFile(RealFileSystem(), Path(), [&](CArchive& ar) { leaf = ar.ReadObject<CTestLeaf>(); });
        if (!loaded) return loaded.GetError();
        return leaf->m_text;
    }

    std::vector<std::string> DirectoryEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir.Path())) names.push_back(entry.path().filename());
        return names;
    }

    TempDir m_dir;
};

TEST_F(ArchiveFileTest, SavedObjectsLoadBack)
{
    ASSERT_TRUE(Save(RealFileSystem(), "first"));
    ASSERT_TRUE(Save(RealFileSystem(), "second"));
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, "second");
    EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"SITESETUP.DEF"});
}

TEST_F(ArchiveFileTest, OwnerOnlyFilesAreNeverReadableByOthers)
{
    // What any newly created file gets from the process's defaults.
    const std::string plain = m_dir.File("plain");
    ASSERT_TRUE(RealFileSystem().Open(plain, FileAccess::Create));
    const fs::perms normal = fs::status(plain).permissions();

    ASSERT_TRUE(Save(RealFileSystem(), "normal", FilePermissions::Normal));
    EXPECT_EQ(fs::status(Path()).permissions(), normal);
    ASSERT_TRUE(Save(RealFileSystem(), "secret", FilePermissions::OwnerOnly));
    EXPECT_EQ(fs::status(Path()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ArchiveFileTest, AFailedSaveLeavesTheOldFileAsItWas)
{
    ASSERT_TRUE(Save(RealFileSystem(), "kept"));
    const auto refused = SaveArchiveFile(
        RealFileSystem(), Path(), [](CArchive& ar) { ar.Fail(Errc::Invalid, "a value does not fit"); },
        FilePermissions::Normal);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.GetError().message, "\"" + Path() + "\": a value does not fit at offset 0");

    FaultInjectingFileSystem faulty;
    for (std::uint64_t n = 1;; ++n) {
        faulty.FailAt(n);
        const auto saved = Save(faulty, "replaced");
        if (!faulty.Fired()) {
            ASSERT_TRUE(saved);
            break;
        }
        // A failure reported after the rename (the directory sync) leaves the new file: old or new, never
        // a mixture, and never "saved" without the new file in place.
        const auto text = Load();
        ASSERT_TRUE(text) << "fault at call " << n;
        if (saved) {
            EXPECT_EQ(*text, "replaced") << "fault at call " << n;
        } else {
            EXPECT_TRUE(*text == "kept" || *text == "replaced") << "fault at call " << n;
        }
        EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"SITESETUP.DEF"}) << "fault at call " << n;
        ASSERT_TRUE(Save(RealFileSystem(), "kept"));
    }
}

TEST_F(ArchiveFileTest, LoadErrorsNameTheFile)
{
    const auto missing = Load();
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.GetError().code, Errc::NotFound);

    WriteWholeFile(Path(), std::string("\xFF\xFF\x01\x00\x07\x00" "CNoSuch", 13));
    const auto unknown = Load();
    ASSERT_FALSE(unknown);
    EXPECT_EQ(unknown.GetError().code, Errc::Unsupported);
    EXPECT_EQ(unknown.GetError().message, "\"" + Path() + "\": unknown class \"CNoSuch\" at offset 13");
}

}  // namespace
}  // namespace varnel::test
