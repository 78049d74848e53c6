#include "app/KeyboardTables.h"

#include "db/store/DBRecord.h"
#include "db/store/ObjDatabase.h"
#include "db/store/ObjDBTable.h"
#include "keyboards/KeyboardList.h"
#include "platform/ByteOrder.h"

#include <algorithm>
#include <span>

namespace varnel {
namespace {

constexpr std::uint16_t kKeyboardTable = 12;
constexpr std::uint16_t kKeyDataTable = 13;
constexpr std::uint32_t kKeysPerKeyboard = 65536;
constexpr std::size_t kKeysPerSheet = 88;

// The bytes of a record's data that it holds.
std::span<const std::uint8_t> DataOf(const CDBRecord& record)
{
    if (record.GetData() == nullptr) return {};
    return {record.GetData(), std::min<std::size_t>(record.GetLength(), record.GetDataRoom())};
}

// Under the families whose scales sit behind master units, keyboard n belongs to unit n / 100 + 1;
// under the others to the scale numbered n, whose family it takes.
bool MatchScale(std::uint16_t number, const KeyboardTableSources& sources, CKeyboard& keyboard)
{
    if (!sources.scaleFamily) return false;
    if (sources.defaultFamily == 1 || sources.defaultFamily == 3)
        return sources.scaleFamily(static_cast<std::uint16_t>(number / 100 + 1)).has_value();
    const std::optional<std::uint16_t> family = sources.scaleFamily(number);
    if (family) keyboard.m_sysType = *family;
    return family.has_value();
}

void PlaceKeys(const CObjDBTable& keyData, std::uint16_t number, CKeyboard& keyboard)
{
    const std::uint32_t first = number * kKeysPerKeyboard;
    const std::uint32_t last = first + (kKeysPerKeyboard - 1);
    bool found = false;
    for (std::size_t position = keyData.GetIndex().FindPosition(first, found);
         position < keyData.GetIndex().GetCount(); ++position) {
        std::uint32_t key = 0;
        CDBRecord* record = nullptr;
        if (!keyData.GetIndex().GetAt(position, key, record) || key > last) break;
        const std::span<const std::uint8_t> data = DataOf(*record);
        if (data.size() < 12 || data[4] == 0) continue;
        const std::size_t cellNo = KeyboardCellOf(data[4], keyboard.m_sysType);
        CKbdKey& cell = keyboard.m_keys[cellNo];
        cell.m_keyNo = static_cast<std::uint8_t>(cellNo + 1);
        cell.m_type = data[5];
        cell.m_data = LoadLe32(data.data() + 8);
    }
}

}  // namespace

std::size_t KeyboardCellOf(std::uint8_t position, std::uint16_t sysType)
{
    const std::size_t onSheet = (position - 1u) % kKeysPerSheet;
    const std::size_t row = onSheet / 11;
    const std::size_t column = onSheet % 11;
    const std::size_t cell = column + (sysType == 2 ? 11 : 15) * row;
    return position > kKeysPerSheet ? cell + 120 : cell;
}

ConvertedKeyboards ConvertKeyboardTables(CObjDatabase& database, const KeyboardTableSources& sources)
{
    ConvertedKeyboards converted;
    const CObjDBTable* keyboards = database.GetTable(kKeyboardTable);
    if (!keyboards) return converted;
    const CObjDBTable* keyData = database.GetTable(kKeyDataTable);
    for (const CDBKeyIndex::Entry& entry : keyboards->GetIndex()) {
        if (entry.key > 0xFFFF) continue;
        const auto number = static_cast<std::uint16_t>(entry.key);
        const std::span<const std::uint8_t> data = DataOf(*entry.record);
        const CKeyboard* existing = sources.existing ? sources.existing->Find(number) : nullptr;
        auto keyboard = existing ? std::make_unique<CKeyboard>(*existing) : std::make_unique<CKeyboard>();
        keyboard->m_sysType = data.size() >= 2 ? LoadLe16(data.data()) : 0;
        if (!MatchScale(number, sources, *keyboard)) converted.unmatched = true;
        if (const CKeyboard* layout = sources.layoutOf ? sources.layoutOf(keyboard->m_sysType) : nullptr)
            keyboard->LoadDefaultLayout(keyboard->m_sysType, *layout);
        if (keyData) PlaceKeys(*keyData, number, *keyboard);
        converted.keyboards[number] = std::move(keyboard);
    }
    return converted;
}

}  // namespace varnel
