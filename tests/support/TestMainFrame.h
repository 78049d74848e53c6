// A main frame for tests: a general setup that the test edits, installed for the test's lifetime.
#pragma once

#include "db/text/DefLineFont.h"
#include "db/site/LinkScaleSettings.h"
#include "db/site/MainFrame.h"
#include "db/text/ScaleFontList.h"
#include "settings/AccessSettings.h"
#include "settings/PriceZone.h"

#include <array>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace varnel::test {

class TestMainFrame final : public IMainFrame {
public:
    TestMainFrame();   // installs itself
    ~TestMainFrame() override;  // puts back the frame it replaced
    TestMainFrame(const TestMainFrame&) = delete;
    TestMainFrame& operator=(const TestMainFrame&) = delete;

    const CGeneralSetup& GetGeneralSetup() const override { return m_setup; }
    SiteSettingsPtr GetSiteSettings() const override { return m_siteSettings.Get(*this); }
    bool GetSystemDoubleByteFlag() const override;
    CUserSetupList* GetUserList() const override { return &m_access.m_users; }
    bool HasTableAccess(std::size_t table, std::uint8_t mask) const override
    {
        return m_access.HasTableAccess(table, mask);
    }
    bool IsPluNumberAllowed(std::uint32_t pluNumber) const override
    {
        return m_access.IsPluNumberAllowed(PinnedSetupOr(m_setup), pluNumber);
    }
    std::uint32_t NextAllowedPluNumber(std::uint32_t pluNumber) const override
    {
        return m_access.NextAllowedPluNumber(pluNumber);
    }
    const CScaleFontList& GetScaleFontList() const override { return m_scaleFonts; }
    const CDefLineFont& GetDefLineFont() const override { return m_defLineFont; }

    // Rebuilds the font list from the general setup, as the real frame does when the setup changes.
    void SelectScaleFontSet();

    IDocument* GetDocument() const override { return m_document; }
    const CLabPropMap& GetFieldDefMap(FieldDefMap which) const override
    {
        return m_fieldDefs[static_cast<std::size_t>(which)];
    }
    std::uint32_t GetRuxScaleMix() const override { return m_ruxScaleMix; }
    // Links write from their workers, several at once.
    void WriteEvent(std::uint16_t kind, std::string_view text) const override
    {
        const std::lock_guard lock(m_eventsLock);
        m_events.emplace_back(kind, text);
    }
    void WriteToPluUpdateLog(const CPluDefRec& row) const override;
    void SetInvalidRecordFlag(std::uint32_t flag) override { m_invalidRecordFlag = flag; }
    std::uint32_t GetInvalidRecordFlag() const override { return m_invalidRecordFlag; }
    std::string GetScaleDataDirectory() const override { return m_scaleDataDirectory; }
    // Counts each state as a link starts it and takes it back as it ends (under the frame's lock, as
    // several links' workers count at once).
    void IncCommsState(std::uint32_t state) override
    {
        const std::lock_guard lock(m_commsStateLock);
        ++m_commsStates.at(state);
        m_commsStatesStarted.push_back(state);
    }
    void DecCommsState(std::uint32_t state) override
    {
        const std::lock_guard lock(m_commsStateLock);
        --m_commsStates.at(state);
    }
    bool IsPriceZoneDefined(std::uint16_t zone) const override { return m_priceZones.IsDefined(zone); }
    bool HasPriceZones() const override { return !m_priceZones.IsEmpty(); }
    std::span<const std::uint16_t> GetPriceZoneFields() const override { return m_priceZoneFields; }
    std::vector<const CLinkScaleSettings*> GetLinkScales() const override;
    // Over the link scales, each link enabled.
    bool HasEnabledScaleType(std::uint16_t family) const override;
    std::string GetCurrentDataSaveFile() const override { return m_currentDataSaveFile; }
    void SetCurrentDataSaveFile(const std::string& path) override { m_currentDataSaveFile = path; }
    void PostOpenDataSaveRequest() override { ++m_openDataSaveRequests; }

    // Adds a definition to a map under the next free key and returns it for the test to shape.
    CLabProp& AddFieldDef(FieldDefMap which, std::uint16_t fieldNo);

    CGeneralSetup m_setup;
    SiteSettingsSource m_siteSettings;
    mutable AccessSettings m_access;  // the users and PLU ranges; the frame hands out its users to change
    CScaleFontList m_scaleFonts;
    CDefLineFont m_defLineFont;
    IDocument* m_document = nullptr;
    std::array<CLabPropMap, 5> m_fieldDefs;
    std::uint32_t m_ruxScaleMix = 0;
    mutable std::vector<std::pair<std::uint16_t, std::string>> m_events;  // kind, text
    mutable std::mutex m_eventsLock;
    mutable std::vector<std::uint32_t> m_pluUpdateLog;                     // PLU numbers
    std::uint32_t m_invalidRecordFlag = 0;
    std::string m_scaleDataDirectory;
    std::array<int, 6> m_commsStates{};
    CPriceZoneList m_priceZones;
    std::vector<std::uint16_t> m_priceZoneFields;  // the PLU fields that may differ by price zone
    std::vector<CLinkScaleSettings> m_linkScales;
    std::vector<std::uint32_t> m_commsStatesStarted;
    std::string m_currentDataSaveFile;
    int m_openDataSaveRequests = 0;

private:
    std::mutex m_commsStateLock;
    IMainFrame* m_previous;
};

}  // namespace varnel::test
