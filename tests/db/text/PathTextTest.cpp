#include "db/text/PathText.h"

#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

struct PathCase {
    std::string path, fileName, dir;
};

void CheckPieces(const PathCase& c)
{
    EXPECT_EQ(GetFileNameFromPath(c.path, CurrentTextRules().chars), c.fileName) << c.path;
    EXPECT_EQ(GetDirFromPath(c.path, CurrentTextRules().chars), c.dir) << c.path;
}

TEST(PathPieces, SplitAtTheLastSlashOrBackslash)
{
    const PathCase cases[] = {
        {"/data/shop/plu.pld", "plu.pld", "/data/shop/"},
        {"C:\\DATA\\PLU.PLD", "PLU.PLD", "C:\\DATA\\"},
        {"a\\b/c", "c", "a\\b/"},
        {"a/b\\c", "c", "a/b\\"},
        {"plu.pld", "plu.pld", ""},
        {"/plu.pld", "plu.pld", ""},  // a separator in first place gives no directory
        {"dir/", "", "dir/"},
        {"", "", ""},
    };
    for (const PathCase& c : cases) CheckPieces(c);
}

TEST(PathPieces, NeverTakeASecondByteForABackslash)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    CheckPieces({"d/\xB3\x5C.pld", "\xB3\x5C.pld", "d/"});
    CheckPieces({"\xB3\x5C" "a", "\xB3\x5C" "a", ""});
}

// A path of `length` bytes whose last part, from its last separator, takes `lastPart` bytes.
std::string PathWithLastPart(std::size_t length, std::size_t lastPart)
{
    std::string path(length - lastPart, 'd');
    path += '/';
    path += std::string(lastPart - 1, 'f');
    return path;
}

TEST(AbbreviatePath, KeepsTheLastPartWhenItFits)
{
    const std::string path = PathWithLastPart(60, 20);
    EXPECT_EQ(AbbreviatePath(path, 40, CurrentTextRules().chars), path.substr(0, 17) + "..." + path.substr(40));
    EXPECT_EQ(AbbreviatePath(PathWithLastPart(60, 37), 40, CurrentTextRules().chars), "..." + PathWithLastPart(60, 37).substr(23));
}

TEST(AbbreviatePath, OtherwiseShowsTheEndOfThePath)
{
    for (const std::string& path : {std::string(60, 'x'), PathWithLastPart(60, 45), PathWithLastPart(60, 38),
                                    "/" + std::string(59, 'x')}) {
        const std::string shown = AbbreviatePath(path, 40, CurrentTextRules().chars);
        EXPECT_EQ(shown, "..." + path.substr(23)) << path;
    }
}

TEST(AbbreviatePath, ReturnsAPathThatFitsAsItIs)
{
    for (const std::string& path : {std::string(40, 'x'), std::string(), std::string("/a/b")}) {
        EXPECT_EQ(AbbreviatePath(path, 40, CurrentTextRules().chars), path);
    }
    EXPECT_EQ(AbbreviatePath("abcdef", 2, CurrentTextRules().chars), "...");
}

TEST(AbbreviatePath, CopiesDoubleByteCharactersWhole)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    // The head's room ends inside a Big5 character, which is left out: the last part still shows whole.
    std::string path = std::string(16, 'd') + "\xA4\x40" + std::string(22, 'd') + "/" + std::string(19, 'f');
    ASSERT_EQ(path.size(), 60u);
    std::string shown = AbbreviatePath(path, 40, CurrentTextRules().chars);
    EXPECT_EQ(shown, path.substr(0, 16) + "..." + path.substr(40));
    // The skipped start ends inside a Big5 character, which is passed over whole.
    path = std::string(22, 'x') + "\xA4\x40" + std::string(36, 'x');
    shown = AbbreviatePath(path, 40, CurrentTextRules().chars);
    EXPECT_EQ(shown, "..." + path.substr(24));
}

TEST(FileExists, TellsWhetherThePathCanBeReached)
{
    test::TempDir dir;
    test::WriteWholeFile(dir.File("plu.pld"), "x");
    EXPECT_TRUE(FileExists(dir.File("plu.pld")));
    EXPECT_TRUE(FileExists(dir.Path()));
    EXPECT_FALSE(FileExists(dir.File("missing.pld")));
}

}  // namespace
}  // namespace varnel
