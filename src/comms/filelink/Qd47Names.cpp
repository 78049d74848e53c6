#include "comms/filelink/Qd47Names.h"

#include "platform/ByteOrder.h"
#include "platform/LocalTime.h"

#include <algorithm>
#include <cctype>

namespace varnel {
namespace {

constexpr std::size_t kNameSize = 8;
constexpr std::size_t kExtensionSize = 3;
constexpr int kDosEpochYear = 1980;

bool IsNameChar(char c, bool wildcards)
{
    const auto byte = static_cast<unsigned char>(c);
    return std::isalnum(byte) != 0 || c == '_' || c == '-' || (wildcards && (c == '?' || c == '*'));
}

// The part up to its first blank; none when a blank is followed by more, or a character is not allowed.
std::optional<std::string_view> Part(std::string_view field, bool wildcards)
{
    const std::string_view part = field.substr(0, field.find(' '));
    if (field.find_first_not_of(' ', part.size()) != std::string_view::npos) return std::nullopt;
    if (!std::ranges::all_of(part, [&](char c) { return IsNameChar(c, wildcards); })) return std::nullopt;
    return part;
}

std::optional<std::string> WireName(std::span<const std::uint8_t, kQd47WireNameSize> wire, bool wildcards)
{
    const std::string_view all(reinterpret_cast<const char*>(wire.data()), wire.size());
    const auto name = Part(all.substr(0, kNameSize), wildcards);
    const auto extension = Part(all.substr(kNameSize, kExtensionSize), wildcards);
    if (!name || !extension || name->empty()) return std::nullopt;
    std::string file(*name);
    if (!extension->empty()) file += "." + std::string(*extension);
    return file;
}

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// A name part against a pattern part: '*' takes any run, '?' one character or none at the part's end.
bool PartMatches(std::string_view name, std::string_view pattern)
{
    if (pattern.empty()) return name.empty();
    if (pattern[0] == '*')
        return PartMatches(name, pattern.substr(1)) || (!name.empty() && PartMatches(name.substr(1), pattern));
    if (pattern[0] == '?') return PartMatches(name.empty() ? name : name.substr(1), pattern.substr(1));
    return !name.empty() && Upper(pattern[0]) == Upper(name[0]) && PartMatches(name.substr(1), pattern.substr(1));
}

std::pair<std::string_view, std::string_view> SplitAtDot(std::string_view name)
{
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos) return {name, {}};
    return {name.substr(0, dot), name.substr(dot + 1)};
}

}  // namespace

std::optional<std::string> Qd47FileName(std::span<const std::uint8_t, kQd47WireNameSize> wire)
{
    return WireName(wire, false);
}

std::optional<std::string> Qd47ListingPattern(std::span<const std::uint8_t, kQd47WireNameSize> wire)
{
    std::optional<std::string> pattern = WireName(wire, true);
    if (pattern && pattern->find('.') == std::string::npos) *pattern += '.';
    return pattern;
}

bool IsQd47FileName(std::string_view name)
{
    const std::size_t dot = name.find('.');
    const std::string_view stem = name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
    const auto allowed = [](std::string_view part) {
        return std::ranges::all_of(part, [](char c) { return IsNameChar(c, false); });
    };
    return !stem.empty() && stem.size() <= kNameSize && extension.size() <= kExtensionSize &&
           (dot == std::string_view::npos || !extension.empty()) && allowed(stem) && allowed(extension);
}

bool MatchesQd47Pattern(std::string_view name, std::string_view pattern)
{
    const auto [stem, extension] = SplitAtDot(name);
    const auto [stemPattern, extensionPattern] = SplitAtDot(pattern);
    return PartMatches(stem, stemPattern) && PartMatches(extension, extensionPattern);
}

bool SameQd47Name(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return Upper(x) == Upper(y); });
}

std::array<std::uint8_t, kQd47EntrySize> Qd47DirectoryEntry(std::uint8_t mode, const DirectoryEntry& entry)
{
    std::array<std::uint8_t, kQd47EntrySize> bytes{};
    bytes.fill(' ');
    bytes[0] = mode;
    const std::size_t dot = entry.name.find('.');
    const std::string stem = entry.name.substr(0, std::min(dot, kNameSize));
    const std::string extension = dot == std::string::npos ? std::string{} : entry.name.substr(dot + 1, kExtensionSize);
    std::ranges::copy(stem, bytes.begin() + 1);
    std::ranges::copy(extension, bytes.begin() + 1 + kNameSize);
    bytes[12] = 0;
    const DosDateTime dos = ToDosDateTime(entry.modified);
    StoreLe16(bytes.data() + 13, dos.time);
    StoreLe16(bytes.data() + 15, dos.date);
    StoreLe32(bytes.data() + 17, static_cast<std::uint32_t>(std::min<std::uint64_t>(entry.size, 0xFFFFFFFF)));
    return bytes;
}

DosDateTime ToDosDateTime(std::chrono::system_clock::time_point time)
{
    const DateTimeParts local = ToLocalParts(time);
    const int year = std::clamp(local.year, kDosEpochYear, kDosEpochYear + 127);
    return {static_cast<std::uint16_t>((year - kDosEpochYear) * 512 + local.month * 32 + local.day),
            static_cast<std::uint16_t>(local.hour * 2048 + local.minute * 32 + local.second / 2)};
}

std::chrono::system_clock::time_point FromDosDateTime(DosDateTime dos)
{
    DateTimeParts local;
    local.year = kDosEpochYear + (dos.date >> 9);
    local.month = (dos.date >> 5) & 15;
    local.day = dos.date & 31;
    local.hour = dos.time >> 11;
    local.minute = (dos.time >> 5) & 63;
    local.second = (dos.time & 31) * 2;
    return FromLocalParts(local);
}

}  // namespace varnel
