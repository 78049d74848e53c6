// A number typed into a field with a range: read whole, or refused with the range message.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace varnel {

// The text (blanks around it allowed) as a number within min..max; none, after the message "Please
// enter an integer between <min> and <max>.", otherwise.
std::optional<std::uint32_t> ReadNumberInRange(std::string_view text, std::uint32_t min, std::uint32_t max);

}  // namespace varnel
