#include "db/plu/PluDefRec.h"

#include "db/text/DbcsString.h"
#include "db/site/MainFrame.h"
#include "db/plu/PluFieldAccess.h"

#include <algorithm>

namespace varnel {

namespace {

std::size_t RoomFor(std::size_t bytes) { return std::max((bytes + 3) / 4 * 4, kPluEmptyDescRoom); }

}  // namespace

bool CPluDefRec::ReserveData(std::size_t bytes)
{
    if (bytes > kPluDataRoom) return false;
    if (bytes > m_data.size()) m_data.resize(bytes);
    return true;
}

void CPluDefRec::FitData()
{
    const std::size_t used = RoomFor(kPluDescOffset + 1 + GetDesc().size());
    m_data.resize(used);
    m_data.shrink_to_fit();
}

void CPluDefRec::Set(TextColumn c, std::string_view text)
{
    if (c.offset != PluCol::Desc.offset) {
        WriteColumn(m_data, c, text);
        return;
    }
    const std::size_t length = std::min<std::size_t>({text.size(), c.size - 1u, text.find('\0')});
    const std::size_t room = RoomFor(c.offset + length + 1);
    m_data.resize(room);
    m_data.shrink_to_fit();
    std::copy_n(text.data(), length, m_data.begin() + c.offset);
    std::fill(m_data.begin() + c.offset + static_cast<std::ptrdiff_t>(length), m_data.end(), std::uint8_t{0});
}

void CPluDefRec::SetDesc(std::string_view desc, const CharRule& chars)
{
    Set(PluCol::Desc, DbcsLeft(desc, kPluDescMax, chars));
}

std::uint16_t CPluDefRec::CalcDataSize() const
{
    const std::size_t stored = kPluDescOffset + 1 + std::min(GetDesc().size(), kPluDescMax);
    return static_cast<std::uint16_t>((stored + 3) / 4 * 4);
}

void CPluDefRec::SetNameFromDesc(const CharRule& chars)
{
    Set(PluCol::Name, NameFromDesc(GetDesc(), PluCol::Name.size - 1, chars));
}

std::uint64_t CPluDefRec::GetDeptGroupCode(const FieldDefSet& fields) const
{
    // Widths past 14 digits could not hold a 16-bit group beside any department anyway.
    constexpr std::uint16_t kWidestGroup = 14;
    constexpr std::uint16_t kGroupField = 1015;
    const CLabProp* groupDef = FindFieldDef(kGroupField, fields.Map(FieldDefMap::Plu));
    std::uint64_t scale = 1;
    if (groupDef && groupDef->m_width >= 1)
        for (std::uint16_t i = 0; i < std::min(groupDef->m_width, kWidestGroup); ++i) scale *= 10;
    return Get(PluCol::Group) + std::uint64_t{GetDept()} * scale;
}

bool CPluDefRec::MatchesFilter(std::uint16_t kind, std::uint32_t low, std::uint32_t high,
                               const FieldDefSet& fields) const
{
    constexpr std::uint16_t kDeptGroupFilter = 16;
    if (kind != kDeptGroupFilter) return true;
    const std::uint64_t code = GetDeptGroupCode(fields);
    return code >= low && code <= high;
}

bool CPluDefRec::TestCtrlFlag(std::uint32_t mask) const
{
    return (static_cast<std::uint32_t>(Get(PluCol::CtrlFlag)) & mask) != 0;
}

void CPluDefRec::SetCtrlFlag(std::uint32_t mask, bool on)
{
    const auto flags = static_cast<std::uint32_t>(Get(PluCol::CtrlFlag));
    Set(PluCol::CtrlFlag, static_cast<std::int32_t>(on ? flags | mask : flags & ~mask));
}

bool CPluDefRec::IsCtrlFlagPairSet(const CGeneralSetup& setup) const
{
    constexpr std::uint32_t kPair = 0x6;
    return setup.m_ctrlFlagPair != 0 &&
           (static_cast<std::uint32_t>(Get(PluCol::CtrlFlag)) & kPair) == kPair;
}

void CPluDefRec::WriteToPluUpdateLog() const { FrameEventLog().WriteToPluUpdateLog(*this); }

// Defined beside the row, which the frame's layer does not know.
bool ISiteRules::IsPluRecordAllowed(const CPluDefRec& row) const
{
    return IsPluNumberAllowed(static_cast<std::uint32_t>(row.Get(PluCol::PluNo1)));
}

}  // namespace varnel
