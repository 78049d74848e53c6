// The PLU table's POS update lines.
#include "db/plu/PluDefTb.h"

namespace varnel {

void CPluDefTb::WritePosUpdateLine(const CPluDefRec* row, char kind, bool noQueue)
{
    if (row) RememberPluValue(row->GetKey(), row->GetDept());
    const CGeneralSetup& setup = GetRoles().Setup();
    if (setup.m_posUpdateFileOutput == 0) return;
    const auto find = [this](std::uint32_t pluNumber) {
        return dynamic_cast<const CPluDefRec*>(FindRecord(pluNumber));
    };
    m_posUpdate.Write(setup.m_posUpdateFilePath, GetRoles().Text().chars, row, kind, noQueue, find);
}

}  // namespace varnel
