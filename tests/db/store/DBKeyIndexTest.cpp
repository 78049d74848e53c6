#include "db/store/DBKeyIndex.h"
#include "db/store/DBRecord.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace varnel {
namespace {

CDBKeyIndex IndexOf(std::initializer_list<std::uint32_t> keys)
{
    CDBKeyIndex index;
    for (std::uint32_t key : keys) {
        auto record = std::make_unique<CDBRecord>();
        record->SetKey(key);
        EXPECT_TRUE(index.Insert(key, record));
    }
    return index;
}

TEST(DBKeyIndex, EmptyIndexFindsNothingAndKeepsAFreeKey)
{
    CDBKeyIndex index;
    bool found = true;
    EXPECT_EQ(index.FindPosition(7, found), 0u);
    EXPECT_FALSE(found);
    std::uint32_t key = 0;
    CDBRecord* record = nullptr;
    EXPECT_FALSE(index.GetAt(0, key, record));
    key = 42;
    EXPECT_TRUE(index.FindNextFreeKey(key));
    EXPECT_EQ(key, 42u);
}

TEST(DBKeyIndex, FindPositionGivesTheKeyOrItsInsertionPoint)
{
    const CDBKeyIndex index = IndexOf({5, 9, 100, 1000, 1001, 70000});
    struct Case {
        std::uint32_t key;
        std::size_t position;
        bool found;
    } const cases[] = {
        {0, 0, false},   {5, 0, true},    {6, 1, false},      {9, 1, true},       {99, 2, false},
        {100, 2, true},  {999, 3, false}, {1001, 4, true},    {1002, 5, false},   {70000, 5, true},
        {70001, 6, false}, {0xFFFFFFFF, 6, false},
    };
    for (const Case& c : cases) {
        bool found = false;
        EXPECT_EQ(index.FindPosition(c.key, found), c.position) << "key " << c.key;
        EXPECT_EQ(found, c.found) << "key " << c.key;
        EXPECT_EQ(index.Lookup(c.key) != nullptr, c.found) << "key " << c.key;
    }
}

TEST(DBKeyIndex, InterpolationSearchFindsEveryKeyOfSkewedRuns)
{
    CDBKeyIndex index;
    std::vector<std::uint32_t> keys;
    for (std::uint32_t k = 1; k <= 300; ++k) keys.push_back(k);
    for (std::uint32_t k = 1; k <= 50; ++k) keys.push_back(1000000 + k * 7919);
    keys.push_back(0xFFFFFFFF);
    for (std::uint32_t key : keys) {
        auto record = std::make_unique<CDBRecord>();
        ASSERT_TRUE(index.Insert(key, record));
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        bool found = false;
        EXPECT_EQ(index.FindPosition(keys[i], found), i);
        EXPECT_TRUE(found);
        if (keys[i] > 0 && !index.Lookup(keys[i] - 1)) {
            EXPECT_EQ(index.FindPosition(keys[i] - 1, found), i);
            EXPECT_FALSE(found);
        }
    }
}

TEST(DBKeyIndex, SetAtReplacesAPresentKeyAndInsertKeepsIt)
{
    CDBKeyIndex index = IndexOf({1, 2});
    auto replacement = std::make_unique<CDBRecord>();
    CDBRecord* raw = replacement.get();
    index.SetAt(2, std::move(replacement));
    EXPECT_EQ(index.GetCount(), 2u);
    EXPECT_EQ(index.Lookup(2), raw);

    auto refused = std::make_unique<CDBRecord>();
    EXPECT_FALSE(index.Insert(2, refused));
    EXPECT_NE(refused, nullptr) << "a refused record stays with the caller";
    EXPECT_EQ(index.Lookup(2), raw);
}

TEST(DBKeyIndex, RemoveKeyHandsTheRecordBack)
{
    CDBKeyIndex index = IndexOf({1, 2, 3});
    auto removed = index.RemoveKey(2);
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->GetKey(), 2u);
    EXPECT_EQ(index.RemoveKey(2), nullptr);
    EXPECT_EQ(index.GetCount(), 2u);
}

TEST(DBKeyIndex, FindNextFreeKey)
{
    struct Case {
        std::initializer_list<std::uint32_t> keys;
        std::uint32_t from;
        bool ok;
        std::uint32_t expected;
    } const cases[] = {
        {{1, 2, 3, 7}, 2, true, 4},
        {{1, 2, 3, 7}, 7, true, 8},
        {{1, 2, 3, 7}, 5, true, 5},
        {{1, 2, 3, 0xFFFFFFFE, 0xFFFFFFFF}, 0xFFFFFFFE, false, 0},  // no gap below the start
        {{1, 3, 0xFFFFFFFE, 0xFFFFFFFF}, 0xFFFFFFFE, true, 2},
        {{5, 0xFFFFFFFF}, 0xFFFFFFFF, true, 1},                     // the wrap never gives 0
        {{1, 2, 3, 10, 0xFFFFFFFF}, 10, true, 11},
    };
    for (const Case& c : cases) {
        const CDBKeyIndex index = IndexOf(c.keys);
        std::uint32_t key = c.from;
        EXPECT_EQ(index.FindNextFreeKey(key), c.ok) << "from " << c.from;
        if (c.ok) {
            EXPECT_EQ(key, c.expected) << "from " << c.from;
        }
    }
}

TEST(DBKeyIndex, BuildSortsAndKeepsTheFirstOfARepeatedKey)
{
    std::vector<CDBKeyIndex::Entry> entries;
    for (std::uint32_t key : {9u, 3u, 9u, 1u}) {
        auto record = std::make_unique<CDBRecord>();
        record->SetLength(static_cast<std::uint16_t>(entries.size()));  // marks the order given
        entries.push_back({key, std::move(record)});
    }
    CDBKeyIndex index;
    std::vector<std::unique_ptr<CDBRecord>> duplicates;
    index.Build(std::move(entries), duplicates);
    ASSERT_EQ(index.GetCount(), 3u);
    EXPECT_EQ(index.Lookup(9)->GetLength(), 0u);
    ASSERT_EQ(duplicates.size(), 1u);
    EXPECT_EQ(duplicates[0]->GetLength(), 2u);
}

}  // namespace
}  // namespace varnel
