#include "db/plu/DeptGroupItemCode.h"

#include "db/plu/PluDefRec.h"
#include "db/plu/PluFieldAccess.h"

#include <charconv>

namespace varnel {
namespace {

constexpr std::size_t kCodeDigits = 8;
constexpr std::uint16_t kDeptField = 1014;
constexpr std::uint16_t kGroupField = 1015;

struct Widths {
    std::size_t dept;
    std::size_t group;
};

std::optional<Widths> CodeWidths()
{
    const CLabProp* dept = GetPluFieldDef(kDeptField);
    const CLabProp* group = GetPluFieldDef(kGroupField);
    if (!dept || !group) return std::nullopt;
    return Widths{dept->m_width, group->m_width};
}

// The value zero-padded to exactly `width` digits; none when it has more.
std::optional<std::string> Padded(std::uint32_t value, std::size_t width)
{
    std::string digits = value == 0 && width == 0 ? std::string() : std::to_string(value);
    if (digits.size() > width) return std::nullopt;
    return std::string(width - digits.size(), '0') + digits;
}

// The part's digits read as a decimal number; none when they do not read whole.
std::optional<std::uint32_t> ReadPart(std::string_view part)
{
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (part.empty() || error != std::errc{} || end != part.data() + part.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::string> MakeDeptGroupItemCode(const CPluDefRec& row)
{
    std::optional<Widths> widths = CodeWidths();
    if (!widths) return std::nullopt;
    if (widths->dept + widths->group > kCodeDigits) {
        if (widths->dept >= kCodeDigits) return std::nullopt;
        widths->group = kCodeDigits - widths->dept;
    }
    const auto dept = Padded(row.GetDept(), widths->dept);
    const auto group = Padded(row.Get(PluCol::Group), widths->group);
    const auto item = Padded(static_cast<std::uint32_t>(row.Get(PluCol::ItemCode)),
                             kCodeDigits - widths->dept - widths->group);
    if (!dept || !group || !item) return std::nullopt;
    return *dept + *group + *item;
}

void ParseDeptGroupItemCode(CPluDefRec& row, std::string_view code)
{
    const std::optional<Widths> widths = CodeWidths();
    if (!widths || widths->dept > kCodeDigits) return;
    const auto part = [&](std::size_t from, std::size_t count) {
        return from < code.size() ? ReadPart(code.substr(from, count)) : std::nullopt;
    };
    if (const auto dept = part(0, widths->dept)) row.Set(PluCol::Dept, static_cast<std::uint16_t>(*dept));
    if (widths->dept + widths->group > kCodeDigits) return;
    if (const auto group = part(widths->dept, widths->group))
        row.Set(PluCol::Group, static_cast<std::uint16_t>(*group));
    const std::size_t itemStart = widths->dept + widths->group;
    if (const auto item = part(itemStart, kCodeDigits - itemStart))
        row.Set(PluCol::ItemCode, static_cast<std::int32_t>(*item));
}

}  // namespace varnel
