// The program's command line: the switches of the Windows design, read by its own rules from the
// line the words make when joined, and the few words the application framework itself took.
//
//   /S   scheduler mode            /U<name>   user ("/U" alone: none)
//   /R   run the schedule at once  /P<text>   password (a quoted argument keeps its blanks)
//   /I   start minimised           --automation   the hidden automation server
//
// A word that begins with "/" or "-" is a switch, recognised by its second character in either case;
// any other word takes the whole rest of the line, blanks included. The first such plain word after
// /S names the schedule file. Only the first 16 words count. On Linux a word that begins with "/" and
// holds a further "/" before its end is a path, so it is a plain word, never a switch.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace varnel {

struct CommandLineSwitches {
    bool schedulerMode = false;
    bool runSchedule = false;
    bool startMinimised = false;
    std::string scheduleFile;
    std::string user;
    std::string password;
};

// The switches of one command line (the program's name not included).
CommandLineSwitches ParseSwitches(std::string_view commandLine);

// The argument of a switch, from the text after its letter: inside double quotes, up to the closing
// quote or the end; otherwise up to the first blank.
std::string GetFirstArgument(std::string_view text);

// The command line the shell's words make: joined with blanks, the argument of a switch that holds a
// blank put back in the quotes the shell took away.
std::string JoinArguments(std::span<const std::string> words);

enum class RunMode { Normal, Scheduler, Automation };

// Everything the start-up reads of its words and its environment.
struct StartOptions {
    CommandLineSwitches switches;
    RunMode mode = RunMode::Normal;
    std::string documentFile;  // the database to open in normal mode; "" for the last one used
};

// `environmentPassword` is $VARNEL_PASSWORD (null when unset): a password on the command line is seen
// by every user of the machine, so the environment may carry it instead; a /P switch still wins.
// Start minimised is kept in scheduler mode only when the schedule runs at once.
StartOptions ReadStartOptions(std::span<const std::string> words, const char* environmentPassword);

}  // namespace varnel
