// The child windows.
#include "app/ui/ChildFrameWindows.h"

#include "app/FrameDocument.h"
#include "app/FrameModel.h"
#include "app/ToolBars.h"
#include "app/ui/CommandTable.h"
#include "app/ui/ProgramIdentity.h"
#include "app/ui/ScreenFacts.h"

#include <QCloseEvent>
#include <QResizeEvent>
#include <QMdiArea>
#include <QToolBar>
#include <QVBoxLayout>

#include <utility>

namespace varnel {
namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

// Holds a bar above the view.
QWidget* Stack(QWidget* view)
{
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view, 1);
    return holder;
}

}  // namespace

QToolBar* MakeToolBar(CommandTable& commands, int resource, QWidget* parent)
{
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QStringLiteral("toolBar%1").arg(resource));
    bar->setIconSize(QSize(24, 24));
    for (const ToolButton& button : ToolBarButtons(resource)) {
        if (button.command == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = commands.Action(button.command);
        const QString caption = QString::fromUtf8(button.caption.data(), static_cast<qsizetype>(button.caption.size()));
        if (action->text().isEmpty()) action->setText(caption);
        if (action->icon().isNull()) action->setIcon(CommandIcon(button.command, caption));
        bar->addAction(action);
    }
    return bar;
}

ChildFrameWindow::ChildFrameWindow(ChildFrameKind kind, IFrameModel& frame, QWidget* view)
    : m_kind(kind), m_frame(frame), m_view(view)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(Stack(view));
}

void ChildFrameWindow::SetBar(QWidget* bar)
{
    static_cast<QVBoxLayout*>(widget()->layout())->insertWidget(0, bar);
}

void ChildFrameWindow::PlaceFirst(const ScreenMetrics& screen)
{
    const std::optional<std::pair<int, int>> saved =
        m_kind == ChildFrameKind::PluList ? std::optional(m_frame.GetSearchWindowSize()) : std::nullopt;
    const ChildPlacement placement = ChildFramePlacement(m_kind, screen, DialogUnitsOf(*m_view), saved);
    setGeometry(placement.rect.left, placement.rect.top, placement.rect.Width(), placement.rect.Height());
    if (placement.show == ShowCommand::Maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void ChildFrameWindow::closeEvent(QCloseEvent* event)
{
    if (!MayClose()) {
        event->ignore();
        return;
    }
    OnClosing();
    QMdiSubWindow::closeEvent(event);
}

CChildFrame::CChildFrame(IFrameModel& frame, QWidget* view, CommandTable& commands, int toolBar)
    : ChildFrameWindow(ChildFrameKind::PluList, frame, view)
{
    setObjectName("pluListFrame");
    if (toolBar != 0) SetBar(MakeToolBar(commands, toolBar, this));
    UpdateTitle();
}

void CChildFrame::OnClosing()
{
    // Kept for the next run as the profile's "SearchRect".
    if (m_normalSize.isValid()) Frame().SetSearchWindowSize(m_normalSize.width(), m_normalSize.height());
}

void CChildFrame::resizeEvent(QResizeEvent* event)
{
    if (!isMaximized() && !isMinimized()) m_normalSize = event->size();
    ChildFrameWindow::resizeEvent(event);
}

void CChildFrame::UpdateTitle()
{
    setWindowTitle(Text(PluListTitle(Frame().GetDataSourceName())));
}

bool CChildFrame::MayClose()
{
    if (IsProgramClosing()) return true;
    IFrameDocument* document = Frame().GetFrameDocument();
    return document == nullptr || MayClosePluList(*document, Frame().GetUsers());
}

CKbdChildWnd::CKbdChildWnd(IFrameModel& frame, QWidget* view, QWidget* dialogBar, IUnsavedWork& keyboard)
    : ChildFrameWindow(ChildFrameKind::Keyboard, frame, view), m_keyboard(keyboard)
{
    setObjectName("keyboardFrame");
    if (dialogBar != nullptr) SetBar(dialogBar);
    UpdateTitle();
}

void CKbdChildWnd::UpdateTitle()
{
    setWindowTitle(Frame().GetFrameDocument() != nullptr ? Text(KeyboardTitle()) : QString());
}

bool CKbdChildWnd::MayClose()
{
    return MayCloseWithUnsavedWork(61414, m_keyboard);
}

CSchedChildWnd::CSchedChildWnd(IFrameModel& frame, QWidget* view, IUnsavedWork& schedule)
    : ChildFrameWindow(ChildFrameKind::Scheduler, frame, view), m_schedule(schedule)
{
    setObjectName("schedulerFrame");
    UpdateTitle();
}

void CSchedChildWnd::UpdateTitle()
{
    setWindowTitle(Text(SchedulerTitle(Frame().GetSchedulePath())));
}

bool CSchedChildWnd::MayClose()
{
    if (!MayCloseWithUnsavedWork(61364, m_schedule)) return false;
    // The scheduler window is the program: closing it ends the program.
    if (QWidget* main = mdiArea() != nullptr ? mdiArea()->window() : nullptr) {
        QMetaObject::invokeMethod(main, &QWidget::close, Qt::QueuedConnection);
    }
    return true;
}

CPluChildWnd::CPluChildWnd(IFrameModel& frame, QWidget* view, std::function<bool()> viewAgrees)
    : ChildFrameWindow(ChildFrameKind::PluEditor, frame, view), m_viewAgrees(std::move(viewAgrees))
{
    setObjectName("pluEditorFrame");
    UpdateTitle();
}

void CPluChildWnd::UpdateTitle()
{
    setWindowTitle(Text(PluEditorTitle(Frame().GetDataSourceName())));
}

bool CPluChildWnd::MayClose()
{
    return !m_viewAgrees || m_viewAgrees();
}

CPrntChildWnd::CPrntChildWnd(IFrameModel& frame, QWidget* view, QWidget* dialogBar)
    : ChildFrameWindow(ChildFrameKind::Report, frame, view)
{
    setObjectName("reportFrame");
    if (dialogBar != nullptr && frame.GetFrameDocument() != nullptr) SetBar(dialogBar);
    UpdateTitle();
}

void CPrntChildWnd::UpdateTitle()
{
    const IFrameDocument* document = Frame().GetFrameDocument();
    setWindowTitle(document != nullptr ? Text(ReportTitle(document->GetReportKind(), Frame().GetMarket())) : QString());
}

}  // namespace varnel
