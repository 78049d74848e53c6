// A main frame for the fuzz targets: a general setup whose market and Korean font option come from
// one input byte (low 5 bits the market, bit 5 the option), no users, every PLU number allowed, and
// the default line fonts. Installed for its lifetime, and the PLU tables of the databases made while it
// is registered to answer to it.
#pragma once

#include "db/plu/PluTableRegistry.h"
#include "db/text/DefLineFont.h"
#include "db/site/MainFrame.h"
#include "db/text/ScaleFontList.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace varnel::fuzz {

class FuzzMainFrame final : public IMainFrame {
public:
    explicit FuzzMainFrame(std::uint8_t choice)
    {
        m_setup.m_market = static_cast<std::uint16_t>(choice & 0x1F);
        m_setup.m_koreanFont = (choice >> 5) & 1;
        SetMainFrame(this);
        RegisterPluTables({*this, *this, *this});
    }
    ~FuzzMainFrame() override { SetMainFrame(nullptr); }
    FuzzMainFrame(const FuzzMainFrame&) = delete;
    FuzzMainFrame& operator=(const FuzzMainFrame&) = delete;

    const CGeneralSetup& GetGeneralSetup() const override { return m_setup; }
    bool GetSystemDoubleByteFlag() const override
    {
        return m_setup.m_market != MarketChina && m_setup.m_market != MarketHongKong &&
               m_setup.m_market != MarketTaiwan;
    }
    CUserSetupList* GetUserList() const override { return nullptr; }
    bool HasTableAccess(std::size_t, std::uint8_t) const override { return true; }
    bool IsPluNumberAllowed(std::uint32_t pluNumber) const override
    {
        return pluNumber != 0 && pluNumber <= m_setup.m_maxPluNo;
    }
    std::uint32_t NextAllowedPluNumber(std::uint32_t pluNumber) const override { return pluNumber; }
    const CScaleFontList& GetScaleFontList() const override { return m_scaleFonts; }
    const CDefLineFont& GetDefLineFont() const override { return m_defLineFont; }
    std::string GetCurrentDataSaveFile() const override { return m_currentDataSaveFile; }
    void SetCurrentDataSaveFile(const std::string& path) override { m_currentDataSaveFile = path; }

    CGeneralSetup m_setup;
    std::string m_currentDataSaveFile;
    CScaleFontList m_scaleFonts;
    CDefLineFont m_defLineFont;
};

}  // namespace varnel::fuzz
