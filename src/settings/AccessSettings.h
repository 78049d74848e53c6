// The settings of this subsystem that the main frame holds for everyone to ask: the users with the one
// logged in, and the site's and the active excluded PLU ranges. The application's frame and the
// tests' frame both keep one and answer the frame's questions through it.
#pragma once

#include "db/site/GeneralSetup.h"
#include "settings/PluRange.h"
#include "settings/UserSetupList.h"

#include <cstdint>

namespace varnel {

struct AccessSettings {
    CUserSetupList m_users;
    CPluRangeList m_sitePluRanges;    // saved in the site setup file
    CPluRangeList m_activePluRanges;  // what the PLU screens use: the site's, or the user's profile

    bool HasTableAccess(std::size_t table, std::uint8_t mask) const { return m_users.HasTableAccess(table, mask); }

    // Not 0, not above "Max. PLU No.", and in no active excluded range.
    bool IsPluNumberAllowed(const CGeneralSetup& setup, std::uint32_t pluNumber) const;
    // The first number at or after `pluNumber` in no active excluded range ("Max. PLU No." not tested).
    std::uint32_t NextAllowedPluNumber(std::uint32_t pluNumber) const;

    // The active ranges become copies of the site's.
    void ResetPluRanges() { m_activePluRanges = m_sitePluRanges; }
};

}  // namespace varnel
