#include "support/TestMainFrame.h"

namespace varnel::test {

TestMainFrame::TestMainFrame() : m_previous(SetMainFrame(this)) {}

TestMainFrame::~TestMainFrame() { SetMainFrame(m_previous); }

bool TestMainFrame::GetSystemDoubleByteFlag() const
{
    // As the real frame derives it: cleared for the markets whose scales take double-byte text.
    return m_setup.m_market != MarketChina && m_setup.m_market != MarketHongKong && m_setup.m_market != MarketTaiwan;
}

void TestMainFrame::SelectScaleFontSet()
{
    const ScaleFontSetChoice choice = ChooseScaleFontSet();
    m_scaleFonts.Build(choice.fontSet, choice.series);
}

}  // namespace varnel::test
