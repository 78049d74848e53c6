// The subsystems' message tables as the build joins them into the platform library, which every program
// and test program that looks a text up links: each src/<subsystem>/MessageTexts.inc is in the lookup
// with the numbers it holds now, no number is in two tables, and the lookup gives each number its own
// table's text. (Each table's order is checked where the build compiles it.)
#include "platform/MessageTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace varnel::test {
namespace {

using TableNumbers = std::map<std::string, std::vector<MessageId>>;

// The numbers that begin the entries of each table file, by subsystem.
TableNumbers TableFiles()
{
    const std::filesystem::path sources = std::filesystem::path(VARNEL_SOURCE_DIR) / "src";
    TableNumbers tables;
    for (const auto& folder : std::filesystem::directory_iterator(sources)) {
        std::ifstream file(folder.path() / "MessageTexts.inc");
        if (!file) continue;
        std::vector<MessageId>& numbers = tables[folder.path().filename().string()];
        for (std::string line; std::getline(file, line);)
            if (line.starts_with('{')) numbers.push_back(static_cast<MessageId>(std::stoul(line.substr(1))));
    }
    return tables;
}

TEST(MessageTablesTest, TheLookupHoldsEveryTableFileAsItIsNow)
{
    TableNumbers joined;
    for (const MessageTable& table : MessageTables()) {
        std::vector<MessageId>& numbers = joined[std::string(table.subsystem)];
        for (const MessageText& text : table.texts) numbers.push_back(text.id);
    }
    const TableNumbers files = TableFiles();
    EXPECT_GE(files.size(), 2U) << "no table files found under " << VARNEL_SOURCE_DIR;
    EXPECT_EQ(joined, files);
}

TEST(MessageTablesTest, EachNumberIsInOneTableAndReadsItsText)
{
    std::map<MessageId, std::string_view> owners;
    for (const MessageTable& table : MessageTables()) {
        for (const MessageText& text : table.texts) {
            const auto [owner, first] = owners.emplace(text.id, table.subsystem);
            EXPECT_TRUE(first) << text.id << " is in the tables of " << owner->second << " and " << table.subsystem;
            EXPECT_EQ(GetMessageText(text.id), text.text) << text.id << " of " << table.subsystem;
        }
    }
    EXPECT_TRUE(GetMessageText(0).empty());
}

}  // namespace
}  // namespace varnel::test
