// The import and export commands.
#include "app/ui/ImportCommandWindows.h"

#include "app/ImportCommands.h"
#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/EnterPasswordDlg.h"
#include "app/ui/MainFrameWindow.h"
#include "db/site/TextRules.h"
#include "settings/UserSetup.h"
#include "settings/UserSetupList.h"


namespace varnel {
namespace {

struct DefinitionListCommand {
    std::uint32_t command;
    const char* menuText;
    ImportDefinitionList list;
};
constexpr DefinitionListCommand kDefinitionLists[] = {
    {32874, "Text File &Import", ImportDefinitionList::TextImport},
    {32875, "Text File &Export", ImportDefinitionList::TextExport},
    {32911, "Data&base Import", ImportDefinitionList::DatabaseImport},
};

constexpr std::uint32_t kHostData = 32861;
constexpr std::uint32_t kImportRrps = 32907;
constexpr std::uint32_t kImportPrices = 32909;
constexpr std::uint32_t kExportNow = 32876;
constexpr std::uint32_t kTextImportNow = 32877;
constexpr std::uint32_t kDatabaseImportNow = 32910;

CommandState EnabledWhen(bool enabled) { return CommandState{enabled, std::nullopt}; }

}  // namespace

void RegisterImportCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document, IImportExport* imports)
{
    CommandTable& commands = window.Commands();
    const CUserSetupList& users = frame.Access().m_users;
    for (const DefinitionListCommand& entry : kDefinitionLists) {
        commands.Register(
            entry.command, entry.menuText,
            [&frame, &window, imports, &entry] {
                if (imports == nullptr) return;
                (void)EditImportDefinitions(frame, *imports, entry.list, [&frame, &window](const std::string& password) {
                    return AskSetupPassword(password, StoreCodePage(frame.GetGeneralSetup()), &window);
                });
            },
            [&frame, imports] { return EnabledWhen(imports != nullptr && frame.HasTableAccess(kSetupTable, AccessView)); });
    }

    const auto whenAllowed = [imports, &document](std::function<bool()> right) {
        return [imports, &document, right = std::move(right)] {
            return EnabledWhen(imports != nullptr && document.IsDatabaseOpen() && right());
        };
    };
    const auto textImport = whenAllowed([&users] { return users.AllowTextImport(); });
    const auto runNow = [imports, &document](void (IImportExport::*run)(CVrn3Doc&), bool refresh) {
        return [imports, &document, run, refresh] {
            if (imports == nullptr) return;
            (imports->*run)(document);
            if (refresh) document.UpdateAllViews();
        };
    };
    commands.Register(kExportNow, "&Export to Text File...", runNow(&IImportExport::ExportNow, false),
                      whenAllowed([] { return true; }));
    commands.Register(kTextImportNow, "&Import from Text File...", runNow(&IImportExport::ImportTextNow, true),
                      textImport);
    commands.Register(kDatabaseImportNow, "Import from &Database...", runNow(&IImportExport::ImportDatabaseNow, true),
                      whenAllowed([&users] { return users.AllowDatabaseImport(); }));

    commands.Register(
        kHostData, "Import &Host Data",
        [&frame, &document, imports] {
            if (imports == nullptr) return;
            (void)ImportHostData(frame.GetGeneralSetup(), document, *imports);
        },
        textImport);
    const auto priceFile = [&frame, &document, imports](IImportExport::PriceTarget target) {
        return [&frame, &document, imports, target] {
            if (imports == nullptr) return;
            (void)ImportPriceFile(frame.GetGeneralSetup(), document, *imports, target);
        };
    };
    commands.Register(kImportRrps, "Import RRPs", priceFile(IImportExport::PriceTarget::Rrp), textImport);
    commands.Register(kImportPrices, "Import Current Prices", priceFile(IImportExport::PriceTarget::UnitPrice),
                      textImport);
}

}  // namespace varnel
