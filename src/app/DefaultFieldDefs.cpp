#include "app/DefaultFieldDefs.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace varnel {
namespace {

struct FieldDefault {
    std::string_view name;
    std::int32_t max;
    std::uint16_t width;
    std::uint16_t decimals;
    std::uint16_t fieldNo;
};

constexpr FieldDefault kExtraPriceFields[] = {
    {"PosCode", 255, 10, 0, 1218},     {"UnitPrice", 99999, 6, 2, 1200},  {"MarkPrice", 99999, 6, 2, 1201},
    {"Weight", 99999, 5, 3, 1202},     {"UpperLimit", 99999, 5, 3, 1203}, {"LowerLimit", 99999, 5, 3, 1204},
    {"Coupon", 999999, 6, 0, 1234},    {"Tare", 999, 4, 3, 1205},         {"Message1", 999, 3, 0, 1206},
    {"Logo1", 999, 3, 0, 1208},        {"Logo2", 999, 3, 0, 1209},        {"Logo3", 999, 3, 0, 1235},
    {"TrayNo", 9999, 4, 0, 1210},      {"PackQuant", 9999, 4, 0, 1228},   {"Safe Handling", 999, 3, 0, 1237},
    {"Prop. Tare", 500, 3, 0, 1236},   {"SalesMode", 255, 1, 0, 1211},    {"MarkFlag", 255, 1, 0, 1212},
    {"Unit", 255, 1, 0, 1213},         {"PosSelect", 255, 1, 0, 1214},    {"PosFlag", 99, 2, 0, 1217},
    {"WrappingMode", 255, 1, 0, 1221}, {"WrappingSpeed", 255, 1, 0, 1222}, {"ServeHeight", 255, 1, 0, 1223},
    {"LabellingPos", 255, 1, 0, 1224}, {"LabellingMode", 255, 1, 0, 1225}, {"Wrapping", 255, 1, 0, 1226},
};

constexpr FieldDefault kStandardPluFields[] = {
    {"Logo 1", 50, 2, 0, 1046},        {"Logo 2", 50, 2, 0, 1047},        {"Ex msg #2", 999999, 6, 0, 1044},
    {"Ex msg #3", 999999, 6, 0, 1045}, {"POS Type", 255, 3, 0, 1043},
};

// The price fields a new installation starts with, so that its PLUs can be priced and marked down.
constexpr FieldDefault kFreshSitePluFields[] = {
    {"Unit Price", 999999, 6, 2, 1005},
    {"Markdown Price", 999999, 6, 2, 1004},
    {"Markdown flag", 255, 1, 0, 1003},
};

constexpr FieldDefault kStandard1600Fields[] = {
    {"Disc/Tax Val.", 99999999, 8, 2, 1606},
    {"Disc. Quant.", 999999, 6, 0, 1607},
    {"Override Val.", 99999999, 8, 2, 1608},
    {"Override Quant.", 999999, 6, 0, 1609},
};

std::unique_ptr<CLabProp> MakeDefinition(const FieldDefault& field, std::uint16_t key, bool displayed)
{
    auto definition = std::make_unique<CLabProp>();
    definition->m_name = field.name;
    definition->m_key = key;
    definition->m_fieldNo = field.fieldNo;
    definition->m_min = 0;
    definition->m_max = field.max;
    definition->m_default = 0;
    definition->m_width = field.width;
    definition->m_decimals = field.decimals;
    definition->m_display = displayed ? 1 : 0;
    definition->m_print = 0;
    return definition;
}

std::uint16_t LowestFreeKey(const CLabPropMap& map)
{
    std::uint16_t key = 1;
    while (map.contains(key)) ++key;
    return key;
}

bool HasField(const CLabPropMap& map, std::uint16_t fieldNo)
{
    return std::ranges::any_of(map, [fieldNo](const auto& entry) {
        return entry.second != nullptr && entry.second->m_fieldNo == fieldNo;
    });
}

void AddMissing(CLabPropMap& map, std::span<const FieldDefault> fields, bool displayed)
{
    for (const FieldDefault& field : fields) {
        if (HasField(map, field.fieldNo)) continue;
        const std::uint16_t key = LowestFreeKey(map);
        map[key] = MakeDefinition(field, key, displayed);
    }
}

}  // namespace

void AddExtraPriceFieldDefs(CLabPropMap& extraPriceDefs)
{
    for (const FieldDefault& field : kExtraPriceFields) {
        const auto key = static_cast<std::uint16_t>(extraPriceDefs.size() + 1);
        extraPriceDefs[key] = MakeDefinition(field, key, true);
    }
}

void AddStandardFieldDefs(CLabPropMap& pluDefs, CLabPropMap& defs1600)
{
    AddMissing(pluDefs, kStandardPluFields, false);
    AddMissing(defs1600, kStandard1600Fields, false);
}

void AddFreshSitePluFieldDefs(CLabPropMap& pluDefs)
{
    AddMissing(pluDefs, kFreshSitePluFields, true);
}

void FillRuxFieldDefs(CLabPropMap& ruxDefs, const CLabPropMap& pluDefs)
{
    if (!ruxDefs.empty()) return;
    for (const auto& [key, definition] : pluDefs) {
        if (definition == nullptr) continue;
        auto copy = std::make_unique<CLabProp>(*definition);
        copy->m_display = 0;
        ruxDefs[key] = std::move(copy);
    }
}

void MoveOldFieldDefs(CLabPropMap& pluDefs, CLabPropMap& defs1600)
{
    constexpr std::uint16_t kFirstMoved = 1044;
    constexpr std::uint16_t kLastMoved = 1049;
    constexpr std::uint16_t kNewFirst = 1600;
    for (auto entry = pluDefs.begin(); entry != pluDefs.end();) {
        CLabProp* definition = entry->second.get();
        if (definition == nullptr || definition->m_fieldNo < kFirstMoved || definition->m_fieldNo > kLastMoved) {
            ++entry;
            continue;
        }
        const std::uint16_t key = LowestFreeKey(defs1600);
        definition->m_fieldNo = static_cast<std::uint16_t>(definition->m_fieldNo - kFirstMoved + kNewFirst);
        definition->m_key = key;
        defs1600[key] = std::move(entry->second);
        entry = pluDefs.erase(entry);
    }
}

}  // namespace varnel
