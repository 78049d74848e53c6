// What the record store reads of the application's main frame: the general setup and the flags the
// frame derives from it. The application installs its frame here once it exists; before that
// (and in tools without a frame) GetMainFrame() is null and callers fall back to system defaults.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/site/LabProp.h"
#include "db/site/SiteSettings.h"
#include "db/site/TextRules.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CUserSetupList;
class CDefLineFont;
struct CLinkScaleSettings;
class CScaleFontList;
class CPluDefRec;
class IDocument;

// The five field-definition maps of the main frame.
enum class FieldDefMap { Plu, Production, Nutrition, Plu2, RuxPrice };

class IMainFrame {
public:
    virtual ~IMainFrame() = default;
    virtual const CGeneralSetup& GetGeneralSetup() const = 0;
    // The settings as an immutable snapshot for a worker's pass (SiteSettings.h), asked on the thread
    // that changes them; by default a new one made from GetGeneralSetup() at each call.
    virtual SiteSettingsPtr GetSiteSettings() const;
    // Set for every market but China, Hong Kong and Taiwan each time the scale fonts are chosen.
    virtual bool GetSystemDoubleByteFlag() const = 0;
    // The users and the one logged in; null in a frame that keeps none.
    virtual CUserSetupList* GetUserList() const = 0;
    // The logged-in user's right on a table (mask 1 view, 2 update, 4 delete); all while nobody is logged in.
    virtual bool HasTableAccess(std::size_t table, std::uint8_t mask) const = 0;
    // Not 0, not above "Max. PLU No." and in no active excluded PLU range.
    virtual bool IsPluNumberAllowed(std::uint32_t pluNumber) const = 0;
    // IsPluNumberAllowed of the row's PLU number.
    bool IsPluRecordAllowed(const CPluDefRec& row) const;
    // The first number at or after `pluNumber` in no active excluded PLU range ("Max. PLU No." not tested).
    virtual std::uint32_t NextAllowedPluNumber(std::uint32_t pluNumber) const = 0;
    // The fonts of the current settings, rebuilt whenever the general setup changes.
    virtual const CScaleFontList& GetScaleFontList() const = 0;
    // Which font each line of a new text gets.
    virtual const CDefLineFont& GetDefLineFont() const = 0;

    // The rest answers as a frame that keeps none of it: no document, no definitions, no scales of
    // the comma-separated families, and an event log that drops every line.

    // The document of the open database; null while none is open.
    virtual IDocument* GetDocument() const { return nullptr; }
    // A field-definition map (CLabProp definitions by their map key).
    virtual const CLabPropMap& GetFieldDefMap(FieldDefMap which) const;
    // 0 no scale of families 9 to 12 on the links; 1 such scales but none of family 9; with family 9:
    // 2 all scales of family 9 in multi-store operation, 1 the same in single-store operation, 4
    // mixed with other families in multi-store operation, 3 mixed in single-store operation.
    virtual std::uint32_t GetRuxScaleMix() const { return 0; }
    // Writes an event-log line of `kind` (EventKind: 0 added ... 6 continuation).
    virtual void WriteEvent(std::uint16_t /*kind*/, std::string_view /*text*/) const {}
    // Appends the PLU to the PLU update log when that log is on.
    virtual void WriteToPluUpdateLog(const CPluDefRec& /*row*/) const {}
    // Set to 1 when a record is refused for its number or a PLU number that is not allowed; importers
    // clear it first and tell the user when it is set afterwards.
    virtual void SetInvalidRecordFlag(std::uint32_t /*flag*/) {}
    virtual std::uint32_t GetInvalidRecordFlag() const { return 0; }
    // The "ScalesData" directory: compare result files and new links' trace files go there.
    virtual std::string GetScaleDataDirectory() const { return {}; }
    // The comms-state counters (states 0 to 5; a link counts 2 polls, 3 receives, 4 sends while they run).
    virtual void IncCommsState(std::uint32_t /*state*/) {}
    virtual void DecCommsState(std::uint32_t /*state*/) {}
    // The price zones: whether one is defined (zone 0, the PLU's own values, never is), whether any
    // is, and the PLU fields that may take a value of their own in a zone.
    virtual bool IsPriceZoneDefined(std::uint16_t /*zone*/) const { return false; }
    virtual bool HasPriceZones() const { return false; }
    virtual std::span<const std::uint16_t> GetPriceZoneFields() const { return {}; }
    // The current Data Save file: set when one is loaded or rewritten to another name.
    virtual std::string GetCurrentDataSaveFile() const { return {}; }
    virtual void SetCurrentDataSaveFile(const std::string& /*path*/) {}
    // Asks the frame to open the current Data Save file once it gets to it (a posted request).
    virtual void PostOpenDataSaveRequest() {}
    // Every scale of every link, for sends that differ by scale.
    virtual std::vector<const CLinkScaleSettings*> GetLinkScales() const { return {}; }
    // Standard nutrition is in use; custom nutrition (Hong Kong's, where a scale of a family that takes
    // it is on the links) is in use, in its place. By default worked out from the general setup.
    virtual bool UsesStandardNutrition() const;
    virtual bool UsesCustomNutrition() const;
    // Whether an enabled scale of the family is on an enabled link; with no enabled scale at all,
    // whether the family is the general setup's default one.
    virtual bool HasEnabledScaleType(std::uint16_t family) const
    {
        return family == GetGeneralSetup().m_defaultScaleFamily;
    }
};

IMainFrame* GetMainFrame();
// Installs the main frame (null removes it) and returns the one it replaces.
IMainFrame* SetMainFrame(IMainFrame* frame);

// The main frame's general setup; a default one while there is no frame. On a thread inside a
// SiteSettingsScope, the pinned snapshot's.
const CGeneralSetup& CurrentGeneralSetup();
// The text rules of the main frame's settings; the defaults while there is no frame. On a thread
// inside a SiteSettingsScope, the pinned snapshot's.
TextRules CurrentTextRules();

// The main frame's settings snapshot (IMainFrame::GetSiteSettings); null while there is no frame.
SiteSettingsPtr CurrentSiteSettings();

// Nutrition is in use and the logged-in user may view the nutrition table; false without a frame.
bool CanEditNutrition();

}  // namespace varnel
