#include "db/store/WritableDatabaseFile.h"

#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace varnel::test {
namespace {

class WritableDatabaseFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteWholeFile(m_original, "database bytes");
        ::chmod(m_original.c_str(), 0444);
    }

    bool Ensure(std::string& path) { return EnsureWritableDatabaseFile(path, "pld", "x.pld", "Norvik database (*.pld) |*.pld||"); }

    TempDir m_dir;
    RecordingPrompt m_prompt;
    const std::string m_original = m_dir.File("ro.pld");
};

TEST_F(WritableDatabaseFileTest, AWritableFileNeedsNothing)
{
    std::string path = m_dir.File("rw.pld");
    WriteWholeFile(path, "x");
    EXPECT_TRUE(Ensure(path));
    EXPECT_EQ(path, m_dir.File("rw.pld"));
    EXPECT_TRUE(m_prompt.m_ids.empty());

    std::string missing = m_dir.File("missing.pld");
    EXPECT_FALSE(Ensure(missing)) << "a file whose status cannot be read";
}

TEST_F(WritableDatabaseFileTest, AReadOnlyFileIsCopiedToTheChosenNameWhichBecomesWritable)
{
    const std::string copy = m_dir.File("copy.pld");
    m_prompt.QueueSaveName(m_dir.File("no-such-dir/x.pld"));  // the copy fails: asked again
    m_prompt.QueueSaveName(copy);
    std::string path = m_original;
    ASSERT_TRUE(Ensure(path));
    EXPECT_EQ(path, copy);
    EXPECT_EQ(ReadWholeFile(copy), "database bytes");
    EXPECT_EQ(m_prompt.m_ids.front(), 61401u);
    EXPECT_EQ(m_prompt.m_saveDialogs, 2);
    struct stat st {};
    ASSERT_EQ(::stat(copy.c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IWUSR, 0u);
}

TEST_F(WritableDatabaseFileTest, CancelKeepsThePath)
{
    std::string path = m_original;
    EXPECT_FALSE(Ensure(path));
    EXPECT_EQ(path, m_original);
}

}  // namespace
}  // namespace varnel::test
