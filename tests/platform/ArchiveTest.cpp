// The archive's numbers, counted strings, dates and sticky errors, against bytes spelt out by hand.
#include "ArchiveBytes.h"

#include "platform/Archive.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Stored(const std::function<void(CArchive&)>& serialize)
{
    auto bytes = SaveArchive(serialize);
    EXPECT_TRUE(bytes) << bytes.GetError().message;
    return bytes ? *bytes : Bytes{};
}

Bytes Prefix(const Bytes& bytes, std::size_t size)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
}

TEST(Archive, NumbersAreLittleEndianAndReadBack)
{
    const Bytes expected = ArchiveBytes()
                               .U8(0x12)
                               .U8(0xFE)                    // i8 -2
                               .U8('A')
                               .U16(0x1234)
                               .U16(0xFFFE)                 // i16 -2
                               .U32(0x12345678)
                               .U32(0xFFFFFFFE)             // i32 -2
                               .U32(0x3F800000)             // 1.0f
                               .U32(0).U32(0x3FF80000)      // 1.5
                               .Get();
    EXPECT_EQ(Stored([](CArchive& ar) {
                  ar << std::uint8_t{0x12} << std::int8_t{-2} << 'A' << std::uint16_t{0x1234} << std::int16_t{-2}
                     << std::uint32_t{0x12345678} << std::int32_t{-2} << 1.0f << 1.5;
              }),
              expected);

    std::uint8_t u8 = 0;
    std::int8_t i8 = 0;
    char c = 0;
    std::uint16_t u16 = 0;
    std::int16_t i16 = 0;
    std::uint32_t u32 = 0;
    std::int32_t i32 = 0;
    float f = 0;
    double d = 0;
    ASSERT_TRUE(
        LoadArchive(expected, [&](CArchive& ar) { ar >> u8 >> i8 >> c >> u16 >> i16 >> u32 >> i32 >> f >> d; }));
    EXPECT_EQ(u8, 0x12);
    EXPECT_EQ(i8, -2);
    EXPECT_EQ(c, 'A');
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(i16, -2);
    EXPECT_EQ(u32, 0x12345678u);
    EXPECT_EQ(i32, -2);
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(d, 1.5);
}

