// Default line fonts and their stored form.
#include "db/text/DefLineFont.h"

#include "platform/Archive.h"
#include "platform/ArchiveCollections.h"

#include <algorithm>
#include <vector>

namespace varnel {
namespace {
constexpr std::uint16_t kVersion = 101;
constexpr std::uint8_t kNewPosition = 2;
constexpr std::size_t kBlocksOfVersion100 = 2;

void SerializeBlock(CArchive& ar, CDefLineFont::LinePositions& positions)
{
    std::vector<std::uint8_t> bytes(positions.begin(), positions.end());
    SerializeByteArray(ar, bytes);
    if (ar.IsStoring()) return;
    if (bytes.size() != positions.size()) {
        if (ar.Ok()) ar.Fail(Errc::Corrupt, "a default line font block does not hold 10 lines");
        return;
    }
    std::copy(bytes.begin(), bytes.end(), positions.begin());
}
}  // namespace

VARNEL_IMPLEMENT_SERIAL(CDefLineFont, 1)

CDefLineFont::CDefLineFont()
{
    for (LinePositions& positions : m_positions) positions.fill(kNewPosition);
}

CDefLineFont::TextKind CDefLineFont::TextKindOfTable(std::uint16_t table)
{
    switch (table) {
    case 4: return ExtraMessage;
    case 29: return ExtraMessage2;
    case 30: return ExtraMessage3;
    case 8: return Coupon;
    default: return PluDescription;
    }
}

std::uint8_t CDefLineFont::GetLineFont(std::uint16_t table, std::uint16_t line) const
{
    const TextKind kind = TextKindOfTable(table);
    if (m_perLine[kind] == 0) return m_positions[kind][0];
    return m_positions[kind][std::min<std::size_t>(line, kLines - 1)];
}

void CDefLineFont::Serialize(CArchive& ar)
{
    std::uint16_t version = kVersion;
    if (ar.IsStoring())
        ar << version;
    else
        ar >> version;
    const std::size_t blocks = version > 100 ? kTextKinds : kBlocksOfVersion100;
    for (std::size_t kind = 0; kind < blocks; ++kind) SerializeBlock(ar, m_positions[kind]);
    if (version <= 100) return;
    for (std::int32_t& perLine : m_perLine) {
        if (ar.IsStoring())
            ar << perLine;
        else
            ar >> perLine;
    }
}

}  // namespace varnel
