// "Select HBKU and Scale ID": a link whose first scale is a TR-5300 or TR-5200 HBKU (family 1 or 3,
// a scale left at the default being of the general setup's default family)
// and the number of a new scale on it. The number must lie from 1 (family 3) or 2 (family 1) to 31
// (61253 otherwise); a number whose keyboard is already registered (link number x 100 + scale number -
// 100) is taken only after 61257 is answered Yes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CIdEnqLink;
class CIdEnqLinkList;
class CKeyboardList;

class SelectLinkScaleIdForm {
public:
    enum class Outcome { Chosen, StayOpen, Cancelled };

    SelectLinkScaleIdForm(const CIdEnqLinkList& links, const CKeyboardList& keyboards, std::uint16_t defaultFamily);

    // The offered links by name; the first is selected.
    std::vector<std::string> GetLinkNames() const;
    std::optional<std::size_t> GetSelection() const { return m_selection; }
    void SelectLink(std::optional<std::size_t> row);
    // OK with the "Scale ID" text.
    Outcome Submit(std::string_view scaleIdText);

    std::uint16_t GetLinkNumber() const { return m_linkNumber; }
    std::uint16_t GetScaleNumber() const { return m_scaleNumber; }

private:
    const CKeyboardList& m_keyboards;
    std::uint16_t m_defaultFamily;
    std::vector<const CIdEnqLink*> m_links;
    std::optional<std::size_t> m_selection;
    std::uint16_t m_linkNumber = 0;
    std::uint16_t m_scaleNumber = 0;
};

}  // namespace varnel
