#include "db/site/SiteSettings.h"

#include "db/site/SiteRules.h"

namespace varnel {
namespace {

thread_local const SiteSettings* t_pinned = nullptr;

CLabPropMap CopyOf(const CLabPropMap& map)
{
    CLabPropMap copy;
    for (const auto& [key, definition] : map)
        copy.emplace(key, definition ? std::make_unique<CLabProp>(*definition) : nullptr);
    return copy;
}

}  // namespace

SiteSettingsPtr MakeSiteSettings(const ISiteRules& site)
{
    auto settings = std::make_shared<SiteSettings>();
    settings->setup = site.GetGeneralSetup();
    settings->text = TextRules::Of(settings->setup, site.GetSystemDoubleByteFlag());
    const FieldDefSet own(site);
    for (std::size_t index = 0; index < kFieldDefMapCount; ++index)
        settings->fieldDefs.at(index) = CopyOf(own.Map(static_cast<FieldDefMap>(index)));
    const std::span<const std::uint16_t> zoneFields = own.PriceZoneFields();
    settings->priceZoneFields.assign(zoneFields.begin(), zoneFields.end());
    settings->ruxScaleMix = own.RuxScaleMix();
    return settings;
}

SiteSettingsPtr SiteSettingsSource::Get(const ISiteRules& site) const
{
    const bool systemDoubleByte = site.GetSystemDoubleByteFlag();
    const std::lock_guard lock(m_lock);
    if (!m_current || m_systemDoubleByte != systemDoubleByte || m_current->setup != site.GetGeneralSetup() ||
        !SameDefinitions(m_current->Fields(), FieldDefSet(site))) {
        m_current = MakeSiteSettings(site);
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
