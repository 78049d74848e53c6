// Objects behind their tags: the tag forms byte for byte, the shared index counter, schemas, the class
// registry, and every way a tag can be wrong.
#include "ArchiveBytes.h"
#include "ArchiveTestClasses.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Serializable, TagsNameNewClassesKnownClassesNullAndBackReferences)
{
    CTestLeaf first("ab", 7), second("c", 1);
    CTestEmpty empty;
    const auto stored = SaveArchive([&](CArchive& ar) {
        ar.WriteObject(&first);
        ar.WriteObject(&second);
        ar.WriteObject(nullptr);
        ar.WriteObject(&empty);
        ar.WriteObject(&first);
    });
    ASSERT_TRUE(stored);
    const Bytes expected = ArchiveBytes()
                               .NewClass("CTestLeaf").Short("ab").U16(7)   // class 1, object 2
                               .U16(0x8001).Short("c").U16(1)               // class 1 again, object 3
                               .U16(0x0000)                                 // null
                               .NewClass("CTestEmpty")                      // class 4, object 5
                               .U16(0x0002)                                 // object 2 again
                               .Get();
    EXPECT_EQ(*stored, expected);

    std::unique_ptr<CTestLeaf> a, b, n;
    std::unique_ptr<CObject> e, again;
    CArchive ar = CArchive::Loading(expected);
    a = ar.ReadObject<CTestLeaf>();
    b = ar.ReadObject<CTestLeaf>();
    n = ar.ReadObject<CTestLeaf>();
    e = ar.ReadObject<CObject>();
    ASSERT_TRUE(ar.Ok()) << ar.Status().GetError().message;
    EXPECT_EQ(a->m_text, "ab");
    EXPECT_EQ(a->m_number, 7);
    EXPECT_EQ(b->m_text, "c");
    EXPECT_EQ(n, nullptr);
    EXPECT_NE(dynamic_cast<CTestEmpty*>(e.get()), nullptr);

    // The object at index 2 already belongs to `a`: a second owner is refused, not made.
    again = ar.ReadObject<CObject>();
    EXPECT_EQ(again, nullptr);
    ASSERT_FALSE(ar.Ok());
    EXPECT_EQ(ar.Status().GetError().code, Errc::Unsupported);
}

// 0x7FFC empty objects after the first bring the shared counter to 0x7FFF, where indices take the u32 form.
TEST(Serializable, IndicesFrom0x7FFFTakeTheBigForm)
{
    std::vector<CTestEmpty> empties(0x7FFD);
    CTestLeaf big1("x", 1), big2("y", 2);
    const auto stored = SaveArchive([&](CArchive& ar) {
        for (CTestEmpty& empty : empties) ar.WriteObject(&empty);
        ar.WriteObject(&big1);
        ar.WriteObject(&big2);
        ar.WriteObject(&big1);
        ar.WriteObject(&empties.back());
    });
    ASSERT_TRUE(stored);

    ArchiveBytes expected;
    expected.NewClass("CTestEmpty");                                      // class 1, object 2
    for (std::size_t i = 1; i < empties.size(); ++i) expected.U16(0x8001);  // objects 3 .. 0x7FFE
    expected.NewClass("CTestLeaf").Short("x").U16(1)                       // a new class stays 0xFFFF: class 0x7FFF
        .U16(0x7FFF).U32(0x80007FFF).Short("y").U16(2)                    // class 0x7FFF again
        .U16(0x7FFF).U32(0x00008000)                                      // object 0x8000 again
        .U16(0x7FFE);                                                     // object 0x7FFE again, small form
    ASSERT_EQ(stored->size(), expected.Get().size());
    EXPECT_TRUE(*stored == expected.Get());

    CArchive ar = CArchive::Loading(*stored);
    for (std::size_t i = 0; i < empties.size(); ++i) ar.ReadObject<CTestEmpty>();
    const auto x = ar.ReadObject<CTestLeaf>();
    const auto y = ar.ReadObject<CTestLeaf>();
    ASSERT_TRUE(ar.Ok()) << ar.Status().GetError().message;
    EXPECT_EQ(x->m_text, "x");
    EXPECT_EQ(y->m_text, "y");
    EXPECT_EQ(y->m_number, 2);
    EXPECT_EQ(ar.ReadObject<CTestLeaf>(), nullptr);
    EXPECT_EQ(ar.Status().GetError().code, Errc::Unsupported);
}

