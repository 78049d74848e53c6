// The import and export commands.
#include "app/ImportCommands.h"

#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "platform/UserPrompt.h"

#include <optional>

namespace varnel {
namespace {

constexpr const char* kHostFilter = "Host Data Files (*.plu) |*.plu|All Files (*.*)|*.*||";
constexpr const char* kPriceCsvFilter = "Host Data Files (*.csv) |*.csv|All Files (*.*)|*.*||";
constexpr const char* kPriceF25Filter = "Price Data Files (*.f25) |*.f25|All Files (*.*)|*.*||";

std::optional<std::string> AskImportFile(const char* extension, const char* filter)
{
    FileRequest request;
    request.kind = FileRequest::Kind::Open;
    request.defaultExtension = extension;
    request.filter = filter;
    return AskFileName(request);
}

// Runs the import on the file the user chooses; the views show what it brought in.
bool ImportChosenFile(CVrn3Doc& document, const char* extension, const char* filter,
                      const std::function<MessageId(const std::string&)>& import)
{
    const std::optional<std::string> file = AskImportFile(extension, filter);
    if (!file) return false;
    (void)import(*file);
    document.UpdateAllViews();
    return true;
}

}  // namespace

bool EditImportDefinitions(CMainFrame& frame, IImportExport& imports, ImportDefinitionList list,
                           const EnterSetupPassword& enterPassword)
{
    return RunSettingsListCommand(frame, SettingsListSteps{.passwordGuarded = true}, enterPassword, [&] {
        switch (list) {
        case ImportDefinitionList::TextImport: return imports.EditTextImportDefinitions();
        case ImportDefinitionList::TextExport: return imports.EditTextExportDefinitions();
        case ImportDefinitionList::DatabaseImport: break;
        }
        return imports.EditDatabaseImportSettings();
    });
}

bool ImportHostData(const CGeneralSetup& setup, CVrn3Doc& document, IImportExport& imports)
{
    if (setup.m_totaraHostImport != 0) {
        return ImportChosenFile(document, "plu", kHostFilter,
                                [&](const std::string& file) { return imports.ImportTotaraHostFile(file); });
    }
    if (setup.m_kauriAucklandHostImport == 0) {
        (void)imports.ImportHostFileSet();
        document.UpdateAllViews();
        return true;
    }
    return ImportChosenFile(document, "plu", kHostFilter,
                            [&](const std::string& file) { return imports.ImportKauriAucklandHostFile(file); });
}

bool ImportPriceFile(const CGeneralSetup& setup, CVrn3Doc& document, IImportExport& imports,
                     IImportExport::PriceTarget target)
{
    if (setup.m_kauriAucklandHostImport != 0) {
        return ImportChosenFile(document, "csv", kPriceCsvFilter, [&](const std::string& file) {
            return imports.ImportPriceFile(document, file, target);
        });
    }
    // The RRPs come only in the comma-separated files.
    if (target != IImportExport::PriceTarget::UnitPrice || setup.m_totaraHostImport == 0) return false;
    return ImportChosenFile(document, "f25", kPriceF25Filter,
                            [&](const std::string& file) { return imports.ImportTotaraPriceFile(document, file); });
}

}  // namespace varnel
