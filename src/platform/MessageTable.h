// The message tables as the build joins them: each subsystem keeps the texts of its numbers in
// src/<subsystem>/MessageTexts.inc, and the build compiles all of them into this library, so every
// program that looks a text up holds every table and no table depends on being linked or registered.
#pragma once

#include "platform/Messages.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace varnel {

struct MessageText {
    MessageId id;
    std::string_view text;
};

struct MessageTable {
    std::string_view subsystem;  // the folder under src/ that keeps the table
    std::span<const MessageText> texts;
};

// Each number greater than the one before: the lookup searches by halves, and a table names a number once.
constexpr bool IsStrictlyAscending(std::span<const MessageText> texts)
{
    return std::ranges::adjacent_find(texts, [](const MessageText& before, const MessageText& after) {
               return before.id >= after.id;
           }) == texts.end();
}

// Every subsystem's table, in the order of their folder names.
std::span<const MessageTable> MessageTables();

}  // namespace varnel
