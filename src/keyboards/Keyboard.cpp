#include "keyboards/Keyboard.h"

#include "platform/ArchiveExchange.h"

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CKeyboard, 1)

CKeyboard::CKeyboard()
{
    for (std::size_t i = 0; i < m_keys.size(); ++i) m_keys[i].m_keyNo = static_cast<std::uint8_t>(i + 1);
}

void CKeyboard::LoadDefaultLayout(std::uint16_t sysType, const CKeyboard& layout)
{
    m_keys = layout.m_keys;
    m_defaultKey = layout.m_defaultKey;
    m_sysType = sysType;
    for (std::size_t i = 0; i < m_keys.size(); ++i) m_keys[i].m_keyNo = static_cast<std::uint8_t>(i + 1);
}

void CKeyboard::Serialize(CArchive& ar)
{
    Exchange(ar, m_sysType);
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        m_keys[i].Serialize(ar);
        m_keys[i].m_keyNo = static_cast<std::uint8_t>(i + 1);
    }
    m_defaultKey.Serialize(ar);
}

}  // namespace varnel
