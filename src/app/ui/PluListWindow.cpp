// The PLU list window and its commands.
#include "app/ui/PluListWindow.h"

#include "app/MainFrame.h"
#include "app/PluListViewForm.h"
#include "app/ToolBars.h"
#include "app/Vrn3Doc.h"
#include "app/ui/ChildFrameWindows.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/ScreenFacts.h"
#include "app/ui/Vrn3View.h"
#include "platform/Messages.h"

#include <QMdiSubWindow>

namespace varnel {
namespace {

int ToolBarOf(const CMainFrame& frame)
{
    if (!PluListHasToolBar(CurrentScreenMetrics().screenWidth)) return 0;
    const NutritionUse nutrition = frame.IsAusNzNutrition() ? NutritionUse::AustraliaNewZealand
                                   : frame.CanEditNutrition() || frame.CanEditCustomNutrition() ? NutritionUse::Editable
                                                                                                 : NutritionUse::None;
    return ChoosePluListToolBar(nutrition, frame.GetGeneralSetup().m_pluActiveInactive != 0);
}

struct ListCommand {
    std::uint32_t command;
    const char* text;
    QKeySequence shortcut;
};

}  // namespace

CVrn3View* OpenPluListWindow(CMainFrame& frame, IFrameModel& model, MainFrameWindow& window, CVrn3Doc& document)
{
    if (!document.IsDatabaseOpen()) return nullptr;
    auto* view = new CVrn3View(frame, document);
    // The clipboard keys act in the list (the edits keep their own).
    for (const std::uint32_t command : {PluCommand::kCopy, PluCommand::kCut, PluCommand::kPaste}) {
        QAction* action = window.Commands().Action(command);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        view->addAction(action);
    }
    window.AddChildFrame(new CChildFrame(model, view, window.Commands(), ToolBarOf(frame)));
    return view;
}

void DiscardPluListWindow(CVrn3View& view)
{
    for (QWidget* widget = view.parentWidget(); widget != nullptr; widget = widget->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(widget)) {
            delete frame;
            return;
        }
    }
    delete &view;
}

void RegisterPluListCommands(CommandTable& commands, const std::function<CVrn3View*()>& listView)
{
    using namespace PluCommand;
    const ListCommand list[] = {
        {kNewPlu, "&New Plu", {}},
        {kEditPlu, "&Edit PLU", {}},
        {kDeleteRange, "&Delete PLUs", {}},
        {kDeletePlu, "Delete PLU", {}},
        {kPriceChanges, "&Price Changes", {}},
        {kMarkdownChanges, "&Markdown Price Changes", {}},
        {kCopy, "&Copy", QKeySequence::Copy},
        {kCut, "Cu&t", QKeySequence::Cut},
        {kPaste, "&Paste", QKeySequence::Paste},
        {kNutrition, "&Nutrition", {}},
        {kDeleteNutrition, "Dele&te Nutrition", {}},
        {kIngredients, "Ingredients", {}},
        {kDeleteIngredients, "Delete Ingredients", {}},
        {kMarkActive, "Mark Active?", {}},
    };
    for (const ListCommand& entry : list) {
        const std::uint32_t command = entry.command;
        QAction* action = commands.Action(command);
        commands.Register(
            command, entry.text,
            [listView, command] {
                if (CVrn3View* view = listView()) (void)view->RunCommand(command);
            },
            [listView, command, action] {
                CVrn3View* view = listView();
                if (command == kMarkActive && view != nullptr) {
                    const std::string_view text = GetMessageText(view->Form().GetActiveCommandText());
                    action->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
                }
                return CommandState{view != nullptr && view->IsEnabled(command), std::nullopt};
            },
            entry.shortcut);
    }
}

}  // namespace varnel
