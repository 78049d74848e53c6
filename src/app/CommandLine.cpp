// Command-line words: the Windows design's scan over the joined line, and the framework's own words.
// Words are UTF-8 here, in which no byte of a longer character is a blank or a quote, so the scan
// steps byte by byte.
#include "app/CommandLine.h"

#include <cctype>
#include <vector>

namespace varnel {
namespace {

constexpr std::size_t kMaxWords = 16;

bool IsSwitchStart(char c)
{
    return c == '/' || c == '-';
}

// An absolute path: "/" followed, before the next blank, by another "/".
bool IsPathWord(std::string_view rest)
{
    const std::string_view word = rest.substr(0, rest.find(' '));
    return word.front() == '/' && word.find('/', 1) != std::string_view::npos;
}

struct Word {
    std::string_view text;
    bool isSwitch = false;
};

std::vector<Word> SplitWords(std::string_view line)
{
    std::vector<Word> words;
    std::size_t pos = 0;
    while (pos < line.size()) {
        if (line[pos] == ' ' || line[pos] == '\t') {
            ++pos;
            continue;
        }
        const std::string_view rest = line.substr(pos);
        if (!IsSwitchStart(rest.front()) || IsPathWord(rest)) {
            words.push_back({rest, false});
            break;
        }
        std::size_t end = rest.find_first_of(" \t\"");
        if (end != std::string_view::npos && rest[end] == '"') {
            const auto close = rest.find('"', end + 1);
            end = close == std::string_view::npos ? rest.size() : close + 1;
        }
        if (end == std::string_view::npos) end = rest.size();
        words.push_back({rest.substr(0, end), true});
        pos += end;
    }
    if (words.size() > kMaxWords) words.resize(kMaxWords);
    return words;
}

}  // namespace

std::string GetFirstArgument(std::string_view text)
{
    if (!text.empty() && text.front() == '"') {
        const auto close = text.find('"', 1);
        return std::string(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    }
    return std::string(text.substr(0, text.find(' ')));
}

CommandLineSwitches ParseSwitches(std::string_view commandLine)
{
    CommandLineSwitches switches;
    for (const Word& word : SplitWords(commandLine)) {
        if (!word.isSwitch) {
            if (switches.schedulerMode && switches.scheduleFile.empty()) switches.scheduleFile = word.text;
            continue;
        }
        if (word.text.size() < 2) continue;
        const std::string_view argument = word.text.substr(2);
        switch (std::toupper(static_cast<unsigned char>(word.text[1]))) {
        case 'S': switches.schedulerMode = true; break;
        case 'R': switches.runSchedule = true; break;
        case 'I': switches.startMinimised = true; break;
        case 'U': switches.user = GetFirstArgument(argument); break;
        case 'P': switches.password = GetFirstArgument(argument); break;
        default: break;
        }
    }
    return switches;
}

std::string JoinArguments(std::span<const std::string> words)
{
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty()) line += ' ';
        const bool quoteArgument = word.size() > 2 && IsSwitchStart(word.front()) && !IsPathWord(word) &&
                                   word.find(' ') != std::string::npos && word[2] != '"';
        line += quoteArgument ? word.substr(0, 2) + '"' + word.substr(2) + '"' : word;
    }
    return line;
}

StartOptions ReadStartOptions(std::span<const std::string> words, const char* environmentPassword)
{
    StartOptions options;
    options.switches = ParseSwitches(JoinArguments(words));
    CommandLineSwitches& switches = options.switches;
    if (switches.password.empty() && environmentPassword != nullptr) switches.password = environmentPassword;
    if (switches.schedulerMode && !switches.runSchedule) switches.startMinimised = false;

    // The framework's own reading: its automation switch, and a database named in normal mode.
    bool automated = false;
    for (const std::string& word : words) {
        if (word == "--automation") automated = true;
        else if (options.documentFile.empty() && !word.empty() && (!IsSwitchStart(word.front()) || IsPathWord(word)))
            options.documentFile = word;
    }
    if (automated) options.mode = RunMode::Automation;
    else if (switches.schedulerMode) options.mode = RunMode::Scheduler;
    if (options.mode != RunMode::Normal) options.documentFile.clear();
    return options;
}

}  // namespace varnel
