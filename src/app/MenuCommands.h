// The program's command vocabulary as data: each command number with the side whose map handles it
// and the update rule that enables it; the menus (128, 129, 130, 156 and the popup 158) as trees of
// labelled items; the accelerator tables 128 and 156. The windows build their menus, accelerators and
// tool bars from these; the handlers register themselves by number.
#pragma once

#include "app/MenuState.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace varnel {

// Who handles a command: the main frame, the document, the active window's view (the PLU list, the
// PLU editor, the scheduler, a report), the framework itself (clipboard, bars, windows, exit).
enum class CommandSide : std::uint8_t { Frame, Document, View, Framework };

// When a command is enabled (its handler may narrow it further).
enum class CommandRule : std::uint8_t {
    Always,
    Setup,               // S: the user may view table 1
    SetupNotBatch,       // S-NB
    SetupUpdate,         // S-U: the user may update table 1
    SetupDeptGroup,      // S-DG: S and departments and groups not kept in their own tables
    Table,               // T(n): the user may view table n
    OnlineComms,         // OC: CVrn3Doc::CanUseOnlineComms
    NotBatchDocument,    // DOC: disabled only while the document is in batch mode
    NotRestricted,       // NR
    NotBatch,            // NB
    Batch,               // B
    NotBatchNotRestricted,
    ChangeDepartment,    // departments exist and the user may change the database
    DataSaveFileOpen,
    KeyboardPresets,     // T(12), a link exists, NB
    DefaultKeyboard,     // no keyboard window open and S
    LoadBatchFile,       // a document is open and not in batch mode
    SaleWizard,
    ShowCommsStatus,     // NB, a link exists, on-line comms on
    PluProdReport,
    PluListReport,
    TextImport,
    DatabaseImport,
    Scheduler,
    Handler,             // the handler's own rule alone decides
};

struct CommandDef {
    std::uint32_t command;
    CommandSide side;
    CommandRule rule;
    std::uint16_t table = 0;  // for CommandRule::Table
};

// The frame's and document's meaning of a command; null for a number no menu of theirs holds (a
// window's own command, such as the PLU editor's Save).
const CommandDef* FindCommand(std::uint32_t command);
std::span<const CommandDef> AllCommands();

bool IsCommandEnabled(const CommandDef& command, const MenuState& state);

// One item of a menu. A command item whose meaning is its window's own (the scheduler's Add) is never
// pruned by number; the recent-files item stands for the up to four recent files.
struct MenuNode {
    enum class Kind : std::uint8_t { Command, Separator, Popup, RecentFiles };
    Kind kind = Kind::Command;
    std::uint32_t command = 0;
    std::string label;
    bool windowOwn = false;
    std::vector<MenuNode> children;

    bool operator==(const MenuNode&) const = default;
};

// Visits every item under the menu, a popup before its own items.
void ForEachMenuItem(const MenuNode& menu, const std::function<void(const MenuNode&)>& visit);

// The menu bar of the window (its top-level popups as the root's children); 155 and 157 are their
// windows' own and have no bar here yet.
const MenuNode& MenuBarOf(MenuWindow window);
// Popup menu 158, "Copy Price Popup", of the PLU editor.
const MenuNode& CopyPricePopup();

// The first recent-file command; the others follow it.
inline constexpr std::uint32_t kFirstRecentFileCommand = 57616;
inline constexpr std::size_t kRecentFileCount = 4;

struct Accelerator {
    const char* keys;  // in the portable form "Ctrl+Alt+P"
    std::uint32_t command;
};
// Accelerator table 128 (the frame's, with the report window's keys) or 156 (the PLU editor's).
std::vector<Accelerator> AcceleratorTable(int resource);
// The keys that work while the window is active: the PLU editor's table 156; table 128 elsewhere, its
// report keys only in a report window (in the PLU list window Ctrl+F would mark a default keyboard).
std::vector<Accelerator> AcceleratorsFor(MenuWindow window);

}  // namespace varnel
