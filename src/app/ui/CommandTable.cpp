// Actions by command number.
#include "app/ui/CommandTable.h"

#include "app/MenuCommands.h"

#include <QMenu>

namespace varnel {

CommandTable::CommandTable(QObject* parent, int toolBarUpdateMs) : QObject(parent)
{
    connect(&m_toolBarTimer, &QTimer::timeout, this, &CommandTable::UpdateActions);
    m_toolBarTimer.start(toolBarUpdateMs);
}

CommandTable::Entry& CommandTable::EntryFor(std::uint32_t command)
{
    Entry& entry = m_entries[command];
    if (entry.action == nullptr) {
        entry.action = new QAction(this);
        entry.action->setObjectName(QStringLiteral("command%1").arg(command));
        entry.action->setData(command);
        entry.action->setEnabled(false);
        connect(entry.action, &QAction::triggered, this, [this, command] {
            const Meaning& current = Current(m_entries.at(command));
            if (current.handler) current.handler();
        });
    }
    return entry;
}

const CommandTable::Meaning& CommandTable::Current(const Entry& entry) const
{
    const auto own = entry.own.find(m_activeWindow);
    return own != entry.own.end() ? own->second : entry.common;
}

QAction* CommandTable::Register(std::uint32_t command, const QString& text, Handler handler, UpdateRule rule,
                                const QKeySequence& shortcut)
{
    Entry& entry = EntryFor(command);
    entry.common = {text, std::move(handler), std::move(rule)};
    if (!IsOwnMeaning(entry)) {
        entry.action->setText(text);
        entry.action->setToolTip(QString(text).remove('&'));
        entry.action->setEnabled(static_cast<bool>(entry.common.handler));
    }
    if (!shortcut.isEmpty()) entry.action->setShortcut(shortcut);
    return entry.action;
}

QAction* CommandTable::RegisterFor(MenuWindow window, std::uint32_t command, const QString& text, Handler handler,
                                   UpdateRule rule)
{
    Entry& entry = EntryFor(command);
    entry.own[window] = {text, std::move(handler), std::move(rule)};
    if (window == m_activeWindow) SetActiveWindow(window);
    return entry.action;
}

QAction* CommandTable::Action(std::uint32_t command)
{
    return EntryFor(command).action;
}

bool CommandTable::IsRegistered(std::uint32_t command) const
{
    const auto found = m_entries.find(command);
    return found != m_entries.end() && Current(found->second).handler;
}

void CommandTable::SetActiveWindow(MenuWindow window)
{
    m_activeWindow = window;
    for (auto& [command, entry] : m_entries) {
        const Meaning& current = Current(entry);
        if (current.text.isEmpty()) continue;
        entry.action->setText(current.text);
        entry.action->setToolTip(QString(current.text).remove('&'));
    }
    UpdateActions();
}

MenuState CommandTable::CurrentState() const
{
    MenuState state = m_stateSource ? m_stateSource() : MenuState{};
    state.window = m_activeWindow;
    return state;
}

void CommandTable::UpdateActions()
{
    const std::optional<MenuState> state = m_stateSource ? std::optional(CurrentState()) : std::nullopt;
    for (auto& [command, entry] : m_entries) {
        const Meaning& current = Current(entry);
        if (!current.handler) {
            entry.action->setEnabled(false);
            continue;
        }
        CommandState commandState = current.rule ? current.rule() : CommandState{};
        // A window's own meaning answers for itself; the frame's and document's follow the data rule too.
        if (state && !IsOwnMeaning(entry)) {
            if (const CommandDef* data = FindCommand(command); data != nullptr)
                commandState.enabled = commandState.enabled && IsCommandEnabled(*data, *state);
        }
        entry.action->setEnabled(commandState.enabled);
        entry.action->setCheckable(commandState.checked.has_value());
        if (commandState.checked) entry.action->setChecked(*commandState.checked);
    }
}

void CommandTable::WatchMenu(QMenu* menu)
{
    connect(menu, &QMenu::aboutToShow, this, &CommandTable::UpdateActions);
}

}  // namespace varnel
