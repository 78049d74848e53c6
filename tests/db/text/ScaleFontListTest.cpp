#include "db/text/ScaleFontList.h"

#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel {
namespace {

struct Settings {
    std::uint16_t market = MarketUsa;
    std::uint16_t family = 0;
    std::uint8_t korean = 0;
    std::uint8_t nutrition = 0;
    std::uint16_t series = 0;
};

void Apply(test::TestMainFrame& frame, const Settings& settings)
{
    frame.m_setup.m_market = settings.market;
    frame.m_setup.m_defaultScaleFamily = settings.family;
    frame.m_setup.m_koreanFont = settings.korean;
    frame.m_setup.m_nutritionInUse = settings.nutrition;
    frame.m_setup.m_seriesNumber = settings.series;
}

std::string Codes(const CScaleFontList& list)
{
    std::string codes;
    for (std::size_t i = 0; i < list.GetSize(); ++i) codes += static_cast<char>(list.GetAt(i).m_code);
    return codes;
}

std::vector<std::string> Names(const CScaleFontList& list)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < list.GetSize(); ++i) names.push_back(list.GetAt(i).m_name);
    return names;
}

TEST(ChooseScaleFontSet, FollowsTheMarketAndTheDefaultFamily)
{
    struct Case {
        Settings settings;
        int fontSet;
        int series;
    } const cases[] = {
        {{MarketUsa, 9, 1}, 7, 0},        {{MarketThailand, 9}, 4, 0},     {{MarketUsa, 9}, 6, 0},
        {{MarketTaiwan, 9}, 5, 0},        {{MarketHongKong, 0}, 3, 0},     {{MarketTaiwan, 6}, 3, 0},
        {{MarketChina, 6}, 3, 0},         {{MarketChina, 8}, 3, 0},        {{MarketChina, 0}, 2, 0},
        {{MarketChina, 10}, 2, 0},        {{MarketUsa, 10}, 6, 0},         {{MarketBaltic, 12}, 6, 0},
        {{MarketUsa, 6}, 1, 0},           {{MarketNorway, 8}, 1, 0},       {{MarketUsa, 0, 0, 0, 5}, 0, 5},
        {{MarketUsa, 7, 0, 0, 2}, 0, 2},  {{MarketUsa, 6, 0, 0, 5}, 1, 0}, {{MarketSweden, 0, 1}, 0, 0},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        Apply(frame, c.settings);
        const ScaleFontSetChoice choice = ChooseScaleFontSet(CurrentGeneralSetup());
        EXPECT_EQ(choice.fontSet, c.fontSet) << "market " << c.settings.market << " family " << c.settings.family;
        EXPECT_EQ(choice.series, c.series) << "market " << c.settings.market << " family " << c.settings.family;
    }
}

TEST(CScaleFontList, EachSetHoldsItsFontsInOrder)
{
    struct Case {
        Settings settings;
        int fontSet;
        int series;
        std::string codes;
        std::vector<std::string> someNames;  // the first names, and the last
    } const cases[] = {
        {{}, 0, 0, "0123456", {"1 (L48)", "2 (C36)", "7 (C6)"}},
        {{}, 0, 1, "7123456089ABCD", {"1 (C48)", "2 (C36)", "E (L6)"}},
        {{}, 1, 0, "G01E23F456", {"1 (L55)", "2 (L48)", "3 (C36)", "A (C6)"}},
        {{MarketChina, 0}, 2, 0, "012", {"Small", "Medium", "Large"}},
        {{MarketChina, 6}, 2, 0, "3012", {"Super Small", "Small", "Large"}},
        {{MarketHongKong, 0}, 3, 0, "3012", {"Super Small", "Small", "Large"}},
        {{MarketTaiwan, 10}, 3, 0, "214503", {"Large (2xW)", "Large", "Super-Small"}},
        {{MarketThailand}, 4, 0, "01234567", {"Large", "Large (2xH)", "Small (2xH, 2xW)"}},
        {{MarketTaiwan, 9}, 5, 0, "2145036", {"Large (2xW)", "Large", "Ingredients"}},
        {{MarketUsa, 10}, 6, 0, "G01HIE2JK3F456", {"1 (L54)", "2 (L48)", "3 (C36)", "14 (C7)"}},
        {{MarketNewZealand, 10}, 6, 0, "G01HIE2JK3F456", {"1 (L55)", "2 (L48)", "14 (C7)"}},
        {{MarketBaltic, 10}, 6, 0, "G0123456", {"1 (L55)", "2 (L48)", "3 (C36)", "8 (C7)"}},
        {{MarketPhilippines, 9}, 6, 0, "G01E23F456", {"1 (L55)", "2 (L48)", "10 (C7)"}},
        {{MarketSweden, 12}, 6, 0, "G01E23F456", {"1 (L55)", "10 (C7)"}},
        {{MarketUsa, 12}, 6, 0, "G01HIE2JK3F456", {"1 (L54)", "14 (C7)"}},
        {{MarketAustralia, 10}, 6, 0, "0123456GEF", {"1 (C48)", "2 (C36)", "A (C14)"}},
        {{MarketAustralia, 10, 0, 1}, 6, 0, "0123456GEF", {"1 (C48)", "A (C14)"}},
        {{MarketNewZealand, 10, 0, 1}, 6, 0, "7823456", {"1 (L62)", "2 (L48)", "3 (C36)", "7 (C9)"}},
        {{MarketNewZealand, 0, 0, 1}, 0, 3, "7823456019ABCD", {"1 (C62)", "2 (C48)", "E (L9)"}},
        {{MarketUsa, 9, 1}, 7, 0, "G01HIE2JK3F456LMNO", {"1 (L54)", "2 (L48)", "Large (Korean)"}},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        Apply(frame, c.settings);
        SCOPED_TRACE(testing::Message() << "set " << c.fontSet << " market " << c.settings.market << " family "
                                        << c.settings.family);
        CScaleFontList list;
        list.Build(CurrentGeneralSetup(), c.fontSet, c.series);
        EXPECT_EQ(Codes(list), c.codes);
        const std::vector<std::string> names = Names(list);
        ASSERT_EQ(names.size(), c.codes.size());
        for (std::size_t i = 0; i + 1 < c.someNames.size(); ++i) EXPECT_EQ(names[i], c.someNames[i]);
        EXPECT_EQ(names.back(), c.someNames.back());
    }
}

