// The index of a Data Save file (".dsv"), the image of a scale's files that the scale saves and loads
// over the file link: its sections one after the other, each where its index entry says, then the
// index. All numbers are little-endian.
//
//   sections | n index entries of 18 bytes | u16 n
//
// Index entry:  OFFSET SIZE
//                 0     2   section type 1 to 10 (any other value makes the whole index invalid)
//                 2     4   offset of the section from the start of the file
//                 6     8   the scale's file name, padded with 0 bytes
//                14     2   reserved, kept as read
//                16     1   reserved, kept as read
//                17     1   reserved, not read; written as 0
// A section ends where the next entry's section begins, the last one where the index begins.
#pragma once

#include "platform/FileSystem.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace varnel {

// Section types, named by the scale's file names.
enum DataSaveType : std::uint16_t {
    DsvLabelFormats = 1,  // "FOMT", copied unchanged
    DsvItems = 2,         // "ITEM", the PLUs
    DsvStores = 3,        // "ADDR", store name and address
    DsvMessages = 4,      // "MESG", extra messages
    DsvPresets = 5,       // "PSET", keyboard presets
    DsvScrollMessages = 6,  // "SCRL", advertising messages
    DsvCampaigns = 7,     // "CAMP"
    DsvCoupons = 8,       // "COUP"
    DsvIngredients = 9,   // "INGR", the nutrition table
    DsvOther = 10,        // any other file, copied unchanged
};

constexpr std::size_t kDataSaveEntrySize = 18;
constexpr std::size_t kDataSaveNameSize = 8;
// The most entries a Data Save file has when the document reads it, and when the file link sends it.
constexpr std::size_t kDataSaveMaxSections = 200;
constexpr std::size_t kDataSaveMaxSentSections = 100;

struct CDataSaveSection {
    std::uint16_t type = DsvOther;
    std::uint32_t offset = 0;
    std::array<char, kDataSaveNameSize> name{};
    std::uint16_t reserved = 0;
    std::uint8_t reserved2 = 0;

    // The name up to its first 0 byte or blank.
    std::string_view Name() const;
};

void PackDataSaveSection(const CDataSaveSection& section, std::span<std::uint8_t, kDataSaveEntrySize> out);
CDataSaveSection UnpackDataSaveSection(std::span<const std::uint8_t, kDataSaveEntrySize> entry);

// The type of a scale file by its name ("ITEM" and so on; blanks and 0 bytes end a name).
std::uint16_t DataSaveTypeOfName(std::string_view name);
// The file name of a type 2 to 9; empty for the others.
std::string_view DataSaveTypeName(std::uint16_t type);
// Types whose records go into the database: 2 to 9.
inline bool IsImportableType(std::uint16_t type) { return type >= DsvItems && type <= DsvIngredients; }

struct DataSaveIndex {
    std::vector<CDataSaveSection> sections;
    std::uint64_t start = 0;  // where the index begins: the end of the last section

    // Where section `i` begins and ends: its offset and the next entry's offset (the index for the
    // last), each kept within the sections, and never ending before it begins.
    std::uint64_t SectionStart(std::size_t i) const { return std::min<std::uint64_t>(sections[i].offset, start); }
    std::uint64_t SectionEnd(std::size_t i) const;
};

// The file's index; none for a file of 2 bytes or less, a count of 0 or above `maxSections`, a count
// larger than the file holds, or an entry of a type outside 1 to 10. An error when the file cannot be read.
Result<std::optional<DataSaveIndex>> ReadDataSaveIndex(IFile& file, std::size_t maxSections);
// The entries and their count, at the file's position.
Result<void> WriteDataSaveIndex(IFile& file, std::span<const CDataSaveSection> sections);

}  // namespace varnel
