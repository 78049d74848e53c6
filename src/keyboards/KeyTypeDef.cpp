#include "keyboards/KeyTypeDef.h"

#include "platform/Archive.h"

namespace varnel {
namespace {

void SerializeTable(CArchive& ar, CKeyTypeDef::Codes& codes)
{
    if (ar.IsStoring()) {
        ar.WriteCount(codes.size());
        ar.Write(codes);
        return;
    }
    if (ar.ReadCount(1) != codes.size()) {
        ar.Fail(Errc::Corrupt, "a key-type table does not hold 88 codes");
        return;
    }
    ar.Read(codes);
}

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CKeyTypeDef, 1)

void CKeyTypeDef::Serialize(CArchive& ar)
{
    std::uint16_t version = kVersion;
    if (ar.IsStoring())
        ar << version;
    else
        ar >> version;
    const bool hasType12 = ar.IsStoring() || version > 100;
    for (std::size_t table = 0; table < kTables; ++table) {
        if (table == Type12 && !hasType12) {
            m_tables[Type12] = m_tables[Type8];
            continue;
        }
        SerializeTable(ar, m_tables[table]);
    }
}

}  // namespace varnel
