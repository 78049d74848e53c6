// The site's settings as a worker thread reads them: one immutable value, taken whole and shared.
// The thread that owns the settings (the user's) hands out a snapshot with each request to a worker
// (IMainFrame::GetSiteSettings) and replaces it whole when the settings change, never in place; the
// worker pins the snapshot for its pass (SiteSettingsScope), so a change the user makes meanwhile
// reaches the next pass and never a pass half-way. The snapshot holds the general setup, the text
// rules and the field definitions (with what chooses among them) as they stood when it was made.
#pragma once

#include "db/site/FieldDefSet.h"
#include "db/site/GeneralSetup.h"
#include "db/site/LabProp.h"
#include "db/site/TextRules.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace varnel {

class ISiteRules;

struct SiteSettings {
    CGeneralSetup setup;
    TextRules text;
    std::array<CLabPropMap, kFieldDefMapCount> fieldDefs{};  // by FieldDefMap
    std::vector<std::uint16_t> priceZoneFields{};
    std::uint32_t ruxScaleMix = 0;

    FieldDefSet Fields() const { return FieldDefSet(*this); }
};
using SiteSettingsPtr = std::shared_ptr<const SiteSettings>;

// A copy of the site's settings as they stand; asked on the thread that changes them.
SiteSettingsPtr MakeSiteSettings(const ISiteRules& site);

// A frame's current snapshot: the same one while the settings it was made from stand, a new one once
// they differ. Safe to ask from any thread that may read the settings it is given.
class SiteSettingsSource {
public:
    SiteSettingsPtr Get(const ISiteRules& site) const;

private:
    mutable std::mutex m_lock;
    mutable SiteSettingsPtr m_current;
    mutable bool m_systemDoubleByte = false;
};

// While a scope is open on a thread, CurrentGeneralSetup(), CurrentTextRules() and CurrentFieldDefs()
// there answer the snapshot's values; scopes nest, the innermost answering. A null snapshot pins nothing.
class SiteSettingsScope {
public:
    explicit SiteSettingsScope(SiteSettingsPtr settings);
    ~SiteSettingsScope();
    SiteSettingsScope(const SiteSettingsScope&) = delete;
    SiteSettingsScope& operator=(const SiteSettingsScope&) = delete;

    // The snapshot pinned on the calling thread; null outside every scope.
    static const SiteSettings* Pinned();

private:
    SiteSettingsPtr m_settings;
    const SiteSettings* m_outer;
};

// What a frame answers from: the general setup pinned on this thread by a worker's pass, else its own.
const CGeneralSetup& PinnedSetupOr(const CGeneralSetup& own);

}  // namespace varnel