TEST(Archive, StringLengthsTakeTheFrameworkForms)
{
    struct Case {
        std::size_t length;
        Bytes prefix;
    } const cases[] = {
        {0, {0x00}},
        {0xFE, {0xFE}},
        {0xFF, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        // 0xFF 0xFE 0xFF would be the UTF-16 mark, so 0xFFFE already takes the long form.
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        std::string text(c.length, '\0');
        for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>(i * 7);  // every byte value
        const Bytes stored = Stored([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(stored.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(Prefix(stored, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(std::string(stored.begin() + static_cast<std::ptrdiff_t>(c.prefix.size()), stored.end()), text);

        std::string read = "old";
        ASSERT_TRUE(LoadArchive(stored, [&](CArchive& ar) { ar >> read; })) << c.length;
        EXPECT_EQ(read, text) << c.length;
    }
}

TEST(Archive, StringsOfOtherShapesReadOrFailCleanly)
{
    struct Case {
        const char* what;
        Bytes bytes;
        std::optional<std::string> text;  // nullopt: the read fails with `code`
        Errc code = Errc::Corrupt;
    } const cases[] = {
        {"word form of a short length", ArchiveBytes().U8(0xFF).U16(3).Raw("abc"), "abc"},
        {"long form of a short length", ArchiveBytes().U8(0xFF).U16(0xFFFF).U32(2).Raw("ab"), "ab"},
        {"UTF-16 mark", ArchiveBytes().U8(0xFF).U16(0xFFFE).U8(2).Raw("a\0b\0"), std::nullopt, Errc::Unsupported},
        {"length past the end", ArchiveBytes().U8(4).Raw("abc"), std::nullopt},
        {"long length past the end", ArchiveBytes().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).Raw("ab"), std::nullopt},
        {"truncated word length", ArchiveBytes().U8(0xFF).U8(3), std::nullopt},
        {"truncated long length", ArchiveBytes().U8(0xFF).U16(0xFFFF).U16(2), std::nullopt},
    };
    for (const Case& c : cases) {
        std::string read = "old";
        const auto loaded = LoadArchive(c.bytes, [&](CArchive& ar) { ar >> read; });
        if (c.text) {
            ASSERT_TRUE(loaded) << c.what << ": " << loaded.GetError().message;
            EXPECT_EQ(read, *c.text) << c.what;
        } else {
            ASSERT_FALSE(loaded) << c.what;
            EXPECT_EQ(loaded.GetError().code, c.code) << c.what;
            EXPECT_EQ(read, "") << c.what;
        }
    }
}

TEST(Archive, CountsTakeTheFrameworkForms)
{
    struct Case {
        std::size_t count;
        Bytes bytes;
    } const cases[] = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x12345, {0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Stored([&](CArchive& ar) { ar.WriteCount(c.count); }), c.bytes) << c.count;
        Bytes withElements = c.bytes;
        withElements.resize(c.bytes.size() + c.count);
        std::size_t read = 0;
        ASSERT_TRUE(LoadArchive(withElements, [&](CArchive& ar) { read = ar.ReadCount(1); }));
        EXPECT_EQ(read, c.count);
    }
}

TEST(Archive, CountsThatCannotFitFailBeforeAnythingIsAllocated)
{
    struct Case {
        Bytes bytes;
        std::size_t minElementBytes;
    } const cases[] = {
        {ArchiveBytes().U16(3).U8(0).U8(0), 1},
        {ArchiveBytes().U16(2).U16(0).U8(0), 2},
        {ArchiveBytes().U16(0xFFFF).U32(0xFFFFFFFF).U32(0), 1},
        {ArchiveBytes().U16(0xFFFF).U32(0x80000001).U32(0), 2},  // would overflow as a byte size on 32 bits
        {ArchiveBytes().U16(0xFFFF).U16(1), 1},                  // truncated long count
    };
    for (const Case& c : cases) {
        std::size_t read = 99;
        const auto loaded = LoadArchive(c.bytes, [&](CArchive& ar) { read = ar.ReadCount(c.minElementBytes); });
        ASSERT_FALSE(loaded);
        EXPECT_EQ(loaded.GetError().code, Errc::Corrupt);
        EXPECT_EQ(read, 0u);
    }
}

TEST(Archive, DatesAreStatusThenDayCount)
{
    const COleDateTime valid{36526.25, DateTimeStatus::Valid};
    const COleDateTime null{0.0, DateTimeStatus::Null};
    const Bytes expected = ArchiveBytes().U32(0).U32(0).U32(0x40E1D5C8).U32(2).U32(0).U32(0).Get();
    ASSERT_EQ(Stored([&](CArchive& ar) { ar << valid << null; }), expected);

    COleDateTime first, second;
    ASSERT_TRUE(LoadArchive(expected, [&](CArchive& ar) { ar >> first >> second; }));
    EXPECT_EQ(first, valid);
    EXPECT_EQ(second, null);

    COleDateTime bad{1.0, DateTimeStatus::Invalid};
    const Bytes badStatus = ArchiveBytes().U32(3).U32(0).U32(0x3FF00000);
    const auto loaded = LoadArchive(badStatus, [&](CArchive& ar) { ar >> bad; });
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.GetError().code, Errc::Corrupt);
    EXPECT_EQ(bad, COleDateTime{});
}

TEST(Archive, TheFirstErrorSticksAndLaterReadsGiveZeros)
{
    const Bytes bytes = ArchiveBytes().U16(0x0102).U8(0x03);
    std::uint16_t word = 0;
    std::uint32_t cut = 7;
    std::uint8_t after = 9;
    std::string text = "old";
    CArchive ar = CArchive::Loading(bytes);
    ar >> word >> cut;
    EXPECT_FALSE(ar.Ok());
    ar >> after >> text;
    ar.Fail(Errc::Invalid, "a later complaint");
    EXPECT_EQ(word, 0x0102);
    EXPECT_EQ(cut, 0u);
    EXPECT_EQ(after, 0) << "nothing is read after the first error, not even the byte that is there";
    EXPECT_EQ(text, "");
    const auto status = ar.Status();
    ASSERT_FALSE(status);
    EXPECT_EQ(status.GetError().code, Errc::Corrupt);
    EXPECT_NE(status.GetError().message.find("at offset 2"), std::string::npos) << status.GetError().message;
}

TEST(Archive, AFailureWhileStoringIsTheSaveResult)
{
    const auto saved = SaveArchive([](CArchive& ar) {
        ar << std::uint16_t{1};
        ar.Fail(Errc::Invalid, "value out of range");
        ar << std::uint16_t{2};
    });
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.GetError().code, Errc::Invalid);
    EXPECT_EQ(saved.GetError().message, "value out of range at offset 2");
}

}  // namespace
}  // namespace varnel::test