TEST(Serializable, MalformedTagsFailCleanlyAndSayWhy)
{
    const ArchiveBytes leaf = ArchiveBytes().NewClass("CTestLeaf").Short("a").U16(1);  // class 1, object 2
    auto after = [](const ArchiveBytes& start, const ArchiveBytes& tail) {
        Bytes bytes = start.Get();
        bytes.insert(bytes.end(), tail.Get().begin(), tail.Get().end());
        return bytes;
    };
    struct Case {
        const char* what;
        Bytes bytes;
        Errc code;
        std::string message;
    } const cases[] = {
        {"unknown class", ArchiveBytes().NewClass("CNoSuch").U16(0), Errc::Unsupported, "unknown class \"CNoSuch\""},
        {"class names are case-sensitive", ArchiveBytes().NewClass("ctestleaf"), Errc::Unsupported, "\"ctestleaf\""},
        {"unprintable class name", ArchiveBytes().NewClass(std::string_view("C\x01\xFF", 3)), Errc::Unsupported,
         "\"C\\x01\\xFF\""},
        {"wrong schema", ArchiveBytes().NewClass("CTestLeaf", 2).Short("a").U16(1), Errc::Unsupported,
         "class \"CTestLeaf\" has schema 2 where 1 is expected"},
        {"class name too long", ArchiveBytes().U16(0xFFFF).U16(1).U16(64).Raw(std::string(64, 'C')), Errc::Corrupt,
         "64 bytes is too long"},
        {"class name cut short", ArchiveBytes().U16(0xFFFF).U16(1).U16(9).Raw("CTest"), Errc::Corrupt, "ends early"},
        {"class index 0", ArchiveBytes().U16(0x8000), Errc::Corrupt, "index 0, which holds nothing"},
        {"class index not yet used", after(leaf, ArchiveBytes().U16(0x8003)), Errc::Corrupt, "index 3, which holds"},
        {"class index of an object", after(leaf, ArchiveBytes().U16(0x8002)), Errc::Corrupt, "holds an object"},
        {"object index not yet used", after(leaf, ArchiveBytes().U16(0x0003)), Errc::Corrupt, "index 3, which holds"},
        {"object index of a class", after(leaf, ArchiveBytes().U16(0x0001)), Errc::Corrupt, "holds a class"},
        {"big class index 0", ArchiveBytes().U16(0x7FFF).U32(0x80000000), Errc::Corrupt, "index 0"},
        {"big object index not yet used", ArchiveBytes().U16(0x7FFF).U32(0x00123456), Errc::Corrupt, "index 1193046"},
        {"big tag cut short", ArchiveBytes().U16(0x7FFF).U16(0x8000), Errc::Corrupt, "ends early"},
        {"tag cut short", ArchiveBytes().U8(0xFF), Errc::Corrupt, "at offset 0"},
        {"class of the wrong kind", after(ArchiveBytes().NewClass("CTestEmpty"), leaf), Errc::Corrupt,
         "an object of class \"CTestEmpty\" is not expected here"},
        {"UTF-16 text in a field", ArchiveBytes().NewClass("CTestLeaf").U8(0xFF).U16(0xFFFE).U8(0).U16(1),
         Errc::Unsupported, "UTF-16"},
    };
    for (const Case& c : cases) {
        std::vector<std::unique_ptr<CTestLeaf>> read;
        const auto loaded = LoadArchive(c.bytes, [&](CArchive& ar) {
            while (ar.Ok() && ar.Offset() < c.bytes.size()) read.push_back(ar.ReadObject<CTestLeaf>());
        });
        ASSERT_FALSE(loaded) << c.what;
        EXPECT_EQ(loaded.GetError().code, c.code) << c.what;
        EXPECT_NE(loaded.GetError().message.find(c.message), std::string::npos)
            << c.what << ": " << loaded.GetError().message;
        EXPECT_EQ(read.back(), nullptr) << c.what << ": the failed read hands back nothing";
    }
}

