// Numbers typed into fields.
#include "platform/NumberEntry.h"

#include "platform/UserPrompt.h"

#include <charconv>
#include <string>

namespace varnel {

std::optional<std::uint32_t> ReadNumberInRange(std::string_view text, std::uint32_t min, std::uint32_t max)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc{} && end == text.data() + text.size() && !text.empty() && value >= min && value <= max)
        return static_cast<std::uint32_t>(value);
    ShowMessageText("Please enter an integer between " + std::to_string(min) + " and " + std::to_string(max) + ".",
                    MessageButtons::Ok, MessageIcon::Warning);
    return std::nullopt;
}

}  // namespace varnel
