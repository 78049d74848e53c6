// Every message number the sources use has a text in the message tables (the forms of use a scan can
// see are listed in MessageNumberScan.h).
#include "MessageNumberScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace varnel::test {
namespace {

std::vector<MessageId> NumbersIn(const std::vector<std::string>& sources)
{
    MessageParameters parameters;
    std::vector<std::string> codes;
    for (const std::string& source : sources) AddMessageParameters(codes.emplace_back(CodeOnly(source)), parameters);
    std::vector<MessageId> numbers;
    for (const std::string& code : codes)
        for (const MessageUse& use : MessageNumbersUsed(code, parameters)) numbers.push_back(use.id);
    std::ranges::sort(numbers);
    return numbers;
}

TEST(MessageNumbersTest, TheScanFindsEveryFormOfUse)
{
    const std::pair<std::vector<std::string>, std::vector<MessageId>> cases[] = {
        {{"    static constexpr MessageId kMsgNoName = 61403;"}, {61403}},
        {{"constexpr MessageId kTitle{17557};"}, {17557}},
        {{"    MessageId mode = 16391;     // 16391 unit prices"}, {16391}},
        {{"    static constexpr std::array<MessageId, 4> kColumns{16384, 16397, 17563, 1005};"},
         {1005, 16384, 16397, 17563}},
        {{"inline constexpr FieldRange kPluFieldRange{1000, 1003};"}, {1000, 1001, 1002}},
        {{"    static constexpr MessageId kCaptionBase = 20400;  // + table number"}, {}},
        {{"    MessageId result = 0;", "    MessageId status = RunScaleComms(scales);", "    ShowMessage(kMsgNoName);"},
         {}},
        // A literal where a function declared anywhere in the sources takes a MessageId, its declaration
        // spread over lines, the call too; the same name's other arguments are no messages.
        {{"MessageAnswer ShowMessage(MessageId id, MessageButtons buttons = MessageButtons::Ok);\n"
          "bool MayClose(const std::map<int, int>& edits,\n               MessageId question, int width);",
          "    if (ShowMessage(61260, MessageButtons::YesNo) == MessageAnswer::Yes) return;\n"
          "    return MayClose(Edits(7, 8),\n                    61414, 90);"},
         {61260, 61414}},
        {{"std::string FormatMessage(MessageId id, Args... args);",
          "    return std::string(GetMessageText(17589)) + FormatMessage(17587, Name(3).c_str(), 12);"},
         {17587}},
        // No parameter: a cast, a template argument, a loop variable; comments and texts are not read.
        {{"void Use(std::optional<MessageId> id, int n);\nfor (MessageId id : ids) Add(id);",
          "    Use(static_cast<MessageId>(5), 6);\n    Add(7);\n    Use(8, 9);"},
         {}},
        {{"void Show(MessageId id);", "    // Show(61999);\n    Text(\"Show(61998)\");  /* Show(61997) */"}, {}},
    };
    for (const auto& [sources, expected] : cases) {
        std::ostringstream shown;
        std::ranges::copy(sources, std::ostream_iterator<std::string>(shown, "\n---\n"));
        EXPECT_EQ(NumbersIn(sources), expected) << shown.str();
    }
}

TEST(MessageNumbersTest, TheScanKeepsTheLineOfEachUse)
{
    const std::string code = CodeOnly("void Show(MessageId id);\n/* one\n two */\n    Show(\n        61260);\n");
    MessageParameters parameters;
    AddMessageParameters(code, parameters);
    const std::vector<MessageUse> uses = MessageNumbersUsed(code, parameters);
    ASSERT_EQ(uses.size(), 1U);
    EXPECT_EQ(uses[0].line, 5U);
}

TEST(MessageNumbersTest, EveryMessageNumberTheSourcesUseHasAText)
{
    const std::filesystem::path sources = std::filesystem::path(VARNEL_SOURCE_DIR) / "src";
    ASSERT_TRUE(std::filesystem::is_directory(sources)) << sources;

    std::vector<std::pair<std::string, std::string>> codes;  // file, code
    MessageParameters parameters;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(sources)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
        std::ifstream file(entry.path());
        const std::string source{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        codes.emplace_back(std::filesystem::relative(entry.path(), sources).string(), CodeOnly(source));
        AddMessageParameters(codes.back().second, parameters);
    }

    std::map<MessageId, std::set<std::string>> missing;
    std::size_t uses = 0;
    for (const auto& [file, code] : codes) {
        for (const MessageUse& use : MessageNumbersUsed(code, parameters)) {
            ++uses;
            if (GetMessageText(use.id).empty()) missing[use.id].insert(file + ":" + std::to_string(use.line));
        }
    }
    EXPECT_GT(uses, 500U) << "too few message numbers found under " << sources;

    std::ostringstream report;
    for (const auto& [id, places] : missing) {
        report << id << ":";
        for (const std::string& place : places) report << " " << place;
        report << "\n";
    }
    EXPECT_TRUE(missing.empty()) << "message numbers without a text:\n" << report.str();
}

}  // namespace
}  // namespace varnel::test