TEST(Serializable, AVersionableClassReadsOlderSchemasAndKeepsThemForLaterReferences)
{
    const Bytes bytes = ArchiveBytes()
                            .NewClass("CTestNode", 7).U16(3)
                            .NewClass("CTestVersioned", 1).U32(10)     // schema 1: no extra field
                            .U16(0x8003).U32(11)                       // the same class: schema 1 again
                            .NewClass("CTestLeaf").Short("z").U16(0)   // a child of another class between
                            .Get();
    std::unique_ptr<CTestNode> node;
    ASSERT_TRUE(LoadArchive(bytes, [&](CArchive& ar) { node = ar.ReadObject<CTestNode>(); }));
    ASSERT_EQ(node->m_children.size(), 3u);
    const auto& older = dynamic_cast<const CTestVersioned&>(*node->m_children[0]);
    const auto& again = dynamic_cast<const CTestVersioned&>(*node->m_children[1]);
    EXPECT_EQ(older.m_schemaSeen, 1);
    EXPECT_EQ(older.m_value, 10u);
    EXPECT_EQ(again.m_schemaSeen, 1);
    EXPECT_EQ(again.m_value, 11u);
    EXPECT_EQ(node->m_schemaAfterChildren, 7) << "the node's own schema comes back after its children";

    // Stored, the class writes its own schema and the object sees it.
    CTestVersioned current;
    current.m_value = 1;
    current.m_extra = 2;
    const auto stored = SaveArchive([&](CArchive& ar) { ar.WriteObject(&current); });
    ASSERT_TRUE(stored);
    EXPECT_EQ(*stored, ArchiveBytes().NewClass("CTestVersioned", 3).U32(1).U32(2).Get());
    EXPECT_EQ(current.m_schemaSeen, 3);
}

TEST(Serializable, NestingIsBounded)
{
    for (const int depth : {kMaxObjectDepth, kMaxObjectDepth + 1}) {
        const std::unique_ptr<CTestNode> chain = MakeNodeChain(depth);
        const auto stored = SaveArchive([&](CArchive& ar) { ar.WriteObject(chain.get()); });
        ASSERT_TRUE(stored);
        std::unique_ptr<CTestNode> read;
        const auto loaded = LoadArchive(*stored, [&](CArchive& ar) { read = ar.ReadObject<CTestNode>(); });
        if (depth <= kMaxObjectDepth) {
            ASSERT_TRUE(loaded) << loaded.GetError().message;
            EXPECT_NE(read, nullptr);
        } else {
            ASSERT_FALSE(loaded);
            EXPECT_EQ(loaded.GetError().code, Errc::Corrupt);
            EXPECT_NE(loaded.GetError().message.find("nested"), std::string::npos);
            EXPECT_EQ(read, nullptr);
        }
    }
}

TEST(Serializable, EveryPrefixOfAValidArchiveFailsCleanly)
{
    auto root = std::make_unique<CTestNode>();
    root->m_children.push_back(std::make_unique<CTestLeaf>(std::string(300, 'w'), 5));
    root->m_children.push_back(nullptr);
    auto versioned = std::make_unique<CTestVersioned>();
    versioned->m_value = 0xDEADBEEF;
    root->m_children.push_back(std::move(versioned));
    root->m_children.push_back(MakeNodeChain(3));
    root->m_children.push_back(std::make_unique<CTestLeaf>("", 6));
    const auto stored = SaveArchive([&](CArchive& ar) { ar.WriteObject(root.get()); });
    ASSERT_TRUE(stored);

    for (std::size_t size = 0; size <= stored->size(); ++size) {
        const std::span<const std::uint8_t> prefix(stored->data(), size);
        std::unique_ptr<CTestNode> read;
        const auto loaded = LoadArchive(prefix, [&](CArchive& ar) { read = ar.ReadObject<CTestNode>(); });
        if (size == stored->size()) {
            ASSERT_TRUE(loaded) << loaded.GetError().message;
            ASSERT_EQ(read->m_children.size(), 5u);
            EXPECT_EQ(dynamic_cast<CTestLeaf&>(*read->m_children[0]).m_text, std::string(300, 'w'));
            EXPECT_EQ(dynamic_cast<CTestVersioned&>(*read->m_children[2]).m_value, 0xDEADBEEF);
        } else {
            ASSERT_FALSE(loaded) << size;
            EXPECT_EQ(loaded.GetError().code, Errc::Corrupt) << size;
            EXPECT_EQ(read, nullptr) << size;
        }
    }
}

TEST(Serializable, ClassesAreFoundByTheirExactName)
{
    EXPECT_EQ(FindSerialClass("CTestLeaf"), &CTestLeaf::s_runtimeClass);
    EXPECT_EQ(FindSerialClass("CTestLeaf")->CreateObject()->GetRuntimeClass(), &CTestLeaf::s_runtimeClass);
    EXPECT_EQ(FindSerialClass("CTestLea"), nullptr);
    EXPECT_EQ(FindSerialClass("ctestleaf"), nullptr);
}

}  // namespace
}  // namespace varnel::test
