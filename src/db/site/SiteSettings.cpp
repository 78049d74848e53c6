#include "db/site/SiteSettings.h"

namespace varnel {
namespace {
thread_local const SiteSettings* t_pinned = nullptr;
}

SiteSettingsPtr MakeSiteSettings(const CGeneralSetup& setup, bool systemDoubleByte)
{
    return std::make_shared<const SiteSettings>(SiteSettings{setup, TextRules::Of(setup, systemDoubleByte)});
}

SiteSettingsPtr SiteSettingsSource::Get(const CGeneralSetup& setup, bool systemDoubleByte) const
{
    const std::lock_guard lock(m_lock);
    if (!m_current || m_systemDoubleByte != systemDoubleByte || m_current->setup != setup) {
        m_current = MakeSiteSettings(setup, systemDoubleByte);
        m_systemDoubleByte = systemDoubleByte;
    }
    return m_current;
}

SiteSettingsScope::SiteSettingsScope(SiteSettingsPtr settings) : m_settings(std::move(settings)), m_outer(t_pinned)
{
    if (m_settings) t_pinned = m_settings.get();
}

SiteSettingsScope::~SiteSettingsScope() { t_pinned = m_outer; }

const SiteSettings* SiteSettingsScope::Pinned() { return t_pinned; }

const CGeneralSetup& PinnedSetupOr(const CGeneralSetup& own) { return t_pinned != nullptr ? t_pinned->setup : own; }

}  // namespace varnel
