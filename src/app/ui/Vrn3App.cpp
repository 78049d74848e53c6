// The program's start-up and run.
#include "app/ui/Vrn3App.h"

#include "app/MainFrame.h"
#include "app/MainFrameModel.h"
#include "app/MainFrameStart.h"
#include "app/MenuStateSource.h"
#include "app/StartLogin.h"
#include "app/Vrn3Doc.h"
#include "app/CommsCommands.h"
#include "app/ui/AutomationServer.h"
#include "app/ui/BatchModeCommands.h"
#include "app/ui/ClockCommand.h"
#include "app/ui/CommandTable.h"
#include "app/ui/CommsCommandWindows.h"
#include "app/ui/FieldSetCommandWindows.h"
#include "app/ui/FrameCommandWindows.h"
#include "app/ui/DocumentListCommands.h"
#include "app/ui/ImportCommandWindows.h"
#include "app/ui/KeyboardCommandWindows.h"
#include "comms/ui/QtCommsDialogs.h"
#include "app/ui/LoginDlg.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/ConvertDataCommand.h"
#include "app/ui/DataSaveCommandWindows.h"
#include "app/ui/ProductionCommandWindows.h"
#include "app/ui/ReportCommands.h"
#include "app/ui/SaleWizardCommandWindow.h"
#include "app/ui/TransferCommandWindows.h"
#include "app/ui/PluEditorWindow.h"
#include "app/ui/PluListWindow.h"
#include "app/ui/ProgramIdentity.h"
#include "app/ui/RecordPickers.h"
#include "app/ui/ScaleDataListCommands.h"
#include "app/ui/SchedulerCommand.h"
#include "app/ui/StoreCommands.h"
#include "app/ui/SettingsListCommands.h"
#include "app/ui/SetupCommandWindows.h"
#include "app/ui/SplashDlg.h"
#include "app/ui/Vrn3View.h"
#include "db/text/DoubleByteText.h"
#include "platform/Profile.h"
#include "platform/StandardErrorPrompt.h"
#include "platform/ui/QtUserPrompt.h"
#include "platform/ui/TerminationSignal.h"
#include "pluedit/SelectionListForm.h"
#include "pluedit/ui/Plued1PluVw.h"
#include "scaledata/ui/StoreWindows.h"
#include "settings/LoginForm.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

namespace varnel {
namespace {

class LoginDialog final : public ILoginDialog {
public:
    explicit LoginDialog(const CMainFrame& frame) : m_frame(frame) {}
    bool Run(LoginForm& form) override
    {
        CLoginDlg dialog(form, StoreCodePage(m_frame.GetGeneralSetup()));
        return dialog.exec() == QDialog::Accepted;
    }

private:
    const CMainFrame& m_frame;
};

// What the document asks of the windows: the wait cursor, the splash window, the Communication Center,
// the message lists, the PLU edit window and the PLU list window.
class DocumentUi final : public IDocumentUi {
public:
    void BeginWaitCursor() override { QApplication::setOverrideCursor(Qt::WaitCursor); }
    void EndWaitCursor() override { QApplication::restoreOverrideCursor(); }
    void HideSplash() override { m_splash.reset(); }
    void OpenCommsCenter() override
    {
        if (openCommsCenter) openCommsCenter();
    }
    std::optional<std::uint32_t> SelectMessageNo(std::uint32_t kind, std::uint32_t current) override
    {
        return selectMessageNo ? selectMessageNo(kind, current) : std::nullopt;
    }
    std::optional<std::uint32_t> SelectStoreNo(std::uint32_t current) override
    {
        return selectStoreNo ? selectStoreNo(current) : std::nullopt;
    }
    void UpdateAllViews() override
    {
        if (m_pluEditor) m_pluEditor->OnUpdate();
        if (m_listView) m_listView->OnUpdate();
    }
    bool OpenPluEditorWindow() override
    {
        m_pluEditor = openPluEditor ? openPluEditor() : nullptr;
        return m_pluEditor != nullptr;
    }
    void ClosePluEditorWindows() override
    {
        if (m_pluEditor) ClosePluEditorWindow(*m_pluEditor);
    }
    void OpenListWindow() override
    {
        if (openListWindow) m_listView = openListWindow();
    }
    void DiscardListWindow() override
    {
        if (m_listView) DiscardPluListWindow(*m_listView);
    }
    CVrn3View* ListView() const { return m_listView; }
    void ShowSplash()
    {
        m_splash = std::make_unique<CSplashDlg>();
        m_splash->show();
        QApplication::processEvents();
    }

