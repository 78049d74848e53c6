// The five kinds of child window in the main window's MDI area. Each takes its view, places itself
// by the core's rules when it first shows, builds its title and guards its closing.
//
//   CChildFrame      the PLU list (a tool bar on screens 641 pixels wide or more); closing it closes
//                    the database (the program's end asks nothing), and its size is kept for the
//                    next run
//   CKbdChildWnd     the keyboard editor (a bar of key buttons); asks about an unsaved keyboard
//   CSchedChildWnd   the scheduler; asks about an unsaved schedule, then ends the program
//   CPluChildWnd     the PLU editor; closes when its view agrees
//   CPrntChildWnd    a report, with the bar its report kind takes
#pragma once

#include "app/ChildFrames.h"

#include <QMdiSubWindow>

#include <functional>

class QToolBar;

namespace varnel {

class CommandTable;
class IFrameModel;

class ChildFrameWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    ChildFrameWindow(ChildFrameKind kind, IFrameModel& frame, QWidget* view);

    ChildFrameKind Kind() const { return m_kind; }
    // Sets the first size by the kind's rule (once, before the window first shows).
    void PlaceFirst(const ScreenMetrics& screen);
    // Rebuilds the title from the frame's current state.
    virtual void UpdateTitle() = 0;
    // The program is ending: the window closes as part of that (a window's own questions about
    // unsaved work are still asked).
    void CloseWithProgram() { m_programClosing = true; }

protected:
    void closeEvent(QCloseEvent* event) override;
    virtual bool MayClose() { return true; }
    // The window is about to close (it may no longer refuse).
    virtual void OnClosing() {}
    IFrameModel& Frame() const { return m_frame; }
    // The bar inside the window, above its view.
    void SetBar(QWidget* bar);
    bool IsProgramClosing() const { return m_programClosing; }

private:
    ChildFrameKind m_kind;
    IFrameModel& m_frame;
    QWidget* m_view;
    bool m_programClosing = false;
};

class CChildFrame final : public ChildFrameWindow {
    Q_OBJECT
public:
    // `toolBar`: the bar's resource (0 for none, as on narrow screens).
    CChildFrame(IFrameModel& frame, QWidget* view, CommandTable& commands, int toolBar);
    void UpdateTitle() override;

protected:
    bool MayClose() override;
    void OnClosing() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize m_normalSize;  // the last size while neither maximised nor minimised
};

class CKbdChildWnd final : public ChildFrameWindow {
    Q_OBJECT
public:
    CKbdChildWnd(IFrameModel& frame, QWidget* view, QWidget* dialogBar, IUnsavedWork& keyboard);
    void UpdateTitle() override;

protected:
    bool MayClose() override;

private:
    IUnsavedWork& m_keyboard;
};

class CSchedChildWnd final : public ChildFrameWindow {
    Q_OBJECT
public:
    CSchedChildWnd(IFrameModel& frame, QWidget* view, IUnsavedWork& schedule);
    void UpdateTitle() override;

protected:
    bool MayClose() override;

private:
    IUnsavedWork& m_schedule;
};

class CPluChildWnd final : public ChildFrameWindow {
    Q_OBJECT
public:
    // `viewAgrees`: the editor's own question about an unsaved PLU.
    CPluChildWnd(IFrameModel& frame, QWidget* view, std::function<bool()> viewAgrees);
    void UpdateTitle() override;

protected:
    bool MayClose() override;

private:
    std::function<bool()> m_viewAgrees;
};

class CPrntChildWnd final : public ChildFrameWindow {
    Q_OBJECT
public:
    // `dialogBar`: the bar ReportDialogBar chose for the document's report kind (154 or 218).
    CPrntChildWnd(IFrameModel& frame, QWidget* view, QWidget* dialogBar);
    void UpdateTitle() override;
};

// A tool bar of the command table's actions for tool bar `resource`.
QToolBar* MakeToolBar(CommandTable& commands, int resource, QWidget* parent);

}  // namespace varnel
