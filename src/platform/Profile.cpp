// The INI form of the profile: "[Section]" lines, then "entry=value" lines. Names compare without case,
// as registry names did; lines the reader does not understand are kept as they stand.
#include "platform/Profile.h"

#include "platform/AtomicReplace.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

namespace varnel {
namespace {

bool SameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The file's lines; none when it does not exist yet.
Result<std::vector<std::string>> ReadLines(IFileSystem& fs, const std::string& path)
{
    std::vector<std::string> lines;
    auto file = fs.Open(path, FileAccess::Read);
    if (!file) {
        if (file.GetError().code == Errc::NotFound) return lines;
        return file.GetError();
    }
    auto length = (*file)->Length();
    if (!length) return length.GetError();
    std::string text(static_cast<std::size_t>(*length), '\0');
    if (auto read = ReadExact(**file, text.data(), text.size()); !read) return read.GetError();
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = std::min(text.find('\n', start), text.size());
        lines.emplace_back(text, start, end - start);
        start = end + 1;
    }
    return lines;
}

// The section a "[Name]" line opens; none for any other line.
std::optional<std::string_view> SectionOf(std::string_view line)
{
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
    return line.substr(1, line.size() - 2);
}

// Where the entry's line is, or where a new one goes (after the section's last entry); the section's
// header is missing when `sectionFound` is false.
struct EntryPlace {
    bool sectionFound = false;
    std::optional<std::size_t> line;  // the entry's line
    std::size_t insertAt = 0;         // after the section's last line that holds anything
};

EntryPlace FindEntry(const std::vector<std::string>& lines, std::string_view section, std::string_view entry)
{
    EntryPlace place;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionOf(lines[i])) {
            inSection = SameName(*name, section);
            if (inSection) {
                place.sectionFound = true;
                place.insertAt = i + 1;
            }
            continue;
        }
        if (!inSection) continue;
        if (!Trim(lines[i]).empty()) place.insertAt = i + 1;
        const auto equals = lines[i].find('=');
        if (equals != std::string::npos && SameName(Trim(std::string_view(lines[i]).substr(0, equals)), entry)) {
            place.line = i;
        }
    }
    return place;
}

}  // namespace

CProfile::CProfile(IFileSystem& fs, std::string path) : m_fs(fs), m_path(std::move(path)) {}

std::string CProfile::GetProfileString(std::string_view section, std::string_view entry,
                                       std::string_view defaultValue) const
{
    const auto lines = ReadLines(m_fs, m_path);
    if (!lines) return std::string(defaultValue);
    const auto place = FindEntry(*lines, section, entry);
    if (!place.line) return std::string(defaultValue);
    const std::string& line = (*lines)[*place.line];
    return std::string(Trim(std::string_view(line).substr(line.find('=') + 1)));
}

int CProfile::GetProfileInt(std::string_view section, std::string_view entry, int defaultValue) const
{
    const std::string text = GetProfileString(section, entry);
    if (text.empty()) return defaultValue;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end != text.data() ? value : defaultValue;
}

bool CProfile::WriteProfileString(std::string_view section, std::string_view entry, std::string_view value)
{
    // A file that cannot be read is never replaced by one that holds only this entry.
    auto read = ReadLines(m_fs, m_path);
    if (!read) return false;
    auto& lines = *read;
    const auto place = FindEntry(lines, section, entry);
    std::string line = std::string(entry) + "=" + std::string(value);
    if (place.line) {
        lines[*place.line] = std::move(line);
    } else if (place.sectionFound) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.insertAt), std::move(line));
    } else {
        if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(std::move(line));
    }
    std::string text;
    for (const auto& each : lines) text += each + "\n";
    return static_cast<bool>(
        ReplaceFile(m_fs, m_path, [&](IFile& file) { return WriteBytes(file, text.data(), text.size()); }));
}

bool CProfile::WriteProfileInt(std::string_view section, std::string_view entry, int value)
{
    return WriteProfileString(section, entry, std::to_string(value));
}

std::string DefaultProfilePath()
{
    std::filesystem::path base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        base = config;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::filesystem::path(home) / ".config";
    } else {
        base = ".config";
    }
    const auto directory = base / "Norvik";
    std::error_code ignored;
    std::filesystem::create_directories(directory, ignored);
    return (directory / "Varnel.ini").string();
}

}  // namespace varnel
