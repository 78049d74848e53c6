// What the record code, the tables and the editors read of the site: the general setup and the rules
// derived from it (text rules, PLU numbers allowed), the users' rights, the scale fonts, the field
// definitions, the price zones and the families on the links. The main frame answers for them.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/site/LabProp.h"
#include "db/site/SiteSettings.h"
#include "db/site/TextRules.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace varnel {

class CDefLineFont;
class CPluDefRec;
class CScaleFontList;
class CUserSetupList;

class ISiteRules {
public:
    virtual ~ISiteRules() = default;

    virtual const CGeneralSetup& GetGeneralSetup() const = 0;
    // The settings as an immutable snapshot for a worker's pass (SiteSettings.h), asked on the thread
    // that changes them; by default a new one made from the rules' own settings at each call.
    virtual SiteSettingsPtr GetSiteSettings() const;
    // Set for every market but China, Hong Kong and Taiwan each time the scale fonts are chosen.
    virtual bool GetSystemDoubleByteFlag() const = 0;
    // The text rules of the current settings, taken whole.
    TextRules GetTextRules() const { return TextRules::Of(GetGeneralSetup(), GetSystemDoubleByteFlag()); }

    // Not 0, not above "Max. PLU No." and in no active excluded PLU range.
    virtual bool IsPluNumberAllowed(std::uint32_t pluNumber) const = 0;
    // IsPluNumberAllowed of the row's PLU number.
    bool IsPluRecordAllowed(const CPluDefRec& row) const;
    // The first number at or after `pluNumber` in no active excluded PLU range ("Max. PLU No." not tested).
    virtual std::uint32_t NextAllowedPluNumber(std::uint32_t pluNumber) const = 0;

    // The users and the one logged in; null where none are kept.
    virtual CUserSetupList* GetUserList() const = 0;
    // The logged-in user's right on a table (mask 1 view, 2 update, 4 delete); all while nobody is logged in.
    virtual bool HasTableAccess(std::size_t table, std::uint8_t mask) const = 0;

    // The fonts of the current settings, rebuilt whenever the general setup changes.
    virtual const CScaleFontList& GetScaleFontList() const = 0;
    // Which font each line of a new text gets.
    virtual const CDefLineFont& GetDefLineFont() const = 0;
    // A field-definition map (CLabProp definitions by their map key).
    virtual const CLabPropMap& GetFieldDefMap(FieldDefMap which) const = 0;

    // The price zones: whether one is defined (zone 0, the PLU's own values, never is), whether any
    // is, and the PLU fields that may take a value of their own in a zone.
    virtual bool IsPriceZoneDefined(std::uint16_t zone) const = 0;
    virtual bool HasPriceZones() const = 0;
    virtual std::span<const std::uint16_t> GetPriceZoneFields() const = 0;

    // 0 no scale of families 9 to 12 on the links; 1 such scales but none of family 9; with family 9:
    // 2 all scales of family 9 in multi-store operation, 1 the same in single-store operation, 4
    // mixed with other families in multi-store operation, 3 mixed in single-store operation.
    virtual std::uint32_t GetRuxScaleMix() const = 0;
    // Whether an enabled scale of the family is on an enabled link; with no enabled scale at all,
    // whether the family is the general setup's default one.
    virtual bool HasEnabledScaleType(std::uint16_t family) const = 0;
    // Standard nutrition is in use; custom nutrition (Hong Kong's, where a scale of a family that takes
    // it is on the links) is in use, in its place. By default worked out from the general setup.
    virtual bool UsesStandardNutrition() const;
    virtual bool UsesCustomNutrition() const;

    // The "ScalesData" directory: compare result files, new links' trace files and the Orlan send
    // file go there.
    virtual std::string GetScaleDataDirectory() const = 0;
};

}  // namespace varnel
