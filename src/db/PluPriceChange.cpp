// Price changes of the PLU table. A change here reaches the row's own price fields; the price-zone
// values, the batch journal's price-change records, the POS update line and the sends to the scales
// join these operations with the price-zone table.
#include "db/PluDefTb.h"

namespace varnel {

bool CPluDefTb::ChangePrice(std::uint32_t pluNumber, std::int32_t price, int /*zone*/, bool /*send*/,
                            bool /*showResult*/)
{
    CPluDefRec* row = FindPlu(pluNumber);
    if (!row) return false;
    const std::int32_t oldPrice = row->Get(PluCol::UnitPrice);
    row->Set(PluCol::UnitPrice, price);
    if (UpdatePlu(*row, row->CalcDataSize())) return true;
    row->Set(PluCol::UnitPrice, oldPrice);  // the row in memory stays as stored
    return false;
}

bool CPluDefTb::ChangeMarkdownPrice(std::uint32_t pluNumber, std::int32_t price, int /*zone*/,
                                    std::uint8_t markdownFlag, bool /*send*/, bool /*showResult*/)
{
    CPluDefRec* row = FindPlu(pluNumber);
    if (!row) return false;
    const std::int32_t oldPrice = row->Get(PluCol::MarkPrice);
    const std::uint8_t oldFlag = row->Get(PluCol::MarkFlag);
    row->Set(PluCol::MarkPrice, price);
    row->Set(PluCol::MarkFlag, markdownFlag);
    if (UpdatePlu(*row, row->CalcDataSize())) return true;
    row->Set(PluCol::MarkPrice, oldPrice);
    row->Set(PluCol::MarkFlag, oldFlag);
    return false;
}

}  // namespace varnel
