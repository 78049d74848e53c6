// The command table: one QAction per command number, shared by the menus, the accelerators and the
// tool bars. A command's handler and its update rule (a pure function of the model) are registered
// once; the rules run when a menu is about to show and, for the tool bars, on a timer.
//
//   table.Register(57665, "E&xit", [&] { window.close(); });
//   table.Register(59392, "&Tool Bar", toggle, [&] { return CommandState{true, bar->isVisible()}; });
//   menu->addAction(table.Action(57665));
//
// A command asked for before anyone registered it (a tool-bar button of a window not built yet) gets
// a disabled action that takes its text and handler when it is registered.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

class QMenu;

namespace varnel {

struct CommandState {
    bool enabled = true;
    std::optional<bool> checked;  // none for a command that is not a check item
};

class CommandTable final : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    using UpdateRule = std::function<CommandState()>;

    // `toolBarUpdateMs`: how often the tool bars' buttons are brought up to date.
    explicit CommandTable(QObject* parent = nullptr, int toolBarUpdateMs = 500);

    QAction* Register(std::uint32_t command, const QString& text, Handler handler, UpdateRule rule = {},
                      const QKeySequence& shortcut = {});
    // The command's action; a disabled placeholder while it is not registered.
    QAction* Action(std::uint32_t command);
    bool IsRegistered(std::uint32_t command) const;

    // Runs every registered rule; commands without a handler stay disabled.
    void UpdateActions();
    // Brings the menu's commands up to date each time it is about to show.
    void WatchMenu(QMenu* menu);

private:
    struct Entry {
        QAction* action = nullptr;
        Handler handler;
        UpdateRule rule;
    };
    Entry& EntryFor(std::uint32_t command);

    std::map<std::uint32_t, Entry> m_entries;
    QTimer m_toolBarTimer;
};

}  // namespace varnel
