// The menus on screen, built from the command data: a menu node's commands become the command table's
// actions under the node's labels, its popups submenus, its recent-files item one command per recent
// file ("&1 " and the path); the accelerator tables give the actions their keys.
#pragma once

#include "app/MenuCommands.h"

#include <QString>

#include <string>
#include <vector>

class QMenu;
class QWidget;

namespace varnel {

class CommandTable;

// Replaces the menu's items by the node's.
void FillMenu(QMenu& menu, const MenuNode& node, CommandTable& commands, const std::vector<std::string>& recentFiles);

// A popup menu of the node (menu 158), owned by `parent`.
QMenu* MakePopupMenu(const MenuNode& node, CommandTable& commands, QWidget* parent);

// The object name of a top-level menu: "&File" is "fileMenu".
QString MenuObjectName(const std::string& label);

// Gives the commands the keys of the active window (AcceleratorsFor), takes every other key of the
// tables 128 and 156 away, and puts the actions on `window` so the keys work while no menu shows them.
void ApplyAccelerators(CommandTable& commands, QWidget& window, MenuWindow active);

}  // namespace varnel
