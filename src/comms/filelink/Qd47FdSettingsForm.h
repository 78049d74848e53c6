// "QD47FD Settings" (dialog 170) without its window: what an import or export of QD47FD files takes
// (CQd47FdFiles): the file number (0 to 999), the directory, all files or a selection, and for an
// import whether the database's records win over the file's of the same number. Only PLUs and extra
// messages can be chosen for the file-server scales (QD47 scale type 1); "Nutrition" shows only for
// the USA market with family 0 the default.
#pragma once

#include "comms/filelink/Qd47FdFiles.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

class Qd47FdSettingsForm {
public:
    static constexpr unsigned kHighestFileNumber = 999;
    static constexpr const char* kFloppyDirectory = "/media/floppy/";
    // The boxes in the dialog's order.
    enum Box : std::size_t { Plus, Messages, Stores, Presets, Campaigns, Coupons, ScrollMessages, Nutrition, kBoxCount };
    static const char* BoxText(Box box);

    struct Site {
        bool import = true;
        std::uint16_t qd47ScaleType = 0;  // the file link's: 1 takes only PLUs and extra messages
        std::uint16_t defaultFamily = 0;
        std::uint16_t market = 0;
        std::string currentDirectory;
    };

    explicit Qd47FdSettingsForm(Site site);

    const Site& GetSite() const { return m_site; }
    // False, after the range message, for anything but a number 0 to 999.
    bool SetFileNumber(std::string_view text);
    unsigned GetFileNumber() const { return m_fileNumber; }
    std::string directory;
    void UseFloppyDrive() { directory = kFloppyDirectory; }
    void UseCurrentDirectory() { directory = m_site.currentDirectory; }
    // "&Browse": a file chooser on "item.<nnn>"; the chosen file's folder becomes the directory (the
    // process's current directory is left alone). False when cancelled.
    bool Browse();

    bool all = true;
    bool IsEnabled(Box box) const;
    bool IsShown(Box box) const { return box != Nutrition || (m_site.defaultFamily == 0 && m_site.market == 0); }
    bool IsChecked(Box box) const { return m_checked[box]; }
    void SetChecked(Box box, bool checked);
    // The same-number choice, shown only for an import: the file's records win when set.
    bool useFileData = false;

    Qd47FdSelection GetSelection() const;

private:
    Site m_site;
    unsigned m_fileNumber = 1;
    std::array<bool, kBoxCount> m_checked{};
};

}  // namespace varnel
