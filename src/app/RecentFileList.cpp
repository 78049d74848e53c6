#include "app/RecentFileList.h"

#include "app/DatabaseCommands.h"
#include "platform/Profile.h"

namespace varnel {
namespace {

constexpr const char* kSection = "Recent File List";

std::string EntryName(std::size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

void RecentFileList::Load(const CProfile& profile)
{
    m_files.clear();
    for (std::size_t i = 0; i < kSize; ++i) {
        std::string path = profile.GetProfileString(kSection, EntryName(i));
        if (!path.empty()) m_files.push_back(std::move(path));
    }
}

void RecentFileList::Save(CProfile& profile) const
{
    for (std::size_t i = 0; i < kSize; ++i) {
        const std::string entry = EntryName(i);
        // A place the list no longer fills is emptied; one that was never filled is not written.
        if (i < m_files.size())
            (void)profile.WriteProfileString(kSection, entry, m_files[i]);
        else if (!profile.GetProfileString(kSection, entry).empty())
            (void)profile.WriteProfileString(kSection, entry, {});
    }
}

void RecentFileList::Add(const std::string& path)
{
    if (path.empty()) return;
    Remove(path);
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > kSize) m_files.resize(kSize);
}

void RecentFileList::Remove(const std::string& path)
{
    std::erase_if(m_files, [&path](const std::string& file) { return SameFileName(file, path); });
}

}  // namespace varnel
