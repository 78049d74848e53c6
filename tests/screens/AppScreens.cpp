// The application's windows: the main window in both modes with each of its tool bars, the child
// windows, the login dialogs, the About box and the splash window.
#include "ScreenShots.h"

#include "app/FrameDocument.h"
#include "app/ToolBars.h"
#include "app/ui/AboutDlg.h"
#include "app/ui/ChildFrameWindows.h"
#include "app/ui/EnterPasswordDlg.h"
#include "app/ui/CommandTable.h"
#include "app/ui/LoginDlg.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/NewPasswordDlg.h"
#include "app/ui/ScaleDataDirDlg.h"
#include "app/ui/SelectLinkScaleIdDlg.h"
#include "app/ui/SplashDlg.h"
#include "app/FrameModel.h"
#include "app/EnterPasswordForm.h"
#include "app/ScaleDataDirForm.h"
#include "app/SelectLinkScaleIdForm.h"
#include "comms/idenq/IdEnqSocketLink.h"
#include "comms/idenq/LinkScale.h"
#include "comms/manager/IdEnqLinkList.h"
#include "keyboards/KeyboardList.h"
#include "settings/LoginForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>

#include <memory>

namespace varnel::screens {
namespace {

class ShopDocument final : public IFrameDocument {
public:
    std::string GetTitle() const override { return "Shop.pld"; }
    bool IsBatchMode() const override { return false; }
    std::string GetBatchFilePath() const override { return {}; }
    int GetReportKind() const override { return 1; }
    bool SaveModified() override { return true; }
    void CloseEditorWindows() override {}
};

class ShopFrame final : public IFrameModel {
public:
    explicit ShopFrame(RunMode mode, int toolBar = 239) : m_mode(mode), m_toolBar(toolBar) {}
    RunMode GetRunMode() const override { return m_mode; }
    int GetMainToolBar(int) const override { return m_toolBar; }
    std::string GetCommsStatusText() const override
    {
        return m_mode == RunMode::Normal ? "Scale Comms: Idle (Data waiting on 2 scale(s))" : "";
    }
    std::string GetFrameTitle(const IFrameDocument* active) const override
    {
        return active != nullptr ? "Varnel - ann - Shop.pld" : "Varnel - ann";
    }
    RestoredPlacement GetRestoredPlacement() const override { return {{0, 0, 1000, 700}}; }
    void SaveOnClose(const ClosingPlacement&) override {}
    IFrameDocument* GetFrameDocument() const override { return &m_document; }
    const CUserSetupList* GetUsers() const override { return nullptr; }
    std::string GetDataSourceName() const override { return "Shop"; }
    std::string GetSchedulePath() const override { return "/home/ann/Schedules/day.sch"; }
    int GetMarket() const override { return 0; }
    std::pair<int, int> GetSearchWindowSize() const override { return {0, 0}; }
    void SetSearchWindowSize(int, int) override {}
    void OnDataSaveReceived() override {}

private:
    RunMode m_mode;
    int m_toolBar;
    mutable ShopDocument m_document;
};

class NothingUnsaved final : public IUnsavedWork {
public:
    bool HasUnsavedChanges() const override { return false; }
    bool SaveChanges() override { return true; }
    void DiscardChanges() override {}
};

// A stand-in for a view another part of the system draws.
QWidget* View(const QString& what)
{
    auto* view = new QLabel(what);
    view->setAlignment(Qt::AlignCenter);
    view->setMinimumSize(200, 120);
    view->setStyleSheet("background: white; color: gray");
    return view;
}

QWidget* DialogBar(const QStringList& buttons)
{
    auto* bar = new QWidget;
    auto* layout = new QHBoxLayout(bar);
    for (const QString& button : buttons) layout->addWidget(new QPushButton(button));
    layout->addStretch();
    return bar;
}

void MainWindows(ScreenShots& shots)
{
    for (int bar : {238, 248, 251, 239, 247}) {
        ShopFrame frame(RunMode::Normal, bar);
        CommandTable commands;
        MainFrameWindow window(frame, commands);
        window.resize(1000, 640);
        shots.Take(QStringLiteral("main-window-toolbar-%1").arg(bar), window);
    }
    ShopFrame scheduler(RunMode::Scheduler);
    CommandTable commands;
    MainFrameWindow window(scheduler, commands);
    window.resize(800, 500);
    NothingUnsaved schedule;
    window.AddChildFrame(new CSchedChildWnd(scheduler, View("Schedule"), schedule));
    shots.Take("main-window-scheduler", window);
}

void ChildWindows(ScreenShots& shots)
{
    ShopFrame frame(RunMode::Normal);
    NothingUnsaved keyboard;
    const auto take = [&](const QString& name, auto makeChild) {
        CommandTable commands;
        MainFrameWindow window(frame, commands);
        window.resize(1024, 720);
        window.AddChildFrame(makeChild(commands));
        shots.Take(name, window);
    };
    for (int bar : {243, 244, 245, 246, 250}) {
        take(QStringLiteral("child-plu-list-toolbar-%1").arg(bar), [&](CommandTable& commands) {
            auto* child = new CChildFrame(frame, View("PLU list"), commands, bar);
            return child;
        });
    }
    take("child-keyboard", [&](CommandTable&) {
        return new CKbdChildWnd(frame, View("Keyboard"),
                                DialogBar({"Save", "Close", "Print", "Edit Key", "Delete Key"}), keyboard);
    });
    take("child-plu-editor", [&](CommandTable&) { return new CPluChildWnd(frame, View("PLU edit form"), {}); });
    take("child-report", [&](CommandTable&) {
        return new CPrntChildWnd(frame, View("Report pages"),
                                 DialogBar({"Select...", "Select...", "<<", ">>", "Print", "Close", "Full Desc",
                                            "1st Line Only", "Export"}));
    });
}

void Dialogs(ScreenShots& shots)
{
    CUserSetupList users;
    for (const char* name : {"Ann", "Bob", "Supervisor"}) {
        auto user = std::make_unique<CUserSetup>();
        user->m_name = name;
        user->m_password = "x";
        users.Add(std::move(user));
    }
    const CGeneralSetup setup;
    LoginForm form(users, setup);
    CLoginDlg login(form, CodePage::Western);
    shots.Take("dialog-login", login);
    CNewPasswordDlg newPassword(form, CodePage::Western);
    shots.Take("dialog-new-password", newPassword);
    CAboutDlg about;
    shots.Take("dialog-about", about);
    CSplashDlg splash;
    shots.Take("splash", splash);
    EnterPasswordForm setupPassword("owl");
    CEnterPasswordDlg enterPassword(setupPassword, CodePage::Western);
    shots.Take("dialog-enter-password", enterPassword);
    CIdEnqLinkList links;
    for (const char* name : {"Deli HBKU", "Meat HBKU"}) {
        auto link = std::make_unique<CIdEnqSocketLink>();
        link->m_name = name;
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleType = 1;
        link->m_scales.push_back(std::move(scale));
        links.Add(std::move(link));
    }
    CKeyboardList keyboards;
    SelectLinkScaleIdForm linkScale(links, keyboards, 0);
    CSelectLinkScaleIdDlg selectLinkScale(linkScale);
    shots.Take("dialog-select-hbku-and-scale-id", selectLinkScale);
    ScaleDataDirForm scaleData("/home/ann/ScalesData");
    CScaleDataDirDlg scaleDataDir(scaleData);
    shots.Take("dialog-scale-data-directory", scaleDataDir);
}

}  // namespace

void AddAppScreens(ScreenShots& shots)
{
    MainWindows(shots);
    ChildWindows(shots);
    Dialogs(shots);
}

}  // namespace varnel::screens
