// Dated copies of a database: at start-up the database is copied into the backup directory as
// "<name>_YYYYMMDD<extension>" (a second copy on the same day replaces the first), and old copies are
// pruned: every copy of the last 7 days stays, and of the older ones only the newest.
#pragma once

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Result.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// The copy's file name for the database at `databasePath` on `date`.
std::string DatedBackupName(std::string_view databasePath, std::chrono::year_month_day date);

// The date of `fileName` when it is a dated copy of the database at `databasePath`: exactly the
// database's name, "_", eight digits of a valid date and the database's extension (names compared
// without case). Another database's copies ("Shop_East_20240101.pld" beside "Shop.pld") are not its.
std::optional<std::chrono::year_month_day> ParseBackupDate(std::string_view fileName, std::string_view databasePath);

// The names among `fileNames` that the prune deletes.
std::vector<std::string> SelectBackupsToPrune(const std::vector<std::string>& fileNames, std::string_view databasePath,
                                              std::chrono::year_month_day today);

class CDatedBackup {
public:
    static constexpr int kKeptDays = 7;

    CDatedBackup(IFileSystem& fs, const IClock& clock) : m_fs(fs), m_clock(clock) {}

    // Makes the backup directory when absent, prunes the old copies, then copies the database.
    Result<void> Make(const std::string& databasePath, const std::string& backupDirectory);
    // Deletes the old copies; a copy that cannot be deleted stays.
    void Prune(const std::string& databasePath, const std::string& backupDirectory);

    std::chrono::year_month_day Today() const;

private:
    IFileSystem& m_fs;
    const IClock& m_clock;
};

}  // namespace varnel
