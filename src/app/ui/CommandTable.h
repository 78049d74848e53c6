// The command table: one QAction per command number, shared by the menus, the accelerators and the
// tool bars. A command's handler and its update rule (a pure function of the model) are registered
// once; the rules run when a menu is about to show and, for the tool bars, on a timer.
//
//   table.Register(57665, "E&xit", [&] { window.close(); });
//   table.Register(59392, "&Tool Bar", toggle, [&] { return CommandState{true, bar->isVisible()}; });
//   table.RegisterFor(MenuWindow::Scheduler, 32884, "&Add", addItem);  // the scheduler's own 32884
//
// The menus come from the command data (app/MenuCommands.h): a registered command shows where its
// number stands in a menu, under that menu's label; nobody adds actions to menus by hand. A command
// asked for before anyone registered it (a tool-bar button of a window not built yet) gets a disabled
// action that takes its handler when it is registered.
//
// A number with two meanings (32819 is a default keyboard in the PLU list window and "&From..." in a
// report window) takes the label, handler and rule the active window registered for it first, else
// the frame's or document's. Once a state source is set, a command of the command data is enabled
// only when its data rule and its registered rule both allow it.
#pragma once

#include "app/MenuState.h"

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
    // The window's own meaning of the number, taken while that window is active.
    QAction* RegisterFor(MenuWindow window, std::uint32_t command, const QString& text, Handler handler,
                         UpdateRule rule = {});
    // The command's action; a disabled placeholder while it is not registered.
    QAction* Action(std::uint32_t command);
    // Whether the command has a handler in the active window.
    bool IsRegistered(std::uint32_t command) const;

    // The window whose menu shows: its own meanings come first.
    void SetActiveWindow(MenuWindow window);
    MenuWindow GetActiveWindow() const { return m_activeWindow; }
    // Where the data rules read the model.
    void SetStateSource(std::function<MenuState()> source) { m_stateSource = std::move(source); }
    // The current state of the model; the default state without a source.
    MenuState CurrentState() const;

    // Runs every rule; commands without a handler stay disabled.
    void UpdateActions();
    // Brings the menu's commands up to date each time it is about to show.
    void WatchMenu(QMenu* menu);

private:
    struct Meaning {
        QString text;
        Handler handler;
        UpdateRule rule;
    };
    struct Entry {
        QAction* action = nullptr;
        Meaning common;
        std::map<MenuWindow, Meaning> own;
    };
    Entry& EntryFor(std::uint32_t command);
    // The meaning the active window gives the entry.
    const Meaning& Current(const Entry& entry) const;
    bool IsOwnMeaning(const Entry& entry) const { return entry.own.contains(m_activeWindow); }

    std::map<std::uint32_t, Entry> m_entries;
    MenuWindow m_activeWindow = MenuWindow::PluList;
    std::function<MenuState()> m_stateSource;
    QTimer m_toolBarTimer;
};

}  // namespace varnel
