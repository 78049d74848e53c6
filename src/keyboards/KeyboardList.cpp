#include "keyboards/KeyboardList.h"

#include "platform/ArchiveCollections.h"

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CKeyboardList, 1)

void CKeyboardList::Serialize(CArchive& ar)
{
    SerializeMapWordToOb(ar, m_keyboards);
    if (ar.IsLoading()) std::erase_if(m_keyboards, [](const auto& entry) { return entry.second == nullptr; });
}

const CKeyboard* CKeyboardList::Find(std::uint16_t number) const
{
    const auto found = m_keyboards.find(number);
    return found != m_keyboards.end() ? found->second.get() : nullptr;
}

void CKeyboardList::SetKeyboard(std::uint16_t number, std::unique_ptr<CKeyboard> keyboard)
{
    m_keyboards[number] = std::move(keyboard);
}

}  // namespace varnel
