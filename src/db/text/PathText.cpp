// Path pieces and abbreviation.
#include "db/text/PathText.h"

#include "db/text/DbcsString.h"
#include "db/text/DoubleByteText.h"
#include "db/text/TextBytes.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::size_t kNone = std::string_view::npos;
constexpr std::string_view kEllipsis = "...";

// The byte index of the last separator; kNone when there is none.
std::size_t LastSeparator(std::string_view path, const CharRule& chars)
{
    const std::size_t slash = DbcsReverseFind(path, '/', chars);
    const std::size_t backslash = DbcsReverseFind(path, '\\', chars);
    if (slash == kNone) return backslash;
    if (backslash == kNone) return slash;
    return std::max(slash, backslash);
}

}  // namespace

bool FileExists(const std::string& path, const IFileSystem& fileSystem) { return fileSystem.Exists(path); }

std::string_view GetFileNameFromPath(std::string_view path, const CharRule& chars)
{
    path = TextBeforeNul(path);
    const std::size_t separator = LastSeparator(path, chars);
    return separator == kNone ? path : path.substr(separator + 1);
}

std::string_view GetDirFromPath(std::string_view path, const CharRule& chars)
{
    path = TextBeforeNul(path);
    const std::size_t separator = LastSeparator(path, chars);
    return separator == kNone || separator == 0 ? std::string_view{} : path.substr(0, separator + 1);
}

std::string AbbreviatePath(std::string_view path, std::uint16_t width, const CharRule& chars)
{
    path = TextBeforeNul(path);
    if (path.size() <= width) return std::string(path);

    const std::size_t separator = LastSeparator(path, chars);
    if (separator != kNone && separator > 0 && path.size() - separator + kEllipsis.size() <= width) {
        const std::string_view lastPart = path.substr(separator);
        return std::string(DbcsLeft(path, width - kEllipsis.size() - lastPart.size(), chars)) + std::string(kEllipsis) +
               std::string(DbcsLeft(lastPart, lastPart.size(), chars));
    }
    // Passing over whole characters may pass one byte more, which leaves room to spare at the end.
    const std::size_t skipTo = path.size() - width + kEllipsis.size();
    std::size_t start = 0;
    for (std::size_t next = NextChar(path, 0, chars); start < skipTo && next != start;
         next = NextChar(path, start, chars)) {
        start = next;
    }
    return std::string(kEllipsis) + std::string(DbcsLeft(path.substr(start), width, chars));
}

std::string GetFolderOfFile(std::string_view path, const CharRule& chars)
{
    std::string_view folder = GetDirFromPath(path, chars);
    if (!folder.empty()) folder.remove_suffix(1);
    return folder.empty() && path.starts_with('/') ? "/" : std::string(folder);
}

}  // namespace varnel
