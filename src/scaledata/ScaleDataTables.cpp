#include "scaledata/ScaleDataTables.h"

#include "db/plu/PluDatabase.h"
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
std::unique_ptr<CObjDBTable> MakeOf(const std::array<MessageTable, N>& tables, std::uint16_t tableNo,
                                    CObjDatabase* database)
{
    for (const MessageTable& table : tables)
        if (table.tableNo == tableNo) return std::make_unique<Table>(tableNo, database, std::string(table.name), table.kind);
    return nullptr;
}


}  // namespace

std::unique_ptr<CObjDBTable> CreateScaleDataTable(std::uint16_t tableNo, CObjDatabase* database)
{
    if (tableNo == CFreeMsgNameTb::kTableNo) return std::make_unique<CFreeMsgNameTb>(tableNo, database, "FreeMsgName");
    if (tableNo >= kFirstRuxPriceTable && tableNo < kFirstRuxPriceTable + kRuxPriceTableCount)
        return std::make_unique<CRuxPriceTb>(tableNo, database, "RuxPrice" + std::to_string(tableNo - kFirstRuxPriceTable + 1));
    if (tableNo == CNutritionTb::kTableNo) return std::make_unique<CNutritionTb>(tableNo, database, "Nutrition");
    if (tableNo == CStoreNameTb::kTableNo) return std::make_unique<CStoreNameTb>(tableNo, database, "Store");
    if (tableNo == CStoreSetupTb::kTableNo) return std::make_unique<CStoreSetupTb>(tableNo, database, "StoreInfo");
    if (tableNo == CTrayTb::kTableNo) return std::make_unique<CTrayTb>(tableNo, database, "Tray");
    if (tableNo == CLabelBatchTb::kTableNo) return std::make_unique<CLabelBatchTb>(tableNo, database, "LabelBatch");
    if (tableNo == CScrollMsgTb::kTableNo) return std::make_unique<CScrollMsgTb>(tableNo, database, "ScrollMsg");
    if (tableNo == CCampaignTb::kTableNo) return std::make_unique<CCampaignTb>(tableNo, database, "Campaign");
    if (tableNo == CCampaignTb::kLineTableNo) return std::make_unique<CCampDataTb>(tableNo, database, "CampData");
    // Table 5 has no name: it lives only in ".pld" files.
    if (tableNo == CCampaignTb::kOldTableNo) return std::make_unique<CTable5Tb>(tableNo, database, "");
    if (auto table = MakeOf<CExMsgTb>(kMessageTables, tableNo, database)) return table;
    if (auto table = MakeOf<CPopMsgTb>(kPopTables, tableNo, database)) return table;
    if (auto table = MakeOf<CShortMsgTb>(kShortTables, tableNo, database)) return table;
    return MakeOf<CRuxDeptTb>(kNameTables, tableNo, database);
}

std::unique_ptr<IPluCompanionData> CreateScaleDataCompanions(const CObjDatabase& database)
{
    return std::make_unique<CScaleDataCompanions>(database);
}

void RegisterScaleDataTables() { CPluDatabase::SetTableMakers(CreateScaleDataTable, CreateScaleDataCompanions); }

}  // namespace varnel
