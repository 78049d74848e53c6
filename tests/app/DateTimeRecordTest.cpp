// The record that sets a scale's clock, by family, and the document's job of one such record.
#include "DocumentFixture.h"
#include "app/DateTimeRecord.h"

#include <array>

namespace varnel::test {
namespace {

const DateTimeParts kWhen{2024, 3, 9, 10, 7, 45};

std::string Built(std::uint16_t family, std::size_t room = 64)
{
    std::array<std::uint8_t, 64> buffer{};
    ScaleRecordOut out{std::span(buffer).first(room)};
    if (!BuildDateTimeRecord(family, kWhen, out)) return "<none>";
    return std::to_string(out.code) + ":" + std::string(reinterpret_cast<const char*>(buffer.data()), out.length);
}

TEST(DateTimeRecord, EachFamilyGetsItsOwnCodeAndForm)
{
    const std::string header10 = std::string("\x30\x12\0\0\0\0\0\x0d", 8);
    const std::string header11 = std::string("\x10\x81\0\0\0\0\0\x0d", 8);
    const struct {
        std::uint16_t family;
        std::string expected;
    } cases[] = {
        {6, "90:" + std::string("\x20\x24\x03\x09\x10\x07\0\0", 8)},
        {8, "90:" + std::string("\x20\x24\x03\x09\x10\x07\0\0", 8)},
        {10, "3012:" + header10 + "202403091007,"},
        {12, "3012:" + header10 + "202403091007,"},
        {11, "1081:" + header11 + "202403091007,"},
        {9, "<none>"},
        {0, "<none>"},  // the text families' clock record is not known
        {13, "<none>"},
    };
    for (const auto& c : cases) EXPECT_EQ(Built(c.family), c.expected) << "family " << c.family;
    EXPECT_EQ(Built(6, 13), "<none>");
    EXPECT_EQ(Built(6, 14).substr(0, 3), "90:");
}

TEST_F(DocumentTest, AClockJobMakesOneRecordOfTheTimeHalfAMinuteAhead)
{
    clock.Advance(std::chrono::seconds(6 * 60 + 45));  // 10:06:45
    CLinkScaleSettings scale;
    scale.m_scaleType = 11;
    std::array<std::uint8_t, 64> buffer{};
    ScaleRecordOut out{buffer};
    KeyCursor cursor = 0;
    KeyCursor key = -1;
    ASSERT_TRUE(doc->NextJobRecord(SendDateTime, scale, frame, cursor, 0, out, key));
    EXPECT_EQ(key, 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()) + 8, out.length - 8u), "202403091007,");
    EXPECT_FALSE(doc->NextJobRecord(SendDateTime, scale, frame, cursor, 0, out, key));
}

}  // namespace
}  // namespace varnel::test
