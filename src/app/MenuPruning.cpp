#include "app/MenuPruning.h"

#include "platform/Messages.h"

#include <initializer_list>

namespace varnel {
namespace {

class Pruning {
public:
    explicit Pruning(const MenuState& state) : m_state(state), m_user(state.user) {}

    std::set<std::uint32_t> Run()
    {
        DataBaseItems();
        CommsItems();
        RecordKinds();
        FieldSets();
        Production();
        Nutrition();
        RetailerFormats();
        PluCommands();
        Tools();
        return std::move(m_pruned);
    }

private:
    void Drop(std::initializer_list<std::uint32_t> commands) { m_pruned.insert(commands); }
    void DropIf(bool condition, std::initializer_list<std::uint32_t> commands)
    {
        if (condition) Drop(commands);
    }
    bool Flag(std::size_t flag) const { return m_state.flags[flag]; }
    bool View(std::size_t table) const { return m_user.HasTableAccess(table, AccessView); }
    // A record kind's commands stay with view on its table and its flag on.
    void Kind(std::size_t table, std::size_t flag, std::initializer_list<std::uint32_t> commands)
    {
        DropIf(!View(table) || !Flag(flag), commands);
    }

    void DataBaseItems()
    {
        const bool departments = m_state.departmentsExist;
        const bool canChange = m_user.CanChangeDatabase();
        const bool hideDataSave = m_state.switches.hideDataSave;
        Drop({32859});
        DropIf(!departments || !canChange, {32873, 32900});
        DropIf(!departments, {32901});
        DropIf(departments || !canChange, {32840, 32804, 57601, 32811});
        if (m_state.schedulerMode)
            Drop({32840, 57601, 32900, 32812});
        else
            Drop({32898, 32889});
        DropIf(!canChange || hideDataSave, {32812, 32813, 32828, 32830});
        DropIf(!m_user.Allows(RightPz6602Comms) || hideDataSave, {32891});
        DropIf(!m_user.Allows(RightQd47ImportExport), {32838, 32839});
    }

    void CommsItems()
    {
        const bool usa = m_state.market == MarketUsa;
        const bool statusLog = m_state.switches.scaleStatusLog;
        DropIf(usa || !m_user.Allows(RightLumenComms), {32957, 32959});
        DropIf(usa || !m_user.Allows(RightTr5400SerialComms), {32958, 32829});
        DropIf(m_state.switches.hideDataSave, {32799, 32837, 32806});
        DropIf(!statusLog, {32961});
        DropIf(m_state.market != MarketChina || !statusLog, {32963});
    }

    void RecordKinds()
    {
        using namespace MenuFlag;
        Kind(53, kTrays, {32929});
        DropIf(!View(70) || !Flag(kComments) || Flag(kLotMessages), {32887, 32977});
        if (View(71) && Flag(kStoreSettings)) {
            const bool ownSettingsFamily = m_state.defaultFamily >= 10 && m_state.defaultFamily <= 12;
            Drop({ownSettingsFamily ? 32905u : 32986u});
        } else {
            Drop({32905, 32986});
        }
        const bool anyFreeMessages = View(72) || View(73) || View(74) || View(75) || View(76);
        DropIf(!anyFreeMessages || !Flag(kFreeMessages), {32886, 32890});
        for (std::uint32_t i = 0; i < 5; ++i) DropIf(!View(72 + i) || !Flag(kFreeMessages), {32972 + i});
        Kind(78, kComments, {32904, 32971});
        Kind(79, kComments, {32892, 32970});
        Kind(80, kComments, {32893, 32935});
        Kind(81, kComments, {32894, 32925});
        Kind(82, kDeptsAndGroups, {32895, 32978});
        Kind(83, kDeptsAndGroups, {32897, 32923});
        Kind(85, kFreeMessages, {32902});
        Kind(86, kComments, {32903});
        Kind(69, kImageKeys, {32969, 32994});
        Kind(10, kCampaigns, {32785});
        Kind(3, kAdvertising, {32786});
        Kind(4, kExtraMessages, {32787});
        Kind(4, kExtraMessageReports, {32797, 32921});
        Kind(4, kExtraMessages2, {32772, 32777});
        Kind(4, kExtraMessages3, {32801, 32778});
        Kind(8, kCoupons, {32816, 32817, 32922});
        Kind(70, kLotMessages, {32965, 32966});
        Kind(12, kKeyboardPresets, {32788, 32798});
        Kind(37, kPopMessages, {32854});
        Kind(7, kStoreNames, {32789});
        DropIf(!Flag(kDateAndTime), {32790});
        DropIf(!Flag(kBatchLabels), {32800});
    }