    std::function<void()> openCommsCenter;
    std::function<std::optional<std::uint32_t>(std::uint32_t, std::uint32_t)> selectMessageNo;
    std::function<std::optional<std::uint32_t>(std::uint32_t)> selectStoreNo;
    std::function<CPlued1PluVw*()> openPluEditor;
    std::function<CVrn3View*()> openListWindow;

private:
    std::unique_ptr<CSplashDlg> m_splash;
    QPointer<CPlued1PluVw> m_pluEditor;
    QPointer<CVrn3View> m_listView;
};

// The directory that holds the setup files, ending in "/": the current one in every mode (the bus
// starts the automation server through a launcher that changes to the site directory first).
std::string WorkingDirectory()
{
    std::error_code ignored;
    std::string directory = std::filesystem::current_path(ignored).string();
    if (directory.empty() || directory.back() != '/') directory += '/';
    return directory;
}

}  // namespace

// Built in the order the run needs them and destroyed the other way round: the window before the
// document (which stops the links), the document before the frame.
struct CVrn3App::Parts {
    explicit Parts(const std::string& workingDirectory) : frame(workingDirectory), model(frame) {}
    ~Parts()
    {
        automation.reset();
        frame.GetRun().window = nullptr;
        if (commsDialogs) SetCommsDialogs(previousCommsDialogs);
        commsDialogs.reset();
        window.reset();
        document.reset();
        SetMainFrame(previousFrame);
    }

