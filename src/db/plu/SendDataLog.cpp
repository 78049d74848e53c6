#include "db/plu/SendDataLog.h"

#include "platform/Archive.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CSendDataLog, 1)

void CSendDataLog::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << kFormat << static_cast<std::uint16_t>(m_kind) << m_tableId << m_rangeStart << m_rangeEnd << m_queued;
        return;
    }
    std::uint16_t first = 0;
    ar >> first;
    const bool oldest = first < kFormat;
    std::uint16_t kind = first;
    if (!oldest) ar >> kind;
    m_kind = kind;
    ar >> m_tableId >> m_rangeStart >> m_rangeEnd;
    if (oldest)
        m_queued = COleDateTime{ToLocalOleDate(SystemClock().WallNow()), DateTimeStatus::Valid};
    else
        ar >> m_queued;
    m_logged = true;
}

}  // namespace varnel
