#include "platform/ui/CodePageText.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

struct CodePageCase {
    CodePage codePage;
    std::string bytes;
    const char16_t* text;
};

TEST(CodePageTextTest, StoreBytesAndScreenTextBothWays)
{
    const CodePageCase cases[] = {
        {CodePage::Western, "Caf\xE9 \x80" "5", u"Café €5"},
        {CodePage::Thai, "\xA1\xD2\xE1\xBF", u"กาแฟ"},
        {CodePage::SimplifiedChinese, "\xC5\xA3\xC8\xE2", u"牛肉"},
        {CodePage::TraditionalChinese, "\xA4\xFB\xA6\xD7", u"牛肉"},
        {CodePage::Korean, "\xBC\xD2\xB0\xED\xB1\xE2", u"소고기"},
    };
    for (const CodePageCase& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(ToDisplayText(c.bytes, c.codePage), text) << static_cast<int>(c.codePage);
        EXPECT_EQ(FromDisplayText(text, c.codePage), c.bytes) << static_cast<int>(c.codePage);
    }
}

TEST(CodePageTextTest, WhatTheOtherSideCannotHoldBecomesAQuestionMark)
{
    // One mark per character: a cut double-byte character, a character outside the code page, and a
    // character outside the basic plane.
    EXPECT_EQ(ToDisplayText("ab\xC5", CodePage::SimplifiedChinese), "ab?");
    EXPECT_EQ(FromDisplayText(QString::fromUtf16(u"a牛b"), CodePage::Western), "a?b");
    EXPECT_EQ(FromDisplayText(QString::fromUtf16(u"a\U0001F600b"), CodePage::Western), "a?b");
    EXPECT_EQ(ToDisplayText("", CodePage::Western), "");
}

}  // namespace
}  // namespace varnel