    std::optional<QtUserPrompt> prompt;
    std::optional<StandardErrorPrompt> unattendedPrompt;
    CMainFrame frame;
    MainFrameModel model;
    IMainFrame* previousFrame = nullptr;
    DocumentUi documentUi;
    std::unique_ptr<CVrn3Doc> document;
    CommandTable commands;
    std::unique_ptr<MainFrameWindow> window;
    std::optional<QtCommsDialogs> commsDialogs;
    ICommsDialogs* previousCommsDialogs = nullptr;
    std::unique_ptr<AutomationServer> automation;
};

CVrn3App::CVrn3App(std::vector<std::string> words, CProfile& profile)
    : m_options(ReadStartOptions(words, std::getenv("VARNEL_PASSWORD"))), m_profile(profile)
{
}

CVrn3App::~CVrn3App() = default;

bool CVrn3App::InitInstance()
{
    m_parts = std::make_unique<Parts>(WorkingDirectory());
    Parts& parts = *m_parts;
    // Automation answers every question without showing it, keeping the messages on the standard
    // error; the other modes ask on screen.
    if (m_options.mode == RunMode::Automation)
        parts.unattendedPrompt.emplace("vrn3");
    else
        parts.prompt.emplace(QString(kProgramTitle));
    FrameRun& run = parts.frame.GetRun();
    run.options = m_options;
    run.profile = &m_profile;
    parts.previousFrame = SetMainFrame(&parts.frame);
    LoginDialog login(parts.frame);
    if (!CreateMainFrame(parts.frame, login)) return false;

    parts.window = std::make_unique<MainFrameWindow>(parts.model, parts.commands);
    run.window = &parts.window->PostTarget();
    parts.document = std::make_unique<CVrn3Doc>(parts.model);
    parts.document->SetUi(&parts.documentUi);
    parts.window->SetMenuStateSource([&parts](MenuWindow window, bool keyboardWindowOpen) {
        return MenuStateOf(parts.frame, parts.document.get(), window, keyboardWindowOpen);
    });
    RegisterSetupCommands(parts.frame, *parts.window, *parts.document);
    RegisterSettingsListCommands(parts.frame, *parts.window, *parts.document);
    RegisterCommsCommands(parts.frame, parts.model, *parts.window, *parts.document);
    // The communication windows show while there is a window to show them over; automation runs
    // every transfer unseen.
    if (m_options.mode != RunMode::Automation) {
        CMainFrame& frame = parts.frame;
        parts.commsDialogs.emplace(parts.window.get(), [&frame] { return StoreCodePage(frame.GetGeneralSetup()); });
        parts.previousCommsDialogs = SetCommsDialogs(&*parts.commsDialogs);
        QWidget* window = parts.window.get();
        CVrn3Doc& document = *parts.document;
        parts.documentUi.openCommsCenter = [&frame, &document, window] {
            (void)OpenCommCenter(frame, document, nullptr, MakeCommCenterPicker(frame, document, window));
        };
        parts.documentUi.selectMessageNo = [&frame, &document, window](std::uint32_t kind, std::uint32_t current) {
            return PickMessageNo(frame, document, window, kind, current);
        };
    }
    parts.documentUi.selectStoreNo = [&parts](std::uint32_t current) {
        const StoreWindowSite site{parts.document->GetDatabase(), StoreCodePage(parts.frame.GetGeneralSetup()),
                                   parts.window.get()};
        return RunStoreList(site, SelectionListForm::kPick, current);
    };
    parts.documentUi.openPluEditor = [&parts] {
        return OpenPluEditorWindow(parts.frame, parts.model, *parts.window, *parts.document);
    };
    // The PLU list window shows the open database in the normal mode only.
    if (m_options.mode == RunMode::Normal) {
        parts.documentUi.openListWindow = [&parts] {
            return OpenPluListWindow(parts.frame, parts.model, *parts.window, *parts.document);
        };
    }
    RegisterPluListCommands(parts.commands, [&parts] { return parts.documentUi.ListView(); });
    RegisterScaleDataListCommands(parts.frame, *parts.window, *parts.document);
    RegisterStoreCommands(parts.frame, *parts.window, *parts.document);
    RegisterClockCommand(*parts.window, *parts.document);
    RegisterSchedulerCommand(parts.frame, *parts.window);
    RegisterBatchModeCommands(parts.frame, *parts.window, *parts.document);
    RegisterFieldSetCommands(parts.frame, *parts.window);
    RegisterFrameCommands(parts.frame, parts.model, *parts.window, *parts.document);
    RegisterProductionCommands(parts.frame, *parts.window, *parts.document, nullptr);
    RegisterDocumentListCommands(parts.frame, *parts.window, *parts.document);
    RegisterTransferCommands(parts.frame, *parts.window, *parts.document);
    RegisterReportCommands(parts.frame, *parts.window, *parts.document);
    RegisterDataSaveCommands(parts.frame, *parts.window, *parts.document);
    RegisterSaleWizardCommand(parts.frame, *parts.window, *parts.document, nullptr);
    RegisterConvertDataCommand(*parts.window, *parts.document, nullptr);
    // The keyboard windows are not built yet: their commands stay disabled.
    RegisterKeyboardCommands(parts.frame, *parts.window, *parts.document, nullptr);
    // Nor are the imports and exports.
    RegisterImportCommands(parts.frame, *parts.window, *parts.document, nullptr);
    if (m_options.mode == RunMode::Automation) {
        (void)parts.document->OnNewDocument();
        parts.automation = AutomationServer::Start(parts.frame, parts.model, *parts.document,
                                                    *parts.unattendedPrompt);
        return parts.automation != nullptr;
    }

    if (m_options.mode == RunMode::Normal) parts.documentUi.ShowSplash();
    const bool opened = m_options.documentFile.empty() ? parts.document->OnNewDocument()
                                                       : parts.document->OnOpenDocument(m_options.documentFile);
    parts.documentUi.HideSplash();
    if (!opened) return false;
    parts.window->ShowPlaced();
    return true;
}

int CVrn3App::Run()
{
    // Ended from outside (the session, `kill`): a message or dialog that is up is closed as cancelled,
    // later questions get their cautious answers unseen, and the main window closes as if the user
    // chose Exit. During the start-up the request is kept until the window is there.
    bool endRequested = false;
    TerminationSignal termination([this, &endRequested] {
        endRequested = true;
        // The automation server has no window to close: its run simply ends.
        if (m_options.mode == RunMode::Automation) QCoreApplication::quit();
        if (m_parts != nullptr && m_parts->prompt) m_parts->prompt->Silence();
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        if (m_parts != nullptr && m_parts->window != nullptr && m_parts->window->isVisible()) {
            QMetaObject::invokeMethod(m_parts->window.get(), &QWidget::close, Qt::QueuedConnection);
        }
    });
    if (!InitInstance()) {
        m_parts.reset();
        return 1;
    }
    if (endRequested) m_parts->window->close();
    const int code = endRequested ? 0 : QApplication::exec();
    m_parts.reset();
    return code;
}

}  // namespace varnel
