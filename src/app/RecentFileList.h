// The four most recently opened database files, newest first, as File lists them. Kept in the profile
// as section "Recent File List", entries "File1" to "File4"; names that differ only in case are one file.
#pragma once

#include <string>
#include <vector>

namespace varnel {

class CProfile;

class RecentFileList {
public:
    static constexpr std::size_t kSize = 4;

    void Load(const CProfile& profile);
    void Save(CProfile& profile) const;

    // The file comes first; the oldest beyond four goes.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Files() const { return m_files; }

private:
    std::vector<std::string> m_files;
};

}  // namespace varnel
