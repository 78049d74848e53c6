// Small serialisable classes for the archive tests: a leaf with fields, an empty class, a versionable
// class with a version ladder, and a node that nests objects.
#pragma once

#include "platform/ArchiveCollections.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnel::test {

class CTestLeaf : public CObject {
    VARNEL_DECLARE_SERIAL(CTestLeaf)
public:
    CTestLeaf() = default;
    CTestLeaf(std::string text, std::uint16_t number) : m_text(std::move(text)), m_number(number) {}
    void Serialize(CArchive& ar) override;

    std::string m_text;
    std::uint16_t m_number = 0;
};

class CTestEmpty : public CObject {
    VARNEL_DECLARE_SERIAL(CTestEmpty)
public:
    void Serialize(CArchive&) override {}
};

// Registered with schema 3, versionable: schema 1 lacks the extra field, and the schema read is kept.
class CTestVersioned : public CObject {
    VARNEL_DECLARE_SERIAL(CTestVersioned)
public:
    void Serialize(CArchive& ar) override;

    std::uint32_t m_value = 0;
    std::uint32_t m_extra = 0;
    std::uint16_t m_schemaSeen = 0;
};

// Schema 7; keeps the schema it sees after its children, to show that nesting restores it.
class CTestNode : public CObject {
    VARNEL_DECLARE_SERIAL(CTestNode)
public:
    void Serialize(CArchive& ar) override;

    std::vector<std::unique_ptr<CObject>> m_children;
    std::uint16_t m_schemaAfterChildren = 0;
};

// A chain of `depth` nodes, each holding the next.
std::unique_ptr<CTestNode> MakeNodeChain(int depth);

}  // namespace varnel::test
