#include "support/TestMainFrame.h"

#include "db/plu/PluDefRec.h"
#include "support/InstalledFrameRoles.h"

namespace varnel::test {

// A test that makes a frame makes PLU databases too: their tables answer to the frame installed.
TestMainFrame::TestMainFrame() : m_previous(SetMainFrame(this)) { RegisterPluTablesForTests(); }

TestMainFrame::~TestMainFrame() { SetMainFrame(m_previous); }

bool TestMainFrame::GetSystemDoubleByteFlag() const
{
    // As the real frame derives it: cleared for the markets whose scales take double-byte text.
    return m_setup.m_market != MarketChina && m_setup.m_market != MarketHongKong && m_setup.m_market != MarketTaiwan;
}

void TestMainFrame::SelectScaleFontSet()
{
    const ScaleFontSetChoice choice = ChooseScaleFontSet(m_setup);
    m_scaleFonts.Build(m_setup, choice.fontSet, choice.series);
}

std::vector<const CLinkScaleSettings*> TestMainFrame::GetLinkScales() const
{
    std::vector<const CLinkScaleSettings*> scales;
    for (const CLinkScaleSettings& scale : m_linkScales) scales.push_back(&scale);
    return scales;
}

bool TestMainFrame::HasEnabledScaleType(std::uint16_t family) const
{
    const std::uint16_t defaultFamily = PinnedSetupOr(m_setup).m_defaultScaleFamily;
    bool anyEnabled = false;
    for (const CLinkScaleSettings& scale : m_linkScales) {
        if (!scale.m_enabled) continue;
        anyEnabled = true;
        if (scale.GetScaleType(defaultFamily) == family) return true;
    }
    return !anyEnabled && family == defaultFamily;
}

void TestMainFrame::WriteToPluUpdateLog(const CPluDefRec& row) const { m_pluUpdateLog.push_back(row.GetKey()); }

CLabProp& TestMainFrame::AddFieldDef(FieldDefMap which, std::uint16_t fieldNo)
{
    CLabPropMap& map = m_fieldDefs[static_cast<std::size_t>(which)];
    const std::uint16_t key = map.empty() ? 1 : static_cast<std::uint16_t>(map.rbegin()->first + 1);
    auto definition = std::make_unique<CLabProp>();
    definition->m_key = key;
    definition->m_fieldNo = fieldNo;
    return *(map[key] = std::move(definition));
}

}  // namespace varnel::test
