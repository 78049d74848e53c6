// The program's profile: named sections of named entries, kept in an INI file. It stands where the
// Windows design kept its registry values under the vendor key, with the same section and entry names.
//
// Every write goes to the file at once, as a registry write did: the file is read again first, so
// that entries another copy of the program wrote meanwhile are kept, and then replaced whole.
#pragma once

#include "platform/FileSystem.h"

#include <string>
#include <string_view>

namespace varnel {

class CProfile {
public:
    CProfile(IFileSystem& fs, std::string path);

    const std::string& GetPath() const { return m_path; }

    // The entry's text, or `defaultValue` when the file, the section or the entry is missing.
    std::string GetProfileString(std::string_view section, std::string_view entry,
                                 std::string_view defaultValue = {}) const;
    // The entry read as a decimal integer (its leading digits); `defaultValue` when missing.
    int GetProfileInt(std::string_view section, std::string_view entry, int defaultValue) const;

    // False when the file could not be written; the file is then as it was.
    bool WriteProfileString(std::string_view section, std::string_view entry, std::string_view value);
    bool WriteProfileInt(std::string_view section, std::string_view entry, int value);

private:
    IFileSystem& m_fs;
    std::string m_path;
};

// Where the profile lives: $XDG_CONFIG_HOME/Norvik/Varnel.ini, or ~/.config/Norvik/Varnel.ini.
// The directory is made when it is missing.
std::string DefaultProfilePath();

}  // namespace varnel
