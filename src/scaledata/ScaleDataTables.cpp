#include "scaledata/ScaleDataTables.h"

#include "db/plu/PluTableRegistry.h"
#include "db/plu/RuxPriceRecord.h"
#include "db/store/ObjDatabase.h"
#include "scaledata/CampaignTb.h"
#include "scaledata/ExMsgTb.h"
#include "scaledata/FreeMsgNameTb.h"
#include "scaledata/MessageRules.h"
#include "scaledata/NutritionTb.h"
#include "scaledata/PopMsgTb.h"
#include "scaledata/RuxDeptTb.h"
#include "scaledata/RuxPriceTb.h"
#include "scaledata/ScaleDataCompanions.h"
#include "scaledata/ShortMsgTb.h"
#include "scaledata/LabelBatchTb.h"
#include "scaledata/ScrollMsgTb.h"
#include "scaledata/StoreNameTb.h"
#include "scaledata/StoreSetupTb.h"
#include "scaledata/TrayTb.h"

#include <array>
#include <string>
#include <string_view>

namespace varnel {
namespace {

// A table of a class that several tables share, told apart by a kind.
struct MessageTable {
    std::uint16_t tableNo;
    std::string_view name;
    std::uint32_t kind;
};

constexpr std::array kMessageTables{
    MessageTable{8, "Coupon", MsgCoupon},        MessageTable{4, "ExtraMsg", MsgExtra},
    MessageTable{29, "ExtraMsg2", MsgExtra2},    MessageTable{30, "ExtraMsg3", MsgExtra3},
    MessageTable{72, "FreeMsg1", MsgFree1},      MessageTable{73, "FreeMsg2", MsgFree1 + 1},
    MessageTable{74, "FreeMsg3", MsgFree1 + 2},  MessageTable{75, "FreeMsg4", MsgFree1 + 3},
    MessageTable{76, "FreeMsg5", MsgFree5},      MessageTable{78, "Ingredients", MsgIngredients},
    MessageTable{70, "Comment", MsgComment},
};
constexpr std::array kPopTables{MessageTable{37, "PopMsg", CPopMsgTb::kPop},
                                MessageTable{79, "Origin", CPopMsgTb::kOrigin}};
constexpr std::array kShortTables{MessageTable{80, "StoreTemp", MsgStorageTemp},
                                  MessageTable{81, "StoreInstruct", MsgStorageInstruct}};
constexpr std::array kNameTables{MessageTable{82, "RuxDept", CRuxDeptTb::kDepartments},
                                 MessageTable{83, "RuxGroup", CRuxDeptTb::kGroups}};

template <class Table, std::size_t N>
void RegisterEach(const std::array<MessageTable, N>& tables, const ScaleDataRoles& roles)
{
    for (const MessageTable& table : tables)
        RegisterPluTable(table.tableNo, MakesTable<Table>(std::string(table.name), roles, table.kind));
}

}  // namespace

void RegisterScaleDataTables(const ScaleDataRoles& roles)
{
    RegisterPluTable(CFreeMsgNameTb::kTableNo, MakesTable<CFreeMsgNameTb>("FreeMsgName", roles));
    for (std::uint16_t n = 0; n < kRuxPriceTableCount; ++n) {
        const auto tableNo = static_cast<std::uint16_t>(kFirstRuxPriceTable + n);
        RegisterPluTable(tableNo, MakesTable<CRuxPriceTb>("RuxPrice" + std::to_string(n + 1), roles));
    }
    RegisterPluTable(CNutritionTb::kTableNo, MakesTable<CNutritionTb>("Nutrition", roles));
    RegisterPluTable(CStoreNameTb::kTableNo, MakesTable<CStoreNameTb>("Store", roles));
    RegisterPluTable(CStoreSetupTb::kTableNo, MakesTable<CStoreSetupTb>("StoreInfo", roles));
    RegisterPluTable(CTrayTb::kTableNo, MakesTable<CTrayTb>("Tray", roles));
    RegisterPluTable(CLabelBatchTb::kTableNo, MakesTable<CLabelBatchTb>("LabelBatch", roles));
    RegisterPluTable(CScrollMsgTb::kTableNo, MakesTable<CScrollMsgTb>("ScrollMsg", roles));
    RegisterPluTable(CCampaignTb::kTableNo, MakesTable<CCampaignTb>("Campaign", roles));
    RegisterPluTable(CCampaignTb::kLineTableNo, MakesTable<CCampDataTb>("CampData"));
    // Table 5 has no name: it lives only in ".pld" files.
    RegisterPluTable(CCampaignTb::kOldTableNo, MakesTable<CTable5Tb>(""));
    RegisterEach<CExMsgTb>(kMessageTables, roles);
    RegisterEach<CPopMsgTb>(kPopTables, roles);
    RegisterEach<CShortMsgTb>(kShortTables, roles);
    RegisterEach<CRuxDeptTb>(kNameTables, roles);
    RegisterPluCompanionData([](const CObjDatabase& database) -> std::unique_ptr<IPluCompanionData> {
        return std::make_unique<CScaleDataCompanions>(database);
    });
}

}  // namespace varnel
