// Every menu of the command data: each top-level popup and submenu of the bars 128, 129, 130 and 156,
// as a site that uses every record kind shows them to a user with every right, and popup 158.
#include "ScreenShots.h"

#include "app/MenuPruning.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MenuBars.h"

#include <QMenu>

namespace varnel::screens {
namespace {

MenuState EverythingInUse(MenuWindow window)
{
    MenuState state;
    state.window = window;
    state.flags.set();
    state.market = MarketNewZealand;
    state.scaleMix = 4;
    state.switches.scaleStatusLog = true;
    state.switches.pluActiveInactive = true;
    state.switches.kauriAucklandHost = true;
    state.recentFileCount = 2;
    return state;
}

QString Slug(const std::string& label) { return MenuObjectName(label).chopped(4); }

void TakeMenu(ScreenShots& shots, const QString& name, const MenuNode& node, CommandTable& commands)
{
    QMenu menu;
    FillMenu(menu, node, commands, {"/home/shop/Varnel.pld", "/home/shop/Deli.mdb"});
    shots.Take(name, menu);
    for (const MenuNode& item : node.children) {
        if (item.kind == MenuNode::Kind::Popup) TakeMenu(shots, name + "-" + Slug(item.label), item, commands);
    }
}

}  // namespace

void AddMenuScreens(ScreenShots& shots)
{
    CommandTable commands;
    for (const MenuWindow window :
         {MenuWindow::NoDocument, MenuWindow::PluList, MenuWindow::Scheduler, MenuWindow::PluEditor}) {
        MenuState state = EverythingInUse(window);
        state.schedulerMode = window == MenuWindow::Scheduler;
        const MenuNode bar = MenuBarFor(state);
        for (const MenuNode& popup : bar.children) {
            TakeMenu(shots, QStringLiteral("menu-%1-%2").arg(static_cast<int>(window)).arg(Slug(popup.label)), popup,
                     commands);
        }
    }
    TakeMenu(shots, "menu-158-copy-price-popup", CopyPricePopup(), commands);
}

}  // namespace varnel::screens
