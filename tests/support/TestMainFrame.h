// A main frame for tests: a general setup that the test edits, installed for the test's lifetime.
#pragma once

#include "db/MainFrame.h"

namespace varnel::test {

class TestMainFrame final : public IMainFrame {
public:
    TestMainFrame();   // installs itself
    ~TestMainFrame() override;  // puts back the frame it replaced
    TestMainFrame(const TestMainFrame&) = delete;
    TestMainFrame& operator=(const TestMainFrame&) = delete;

    const CGeneralSetup& GetGeneralSetup() const override { return m_setup; }
    bool GetSystemDoubleByteFlag() const override;

    CGeneralSetup m_setup;

private:
    IMainFrame* m_previous;
};

}  // namespace varnel::test
