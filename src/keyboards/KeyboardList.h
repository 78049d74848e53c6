// CKeyboardList: the layout keyboards by keyboard number (a scale's id, or for scales behind a master
// unit the unit's keyboards (unit - 1) x 100 + n). The main frame owns one, saved in the site setup.
//
// Archive form (schema 1): the framework's map of u16 keyboard number to a CKeyboard object.
#pragma once

#include "keyboards/Keyboard.h"

#include <cstdint>
#include <map>
#include <memory>

namespace varnel {

class CKeyboardList : public CObject {
    VARNEL_DECLARE_SERIAL(CKeyboardList)

public:
    using Keyboards = std::map<std::uint16_t, std::unique_ptr<CKeyboard>>;

    CKeyboardList() = default;
    CKeyboardList(const CKeyboardList&) = delete;
    CKeyboardList& operator=(const CKeyboardList&) = delete;

    // Loading replaces the list; keyboards stored as null objects are left out.
    void Serialize(CArchive& ar) override;

    const Keyboards& GetKeyboards() const { return m_keyboards; }
    std::size_t GetCount() const { return m_keyboards.size(); }
    const CKeyboard* Find(std::uint16_t number) const;
    // Puts the keyboard under its number, replacing the one there.
    void SetKeyboard(std::uint16_t number, std::unique_ptr<CKeyboard> keyboard);
    void RemoveAll() { m_keyboards.clear(); }

private:
    Keyboards m_keyboards;
};

}  // namespace varnel
