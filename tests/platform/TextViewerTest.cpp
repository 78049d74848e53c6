// The desktop text viewer: the program VARNEL_VIEWER names gets the path as one argument, no shell.
#include "platform/LocalTime.h"
#include "platform/TextViewer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace varnel::test {
namespace {

class ViewerEnvironment {
public:
    explicit ViewerEnvironment(const std::string& program) { ::setenv("VARNEL_VIEWER", program.c_str(), 1); }
    ~ViewerEnvironment() { ::unsetenv("VARNEL_VIEWER"); }
};

TEST(TextViewerTest, TheViewerGetsThePathUnchangedAsItsOneArgument)
{
    TempDir dir;
    const std::string seen = dir.File("seen");
    const std::string script = dir.File("viewer");
    WriteWholeFile(script, "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" + seen + ".part' && mv '" + seen + ".part' '" +
                               seen + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    ViewerEnvironment environment(script);

    const std::string path = dir.File("LOG VIEW; rm -rf $HOME.TXT");
    ASSERT_TRUE(OpenInTextViewer(path));

    // The viewer runs on its own; wait a bounded time for its answer.
    for (int i = 0; i < 500 && !std::filesystem::exists(seen); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(ReadWholeFile(seen), "1|" + path);
}

TEST(TextViewerTest, AViewerThatCannotStartIsAnError)
{
    ViewerEnvironment environment("/nonexistent/viewer");
    const auto shown = OpenInTextViewer("/tmp/LOGVIEW.TXT");
    ASSERT_FALSE(shown);
    EXPECT_NE(shown.GetError().message.find("/nonexistent/viewer"), std::string::npos);
}

TEST(LocalTimeTest, LocalPartsRoundTripThroughAnInstant)
{
    for (const DateTimeParts parts : {DateTimeParts{2024, 2, 29, 23, 59, 59}, DateTimeParts{2023, 7, 1, 0, 0, 0}}) {
        EXPECT_EQ(ToLocalParts(FromLocalParts(parts)), parts);
        EXPECT_EQ(ToLocalOleDate(FromLocalParts(parts)), *PartsToOleDate(parts));
    }
}

}  // namespace
}  // namespace varnel::test
