// The update rules of the command table.
#include "app/MenuCommands.h"

namespace varnel {
namespace {

bool MayViewSetup(const MenuState& state) { return state.user.HasTableAccess(kSetupTable, AccessView); }

}  // namespace

bool IsCommandEnabled(const CommandDef& command, const MenuState& state)
{
    const MenuRights& user = state.user;
    const bool notBatch = !state.batchMode;
    switch (command.rule) {
    case CommandRule::Always:
    case CommandRule::Handler: return true;
    case CommandRule::Setup: return MayViewSetup(state);
    case CommandRule::SetupNotBatch: return MayViewSetup(state) && notBatch;
    case CommandRule::SetupUpdate: return user.HasTableAccess(kSetupTable, AccessUpdate);
    case CommandRule::SetupDeptGroup: return MayViewSetup(state) && !state.switches.deptGroupTables;
    case CommandRule::Table: return user.HasTableAccess(command.table, AccessView);
    case CommandRule::OnlineComms: return state.onlineCommsUsable;
    case CommandRule::NotBatchDocument:
    case CommandRule::NotBatch: return notBatch;
    case CommandRule::NotRestricted: return !user.IsRestrictedAccess();
    case CommandRule::Batch: return state.batchMode;
    case CommandRule::NotBatchNotRestricted: return notBatch && !user.IsRestrictedAccess();
    case CommandRule::ChangeDepartment: return state.departmentsExist && user.CanChangeDatabase();
    case CommandRule::DataSaveFileOpen: return state.dataSaveFileOpen;
    case CommandRule::KeyboardPresets:
        return user.HasTableAccess(12, AccessView) && state.linksExist && notBatch;
    case CommandRule::DefaultKeyboard: return !state.keyboardWindowOpen && MayViewSetup(state);
    case CommandRule::LoadBatchFile: return state.documentOpen && notBatch;
    case CommandRule::SaleWizard:
        if (state.headOffice && user.saleRestricted) return false;
        return notBatch && !user.IsRestrictedAccess();
    case CommandRule::ShowCommsStatus: return notBatch && state.linksExist && state.onlineCommsOn;
    case CommandRule::PluProdReport: return user.Allows(RightPluProdReport);
    case CommandRule::PluListReport: return user.Allows(RightPluListReport);
    case CommandRule::TextImport: return user.Allows(RightTextImport);
    case CommandRule::DatabaseImport: return user.Allows(RightDatabaseImport);
    case CommandRule::Scheduler: return user.Allows(RightScheduler);
    }
    return false;
}

}  // namespace varnel
