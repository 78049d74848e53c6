#include "comms/manager/LumenRs232Link.h"

#include "platform/ArchiveExchange.h"

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CLumenRs232Link, 1)

void CLumenRs232Link::Serialize(CArchive& ar)
{
    std::uint32_t format = kFormat;
    Exchange(ar, format, m_name, m_firstFlag, m_logging, m_logFile, m_linkNo, m_scaleType);
    Exchange(ar, m_port, m_baudRate, m_parity, m_dataBits, m_stopBits, m_useRtsCts);
    if (ar.IsLoading()) {
        m_logging = 1;
        if (format < kFormat) m_scaleType = kLumen;
    }
}

}  // namespace varnel
