// Every message number the sources use has a text in the message table: a number named as a
// MessageId constant, listed in a MessageId array, or passed as a literal to the routines that show
// or format a message. A constant named "...Base" starts a range (base + table number) and is no
// message itself; 0 means no message.
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace varnel::test {
namespace {

std::vector<MessageId> NumbersIn(const std::string& list)
{
    static const std::regex number(R"(\b\d+\b)");
    std::vector<MessageId> numbers;
    for (auto it = std::sregex_iterator(list.begin(), list.end(), number); it != std::sregex_iterator(); ++it)
        numbers.push_back(static_cast<MessageId>(std::stoul(it->str())));
    return numbers;
}

// The message numbers one line of source uses.
std::vector<MessageId> MessageNumbersUsedIn(const std::string& line)
{
    static const std::regex constant(R"(\bMessageId\s+(\w+)\s*(?:=|\{)\s*(\d+)\b)");
    static const std::regex array(R"(array<MessageId,\s*\d+>\s*\w+\s*=?\s*\{([^}]*)\})");
    static const std::regex call(R"(\b(?:ShowMessage|ShowFormattedMessage|GetMessageText|FormatMessage)\(\s*(\d+)\b)");
    if (line.find("Message") == std::string::npos) return {};

    std::vector<MessageId> used;
    for (auto it = std::sregex_iterator(line.begin(), line.end(), constant); it != std::sregex_iterator(); ++it)
        if (!(*it)[1].str().ends_with("Base")) used.push_back(static_cast<MessageId>(std::stoul((*it)[2].str())));
    for (auto it = std::sregex_iterator(line.begin(), line.end(), array); it != std::sregex_iterator(); ++it)
        for (MessageId id : NumbersIn((*it)[1].str())) used.push_back(id);
    for (auto it = std::sregex_iterator(line.begin(), line.end(), call); it != std::sregex_iterator(); ++it)
        used.push_back(static_cast<MessageId>(std::stoul((*it)[1].str())));
    std::erase(used, MessageId{0});
    return used;
}

TEST(MessageTableTest, TheScanFindsEveryFormOfUse)
{
    const std::pair<std::string, std::vector<MessageId>> cases[] = {
        {"    static constexpr MessageId kMsgNoName = 61403;", {61403}},
        {"constexpr MessageId kTitle{17557};", {17557}},
        {"    MessageId mode = 16391;     // 16391 unit prices", {16391}},
        {"    static constexpr std::array<MessageId, 4> kColumns{16384, 16397, 17563, 1005};",
         {1005, 16384, 16397, 17563}},
        {"    if (ShowMessage(61260, MessageButtons::YesNo) == MessageAnswer::Yes)", {61260}},
        {"    return std::string(GetMessageText(17589)) + FormatMessage(17587, name);", {17587, 17589}},
        {"    static constexpr MessageId kCaptionBase = 20400;  // + table number", {}},
        {"    MessageId result = 0;", {}},
        {"    MessageId status = RunScaleComms(scales);", {}},
        {"    ShowMessage(kMsgNoName);", {}},
    };
    for (const auto& [line, expected] : cases) {
        std::vector<MessageId> found = MessageNumbersUsedIn(line);
        std::ranges::sort(found);
        EXPECT_EQ(found, expected) << line;
    }
}

TEST(MessageTableTest, EveryMessageNumberTheSourcesUseHasAText)
{
    const std::filesystem::path sources = std::filesystem::path(VARNEL_SOURCE_DIR) / "src";
    ASSERT_TRUE(std::filesystem::is_directory(sources)) << sources;

    std::map<MessageId, std::set<std::string>> missing;
    std::size_t uses = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(sources)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
        std::ifstream file(entry.path());
        for (std::string line; std::getline(file, line);) {
            for (MessageId id : MessageNumbersUsedIn(line)) {
                ++uses;
                if (GetMessageText(id).empty())
                    missing[id].insert(std::filesystem::relative(entry.path(), sources).string());
            }
        }
    }
    EXPECT_GT(uses, 0U) << "no message number found under " << sources;

    std::ostringstream report;
    for (const auto& [id, files] : missing) {
        report << id << ":";
        for (const std::string& file : files) report << " " << file;
        report << "\n";
    }
    EXPECT_TRUE(missing.empty()) << "message numbers without a text:\n" << report.str();
}

}  // namespace
}  // namespace varnel::test
