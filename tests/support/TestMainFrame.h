// A main frame for tests: a general setup that the test edits, installed for the test's lifetime.
#pragma once

#include "db/DefLineFont.h"
#include "db/MainFrame.h"
#include "db/ScaleFontList.h"
#include "settings/AccessSettings.h"

namespace varnel::test {

class TestMainFrame final : public IMainFrame {
public:
    TestMainFrame();   // installs itself
    ~TestMainFrame() override;  // puts back the frame it replaced
    TestMainFrame(const TestMainFrame&) = delete;
    TestMainFrame& operator=(const TestMainFrame&) = delete;

    const CGeneralSetup& GetGeneralSetup() const override { return m_setup; }
    bool GetSystemDoubleByteFlag() const override;
    CUserSetupList* GetUserList() const override { return &m_access.m_users; }
    bool HasTableAccess(std::size_t table, std::uint8_t mask) const override
    {
        return m_access.HasTableAccess(table, mask);
    }
    bool IsPluNumberAllowed(std::uint32_t pluNumber) const override
    {
        return m_access.IsPluNumberAllowed(m_setup, pluNumber);
    }
    std::uint32_t NextAllowedPluNumber(std::uint32_t pluNumber) const override
    {
        return m_access.NextAllowedPluNumber(pluNumber);
    }
    const CScaleFontList& GetScaleFontList() const override { return m_scaleFonts; }
    const CDefLineFont& GetDefLineFont() const override { return m_defLineFont; }

    // Rebuilds the font list from the general setup, as the real frame does when the setup changes.
    void SelectScaleFontSet();

    CGeneralSetup m_setup;
    mutable AccessSettings m_access;  // the users and PLU ranges; the frame hands out its users to change
    CScaleFontList m_scaleFonts;
    CDefLineFont m_defLineFont;

private:
    IMainFrame* m_previous;
};

}  // namespace varnel::test