TEST(CScaleFontList, FlagsMarkTheCompactAndTheUpperCaseFonts)
{
    test::TestMainFrame frame;
    CScaleFontList list;
    list.Build(CurrentGeneralSetup(), 0, 1);
    for (std::size_t i = 0; i < list.GetSize(); ++i) {
        const bool compact = list.GetAt(i).m_name.find("(C") != std::string::npos;
        EXPECT_EQ(list.GetLayoutFlag(i), compact) << "font " << i;
        EXPECT_EQ(list.IsUpperCaseOnly(i), i % 7 != 0) << "font " << i;
    }
    list.Build(CurrentGeneralSetup(), 1, 0);
    EXPECT_FALSE(list.GetLayoutFlag(0));
    EXPECT_FALSE(list.GetLayoutFlag(1));
    EXPECT_TRUE(list.GetLayoutFlag(2));
}

TEST(CScaleFontList, ReadersAnswerDefaultsPastTheEnd)
{
    test::TestMainFrame frame;
    frame.m_setup.m_lineLimit = 40;
    CScaleFontList list;
    EXPECT_EQ(list.GetCode(0), '0');
    list.Build(CurrentGeneralSetup(), 1, 0);
    EXPECT_EQ(list.GetCode(3), 'E');
    EXPECT_EQ(list.GetCode(10), 'G');
    EXPECT_EQ(list.FindIndex('E'), 3u);
    EXPECT_EQ(list.FindIndex('7'), 0u);
    EXPECT_TRUE(list.HasCode('F'));
    EXPECT_FALSE(list.HasCode('7'));
    EXPECT_TRUE(list.IsUpperCaseOnly(10));
    EXPECT_TRUE(list.GetLayoutFlag(10));
    EXPECT_EQ(list.GetCharSize(10, true), 9);
    EXPECT_EQ(list.GetCharSize(10, false), 9);
    EXPECT_EQ(list.GetLinePitch(10), 14);
    EXPECT_EQ(list.GetLineLimit(10, CurrentGeneralSetup().m_defaultScaleFamily, CurrentGeneralSetup().m_lineLimit), 40);
    EXPECT_EQ(list.GetCharSize(0, true), 55);
    list.RemoveAll();
    EXPECT_EQ(list.GetSize(), 0u);
}

TEST(CScaleFontList, LineLimitIsTheSetupsForTheLaterFamilies)
{
    struct Case {
        std::uint16_t market;
        std::uint16_t family;
        int fontSet;
        std::uint16_t lineLimit;
    } const cases[] = {
        {MarketHongKong, 0, 3, 1},  {MarketChina, 0, 2, 1},  {MarketHongKong, 6, 3, 40},
        {MarketChina, 8, 2, 40},    {MarketUsa, 10, 6, 40},  {MarketHongKong, 9, 3, 40},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = c.market;
        frame.m_setup.m_defaultScaleFamily = c.family;
        frame.m_setup.m_lineLimit = 40;
        CScaleFontList list;
        list.Build(CurrentGeneralSetup(), c.fontSet, 0);
        EXPECT_EQ(list.GetLineLimit(0, c.family, frame.m_setup.m_lineLimit), c.lineLimit) << "market " << c.market << " family " << c.family;
    }
}

TEST(CScaleFontList, DefaultLineCodeFollowsTheFramesLineFonts)
{
    test::TestMainFrame frame;
    frame.m_setup.m_defaultScaleFamily = 6;
    frame.SelectScaleFontSet();
    const CScaleFontList& list = frame.GetScaleFontList();
    EXPECT_EQ(list.GetDefaultLineCode(frame.m_defLineFont, 2, 0), '1');  // position 2 of set 1
    frame.m_defLineFont.m_positions[CDefLineFont::Coupon] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    frame.m_defLineFont.m_perLine[CDefLineFont::Coupon] = 1;
    EXPECT_EQ(list.GetDefaultLineCode(frame.m_defLineFont, 8, 3), 'E');
    EXPECT_EQ(list.GetDefaultLineCode(frame.m_defLineFont, 8, 12), '6');
    EXPECT_EQ(list.GetDefaultLineCode(frame.m_defLineFont, 2, 3), '1');
}

}  // namespace
}  // namespace varnel
