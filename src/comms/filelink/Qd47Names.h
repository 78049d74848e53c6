// File names as a scale on the file link sends them, and the directory entries it is told of. A name
// on the wire is 8 characters padded with blanks, then a 3-character extension padded with blanks.
//
// A scale never names a path: in the served directory only strict 8.3 names count, made of letters,
// digits, '_' and '-' (a name of 1 to 8 of them, an extension of up to 3), blanks only after each
// part. Listing patterns may hold '?' (one character) and '*' (any run) as well. Names compare without
// case, as they did on the scales' own disks.
//
// Directory entry, 21 bytes (little-endian): 0 the listing mode byte, 1-8 the name padded with blanks,
// 9-11 the extension padded with blanks, 12 zero, 13-14 the time (hour * 2048 + minute * 32 +
// second / 2), 15-16 the date ((year - 1980) * 512 + month * 32 + day), 17-20 the size.
#pragma once

#include "platform/DirectoryListing.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

constexpr std::size_t kQd47WireNameSize = 11;
constexpr std::size_t kQd47EntrySize = 21;

// "NAME.EXT" (or "NAME" without an extension); none for a name that is not a strict 8.3 name.
std::optional<std::string> Qd47FileName(std::span<const std::uint8_t, kQd47WireNameSize> wire);
// The same with '?' and '*' allowed, always with its dot ("NAME." for a name without an extension).
std::optional<std::string> Qd47ListingPattern(std::span<const std::uint8_t, kQd47WireNameSize> wire);
// Whether a name on disk is one a scale may see: a strict 8.3 name.
bool IsQd47FileName(std::string_view name);
// Whether the name matches the pattern, part by part and without case: '*' any run, '?' one character
// or none at a part's end; an empty part of the pattern matches only an empty part.
bool MatchesQd47Pattern(std::string_view name, std::string_view pattern);
// Whether two names are the same but for case.
bool SameQd47Name(std::string_view a, std::string_view b);

std::array<std::uint8_t, kQd47EntrySize> Qd47DirectoryEntry(std::uint8_t mode, const DirectoryEntry& entry);

struct DosDateTime {
    std::uint16_t date = 0;
    std::uint16_t time = 0;
};
DosDateTime ToDosDateTime(std::chrono::system_clock::time_point time);
std::chrono::system_clock::time_point FromDosDateTime(DosDateTime dos);

}  // namespace varnel
