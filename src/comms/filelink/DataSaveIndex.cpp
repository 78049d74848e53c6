#include "comms/filelink/DataSaveIndex.h"

#include "platform/ByteOrder.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::size_t kCountSize = 2;
constexpr std::string_view kTypeNames[] = {"FOMT", "ITEM", "ADDR", "MESG", "PSET", "SCRL", "CAMP", "COUP", "INGR"};

}  // namespace

std::string_view CDataSaveSection::Name() const
{
    const std::string_view all(name.data(), name.size());
    return all.substr(0, std::min(all.find('\0'), all.find(' ')));
}

void PackDataSaveSection(const CDataSaveSection& section, std::span<std::uint8_t, kDataSaveEntrySize> out)
{
    StoreLe16(out.data(), section.type);
    StoreLe32(out.data() + 2, section.offset);
    std::copy(section.name.begin(), section.name.end(), out.begin() + 6);
    StoreLe16(out.data() + 14, section.reserved);
    out[16] = section.reserved2;
    out[17] = 0;
}

CDataSaveSection UnpackDataSaveSection(std::span<const std::uint8_t, kDataSaveEntrySize> entry)
{
    CDataSaveSection section;
    section.type = LoadLe16(entry.data());
    section.offset = LoadLe32(entry.data() + 2);
    std::copy_n(entry.begin() + 6, kDataSaveNameSize, section.name.begin());
    section.reserved = LoadLe16(entry.data() + 14);
    section.reserved2 = entry[16];
    return section;
}

std::uint16_t DataSaveTypeOfName(std::string_view name)
{
    name = name.substr(0, std::min(name.find('\0'), name.find(' ')));
    for (std::size_t i = 0; i < std::size(kTypeNames); ++i)
        if (name == kTypeNames[i]) return static_cast<std::uint16_t>(DsvLabelFormats + i);
    return DsvOther;
}

std::string_view DataSaveTypeName(std::uint16_t type)
{
    return IsImportableType(type) ? kTypeNames[type - DsvLabelFormats] : std::string_view{};
}

std::uint64_t DataSaveIndex::SectionEnd(std::size_t i) const
{
    const std::uint64_t offset = SectionStart(i);
    const std::uint64_t next = i + 1 < sections.size() ? sections[i + 1].offset : start;
    return std::clamp<std::uint64_t>(next, offset, start);
}

Result<std::optional<DataSaveIndex>> ReadDataSaveIndex(IFile& file, std::size_t maxSections)
{
    auto length = file.Length();
    if (!length) return length.GetError();
    if (*length <= kCountSize) return std::optional<DataSaveIndex>{};
    std::array<std::uint8_t, kCountSize> countBytes{};
    if (auto seek = file.Seek(*length - kCountSize); !seek) return seek.GetError();
    if (auto read = ReadExact(file, countBytes.data(), countBytes.size()); !read) return read.GetError();
    const std::size_t count = LoadLe16(countBytes.data());
    const std::uint64_t entriesSize = std::uint64_t{kDataSaveEntrySize} * count;
    if (count == 0 || count > maxSections || *length - kCountSize <= entriesSize) return std::optional<DataSaveIndex>{};

    DataSaveIndex index;
    index.start = *length - kCountSize - entriesSize;
    std::vector<std::uint8_t> entries(entriesSize);
    if (auto seek = file.Seek(index.start); !seek) return seek.GetError();
    if (auto read = ReadExact(file, entries.data(), entries.size()); !read) return read.GetError();
    for (std::size_t i = 0; i < count; ++i) {
        const CDataSaveSection section =
            UnpackDataSaveSection(std::span(entries).subspan(i * kDataSaveEntrySize).first<kDataSaveEntrySize>());
        if (section.type == 0 || section.type > DsvOther) return std::optional<DataSaveIndex>{};
        index.sections.push_back(section);
    }
    return std::optional<DataSaveIndex>(std::move(index));
}

Result<void> WriteDataSaveIndex(IFile& file, std::span<const CDataSaveSection> sections)
{
    std::vector<std::uint8_t> bytes(sections.size() * kDataSaveEntrySize + kCountSize);
    for (std::size_t i = 0; i < sections.size(); ++i)
        PackDataSaveSection(sections[i], std::span(bytes).subspan(i * kDataSaveEntrySize).first<kDataSaveEntrySize>());
    StoreLe16(bytes.data() + bytes.size() - kCountSize, static_cast<std::uint16_t>(sections.size()));
    return WriteBytes(file, bytes.data(), bytes.size());
}

}  // namespace varnel
