// The production commands.
#include "app/ui/ProductionCommandWindows.h"

#include "app/CommsCommands.h"
#include "app/MainFrame.h"
#include "app/ProdScalesCheck.h"
#include "app/ProductionCommands.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/RecordPickers.h"
#include "settings/UserSetupList.h"

#include <array>
#include <utility>

namespace varnel {

void RegisterProductionCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document,
                                IProductionServices* production)
{
    CommandTable& commands = window.Commands();
    const auto online = [&document, production] {
        return CommandState{production != nullptr && document.CanUseOnlineComms(), std::nullopt};
    };
    const auto available = [production] { return CommandState{production != nullptr, std::nullopt}; };
    const ProdScalesOnline scalesOnline = [&frame, &document, &window](const CMasterScale* department) {
        ProdScalesCheckSite site;
        site.links = &frame.Links();
        site.comms.document = &document;
        site.comms.market = frame.GetGeneralSetup().m_market;
        site.continueInCommCenter = [&frame, &document, &window](const CMasterScale* waitingFor) {
            return OpenCommCenter(frame, document, waitingFor, MakeCommCenterPicker(frame, document, &window));
        };
        return CheckProdScalesOnline(site, department);
    };
    const auto run = [production](auto command) {
        return [production, command] {
            if (production != nullptr) (void)command(*production);
        };
    };

    commands.Register(Commands::kLoadProduction, "Load and Delete &Production Data from Scales",
                      run([&frame, &document, scalesOnline](IProductionServices& services) {
                          return LoadAndDeleteProduction(document, services, frame.Departments().GetCurrent(),
                                                         scalesOnline);
                      }),
                      online);
    commands.Register(Commands::kLoadProductionAllDepts, "Load and Delete Pr&oduction Data from Scales (All Depts)",
                      run([&frame, &document, scalesOnline](IProductionServices& services) {
                          std::vector<const CMasterScale*> departments;
                          for (const auto& department : frame.Departments().GetDepartments())
                              departments.push_back(department.get());
                          return LoadAndDeleteAllDepartments(document, services, departments, scalesOnline);
                      }),
                      online);
    commands.Register(Commands::kDeleteScaleProduction, "&Delete Production Data on Scales",
                      run([&frame, &document](IProductionServices& services) {
                          return DeleteScaleProduction(document, services, frame.Departments().GetCurrent(),
                                                       frame.Links());
                      }),
                      online);
    commands.Register(
        Commands::kDeletePcProduction, "D&elete Production Totals on PC", [&document] { (void)DeletePcProduction(document); },
        [&document] { return CommandState{document.CanUseOnlineComms(), std::nullopt}; });
    commands.Register(Commands::kLoadMeatTest, "Load and Delete Meat Test from Scales",
                      run([&document](IProductionServices& services) { return LoadMeatTest(document, services); }),
                      online);
    commands.Register(Commands::kMeatCutTestReport, "Meat Cut Test Report",
                      run([&document](IProductionServices& services) { return RunMeatCutTest(document, services); }),
                      available);

    constexpr std::array<std::pair<std::uint32_t, ProdAdjust>, 4> kAdjusts = {{
        {Commands::kAdjustPluProduction, ProdAdjust::Plu},
        {Commands::kAdjustRewrapProduction, ProdAdjust::Rewrap},
        {Commands::kAdjustNextDayProduction, ProdAdjust::NextDay},
        {Commands::kAdjustBatchProduction, ProdAdjust::Batch},
    }};
    constexpr std::array<const char*, 4> kAdjustTexts = {"&Adjust PLU Production Data", "Adjust &Rewrap Production Data",
                                                         "Adjust &Next Day Production Data",
                                                         "Adjust &Batch Production Data"};
    for (std::size_t i = 0; i < kAdjusts.size(); ++i) {
        const auto [command, totals] = kAdjusts[i];
        const bool unrestrictedOnly = command == Commands::kAdjustBatchProduction;
        commands.Register(command, kAdjustTexts[i],
                          run([&document, totals = totals](IProductionServices& services) {
                              return AdjustProduction(document, services, totals);
                          }),
                          [&frame, available, unrestrictedOnly] {
                              CommandState state = available();
                              if (unrestrictedOnly && frame.Access().m_users.IsRestrictedAccess()) state.enabled = false;
                              return state;
                          });
    }
}

}  // namespace varnel