    void FieldSets()
    {
        switch (m_state.scaleMix) {
        case 0: Drop({32884, 32885, 32980, 32943}); break;
        case 1: Drop({32803, 32884, 32885}); break;
        case 2: Drop({32980, 32943, 32803}); break;
        case 3: Drop({32980, 32943, 32885}); break;
        case 4: Drop({32980, 32943}); break;
        default: break;
        }
    }

    void Production()
    {
        using namespace MenuFlag;
        const MenuRights& user = m_user;
        DropIf(!user.Allows(RightPluProdReport), {32860, 32931});
        DropIf(!Flag(kDeptGroupProduction), {32931});
        DropIf(!user.Allows(RightPluListReport), {32818});
        DropIf(!user.Allows(RightPluDailyReport), {32862, 32863, 32869});
        DropIf(!user.Allows(RightReadProdFromScales), {32865, 32899, 32913, 32926, 32927, 32928});
        DropIf(user.IsRestrictedAccess(), {32899, 32913, 32926, 32927, 32928, 32990});
        DropIf(!m_state.headOffice, {32967});
        const bool operatorReport = user.Allows(RightOperatorReport);
        DropIf(!operatorReport || !Flag(kOperatorTotals), {32864});
        DropIf(!operatorReport || !Flag(kOperatorOverrides), {32843});
        DropIf(!user.Allows(RightRewrapReport) || !Flag(kRewrap), {32915, 32916, 32917, 32927});
        DropIf(!user.Allows(RightNextDayReport) || !Flag(kNextDay), {32918, 32919, 32920, 32928});
        DropIf(!user.Allows(RightBatchProdReport) || !Flag(kBatchProduction), {32987, 32988, 32989, 32990});
        DropIf(!Flag(kMeatTest), {32998, 32999});
        DropIf(!user.Allows(RightAdjustProdTotals), {32926});
        DropIf(!Flag(kHourly), {32869});
    }

    void Nutrition()
    {
        using namespace MenuFlag;
        const bool second = Flag(kSecondNutrition);
        if (!Flag(kStandardNutrition) && !second) {
            Drop({3001, 32845, 32924, 32914});
            return;
        }
        DropIf(!m_user.HasTableAccess(9, AccessDelete), {32845});
        DropIf(!second, {32924, 32914});
    }

    void RetailerFormats()
    {
        const MenuSwitches& on = m_state.switches;
        if (m_state.ausNzNutrition) {
            DropIf(!on.otherMakerSends, {32993, 32964});
            Drop({32816, 32817, 32910, 32911, 32872, 32888});
            if (!on.kauriAucklandHost) {
                Drop({32907});
                DropIf(on.totaraHost || !m_user.HasTableAccess(kSetupTable, AccessUpdate), {32866});
            }
            DropIf(!on.conversion, {32866});
            DropIf(!on.kauriAucklandHost && !on.totaraHost, {32861, 32909, 32907});
        } else {
            Drop({32993, 32964});
            if (!on.kauriAucklandHost)
                Drop(on.totaraHost ? std::initializer_list<std::uint32_t>{32909, 32907}
                                   : std::initializer_list<std::uint32_t>{32861, 32909, 32907});
            else if (on.totaraHost)
                Drop({32909, 32907});
            Drop({32867, 32868, 32866});
        }
        DropIf(m_state.market != MarketNewZealand, {32906});
    }

