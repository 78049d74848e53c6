// Any bytes read as an archive holding a list of objects give those objects or a clean failure, never a
// crash, an over-read or a leak. What loads cleanly is stored, loaded and stored again: the two stored
// forms must be the same bytes, so the writer and the reader agree on everything the reader accepts.
//
// The classes cover what settings objects hold: every number width, counted strings, dates, word and
// byte arrays, a version ladder with an oldest format that has no version word, a versionable class,
// and lists and maps that nest.
#include "platform/ArchiveCollections.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace varnel {
namespace {

// Version words from 100 up; below 100 the first word is the kind itself (the oldest format).
class CFuzzRecord : public CObject {
    VARNEL_DECLARE_SERIAL(CFuzzRecord)
public:
    void Serialize(CArchive& ar) override
    {
        constexpr std::uint16_t kVersion = 102;
        std::uint16_t version = kVersion;
        if (ar.IsStoring()) {
            ar << version << m_kind << m_name << m_byte << m_signed << m_number << m_ratio << m_amount << m_when;
            SerializeWordArray(ar, m_words);
            SerializeByteArray(ar, m_bytes);
            return;
        }
        ar >> version;
        if (version >= 100) {
            ar >> m_kind;
        } else {
            m_kind = version;
        }
        ar >> m_name >> m_byte >> m_signed >> m_number >> m_ratio >> m_amount;
        if (version >= 101) ar >> m_when;
        if (version >= 102) {
            SerializeWordArray(ar, m_words);
            SerializeByteArray(ar, m_bytes);
        }
    }

private:
    std::uint16_t m_kind = 0;
    std::string m_name;
    char m_byte = 0;
    std::int16_t m_signed = 0;
    std::uint32_t m_number = 0;
    float m_ratio = 0;
    double m_amount = 0;
    COleDateTime m_when;
    std::vector<std::uint16_t> m_words;
    std::vector<std::uint8_t> m_bytes;
};

// Registered with schema 2 and versionable: schema 1 has no flag byte.
class CFuzzVersioned : public CObject {
    VARNEL_DECLARE_SERIAL(CFuzzVersioned)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_value << m_flag;
            return;
        }
        ar >> m_value;
        if (ar.GetObjectSchema() >= 2) ar >> m_flag;
    }

private:
    std::int32_t m_value = 0;
    std::int8_t m_flag = 0;
};

class CFuzzList : public CObject {
    VARNEL_DECLARE_SERIAL(CFuzzList)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_title;
        else
            ar >> m_title;
        SerializeObjectList(ar, m_items);
        SerializeMapWordToOb(ar, m_records);
    }

private:
    std::string m_title;
    std::vector<std::unique_ptr<CObject>> m_items;
    std::map<std::uint16_t, std::unique_ptr<CFuzzRecord>> m_records;
};

VARNEL_IMPLEMENT_SERIAL(CFuzzRecord, 1)
VARNEL_IMPLEMENT_SERIAL_VERSIONABLE(CFuzzVersioned, 2)
VARNEL_IMPLEMENT_SERIAL(CFuzzList, 1)

using Objects = std::vector<std::unique_ptr<CObject>>;

Result<void> Load(std::span<const std::uint8_t> bytes, Objects& objects)
{
    return LoadArchive(bytes, [&](CArchive& ar) { SerializeObjectList(ar, objects); });
}

std::vector<std::uint8_t> Store(Objects& objects)
{
    auto stored = SaveArchive([&](CArchive& ar) { SerializeObjectList(ar, objects); });
    if (!stored) __builtin_trap();
    return std::move(*stored);
}

}  // namespace
}  // namespace varnel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    varnel::Objects objects;
    if (!varnel::Load({data, size}, objects)) return 0;
    const std::vector<std::uint8_t> stored = varnel::Store(objects);
    varnel::Objects reloaded;
    if (!varnel::Load(stored, reloaded)) __builtin_trap();
    if (varnel::Store(reloaded) != stored) __builtin_trap();
    return 0;
}
