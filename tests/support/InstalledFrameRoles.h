// The site rules, send queue and event log of whichever frame is installed when they are asked. The tables
// are registered once for the whole test program, before each fixture makes (and installs) its own
// frame, so they take these, which answer as the frame of the moment.
#pragma once

#include "db/plu/PluTableRegistry.h"
#include "db/site/MainFrame.h"

namespace varnel::test {

class InstalledFrameRoles final : public ISiteRules, public ISendQueue, public IEventLog {
public:
    const CGeneralSetup& GetGeneralSetup() const override { return FrameSiteRules().GetGeneralSetup(); }
    SiteSettingsPtr GetSiteSettings() const override { return FrameSiteRules().GetSiteSettings(); }
    bool GetSystemDoubleByteFlag() const override { return FrameSiteRules().GetSystemDoubleByteFlag(); }
    bool IsPluNumberAllowed(std::uint32_t pluNumber) const override
    {
        return FrameSiteRules().IsPluNumberAllowed(pluNumber);
    }
    std::uint32_t NextAllowedPluNumber(std::uint32_t pluNumber) const override
    {
        return FrameSiteRules().NextAllowedPluNumber(pluNumber);
    }
    CUserSetupList* GetUserList() const override { return FrameSiteRules().GetUserList(); }
    bool HasTableAccess(std::size_t table, std::uint8_t mask) const override
    {
        return FrameSiteRules().HasTableAccess(table, mask);
    }
    const CScaleFontList& GetScaleFontList() const override { return FrameSiteRules().GetScaleFontList(); }
    const CDefLineFont& GetDefLineFont() const override { return FrameSiteRules().GetDefLineFont(); }
    const CLabPropMap& GetFieldDefMap(FieldDefMap which) const override
    {
        return FrameSiteRules().GetFieldDefMap(which);
    }
    bool IsPriceZoneDefined(std::uint16_t zone) const override { return FrameSiteRules().IsPriceZoneDefined(zone); }
    bool HasPriceZones() const override { return FrameSiteRules().HasPriceZones(); }
    std::span<const std::uint16_t> GetPriceZoneFields() const override { return FrameSiteRules().GetPriceZoneFields(); }
    std::uint32_t GetRuxScaleMix() const override { return FrameSiteRules().GetRuxScaleMix(); }
    bool HasEnabledScaleType(std::uint16_t family) const override
    {
        return FrameSiteRules().HasEnabledScaleType(family);
    }
    bool UsesStandardNutrition() const override { return FrameSiteRules().UsesStandardNutrition(); }
    bool UsesCustomNutrition() const override { return FrameSiteRules().UsesCustomNutrition(); }
    std::string GetScaleDataDirectory() const override { return FrameSiteRules().GetScaleDataDirectory(); }

    IDocument* GetDocument() const override { return FrameSendQueue().GetDocument(); }
    std::vector<const CLinkScaleSettings*> GetLinkScales() const override { return FrameSendQueue().GetLinkScales(); }

    void WriteEvent(std::uint16_t kind, std::string_view text) const override { FrameEventLog().WriteEvent(kind, text); }
    void WriteToPluUpdateLog(const CPluDefRec& row) const override { FrameEventLog().WriteToPluUpdateLog(row); }
    void SetInvalidRecordFlag(std::uint32_t flag) override { FrameEventLog().SetInvalidRecordFlag(flag); }
    std::uint32_t GetInvalidRecordFlag() const override { return FrameEventLog().GetInvalidRecordFlag(); }

    // The one the test program shares.
    static InstalledFrameRoles& Shared()
    {
        static InstalledFrameRoles roles;
        return roles;
    }
};

// The shared roles, as a table takes them.
inline TableRoles FrameRoles()
{
    InstalledFrameRoles& roles = InstalledFrameRoles::Shared();
    return {roles, roles, roles};
}

// Registers the PLU and price-zone tables with the roles of the installed frame.
inline void RegisterPluTablesForTests() { RegisterPluTables(FrameRoles()); }

}  // namespace varnel::test
