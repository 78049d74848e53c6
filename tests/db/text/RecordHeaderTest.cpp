#include "db/text/RecordHeader.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace varnel {
namespace {

using Bytes = std::array<std::uint8_t, kRecordHeaderSize>;

TEST(RecordHeader, PacksTheNumberAndTheLengthInBothForms)
{
    struct Case {
        std::uint32_t number;
        std::uint16_t length;
        Bytes longForm;
        Bytes shortForm;
    } const cases[] = {
        {25, 300, {0x00, 0x25, 0, 0, 0, 0, 0x01, 0x2C}, {0x25, 0, 0, 0, 0, 0, 0x2C, 0x01}},
        {1027, 24, {0x10, 0x27, 0, 0, 0, 0, 0x00, 0x18}, {0x27, 0, 0, 0, 0, 0, 0x18, 0x00}},
        {0, 0, {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}},
        {9999, 65535, {0x99, 0x99, 0, 0, 0, 0, 0xFF, 0xFF}, {0x99, 0, 0, 0, 0, 0, 0xFF, 0xFF}},
        // Numbers keep their low digits, after being taken modulo 65536.
        {12345, 1, {0x23, 0x45, 0, 0, 0, 0, 0x00, 0x01}, {0x45, 0, 0, 0, 0, 0, 0x01, 0x00}},
        {65536 + 25, 2, {0x00, 0x25, 0, 0, 0, 0, 0x00, 0x02}, {0x25, 0, 0, 0, 0, 0, 0x02, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "number " << c.number << " length " << c.length);
        Bytes header;
        header.fill(0xEE);
        EXPECT_EQ(MakeRecordHeader(header, c.number, c.length), kRecordHeaderSize);
        EXPECT_EQ(header, c.longForm);
        header.fill(0xEE);
        EXPECT_EQ(MakeShortRecordHeader(header, c.number, c.length), kRecordHeaderSize);
        EXPECT_EQ(header, c.shortForm);
    }
}

}  // namespace
}  // namespace varnel
