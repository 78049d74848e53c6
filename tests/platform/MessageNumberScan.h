// Finds the message numbers a C++ source uses, for the test that each has a text. A number counts as
// used when it is named as a MessageId constant ("...Base" constants start a range and are none), listed
// in a std::array of MessageId, passed as a literal where a function declared in the sources takes a
// MessageId, or lies in a FieldRange (Field Setup names each field by the text of its number). 0 means
// no message. Comments and the contents of string and character literals are not read.
#pragma once

#include "platform/Messages.h"

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::test {

// The source with its comments and the insides of its literals blanked, lines kept.
std::string CodeOnly(std::string_view source);

// Function name -> the positions (from 0) of its MessageId parameters, over every declaration in `code`
// (as CodeOnly gives it); merged into `positions`.
using MessageParameters = std::map<std::string, std::set<std::size_t>, std::less<>>;
void AddMessageParameters(std::string_view code, MessageParameters& positions);

// The message numbers `code` uses, each with the line it is on (from 1).
struct MessageUse {
    MessageId id;
    std::size_t line;
};
std::vector<MessageUse> MessageNumbersUsed(std::string_view code, const MessageParameters& parameters);

}  // namespace varnel::test
