// Actions by command number.
#include "app/ui/CommandTable.h"

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
            const Entry& current = m_entries.at(command);
            if (current.handler) current.handler();
        });
    }
    return entry;
}

QAction* CommandTable::Register(std::uint32_t command, const QString& text, Handler handler, UpdateRule rule,
                                const QKeySequence& shortcut)
{
    Entry& entry = EntryFor(command);
    entry.handler = std::move(handler);
    entry.rule = std::move(rule);
    entry.action->setText(text);
    entry.action->setToolTip(QString(text).remove('&'));
    if (!shortcut.isEmpty()) entry.action->setShortcut(shortcut);
    entry.action->setEnabled(static_cast<bool>(entry.handler));
    return entry.action;
}

QAction* CommandTable::Action(std::uint32_t command)
{
    return EntryFor(command).action;
}

bool CommandTable::IsRegistered(std::uint32_t command) const
{
    const auto found = m_entries.find(command);
    return found != m_entries.end() && found->second.handler;
}

void CommandTable::UpdateActions()
{
    for (auto& [command, entry] : m_entries) {
        if (!entry.handler) continue;
        const CommandState state = entry.rule ? entry.rule() : CommandState{};
        entry.action->setEnabled(state.enabled);
        entry.action->setCheckable(state.checked.has_value());
        if (state.checked) entry.action->setChecked(*state.checked);
    }
}

void CommandTable::WatchMenu(QMenu* menu)
{
    connect(menu, &QMenu::aboutToShow, this, &CommandTable::UpdateActions);
}

}  // namespace varnel
