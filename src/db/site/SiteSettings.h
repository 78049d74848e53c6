// The site's settings as a worker thread reads them: one immutable value, taken whole and shared.
// The thread that owns the settings (the user's) hands out a snapshot with each request to a worker
// (IMainFrame::GetSiteSettings) and replaces it whole when the settings change, never in place; the
// worker pins the snapshot for its pass (SiteSettingsScope), so a change the user makes meanwhile
// reaches the next pass and never a pass half-way.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/site/TextRules.h"

#include <memory>
#include <mutex>

namespace varnel {

struct SiteSettings {
    CGeneralSetup setup;
    TextRules text;
};
using SiteSettingsPtr = std::shared_ptr<const SiteSettings>;

SiteSettingsPtr MakeSiteSettings(const CGeneralSetup& setup, bool systemDoubleByte);

// A frame's current snapshot: the same one while the settings it was made from stand, a new one once
// they differ. Safe to ask from any thread that may read the settings it is given.
class SiteSettingsSource {
public:
    SiteSettingsPtr Get(const CGeneralSetup& setup, bool systemDoubleByte) const;

private:
    mutable std::mutex m_lock;
    mutable SiteSettingsPtr m_current;
    mutable bool m_systemDoubleByte = false;
};

// While a scope is open on a thread, CurrentGeneralSetup() and CurrentTextRules() there answer the
// snapshot's values; scopes nest, the innermost answering. A null snapshot pins nothing.
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
