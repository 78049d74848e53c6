// The family-2 conversion: the values a family-2 scale takes for a PLU edited for another family, and
// the way back for the PLUs such a scale sends.
#include "db/records/PluRecordLayouts.h"

#include <iterator>

namespace varnel {

bool NeedsFamily2Conversion(const CGeneralSetup& setup, std::uint16_t family)
{
    if (family != 2) return false;
    const std::uint16_t defaultFamily = setup.m_defaultScaleFamily;
    return setup.m_family2Conversion != 0 ||
           (defaultFamily != 0 && defaultFamily != 4 && defaultFamily != 5 && defaultFamily != 2);
}

void ConvertForFamily2(CPluDefRec& row)
{
    if (row.Get(PluCol::Posflag) == 0) row.Set(PluCol::Posflag, 255);
    const std::uint8_t markFlag = row.Get(PluCol::MarkFlag);
    if (markFlag == 0 || markFlag >= 5)
        row.Set(PluCol::MarkPrice, 0);
    else
        row.Set(PluCol::MarkFlag, static_cast<std::uint8_t>(markFlag - 1));

    const std::uint8_t dateFlag = row.Get(PluCol::DateFlag);
    static constexpr std::uint8_t kDateFlagFor[] = {2, 0, 0, 1, 0};
    row.Set(PluCol::DateFlag, dateFlag < std::size(kDateFlagFor) ? kDateFlagFor[dateFlag] : std::uint8_t{0});
    if (dateFlag == 2)
        row.Set(PluCol::ShelfLife, 999);
    else if (dateFlag != 3 && dateFlag != 4)
        row.Set(PluCol::ShelfLife, 0);

    if (row.Get(PluCol::SalesMode) == 2) row.Set(PluCol::SalesMode, 0);
    const std::uint8_t posSelect = row.Get(PluCol::PosSelect);
    row.Set(PluCol::PosSelect, posSelect == 1 ? std::uint8_t{1} : posSelect == 3 ? std::uint8_t{2} : std::uint8_t{15});
    const std::uint8_t timeFlag = row.Get(PluCol::TimeFlag);
    if (timeFlag == 1) row.Set(PluCol::PackTime, 0);
    if (timeFlag == 2) row.Set(PluCol::PackTime, 9800);
    const std::uint16_t message1 = row.Get(PluCol::Message1);
    if (message1 == 99)
        row.Set(PluCol::Message1, 15);
    else if (message1 > 14)
        row.Set(PluCol::Message1, 0);
    if (row.Get(PluCol::Message7) < 7) row.Set(PluCol::Message7, 0);
    const std::uint8_t openPrice = row.Get(PluCol::OpenPrice);
    row.Set(PluCol::OpenPrice, openPrice == 1 || openPrice == 2 ? SwapOneAndTwo(openPrice) : std::uint8_t{0});
}

void UndoFamily2Conversion(CPluDefRec& row)
{
    if (row.Get(PluCol::Posflag) == 255) row.Set(PluCol::Posflag, 2);
    const std::uint8_t markFlag = row.Get(PluCol::MarkFlag);
    if (markFlag == 0 && row.Get(PluCol::MarkPrice) != 0)
        row.Set(PluCol::MarkFlag, 1);
    else if (markFlag > 0)
        row.Set(PluCol::MarkFlag, static_cast<std::uint8_t>(markFlag + 1));

    const std::uint8_t dateFlag = row.Get(PluCol::DateFlag);
    const std::uint16_t shelfLife = row.Get(PluCol::ShelfLife);
    if (shelfLife == 999) {
        row.Set(PluCol::DateFlag, 2);
        row.Set(PluCol::ShelfLife, 0);
    } else if (dateFlag == 2) {
        row.Set(PluCol::DateFlag, 0);
        row.Set(PluCol::ShelfLife, 0);
    } else if (shelfLife == 0) {
        row.Set(PluCol::DateFlag, 1);
    } else if (dateFlag == 0 || dateFlag == 1) {
        row.Set(PluCol::DateFlag, dateFlag == 0 ? 4 : 3);
    }

    const std::uint8_t posSelect = row.Get(PluCol::PosSelect);
    if (posSelect == 2) row.Set(PluCol::PosSelect, 3);
    if (posSelect == 15) row.Set(PluCol::PosSelect, 0);
    const std::uint16_t packTime = row.Get(PluCol::PackTime);
    row.Set(PluCol::TimeFlag, packTime == 0 ? 1 : packTime == 9800 ? 2 : 0);
    if (packTime == 9800) row.Set(PluCol::PackTime, 0);
    const std::uint8_t openPrice = row.Get(PluCol::OpenPrice);
    row.Set(PluCol::OpenPrice, openPrice == 1 || openPrice == 2 ? SwapOneAndTwo(openPrice) : std::uint8_t{0});
    if (row.Get(PluCol::Message1) == 15) row.Set(PluCol::Message1, 99);
}

}  // namespace varnel