    void PluCommands()
    {
        using namespace MenuFlag;
        const bool updatePlus = m_user.HasTableAccess(kPluTable, AccessUpdate);
        DropIf(!m_user.HasTableAccess(kPriceChangeTable, AccessUpdate), {32781, 32782});
        if (!View(kPluTable)) {
            Drop({32773, 32779, 32784});
        } else {
            DropIf(!m_user.HasTableAccess(kPluTable, AccessDelete) || m_state.switches.withholdPluDeletion, {32780});
            DropIf(!updatePlus, {32773, 32784});
        }
        const bool activeFunction = m_state.switches.pluActiveInactive;
        DropIf(!activeFunction || !updatePlus, {32951});
        DropIf(!activeFunction, {32953, 32954, 32955});
        DropIf(!m_user.Allows(RightLoadFromScales) || !Flag(kLoadFromScales), {32784});
        DropIf(!Flag(kMarkdown), {32782});
    }

    void Tools()
    {
        DropIf(!m_user.Allows(RightBatchMode), {32880, 32883, 32881});
        DropIf(!m_user.Allows(RightTextImport), {32877});
        DropIf(!m_user.Allows(RightTextExport), {32876});
        DropIf(!m_user.Allows(RightDatabaseImport), {32910});
    }

    const MenuState& m_state;
    const MenuRights& m_user;
    std::set<std::uint32_t> m_pruned;
};

bool IsEmptyPopup(const MenuNode& node)
{
    return node.kind == MenuNode::Kind::Popup && node.children.empty();
}

// Separators only between items: none first, last or after another.
void DropStraySeparators(std::vector<MenuNode>& items)
{
    std::vector<MenuNode> kept;
    for (MenuNode& item : items) {
        const bool separator = item.kind == MenuNode::Kind::Separator;
        if (separator && (kept.empty() || kept.back().kind == MenuNode::Kind::Separator)) continue;
        kept.push_back(std::move(item));
    }
    if (!kept.empty() && kept.back().kind == MenuNode::Kind::Separator) kept.pop_back();
    items = std::move(kept);
}

void RelabelProductionLoad(MenuNode& menu)
{
    for (MenuNode& item : menu.children) {
        if (item.kind == MenuNode::Kind::Popup) RelabelProductionLoad(item);
        else if (item.command == 32865 && !item.windowOwn) item.label = GetMessageText(18096);
    }
}

}  // namespace

std::set<std::uint32_t> PrunedCommands(const MenuState& state) { return Pruning(state).Run(); }

MenuNode PruneMenu(const MenuNode& menu, const std::set<std::uint32_t>& pruned)
{
    MenuNode result = menu;
    result.children.clear();
    for (const MenuNode& item : menu.children) {
        if (item.kind == MenuNode::Kind::Popup) {
            MenuNode popup = PruneMenu(item, pruned);
            // An emptied popup always goes, however the user's rights stand.
            if (!IsEmptyPopup(popup)) result.children.push_back(std::move(popup));
        } else if (item.kind == MenuNode::Kind::Separator || item.windowOwn || !pruned.contains(item.command)) {
            result.children.push_back(item);
        }
    }
    DropStraySeparators(result.children);
    return result;
}

MenuNode MenuBarFor(const MenuState& state)
{
    std::set<std::uint32_t> pruned = PrunedCommands(state);
    if (state.recentFileCount == 0) pruned.insert(kFirstRecentFileCommand);
    MenuNode bar = PruneMenu(MenuBarOf(state.window), pruned);
    if (state.switches.keepProductionAfterLoad) RelabelProductionLoad(bar);
    return bar;
}

}  // namespace varnel
