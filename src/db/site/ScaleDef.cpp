#include "db/site/ScaleDef.h"

#include "platform/ArchiveExchange.h"

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CScaleDef, 1)

void CScaleDef::Serialize(CArchive& ar) { Exchange(ar, m_linkId, m_scaleId); }

}  // namespace varnel
