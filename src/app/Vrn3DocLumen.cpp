// The record exchange of a Lumen transfer: the records the link sends, walked table by table from
// the transfer's data-type list, and the records it receives, stored by their command index.
#include "app/Vrn3Doc.h"

#include "db/plu/DBComTb.h"

#include <algorithm>
#include <array>
#include <utility>

namespace varnel {
namespace {

constexpr std::uint16_t kKeyboardTypes = 12;
constexpr std::uint32_t kKeyboardKind = 3;
constexpr std::uint32_t kOperatorKind = 11;

// The command index each table's records travel under; the table each received index goes to.
constexpr std::array<std::pair<std::uint16_t, std::uint32_t>, 7> kTableKinds{
    {{2, 0}, {4, 1}, {7, 2}, {9, 6}, {29, 8}, {30, 9}, {8, 10}}};

std::optional<std::uint32_t> KindOfTable(std::uint16_t tableNo)
{
    const auto found = std::ranges::find(kTableKinds, tableNo, &std::pair<std::uint16_t, std::uint32_t>::first);
    if (found == kTableKinds.end()) return std::nullopt;
    return found->second;
}

std::optional<std::uint16_t> TableOfKind(std::uint32_t kind)
{
    const auto found = std::ranges::find(kTableKinds, kind, &std::pair<std::uint16_t, std::uint32_t>::second);
    if (found == kTableKinds.end()) return std::nullopt;
    return found->first;
}

}  // namespace

void CVrn3Doc::BeginLumenTransfer(std::vector<std::uint16_t> dataTypes, const CLinkScaleSettings& scale)
{
    m_lumen = LumenTransfer{};
    m_lumen.dataTypes = std::move(dataTypes);
    m_lumen.scale = scale;
    m_lumen.family = scale.GetScaleType(m_host.GetDocumentSwitches().defaultFamily);
}

std::uint32_t CVrn3Doc::GetLumenReceivedCount(std::uint32_t kind) const
{
    return kind < m_lumen.received.size() ? m_lumen.received[kind] : 0;
}

bool CVrn3Doc::GetNextLumenRecord(std::uint32_t& kind, std::span<std::uint8_t> buffer, std::uint32_t& length)
{
    for (; m_lumen.index < m_lumen.dataTypes.size(); ++m_lumen.index, m_lumen.position = 0) {
        if (const auto made = NextLumenRecordOf(m_lumen.dataTypes[m_lumen.index], buffer, length)) {
            kind = *made;
            return true;
        }
    }
    kind = kLumenEnd;
    length = 0;
    return true;
}

std::optional<std::uint32_t> CVrn3Doc::NextLumenRecordOf(std::uint16_t tableNo, std::span<std::uint8_t> buffer,
                                                         std::uint32_t& length)
{
    if (tableNo == kKeyboardTypes) {
        if (m_host.NextLumenKeyboardRecord(m_lumen.scale, m_lumen.position, buffer, length)) return kKeyboardKind;
        return std::nullopt;
    }
    const std::optional<std::uint32_t> kind = KindOfTable(tableNo);
    auto* table = dynamic_cast<CDBComTb*>(GetCachedTable(tableNo));
    if (!kind || !table) return std::nullopt;
    const std::uint16_t family = m_lumen.family;
    const std::span<std::uint8_t> room = buffer.first(std::min<std::size_t>(buffer.size(), 0xFFFF));
    std::uint32_t key = 0;
    CDBRecord* record = nullptr;
    while (table->GetIndex().GetAt(m_lumen.position, key, record)) {
        ++m_lumen.position;
        std::uint16_t made = 0;
        if (table->EncodeLumenRecord(family, key, room, made)) {
            length = made;
            return kind;
        }
    }
    return std::nullopt;
}

bool CVrn3Doc::StoreLumenRecord(std::uint32_t kind, std::span<const std::uint8_t> record)
{
    bool stored = false;
    if (kind == kKeyboardKind || kind == kOperatorKind) {
        stored = m_host.StoreLumenListRecord(kind, m_lumen.scale, record);
    } else if (const std::optional<std::uint16_t> tableNo = TableOfKind(kind)) {
        auto* table = dynamic_cast<CDBComTb*>(GetCachedTable(*tableNo));
        stored = table && table->DecodeLumenRecord(m_lumen.family, record);
    }
    if (stored) ++m_lumen.received[kind];
    return true;
}

}  // namespace varnel
