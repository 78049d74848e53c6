// Word and byte arrays in their archive forms.
#include "platform/ArchiveCollections.h"

namespace varnel {

void SerializeWordArray(CArchive& ar, std::vector<std::uint16_t>& words)
{
    if (ar.IsStoring()) {
        ar.WriteCount(words.size());
        for (const std::uint16_t word : words) ar << word;
        return;
    }
    words.assign(ar.ReadCount(sizeof(std::uint16_t)), 0);
    for (std::uint16_t& word : words) ar >> word;
}

void SerializeByteArray(CArchive& ar, std::vector<std::uint8_t>& bytes)
{
    if (ar.IsStoring()) {
        ar.WriteCount(bytes.size());
        ar.Write(bytes);
        return;
    }
    bytes.assign(ar.ReadCount(1), 0);
    ar.Read(bytes);
}

void SerializeUnbuiltCollection(CArchive& ar, std::string_view what)
{
    if (ar.IsStoring()) {
        ar.WriteCount(0);
        return;
    }
    if (ar.ReadCount(1) != 0)
        ar.Fail(Errc::Unsupported, "the file holds " + std::string(what) + ", which are not supported yet");
}

}  // namespace varnel
