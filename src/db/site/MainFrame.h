// The application's main frame as the rest of the system reaches it: one object in four roles (the
// site's rules, the event log, the send queue to the scales, the comms status). Code takes the role
// it needs, handed in by its caller where it can be; the places that reach the frame itself ask for
// the role by name. The application installs its frame once it exists.
#pragma once

#include "db/site/CommsStatus.h"
#include "db/site/EventLog.h"
#include "db/site/SendQueue.h"
#include "db/site/SiteRules.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class IMainFrame : public ISiteRules, public IEventLog, public ISendQueue, public ICommsStatus {
public:
    // The rest answers as a frame that keeps none of it: no document, no definitions, no scales of
    // the comma-separated families, and an event log that drops every line.

    IDocument* GetDocument() const override { return nullptr; }
    const CLabPropMap& GetFieldDefMap(FieldDefMap which) const override;
    std::uint32_t GetRuxScaleMix() const override { return 0; }
    void WriteEvent(std::uint16_t /*kind*/, std::string_view /*text*/) const override {}
    void WriteToPluUpdateLog(const CPluDefRec& /*row*/) const override {}
    void SetInvalidRecordFlag(std::uint32_t /*flag*/) override {}
    std::uint32_t GetInvalidRecordFlag() const override { return 0; }
    std::string GetScaleDataDirectory() const override { return {}; }
    void IncCommsState(std::uint32_t /*state*/) override {}
    void DecCommsState(std::uint32_t /*state*/) override {}
    bool IsPriceZoneDefined(std::uint16_t /*zone*/) const override { return false; }
    bool HasPriceZones() const override { return false; }
    std::span<const std::uint16_t> GetPriceZoneFields() const override { return {}; }
    std::string GetCurrentDataSaveFile() const override { return {}; }
    void SetCurrentDataSaveFile(const std::string& /*path*/) override {}
    void PostOpenDataSaveRequest() override {}
    std::vector<const CLinkScaleSettings*> GetLinkScales() const override { return {}; }
    bool HasEnabledScaleType(std::uint16_t family) const override
    {
        return family == GetGeneralSetup().m_defaultScaleFamily;
    }
};

IMainFrame* GetMainFrame();
// Installs the main frame (null removes it) and returns the one it replaces.
IMainFrame* SetMainFrame(IMainFrame* frame);

// The installed main frame in each of its roles. Asking while no frame is installed is a programming
// error: it stops the program, naming the role, instead of dropping a log line or a send.
const ISiteRules& FrameSiteRules();
IEventLog& FrameEventLog();
ISendQueue& FrameSendQueue();
ICommsStatus& FrameCommsStatus();

// The main frame's general setup; a default one while there is no frame. On a thread inside a
// SiteSettingsScope, the pinned snapshot's.
const CGeneralSetup& CurrentGeneralSetup();
// The text rules of the main frame's settings; the defaults while there is no frame. On a thread
// inside a SiteSettingsScope, the pinned snapshot's.
TextRules CurrentTextRules();

// The main frame's settings snapshot (ISiteRules::GetSiteSettings); null while there is no frame.
SiteSettingsPtr CurrentSiteSettings();

// The field definitions for the calling thread to hand to the PLU routines: inside a SiteSettingsScope
// the pinned snapshot's, else the main frame's own (none while there is no frame).
FieldDefSet CurrentFieldDefs();

// Nutrition is in use and the logged-in user may view the nutrition table; false without a frame.
bool CanEditNutrition();

}  // namespace varnel
