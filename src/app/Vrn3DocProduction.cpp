// The production commands of the document.
#include "app/ProductionCommands.h"

#include "app/Vrn3Doc.h"
#include "comms/manager/IdEnqLinkList.h"
#include "db/site/GeneralSetup.h"
#include "db/site/MainFrame.h"
#include "platform/UserPrompt.h"
#include "settings/MasterScale.h"

namespace varnel {
namespace {

// Closes the production database when it goes, however the command ends.
class OpenProdDatabase {
public:
    explicit OpenProdDatabase(CVrn3Doc& document) : m_document(document) {}
    ~OpenProdDatabase() { (void)m_document.CloseProdDatabase(); }
    OpenProdDatabase(const OpenProdDatabase&) = delete;
    OpenProdDatabase& operator=(const OpenProdDatabase&) = delete;

private:
    CVrn3Doc& m_document;
};

bool KeepsTotalsOnScales() { return CurrentGeneralSetup().m_keepProductionAfterLoad != 0; }

bool IsShownResult(MessageId result) { return result != 0 && result != kMsgProdNoLinks; }

MessageId Show(MessageId result)
{
    if (result != 0) (void)ShowMessage(result);
    return result;
}

enum class StepRule { RunAll, StopAtFailure };

struct LoadOutcome {
    enum class Kind { Cancelled, Stopped, OpenFailed, Ran } kind;
    MessageId result = 0;
};

// One department's load and delete: the scales chosen, the production database beside `pluPath`
// opened, the loads, the clear request, the database closed. A step that found its link closed does
// not stand in the clear's way: those scales were not read, but they will not hear the clear either.
LoadOutcome LoadAndDelete(CVrn3Doc& document, IProductionServices& services, const CMasterScale* department,
                          const std::string& pluPath, StepRule rule, const ProdScalesOnline& scalesOnline)
{
    const std::optional<ScaleDefs> scales = services.ChooseScales(document, department);
    if (!scales) return {LoadOutcome::Kind::Cancelled, CVrn3Doc::kMsgCommsCancelled};
    // The check has logged and asked already: its cancel needs no further word.
    if (scalesOnline && !scalesOnline(department)) return {LoadOutcome::Kind::Stopped, CVrn3Doc::kMsgCommsCancelled};
    if (pluPath.empty() || !document.OpenProdDatabaseAt(GetProdDatabaseName(pluPath)))
        return {LoadOutcome::Kind::OpenFailed, kMsgProdFileOpenError};
    const OpenProdDatabase open(document);
    MessageId result = 0;
    bool everyStepRead = true;
    for (const ProdLoad load : kProdLoadOrder) {
        const MessageId step = services.Load(document, load, *scales);
        if (step == 0) continue;
        result = step;
        if (step == kMsgProdCannotOpenLink) continue;
        everyStepRead = false;
        if (rule == StepRule::StopAtFailure) break;
    }
    if (everyStepRead && !KeepsTotalsOnScales()) {
        if (const MessageId cleared = services.ClearScaleTotals(document, *scales); cleared != 0 && result == 0)
            result = cleared;
    }
    return {LoadOutcome::Kind::Ran, result};
}

std::string DepartmentDatabase(const CVrn3Doc& document, const CMasterScale& department)
{
    return department.m_database.empty() ? document.GetPathName() : department.m_database;
}

}  // namespace

MessageId LoadAndDeleteProduction(CVrn3Doc& document, IProductionServices& services, const CMasterScale* department,
                                  const ProdScalesOnline& scalesOnline)
{
    const LoadOutcome outcome =
        LoadAndDelete(document, services, department, document.GetPathName(), StepRule::RunAll, scalesOnline);
    if (outcome.kind == LoadOutcome::Kind::Stopped) return outcome.result;
    if (outcome.kind == LoadOutcome::Kind::Ran && !IsShownResult(outcome.result)) return 0;
    return Show(outcome.result);
}

MessageId LoadAndDeleteAllDepartments(CVrn3Doc& document, IProductionServices& services,
                                      const std::vector<const CMasterScale*>& departments,
                                      const ProdScalesOnline& scalesOnline)
{
    MessageId last = 0;
    for (const CMasterScale* department : departments) {
        const LoadOutcome outcome =
            LoadAndDelete(document, services, department, DepartmentDatabase(document, *department),
                          StepRule::StopAtFailure, scalesOnline);
        if (outcome.kind == LoadOutcome::Kind::Stopped) return outcome.result;
        if (outcome.kind != LoadOutcome::Kind::Ran) return Show(outcome.result);
        if (IsShownResult(outcome.result)) last = Show(outcome.result);
    }
    return last;
}

MessageId DeleteScaleProduction(CVrn3Doc& document, IProductionServices& services, const CMasterScale* department,
                                const CIdEnqLinkList& links)
{
    if (ShowMessage(kMsgAskClearScaleProduction, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok)
        return CVrn3Doc::kMsgCommsCancelled;
    ScaleDefs scales;
    if (department != nullptr)
        scales = department->GetScaleDefs();
    else
        links.GetAllScaleDefs(scales);
    const MessageId result = services.ClearScaleTotals(document, scales);
    return IsShownResult(result) ? Show(result) : 0;
}

MessageId DeletePcProduction(CVrn3Doc& document)
{
    if (ShowMessage(kMsgAskClearPcProduction, MessageButtons::OkCancel, MessageIcon::Warning) != MessageAnswer::Ok)
        return CVrn3Doc::kMsgCommsCancelled;
    return document.ClearProdTotals(true);
}

MessageId LoadMeatTest(CVrn3Doc& document, IProductionServices& services)
{
    const MessageId result = services.LoadMeatTestData(document);
    return IsShownResult(result) ? Show(result) : 0;
}

MessageId RunMeatCutTest(CVrn3Doc& document, IProductionServices& services)
{
    if (!document.OpenProdDatabase()) return Show(CVrn3Doc::kMsgProdFileError);
    const OpenProdDatabase open(document);
    if (!services.HasMeatTestData(document)) return Show(kMsgNoMeatTestData);
    if (const std::optional<MeatCutTestRange> range = services.RunMeatCutTestDialog(document))
        (void)services.OpenMeatCutTestReport(document, *range);
    return 0;
}

MessageId AdjustProduction(CVrn3Doc& document, IProductionServices& services, ProdAdjust totals)
{
    if (!document.OpenProdDatabase()) return Show(CVrn3Doc::kMsgProdFileError);
    const OpenProdDatabase open(document);
    services.RunAdjustProdData(document, totals);
    return 0;
}

}  // namespace varnel
