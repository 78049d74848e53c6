#include "app/ui/MenuBars.h"

#include "app/ui/CommandTable.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include <map>

namespace varnel {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void FillMenu(QMenu& menu, const MenuNode& node, CommandTable& commands, const std::vector<std::string>& recentFiles)
{
    menu.clear();
    // Submenus of an earlier filling go with it.
    for (QMenu* old : menu.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) old->deleteLater();
    for (const MenuNode& item : node.children) {
        switch (item.kind) {
        case MenuNode::Kind::Separator: menu.addSeparator(); break;
        case MenuNode::Kind::Popup: {
            auto* submenu = new QMenu(Text(item.label), &menu);
            FillMenu(*submenu, item, commands, recentFiles);
            menu.addMenu(submenu);
            break;
        }
        case MenuNode::Kind::RecentFiles:
            for (std::size_t i = 0; i < recentFiles.size() && i < kRecentFileCount; ++i) {
                QAction* action = commands.Action(kFirstRecentFileCommand + static_cast<std::uint32_t>(i));
                action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(Text(recentFiles[i])));
                menu.addAction(action);
            }
            break;
        case MenuNode::Kind::Command: {
            QAction* action = commands.Action(item.command);
            action->setText(Text(item.label));
            menu.addAction(action);
            break;
        }
        }
    }
}

QMenu* MakePopupMenu(const MenuNode& node, CommandTable& commands, QWidget* parent)
{
    auto* menu = new QMenu(Text(node.label), parent);
    FillMenu(*menu, node, commands, {});
    commands.WatchMenu(menu);
    return menu;
}

QString MenuObjectName(const std::string& label)
{
    QString name;
    for (const QChar c : Text(label))
        if (c.isLetterOrNumber()) name += c.toLower();
    return name + QStringLiteral("Menu");
}

void ApplyAccelerators(CommandTable& commands, QWidget& window, MenuWindow active)
{
    std::map<std::uint32_t, QList<QKeySequence>> keys;
    for (const int each : {128, 156})
        for (const Accelerator& accelerator : AcceleratorTable(each)) keys[accelerator.command];
    for (const Accelerator& accelerator : AcceleratorsFor(active))
        keys[accelerator.command].push_back(QKeySequence(QString::fromLatin1(accelerator.keys)));
    for (const auto& [command, sequences] : keys) {
        QAction* action = commands.Action(command);
        action->setShortcuts(sequences);
        if (!window.actions().contains(action)) window.addAction(action);
    }
}

}  // namespace varnel
