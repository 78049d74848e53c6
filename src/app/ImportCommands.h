// The import and export commands: the definition lists behind the setup password ("Text File
// &Import" 32874, "Text File &Export" 32875, "Data&base Import" 32911; the general setup is saved
// after OK), the runs now ("&Export to Text File..." 32876, "&Import from Text File..." 32877,
// "Import from &Database..." 32910), "Import &Host Data" (32861) and the price files ("Import RRPs"
// 32907, "Import Current Prices" 32909). The imports themselves are the import subsystem's, reached
// through IImportExport; each run shows the wait cursor while it works, and its own errors.
//
//   host data: Totara switch on -> a "*.plu" file, the numbered-record host import
//              else Kauri Auckland switch off -> the host file set of the data folder
//              else a "*.plu" file, the Kauri Auckland host import
//   RRPs (Kauri Auckland on) and current prices (Kauri Auckland on): a "*.csv" file into the RRP
//   field or the unit price; current prices with Kauri Auckland off and Totara on: a "*.f25" file
//   A cancelled file choice imports nothing. After an import the views are brought up to date.
#pragma once

#include "app/SetupCommands.h"
#include "platform/Messages.h"

#include <functional>
#include <string>

namespace varnel {

struct CGeneralSetup;
class CMainFrame;
class CVrn3Doc;

class IImportExport {
public:
    enum class PriceTarget { UnitPrice, Rrp };

    virtual ~IImportExport() = default;
    // The definition lists' editors: true when closed with OK.
    virtual bool EditTextImportDefinitions() = 0;
    virtual bool EditTextExportDefinitions() = 0;
    virtual bool EditDatabaseImportSettings() = 0;
    // The user picks a definition and it runs.
    virtual void ExportNow(CVrn3Doc& document) = 0;
    virtual void ImportTextNow(CVrn3Doc& document) = 0;
    virtual void ImportDatabaseNow(CVrn3Doc& document) = 0;
    // 0 or the message of the failure.
    virtual MessageId ImportTotaraHostFile(const std::string& file) = 0;
    virtual MessageId ImportHostFileSet() = 0;
    virtual MessageId ImportKauriAucklandHostFile(const std::string& file) = 0;
    virtual MessageId ImportPriceFile(CVrn3Doc& document, const std::string& file, PriceTarget target) = 0;
    virtual MessageId ImportTotaraPriceFile(CVrn3Doc& document, const std::string& file) = 0;
};

enum class ImportDefinitionList { TextImport, TextExport, DatabaseImport };
// The setup password, then the list's editor; the general setup saved after OK. True on OK.
bool EditImportDefinitions(CMainFrame& frame, IImportExport& imports, ImportDefinitionList list,
                           const EnterSetupPassword& enterPassword);

// True when an import ran (the views are then refreshed).
// `setup`: the general setup, whose host-format switches choose the import.
bool ImportHostData(const CGeneralSetup& setup, CVrn3Doc& document, IImportExport& imports);
bool ImportPriceFile(const CGeneralSetup& setup, CVrn3Doc& document, IImportExport& imports,
                     IImportExport::PriceTarget target);

}  // namespace varnel
