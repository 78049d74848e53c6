// Object lists, maps, word and byte arrays in their archive forms.
#include "ArchiveBytes.h"
#include "ArchiveTestClasses.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ArchiveCollections, ObjectListsAndMapsHaveTheFrameworkForms)
{
    std::vector<std::unique_ptr<CTestLeaf>> list;
    list.push_back(std::make_unique<CTestLeaf>("a", 1));
    list.push_back(nullptr);
    list.push_back(std::make_unique<CTestLeaf>("b", 2));
    std::map<std::uint16_t, std::unique_ptr<CTestLeaf>> map;
    map[9] = std::make_unique<CTestLeaf>("n", 9);
    map[4] = nullptr;
    map[0xFFFF] = std::make_unique<CTestLeaf>("m", 3);

    const auto stored = SaveArchive([&](CArchive& ar) {
        SerializeObjectList(ar, list);
        SerializeMapWordToOb(ar, map);
    });
    ASSERT_TRUE(stored);
    const Bytes expected = ArchiveBytes()
                               .U16(3).NewClass("CTestLeaf").Short("a").U16(1).U16(0).U16(0x8001).Short("b").U16(2)
                               .U16(3)                                   // ascending keys
                               .U16(4).U16(0)
                               .U16(9).U16(0x8001).Short("n").U16(9)
                               .U16(0xFFFF).U16(0x8001).Short("m").U16(3)
                               .Get();
    EXPECT_EQ(*stored, expected);

    std::vector<std::unique_ptr<CTestLeaf>> readList;
    readList.push_back(std::make_unique<CTestLeaf>("stale", 0));
    std::map<std::uint16_t, std::unique_ptr<CTestLeaf>> readMap;
    readMap[1] = std::make_unique<CTestLeaf>("stale", 0);
    ASSERT_TRUE(LoadArchive(expected, [&](CArchive& ar) {
        SerializeObjectList(ar, readList);
        SerializeMapWordToOb(ar, readMap);
    }));
    ASSERT_EQ(readList.size(), 3u) << "loading replaces what the list held";
    EXPECT_EQ(readList[0]->m_text, "a");
    EXPECT_EQ(readList[1], nullptr);
    EXPECT_EQ(readList[2]->m_number, 2);
    ASSERT_EQ(readMap.size(), 3u);
    EXPECT_EQ(readMap.at(9)->m_text, "n");
    EXPECT_EQ(readMap.at(4), nullptr);
    EXPECT_EQ(readMap.at(0xFFFF)->m_text, "m");
}

TEST(ArchiveCollections, AKeyReadTwiceKeepsTheLaterObject)
{
    const Bytes bytes = ArchiveBytes().U16(2).U16(5).NewClass("CTestLeaf").Short("early").U16(1).U16(5).U16(0x8001)
                            .Short("late").U16(2);
    std::map<std::uint16_t, std::unique_ptr<CTestLeaf>> map;
    ASSERT_TRUE(LoadArchive(bytes, [&](CArchive& ar) { SerializeMapWordToOb(ar, map); }));
    ASSERT_EQ(map.size(), 1u);
    EXPECT_EQ(map.at(5)->m_text, "late");
}

TEST(ArchiveCollections, WordAndByteArraysRoundTripAcrossTheCountForms)
{
    for (const std::size_t size : {std::size_t{0}, std::size_t{3}, std::size_t{0xFFFE}, std::size_t{0xFFFF},
                                   std::size_t{0x10000}}) {
        std::vector<std::uint16_t> words(size);
        std::vector<std::uint8_t> bytes(size);
        for (std::size_t i = 0; i < size; ++i) {
            words[i] = static_cast<std::uint16_t>(i * 0x0101 + 1);
            bytes[i] = static_cast<std::uint8_t>(i * 3);
        }
        const auto stored = SaveArchive([&](CArchive& ar) {
            SerializeWordArray(ar, words);
            SerializeByteArray(ar, bytes);
        });
        ASSERT_TRUE(stored);
        const std::size_t countBytes = size < 0xFFFF ? 2 : 6;
        ASSERT_EQ(stored->size(), 2 * countBytes + 3 * size) << size;
        if (size == 3) {
            EXPECT_EQ(*stored, ArchiveBytes().U16(3).U16(1).U16(0x0102).U16(0x0203).U16(3).U8(0).U8(3).U8(6).Get());
        }

        std::vector<std::uint16_t> readWords{7};
        std::vector<std::uint8_t> readBytes{7};
        ASSERT_TRUE(LoadArchive(*stored, [&](CArchive& ar) {
            SerializeWordArray(ar, readWords);
            SerializeByteArray(ar, readBytes);
        }));
        EXPECT_EQ(readWords, words) << size;
        EXPECT_EQ(readBytes, bytes) << size;
    }
}

// Counts are weighed against the bytes left at each form's smallest element, before anything is made.
TEST(ArchiveCollections, CountsBeyondTheBytesLeftFailBeforeReadingElements)
{
    struct Case {
        const char* what;
        Bytes bytes;
        std::function<std::size_t(CArchive&)> read;  // the number of elements it holds afterwards
    } const cases[] = {
        {"object list", ArchiveBytes().U16(3).U16(0).U16(0), [](CArchive& ar) {
             std::vector<std::unique_ptr<CTestLeaf>> list;
             SerializeObjectList(ar, list);
             return list.size();
         }},
        {"map", ArchiveBytes().U16(2).U16(1).U16(0).U16(2), [](CArchive& ar) {
             std::map<std::uint16_t, std::unique_ptr<CTestLeaf>> map;
             SerializeMapWordToOb(ar, map);
             return map.size();
         }},
        {"word array", ArchiveBytes().U16(0xFFFF).U32(0xFFFFFFFF).U16(1), [](CArchive& ar) {
             std::vector<std::uint16_t> words;
             SerializeWordArray(ar, words);
             return words.size();
         }},
        {"byte array", ArchiveBytes().U16(4).Raw("abc"), [](CArchive& ar) {
             std::vector<std::uint8_t> bytes;
             SerializeByteArray(ar, bytes);
             return bytes.size();
         }},
    };
    for (const Case& c : cases) {
        std::size_t held = 99;
        const auto loaded = LoadArchive(c.bytes, [&](CArchive& ar) { held = c.read(ar); });
        ASSERT_FALSE(loaded) << c.what;
        EXPECT_EQ(loaded.GetError().code, Errc::Corrupt) << c.what;
        EXPECT_NE(loaded.GetError().message.find("exceeds"), std::string::npos) << loaded.GetError().message;
        EXPECT_EQ(held, 0u) << c.what;
    }
}

}  // namespace
}  // namespace varnel::test
