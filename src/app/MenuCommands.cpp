#include "app/MenuCommands.h"

#include <algorithm>
#include <utility>

namespace varnel {
namespace {

using enum CommandSide;
using enum CommandRule;

// By number.
constexpr CommandDef kCommands[] = {
    {3001, View, Handler},
    {32773, View, Handler},
    {32777, Document, Table, 4},
    {32778, Document, Table, 4},
    {32779, View, Handler},
    {32780, View, Handler},
    {32781, View, Handler},
    {32782, View, Handler},
    {32783, Frame, Setup},
    {32785, Document, Table, 10},
    {32786, Document, Table, 3},
    {32787, Document, Table, 4},
    {32788, Document, KeyboardPresets},
    {32789, Document, Table, 7},
    {32790, Document, OnlineComms},
    {32791, Document, ShowCommsStatus},
    {32799, Document, Always},
    {32800, Document, NotBatchNotRestricted},
    {32801, Frame, Always},
    {32802, Document, Setup},
    {32803, Frame, Setup},
    {32804, Frame, NotBatchDocument},
    {32805, Document, Setup},
    {32806, Document, Setup},
    {32807, Frame, SetupUpdate},
    {32808, Frame, SetupUpdate},
    {32811, Document, Always},
    {32812, Frame, NotBatchDocument},
    {32813, Document, DataSaveFileOpen},
    {32815, Document, DefaultKeyboard},
    {32816, Document, Table, 8},
    {32818, Document, PluListReport},
    {32819, Document, DefaultKeyboard},
    {32820, Document, DefaultKeyboard},
    {32828, Document, DataSaveFileOpen},
    {32829, Document, Always},
    {32830, Frame, Always},
    {32831, Frame, SetupUpdate},
    {32832, Frame, SetupUpdate},
    {32834, Frame, Always},
    {32836, Document, Always},
    {32837, Document, Always},
    {32838, Document, Always},
    {32839, Document, Always},
    {32840, Frame, NotBatchDocument},
    {32843, Document, Always},
    {32845, View, Handler},
    {32846, Frame, Setup},
    {32847, Frame, Setup},
    {32854, Document, Table, 37},
    {32855, Document, DefaultKeyboard},
    {32856, Document, Setup},
    {32857, Document, Setup},
    {32858, Document, Always},
    {32859, Frame, Always},
    {32860, Document, PluProdReport},
    {32861, Document, TextImport},
    {32862, Document, Always},
    {32863, Document, Always},
    {32864, Document, Always},
    {32865, Document, OnlineComms},
    {32866, Document, Always},
    {32867, View, Handler},
    {32868, View, Handler},
    {32869, Document, Always},
    {32870, Document, SetupNotBatch},
    {32871, Document, Setup},
    {32872, Document, Setup},
    {32873, Frame, ChangeDepartment},
    {32874, Document, Setup},
    {32875, Document, Setup},
    {32876, Document, Always},
    {32877, Document, TextImport},
    {32878, Document, Scheduler},
    {32879, Frame, NotRestricted},
    {32880, Document, NotBatch},
    {32881, Frame, LoadBatchFile},
    {32882, Document, Always},
    {32883, Document, Batch},
    {32884, Frame, Setup},
    {32885, Frame, Setup},
    {32886, Document, Always},
    {32887, Document, Always},
    {32888, Document, SetupNotBatch},
    {32889, Frame, Always},
    {32890, Document, Always},
    {32891, Frame, Always},
    {32892, Document, Always},
    {32893, Document, Always},
    {32894, Document, Always},
    {32895, Document, Always},
    {32897, Document, Always},
    {32898, Frame, Always},
    {32899, Document, OnlineComms},
    {32900, Frame, Always},
    {32901, Document, OnlineComms},
    {32902, Document, Always},
    {32903, Document, Always},
    {32904, Document, Always},
    {32905, Document, Always},
    {32906, Frame, Setup},
    {32907, Document, TextImport},
    {32908, Document, SaleWizard},
    {32909, Document, TextImport},
    {32910, Document, DatabaseImport},
    {32911, Document, Setup},
    {32913, Document, OnlineComms},
    {32914, Frame, Setup},
    {32915, Document, Always},
    {32916, Document, Always},
    {32917, Document, Always},
    {32918, Document, Always},
    {32919, Document, Always},
    {32920, Document, Always},
    {32921, Document, Table, 4},
    {32922, Document, Table, 8},
    {32923, Document, Always},
    {32925, Document, Always},
    {32926, Document, Always},
    {32927, Document, Always},
    {32928, Document, Always},
    {32929, Document, Always},
    {32930, Document, SetupDeptGroup},
    {32931, Document, PluProdReport},
    {32932, Frame, NotRestricted},
    {32933, Frame, NotRestricted},
    {32934, Frame, NotRestricted},
    {32935, Document, Always},
    {32943, Frame, Setup},
    {32951, View, Handler},
    {32952, Document, OnlineComms},
    {32956, Document, Setup},
    {32957, Document, Always},
    {32958, Document, Always},
    {32959, Document, Always},
    {32961, Document, Handler},
    {32963, Frame, Always},
    {32964, Document, Handler},
    {32965, Document, Table, 70},
    {32966, Document, Table, 4},
    {32968, Document, KeyboardPresets},
    {32969, Document, Always},
    {32970, Document, Always},
    {32971, Document, Always},
    {32972, Document, Always},
    {32973, Document, Always},
    {32974, Document, Always},
    {32975, Document, Always},
    {32976, Document, Always},
    {32977, Document, Always},
    {32978, Document, Always},
    {32980, Frame, Setup},
    {32986, Document, Always},
    {32987, Document, Always},
    {32988, Document, Always},
    {32989, Document, Always},
    {32990, Document, NotRestricted},
    {32991, Document, Always},
    {32993, Document, Always},
    {32994, Document, Handler},
    {32995, Frame, Always},
    {32996, Frame, Always},
    {32997, Document, DefaultKeyboard},
    {32998, Document, Always},
    {32999, Document, OnlineComms},
    {57601, Frame, Always},
    {57606, Framework, Always},
    {57634, Framework, Handler},
    {57635, Framework, Handler},
    {57637, Framework, Handler},
    {57649, Framework, Handler},
    {57650, Framework, Handler},
    {57651, Framework, Handler},
    {57664, Framework, Always},
    {57665, Framework, Always},
    {59392, Framework, Handler},
    {59393, Framework, Handler},
};

MenuNode Item(std::uint32_t command, const char* label)
{
    return {MenuNode::Kind::Command, command, label, false, {}};
}

// An item whose number means the window's own command here.
MenuNode Own(std::uint32_t command, const char* label)
{
    return {MenuNode::Kind::Command, command, label, true, {}};
}

MenuNode Separator() { return {MenuNode::Kind::Separator, 0, {}, false, {}}; }

MenuNode RecentFiles() { return {MenuNode::Kind::RecentFiles, kFirstRecentFileCommand, {}, false, {}}; }

MenuNode Popup(const char* label, std::vector<MenuNode> items)
{
    return {MenuNode::Kind::Popup, 0, label, false, std::move(items)};
}

MenuNode Bar(std::vector<MenuNode> popups) { return Popup("", std::move(popups)); }

MenuNode ExitItems(std::vector<MenuNode> items)
{
    items.push_back(Separator());
    items.push_back(RecentFiles());
    items.push_back(Separator());
    items.push_back(Item(57665, "E&xit"));
    return Popup("&File", std::move(items));
}

MenuNode HelpMenu() { return Popup("&Help", {Item(57664, "&About Varnel...")}); }

MenuNode WindowMenu()
{
    return Popup("&Window", {Item(57650, "&Cascade"), Item(57651, "&Tile"), Item(57649, "&Arrange Icons")});
}

MenuNode EditMenu(std::vector<MenuNode> extra)
{
    std::vector<MenuNode> items{Item(57635, "Cu&t"), Item(57634, "&Copy"), Item(57637, "&Paste")};
    for (MenuNode& item : extra) items.push_back(std::move(item));
    return Popup("&Edit", std::move(items));
}

std::vector<MenuNode> ScalesItems(const char* storeNameLabel)
{
    return {Item(32785, "&Campaigns"),
            Item(32786, "&Advertising Messages"),
            Item(32787, "&Extra Messages"),
            Item(32965, "&Lot Messages"),
            Item(32816, "Cou&pon Messages"),
            Item(32854, "Pop &Messages"),
            Separator(),
            Item(32788, "&Keyboard Presets"),
            Item(32870, "&Operators"),
            Item(32789, storeNameLabel),
            Item(32986, "&Store Name (VM, 5400-series)"),
            Separator(),
            Item(32790, "&Date and Time"),
            Item(32800, "&Batch Label Printing")};
}

MenuNode MainScalesMenu()
{
    std::vector<MenuNode> items = ScalesItems("&Store Name (TR-5300/LumenXT)");
    items.push_back(Separator());
    for (const auto& [command, label] : std::initializer_list<std::pair<std::uint32_t, const char*>>{
             {32887, "&Comments"},
             {32886, "&Free Messages"},
             {32890, "Free Message &Names"},
             {32904, "Ingredients"},
             {32892, "&Country of Origin"},
             {32893, "Storage &Temperature"},
             {32894, "Storage &Instructions"},
             {32905, "&Store Settings"},
             {32895, "Department"},
             {32897, "Group"},
             {32902, "PZ4/Tarn4/VM-8100b/QF Presets"},
             {32903, "Index Presets"},
             {32929, "Tray Settings"},
             {32969, "VM-8100b/QF Images"}})
        items.push_back(Item(command, label));
    return Popup("&Scales", std::move(items));
}

MenuNode ReportsMenu()
{
    return Popup("&Reports",
                 {Item(32860, "&PLU Production"),
                  Item(32931, "&Dept && Group Production"),
                  Item(32862, "&Daily Totals"),
                  Item(32863, "&Weekly Totals"),
                  Item(32864, "&Operator Totals"),
                  Item(32843, "&Operator Totals (Overrides)"),
                  Item(32869, "&Hourly Totals"),
                  Separator(),
                  Item(32915, "&Rewrap Totals"),
                  Item(32916, "Rewrap Daily Totals"),
                  Item(32917, "Rewrap Weekly Totals"),
                  Separator(),
                  Item(32918, "&Next Day Totals"),
                  Item(32919, "Next Day Daily Totals"),
                  Item(32920, "Next Day Weekly Totals"),
                  Separator(),
                  Item(32987, "Batch Production Totals"),
                  Item(32988, "Batch Prod. Daily Totals"),
                  Item(32989, "Batch Prod. Weekly Totals"),
                  Separator(),
                  Item(32991, "Scale Totals"),
                  Item(32998, "Meat Cut Test Report"),
                  Separator(),
                  Item(32818, "PLU &List"),
                  Item(32921, "&Extra Messages"),
                  Item(32966, "Lot Messages"),
                  Item(32777, "&Extra Messages #2"),
                  Item(32778, "&Extra Messages #3"),
                  Item(32922, "&Coupons"),
                  Item(32978, "Departments"),
                  Item(32923, "Groups"),
                  Popup("RUX/VM/QF",
                        {Item(32972, "Free Messages #1"), Item(32973, "Free Messages #2"),
                         Item(32974, "Free Messages #3"), Item(32975, "Free Messages #4"),
                         Item(32976, "Free Messages #5"), Item(32971, "Ingredients"),
                         Item(32925, "Storage Instructions"), Item(32935, "Storage Temp. Messages"),
                         Item(32970, "RUX Origin Message"), Item(32977, "RUX Comment"),
                         Item(32994, "VM-8100b/QF Images")})});
}

MenuNode ToolsMenu()
{
    return Popup("&Tools",
                 {Item(32861, "Import &Host Data"),
                  Item(32907, "Import RRPs"),
                  Item(32909, "Import Current Prices"),
                  Separator(),
                  Item(32876, "&Export to Text File..."),
                  Item(32877, "&Import from Text File..."),
                  Item(32910, "Import from &Database..."),
                  Separator(),
                  Popup("Send To Orlan", {Item(32993, "All PLUs"), Item(32964, "Recent Changes Only")}),
                  Item(32866, "Convert Data (Fonts&&Ingredients)"),
                  Separator(),
                  Item(32880, "&Start Batch Mode..."),
                  Item(32883, "End &Batch Mode..."),
                  Item(32881, "&Load Batch File..."),
                  Separator(),
                  Item(32908, "Sale &Wizard..."),
                  Item(32878, "S&cheduler"),
                  Item(32961, "Update Scale Status Log"),
                  Separator(),
                  Popup("View Log", {Item(32933, "&All"), Item(32932, "Todays &Price Changes"),
                                     Item(32934, "Today's &Data Import"), Item(32879, "&Customize...")})});
}

// The production loads and deletions; the main menu also loads the meat test.
std::vector<MenuNode> CommsLoadItems(bool meatTest)
{
    std::vector<MenuNode> items{Item(32865, "Load and Delete &Production Data from Scales")};
    if (meatTest) items.push_back(Item(32999, "Load and Delete Meat Test from Scales"));
    items.push_back(Item(32901, "Load and Delete Pr&oduction Data from Scales (All Depts)"));
    items.push_back(Item(32899, "&Delete Production Data on Scales"));
    items.push_back(Item(32913, "D&elete Production Totals on PC"));
    return items;
}

MenuNode MainCommsMenu()
{
    std::vector<MenuNode> items{
        Item(32791, "&Show Comms Status"),
        Item(32952, "&Transmit/Receive Scale Data..."),
        Separator(),
        Popup("Serial Comms (TR-5300 Data Save)", {Item(32837, "&Send (Data Save)"), Item(32799, "&Receive (Data Save)")}),
        Item(32891, "Serial Comms (PZ-6602)"),
        Popup("Serial Comms (Lumen/LumenXT)",
              {Item(32958, "&Receive (LumenXT/TR-5400)"), Item(32829, "Send (LumenXT/TR-5400)"),
               Item(32957, "&Receive (Lumen)"), Item(32959, "Send (Lumen)")}),
        Separator()};
    for (MenuNode& item : CommsLoadItems(true)) items.push_back(std::move(item));
    items.push_back(Separator());
    items.push_back(Item(32926, "&Adjust PLU Production Data"));
    items.push_back(Item(32927, "Adjust &Rewrap Production Data"));
    items.push_back(Item(32928, "Adjust &Next Day Production Data"));
    items.push_back(Item(32990, "Adjust &Batch Production Data"));
    return Popup("&Comms", std::move(items));
}

MenuNode SetupMenu()
{
    return Popup("&Setup",
                 {Item(32802, "&Options"),
                  Item(32859, "Database Access"),
                  Separator(),
                  Item(32805, "&Comms (On-Line)"),
                  Item(32806, "Co&mms (Data Save)"),
                  Item(32956, "Comms (&Lumen - RS232C)"),
                  Separator(),
                  Item(32930, "Department Codes"),
                  Item(32871, "&Users"),
                  Item(32856, "User Profiles"),
                  Item(32872, "&Departments"),
                  Item(32888, "Price &Zones"),
                  Item(32846, "PLU &Range Profile"),
                  Separator(),
                  Item(32874, "Text File &Import"),
                  Item(32875, "Text File &Export"),
                  Item(32911, "Data&base Import"),
                  Item(32906, "Host Interface"),
                  Item(32963, "e-Mail Settings"),
                  Separator(),
                  Item(32857, "Default Fonts"),
                  Popup("&Fields",
                        {Item(32803, "&PLU Fields"), Item(32980, "PLU Fields (Page 1)"),
                         Item(32884, "&PLU Fields (RUX/PZ4/Tarn4)"), Item(32943, "PLU Fields (Page 2)"),
                         Item(32885, "&Price Fields (RUX/PZ4/Tarn4)"), Item(32914, "&Nutrition Fields"),
                         Item(32783, "&Prod. Report Fields")}),
                  Popup("Default Keyboards...",
                        {Item(32815, "Default Keyboard - &LumenXT"), Item(32855, "Default Keyboard - TR-&5400"),
                         Item(32997, "Default Keyboard - &KB-7100"), Item(32819, "Default Keyboard - TR-&5300"),
                         Item(32820, "Default Keyboard - TR-&5200")}),
                  Separator(),
                  Item(32831, "&Save General Setup"),
                  Item(32832, "&Load General Setup"),
                  Item(32807, "Sa&ve Site Setup"),
                  Item(32808, "Lo&ad Site Setup"),
                  Separator(),
                  Item(32847, "Output Setup List")});
}

MenuNode BuildNoDocumentBar()
{
    return Bar({ExitItems({Item(32898, "&New"), Item(32889, "&Open"), Item(32840, "&New Database"),
                           Item(32900, "Open De&partment"), Item(57601, "Open &Database"),
                           Item(32830, "&Open (Data Save)"), Separator(), Item(57606, "P&rint Setup...")}),
                Popup("&Setup", {Item(32859, "Database Access"), Item(32872, "&Departments")}), HelpMenu()});
}

MenuNode BuildPluListBar()
{
    return Bar({ExitItems({Item(32840, "&New Database"), Item(32804, "&Change Database"),
                           Item(32873, "Change &Department"), Item(32882, "Com&pact Database"),
                           Item(32811, "Save &As"), Separator(), Item(32812, "&Open (Data Save)"),
                           Item(32813, "&Save (Data Save)"), Item(32828, "Sa&ve As (Data Save)"), Separator(),
                           Item(32838, "&Import QD47FD"), Item(32839, "&Export QD47FD"), Separator(),
                           Item(57606, "P&rint Setup...")}),
                EditMenu({Separator(), Item(59392, "&Tool Bar"), Item(59393, "&Status Bar")}),
                Popup("&PLU", {Item(32773, "&New Plu"), Item(32779, "&Edit PLU"), Item(32780, "&Delete PLUs"),
                               Separator(), Item(32781, "&Price Changes"), Item(32782, "&Markdown Price Changes"),
                               Separator(), Item(3001, "&Nutrition"), Item(32845, "Dele&te Nutrition"),
                               Item(32867, "Ingredients"), Item(32868, "Delete Ingredients"), Separator(),
                               Item(32951, "Mark Active?")}),
                MainScalesMenu(), ReportsMenu(), ToolsMenu(), MainCommsMenu(), SetupMenu(), WindowMenu(),
                HelpMenu()});
}

MenuNode BuildSchedulerBar()
{
    return Bar({Popup("&File", {Item(32898, "&New"), Item(32889, "&Open"), Item(32996, "&Save"),
                                Item(32995, "Save &As"), Separator(), Item(32832, "&Load General Setup"),
                                Item(32808, "Lo&ad Site Setup"), Separator(), Item(57665, "E&xit")}),
                Popup("&Schedule", {Own(32887, "S&tart/Stop Scheduler"), Separator(), Own(32884, "&Add"),
                                    Own(32885, "&Edit"), Own(32886, "&Delete")}),
                HelpMenu()});
}

MenuNode BuildPluEditorBar()
{
    std::vector<MenuNode> comms{Item(32791, "&Show Comms Status"), Item(32952, "&Transmit/Receive Scale Data..."),
                                Separator()};
    for (MenuNode& item : CommsLoadItems(false)) comms.push_back(std::move(item));
    std::vector<MenuNode> scales = ScalesItems("&Store Name/Address");
    // The PLU editor's Scales menu has no lot messages and no store settings.
    std::erase_if(scales, [](const MenuNode& item) { return item.command == 32965 || item.command == 32986; });
    return Bar({Popup("&File", {Own(32824, "&Save"), Own(32825, "&Close"), Separator(), Item(57665, "E&xit")}),
                EditMenu({Separator(), Own(32859, "Next &Line Font")}),
                Popup("&PLU", {Own(32849, "&New PLU"), Own(32826, "&Next PLU"), Own(32827, "P&revious PLU")}),
                Popup("&Scales", std::move(scales)), Popup("&Comms", std::move(comms)), WindowMenu(), HelpMenu()});
}

// Both tables' keys: the clipboard, the panes and the settings password.
constexpr Accelerator kSharedAccelerators[] = {
    {"Ctrl+C", 57634},   {"Ctrl+Ins", 57634}, {"Ctrl+V", 57637},   {"Shift+Ins", 57637}, {"Ctrl+X", 57635},
    {"Shift+Del", 57635}, {"F6", 57680},      {"Shift+F6", 57681}, {"Ctrl+Alt+P", 32801},
};

// The report window's keys.
constexpr Accelerator kFrameAccelerators[] = {
    {"Ctrl+P", 57607}, {"Ctrl+B", 32823}, {"Ctrl+F", 32819}, {"Ctrl+N", 32821}, {"Ctrl+T", 32820},
};

constexpr Accelerator kPluEditorAccelerators[] = {
    {"Ctrl+A", 32849}, {"Ctrl+F", 32859}, {"Ctrl+L", 32825}, {"Ctrl+N", 32826}, {"Ctrl+P", 32827}, {"Ctrl+S", 32824},
};

MenuNode BuildCopyPricePopup()
{
    return Popup("Copy Price Popup", {Own(32981, "Price Master #1"), Own(32982, "Price Master #2"),
                                      Own(32983, "Price Master #3"), Own(32984, "Price Master #4"),
                                      Own(32985, "Price Master #5")});
}

}  // namespace

const CommandDef* FindCommand(std::uint32_t command)
{
    const auto found = std::ranges::lower_bound(kCommands, command, {}, &CommandDef::command);
    return found != std::end(kCommands) && found->command == command ? &*found : nullptr;
}

std::span<const CommandDef> AllCommands() { return kCommands; }

void ForEachMenuItem(const MenuNode& menu, const std::function<void(const MenuNode&)>& visit)
{
    for (const MenuNode& item : menu.children) {
        visit(item);
        if (item.kind == MenuNode::Kind::Popup) ForEachMenuItem(item, visit);
    }
}

const MenuNode& MenuBarOf(MenuWindow window)
{
    static const MenuNode noDocument = BuildNoDocumentBar();
    static const MenuNode pluList = BuildPluListBar();
    static const MenuNode scheduler = BuildSchedulerBar();
    static const MenuNode pluEditor = BuildPluEditorBar();
    switch (window) {
    case MenuWindow::NoDocument: return noDocument;
    case MenuWindow::Scheduler: return scheduler;
    case MenuWindow::PluEditor: return pluEditor;
    default: return pluList;
    }
}

const MenuNode& CopyPricePopup()
{
    static const MenuNode popup = BuildCopyPricePopup();
    return popup;
}

std::vector<Accelerator> AcceleratorsFor(MenuWindow window)
{
    if (window == MenuWindow::PluEditor) return AcceleratorTable(156);
    if (window == MenuWindow::Report) return AcceleratorTable(128);
    return {std::begin(kSharedAccelerators), std::end(kSharedAccelerators)};
}

std::vector<Accelerator> AcceleratorTable(int resource)
{
    std::span<const Accelerator> own;
    if (resource == 128) own = kFrameAccelerators;
    else if (resource == 156) own = kPluEditorAccelerators;
    else return {};
    std::vector<Accelerator> table(std::begin(kSharedAccelerators), std::end(kSharedAccelerators));
    table.insert(table.end(), own.begin(), own.end());
    return table;
}

}  // namespace varnel
