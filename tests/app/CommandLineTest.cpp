#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace varnel {
namespace {

struct SwitchCase {
    const char* line;
    bool scheduler;
    bool run;
    bool minimised;
    const char* scheduleFile;
    const char* user;
    const char* password;
};

void PrintTo(const SwitchCase& c, std::ostream* out)
{
    *out << '"' << c.line << '"';
}

class ParseSwitchesTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(ParseSwitchesTest, ReadsTheLine)
{
    const SwitchCase& c = GetParam();
    const CommandLineSwitches switches = ParseSwitches(c.line);
    EXPECT_EQ(switches.schedulerMode, c.scheduler);
    EXPECT_EQ(switches.runSchedule, c.run);
    EXPECT_EQ(switches.startMinimised, c.minimised);
    EXPECT_EQ(switches.scheduleFile, c.scheduleFile);
    EXPECT_EQ(switches.user, c.user);
    EXPECT_EQ(switches.password, c.password);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseSwitchesTest,
    ::testing::Values(
        SwitchCase{"", false, false, false, "", "", ""},
        SwitchCase{"/S /R /I /home/u/My Schedules/day.sch", true, true, true, "/home/u/My Schedules/day.sch", "", ""},
        SwitchCase{"/S C:\\Sched\\day one.sch", true, false, false, "C:\\Sched\\day one.sch", "", ""},
        // A plain word takes the rest of the line: the switch after it is never seen.
        SwitchCase{"x.sch /S", false, false, false, "", "", ""},
        // A plain word before /S names no schedule.
        SwitchCase{"/R /Uann", false, true, false, "", "ann", ""},
        SwitchCase{"/U", false, false, false, "", "", ""},
        SwitchCase{"-u\"Ann Lee\" -p\"pass word\"", false, false, false, "", "Ann Lee", "pass word"},
        SwitchCase{"/Uann /Psecret", false, false, false, "", "ann", "secret"},
        SwitchCase{"/P\"unclosed pass", false, false, false, "", "", "unclosed pass"},
        // Letters that name no switch, and "--automation", are ignored here.
        SwitchCase{"/X --automation /s", true, false, false, "", "", ""},
        // Quotes around a plain word stay part of the file name.
        SwitchCase{"/S \"day.sch\"", true, false, false, "\"day.sch\"", "", ""},
        // A 17th word is ignored even when it is a switch.
        SwitchCase{"/a /a /a /a /a /a /a /a /a /a /a /a /a /a /a /a /S", false, false, false, "", "", ""},
        SwitchCase{"/a /a /a /a /a /a /a /a /a /a /a /a /a /a /a /S", true, false, false, "", "", ""}));

TEST(GetFirstArgumentTest, QuotedOrUpToABlank)
{
    EXPECT_EQ(GetFirstArgument("ann lee"), "ann");
    EXPECT_EQ(GetFirstArgument("\"ann lee\" rest"), "ann lee");
    EXPECT_EQ(GetFirstArgument("\"ann"), "ann");
    EXPECT_EQ(GetFirstArgument(""), "");
}

StartOptions Start(std::vector<std::string> words, const char* environmentPassword = nullptr)
{
    return ReadStartOptions(words, environmentPassword);
}

TEST(StartOptionsTest, ShellWordsKeepTheirBlanks)
{
    // The shell took the quotes away: a switch's argument with a blank gets them back.
    const StartOptions options = Start({"/S", "/R", "/home/u/My Schedules/day.sch"});
    EXPECT_EQ(options.mode, RunMode::Scheduler);
    EXPECT_EQ(options.switches.scheduleFile, "/home/u/My Schedules/day.sch");
    EXPECT_EQ(Start({"/Uann lee", "/Pa b"}).switches.user, "ann lee");
    EXPECT_EQ(Start({"/Uann lee", "/Pa b"}).switches.password, "a b");
}

TEST(StartOptionsTest, RunModeAndDocument)
{
    EXPECT_EQ(Start({}).mode, RunMode::Normal);
    EXPECT_EQ(Start({"/home/u/Shop.pld"}).documentFile, "/home/u/Shop.pld");
    EXPECT_EQ(Start({"/Uann", "Shop.pld"}).documentFile, "Shop.pld");
    const StartOptions automation = Start({"--automation", "/S", "Shop.pld"});
    EXPECT_EQ(automation.mode, RunMode::Automation);
    EXPECT_EQ(automation.documentFile, "");
    EXPECT_EQ(Start({"/S", "day.sch"}).documentFile, "");
}

TEST(StartOptionsTest, StartMinimisedOnlyWhenTheScheduleRunsAtOnce)
{
    EXPECT_FALSE(Start({"/S", "/I"}).switches.startMinimised);
    EXPECT_TRUE(Start({"/S", "/R", "/I"}).switches.startMinimised);
    // In normal mode the flag stays set; only scheduler mode reads it.
    EXPECT_TRUE(Start({"/I"}).switches.startMinimised);
}

TEST(StartOptionsTest, PasswordFromTheEnvironmentUnlessTheSwitchGivesOne)
{
    EXPECT_EQ(Start({"/Uann"}, "hidden").switches.password, "hidden");
    EXPECT_EQ(Start({"/Uann", "/Pshown"}, "hidden").switches.password, "shown");
    EXPECT_EQ(Start({"/Uann"}).switches.password, "");
}

}  // namespace
}  // namespace varnel
