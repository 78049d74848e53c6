#include "keyboards/KbdKey.h"

#include "platform/ArchiveExchange.h"

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CKbdKey, 1)

void CKbdKey::Serialize(CArchive& ar)
{
    Exchange(ar, m_type, m_data, m_useDefault, m_splitKey, m_drawSplit, m_isStrikeOut, m_isUnderline, m_isItalic,
             m_charSet, m_justification, m_fontSize, m_fontWeight, m_linkKey, m_bkgColor, m_charColor, m_keyText,
             m_faceName);
    if (ar.IsLoading()) {
        if (m_keyText.size() > kMaxKeyText) m_keyText.resize(kMaxKeyText);
        if (m_faceName.size() > kMaxFaceName) m_faceName.resize(kMaxFaceName);
    }
}

}  // namespace varnel
