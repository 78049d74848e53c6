// The site a user sheet works in for tests: profiles, departments, zones, field definitions, the
// excluded PLU ranges and the file system, with the sheet's site over them.
#pragma once

#include "settings/AccessSettings.h"
#include "settings/EditUserForm.h"
#include "settings/MasterScaleList.h"
#include "settings/PriceZone.h"
#include "settings/UserSetupList.h"
#include "support/TestMainFrame.h"

#include <memory>
#include <string>

namespace varnel::test {

class UserSheetSiteFixture {
public:
    explicit UserSheetSiteFixture(TestMainFrame& frame, bool profileMode = false)
        : m_site{profileMode, 10, m_profiles, m_departments, m_zones,
                 frame.m_fieldDefs[static_cast<std::size_t>(FieldDefMap::Plu)],
                 {"pld", "*.pld", "Varnel database (*.pld) |*.pld||"}, CharRule{}, frame.m_access, RealFileSystem()}
    {
    }

    // A profile of that name whose bits on every table are `bits`.
    CUserSetup& AddProfile(std::string name, std::uint8_t bits)
    {
        auto profile = std::make_unique<CUserSetup>();
        profile->m_name = std::move(name);
        profile->m_tablePermission.fill(bits);
        return m_profiles.Add(std::move(profile));
    }

    CUserSetupList m_profiles;
    CMasterScaleList m_departments;
    CPriceZoneList m_zones;
    UserSheetSite m_site;
};

}  // namespace varnel::test
