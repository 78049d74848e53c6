// The main frame's settings commands.
#include "app/ui/SetupCommandWindows.h"

#include "app/MainFrame.h"
#include "app/OptionsCommand.h"
#include "app/SetupCommands.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/EnterPasswordDlg.h"
#include "app/ui/MainFrameWindow.h"
#include "db/text/DoubleByteText.h"
#include "keyboards/ui/PresetKeySetupDlg.h"
#include "settings/DefLineFontsForm.h"
#include "settings/ui/DefLineFontsDlg.h"
#include "settings/ui/EMailSettingsDlg.h"
#include "settings/ui/EditPluedProps.h"
#include "settings/ui/HostInterfaceDlg.h"


namespace varnel {

namespace {

void RunOptions(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document)
{
    const CodePage codePage = StoreCodePage(frame.GetGeneralSetup());
    const CMainFrame::DatabaseFileFilter files = frame.GetDatabaseFileFilter();
    OptionsSheetContext context;
    context.pages = OptionsPagesFor(frame);
    context.databaseExtension = files.extension.starts_with('.') ? files.extension.substr(1) : files.extension;
    context.databasePattern = files.pattern;
    context.databaseFilter = files.filter;
    context.chars = frame.GetTextRules().chars;
    if (document.IsDatabaseOpen()) context.clearTotals = [&document] { document.ClearProdTotals(true); };
    context.priceZones = &frame.PriceZones();
    context.fieldDefinitions = &frame.FieldDefs(FieldDefMap::Plu);
    context.codePage = codePage;
    context.editPresetKeys = [&window](CKeyTypeDef::Codes& codes, PresetKeySetupForm::Layout layout) {
        PresetKeySetupForm form(codes, layout);
        if (CPresetKeySetupDlg(form, &window).exec() != QDialog::Accepted) return false;
        codes = form.GetCodes();
        return true;
    };
    OptionsCommandUi ui;
    ui.enterPassword = [&window, codePage](const std::string& password) {
        return AskSetupPassword(password, codePage, &window);
    };
    ui.runSheet = [&window, &context](OptionsValues& values) {
        return CEditPluedProps(values, context, &window).exec() == QDialog::Accepted;
    };
    ui.updateViews = [&window, &document] {
        document.UpdateAllViews();
        window.UpdateFrameTitle();
    };
    RunOptionsCommand(frame, {&document, document.IsDatabaseOpen() ? document.GetPriceZoneTable() : nullptr}, ui);
}

}  // namespace

void RegisterSetupCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document)
{
    CommandTable& commands = window.Commands();
    const auto setupRule = [&frame] { return CommandState{MayViewSetup(&frame.Access().m_users), std::nullopt}; };
    commands.Register(Commands::kOptions, "&Options", [&frame, &window, &document] { RunOptions(frame, window, document); },
                      setupRule);
    commands.Register(
        Commands::kDefaultFonts, "Default Fonts",
        [&frame, &window] {
            EditDefaultLineFonts(frame, [&frame, &window](DefLineFontsForm& form) {
                std::vector<std::string> names;
                const CScaleFontList& fonts = frame.GetScaleFontList();
                for (std::size_t i = 0; i < fonts.GetSize(); ++i) names.push_back(fonts.GetAt(i).m_name);
                return CDefLineFontsDlg(form, names, &window).exec() == QDialog::Accepted;
            });
        },
        setupRule);
    commands.Register(
        Commands::kHostInterface, "Host Interface",
        [&frame, &window] {
            EditHostInterface(frame, [&window](HostInterfaceForm& form) {
                return CHostInterfaceDlg(form, &window).exec() == QDialog::Accepted;
            });
        },
        setupRule);
    commands.Register(Commands::kEMailSettings, "e-Mail Settings", [&frame, &window] {
        EditEMailSettings(frame, [&frame, &window](CEMailSettings& settings) {
            return CEMailSettingsDlg(settings, StoreCodePage(frame.GetGeneralSetup()), &window).exec() ==
                   QDialog::Accepted;
        });
    });
}

}  // namespace varnel
