#include "app/DatedBackup.h"

#include "platform/DirectoryListing.h"
#include "platform/LocalTime.h"
#include "platform/TextFormat.h"

#include <algorithm>
#include <cctype>

namespace varnel {
namespace {

constexpr std::size_t kDateDigits = 8;

struct DatabaseName {
    std::string_view stem;       // the file name without its extension
    std::string_view extension;  // from the last '.', empty when there is none
};

DatabaseName SplitDatabaseName(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos) return {name, {}};
    return {name.substr(0, dot), name.substr(dot)};
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::optional<int> ReadDigits(std::string_view digits)
{
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string JoinPath(const std::string& directory, std::string_view name)
{
    if (directory.empty()) return std::string(name);
    return directory.back() == '/' ? directory + std::string(name) : directory + "/" + std::string(name);
}

}  // namespace

std::string DatedBackupName(std::string_view databasePath, std::chrono::year_month_day date)
{
    const DatabaseName name = SplitDatabaseName(databasePath);
    return FormatText("%.*s_%04.4d%02.2d%02.2d%.*s", static_cast<int>(name.stem.size()), name.stem.data(),
                      static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                      static_cast<unsigned>(date.day()), static_cast<int>(name.extension.size()),
                      name.extension.data());
}

std::optional<std::chrono::year_month_day> ParseBackupDate(std::string_view fileName, std::string_view databasePath)
{
    const DatabaseName name = SplitDatabaseName(databasePath);
    if (fileName.size() != name.stem.size() + 1 + kDateDigits + name.extension.size()) return std::nullopt;
    if (!EqualsNoCase(fileName.substr(0, name.stem.size()), name.stem)) return std::nullopt;
    if (fileName[name.stem.size()] != '_') return std::nullopt;
    if (!EqualsNoCase(fileName.substr(fileName.size() - name.extension.size()), name.extension)) return std::nullopt;
    const std::string_view digits = fileName.substr(name.stem.size() + 1, kDateDigits);
    const auto year = ReadDigits(digits.substr(0, 4));
    const auto month = ReadDigits(digits.substr(4, 2));
    const auto day = ReadDigits(digits.substr(6, 2));
    if (!year || !month || !day) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(*year), std::chrono::month(static_cast<unsigned>(*month)),
                                           std::chrono::day(static_cast<unsigned>(*day))};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::vector<std::string> SelectBackupsToPrune(const std::vector<std::string>& fileNames, std::string_view databasePath,
                                              std::chrono::year_month_day today)
{
    struct Aged {
        const std::string* name;
        long days;
    };
    std::vector<Aged> older;
    for (const std::string& fileName : fileNames) {
        const auto date = ParseBackupDate(fileName, databasePath);
        if (!date) continue;
        const long days = (std::chrono::sys_days(today) - std::chrono::sys_days(*date)).count();
        if (days > CDatedBackup::kKeptDays) older.push_back({&fileName, days});
    }
    if (older.empty()) return {};
    const long newest = std::ranges::min_element(older, {}, &Aged::days)->days;
    std::vector<std::string> pruned;
    for (const Aged& aged : older)
        if (aged.days != newest) pruned.push_back(*aged.name);
    return pruned;
}

std::chrono::year_month_day CDatedBackup::Today() const
{
    const DateTimeParts now = ToLocalParts(m_clock.WallNow());
    return {std::chrono::year(now.year), std::chrono::month(static_cast<unsigned>(now.month)),
            std::chrono::day(static_cast<unsigned>(now.day))};
}

void CDatedBackup::Prune(const std::string& databasePath, const std::string& backupDirectory)
{
    auto listing = ListDirectory(backupDirectory);
    if (!listing) return;
    std::vector<std::string> names;
    for (const DirectoryEntry& entry : *listing) names.push_back(entry.name);
    for (const std::string& name : SelectBackupsToPrune(names, databasePath, Today()))
        (void)m_fs.Remove(JoinPath(backupDirectory, name));
}

Result<void> CDatedBackup::Make(const std::string& databasePath, const std::string& backupDirectory)
{
    if (auto made = MakeDirectory(backupDirectory); !made) return made;
    Prune(databasePath, backupDirectory);
    return CopyWholeFile(m_fs, databasePath, JoinPath(backupDirectory, DatedBackupName(databasePath, Today())));
}

}  // namespace varnel
