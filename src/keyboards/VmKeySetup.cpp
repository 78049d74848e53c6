#include "keyboards/VmKeySetup.h"

#include "platform/ArchiveCollections.h"
#include "platform/ArchiveExchange.h"

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CVmKeySetup, 1)

CVmKeySetup::CVmKeySetup()
{
    m_colours.fill(0xFFFFFF);
    for (std::size_t i = 0; i < kColours; ++i) m_colourNames[i] = "Color " + std::to_string(i + 1);
}

void CVmKeySetup::Serialize(CArchive& ar)
{
    std::uint32_t version = kVersion;
    Exchange(ar, version);
    const std::size_t colours = ar.IsLoading() && version <= 100 ? kColours - 1 : kColours;
    for (std::size_t i = 0; i < colours; ++i) Exchange(ar, m_colours[i], m_colourNames[i]);
    SerializeUnbuiltCollection(ar, "preset key types");
    SerializeUnbuiltCollection(ar, "preset key types");
}

}  // namespace varnel
