// Small serialisable classes for the archive tests.
#include "ArchiveTestClasses.h"

namespace varnel::test {

VARNEL_IMPLEMENT_SERIAL(CTestLeaf, 1)
VARNEL_IMPLEMENT_SERIAL(CTestEmpty, 1)
VARNEL_IMPLEMENT_SERIAL_VERSIONABLE(CTestVersioned, 3)
VARNEL_IMPLEMENT_SERIAL(CTestNode, 7)

void CTestLeaf::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_text << m_number;
    else
        ar >> m_text >> m_number;
}

void CTestVersioned::Serialize(CArchive& ar)
{
    m_schemaSeen = ar.GetObjectSchema();
    if (ar.IsStoring()) {
        ar << m_value << m_extra;
        return;
    }
    ar >> m_value;
    if (m_schemaSeen >= 2) ar >> m_extra;
}

void CTestNode::Serialize(CArchive& ar)
{
    SerializeObjectList(ar, m_children);
    m_schemaAfterChildren = ar.GetObjectSchema();
}

std::unique_ptr<CTestNode> MakeNodeChain(int depth)
{
    auto top = std::make_unique<CTestNode>();
    CTestNode* last = top.get();
    for (int i = 1; i < depth; ++i) {
        auto next = std::make_unique<CTestNode>();
        CTestNode* nextRaw = next.get();
        last->m_children.push_back(std::move(next));
        last = nextRaw;
    }
    return top;
}

}  // namespace varnel::test
