// The Options sheet's conversions.
#include "settings/OptionsConversions.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace varnel {

constexpr std::uint16_t kMissingFamily = 7;
constexpr std::uint8_t kRuxMappingOffset = 4;

int SystemTypeToIndex(std::uint16_t family)
{
    return family >= kMissingFamily ? family - 1 : family;
}

std::uint16_t IndexToSystemType(int index)
{
    return static_cast<std::uint16_t>(index >= kMissingFamily ? index + 1 : index);
}

int StartDayToIndex(std::uint16_t day)
{
    return static_cast<int>(day) - 1;
}

std::uint16_t IndexToStartDay(int index)
{
    return static_cast<std::uint16_t>(index + 1);
}

int RuxMappingToIndex(std::uint8_t mapping)
{
    return mapping == 0 ? 0 : mapping - kRuxMappingOffset;
}

std::uint8_t IndexToRuxMapping(int index)
{
    return static_cast<std::uint8_t>(index <= 0 ? 0 : index + kRuxMappingOffset);
}

std::string SetupPasswordText(const std::array<std::uint8_t, 9>& stored)
{
    // A file whose ninth byte is no terminator still gives the eight characters that can be typed.
    const auto last = stored.end() - 1;
    return {stored.begin(), std::find(stored.begin(), last, 0)};
}

std::array<std::uint8_t, 9> StoredSetupPassword(std::string_view text)
{
    std::array<std::uint8_t, 9> stored{};
    std::memcpy(stored.data(), text.data(), std::min(text.size(), stored.size() - 1));
    return stored;
}

std::array<std::uint8_t, 60> DisplayFontCopy(const std::array<std::uint8_t, 60>& stored)
{
    std::array<std::uint8_t, 60> copy = stored;
    copy[0] = 10;
    copy[1] = copy[2] = copy[3] = 0;
    return copy;
}

std::optional<int> ReadWholeNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{}) return std::nullopt;
    return value;
}

}  // namespace varnel
