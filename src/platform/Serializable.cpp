// The class registry and the archive's object tags: classes and objects written and read behind their
// tags, with one shared index counter per archive.
#include "platform/Archive.h"

#include <cassert>
#include <cstdio>
#include <map>
#include <string>

namespace varnel {
namespace {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;       // | class index
constexpr std::uint16_t kBigObjectTag = 0x7FFF;   // a u32 tag follows
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint32_t kMaxIndex = 0x3FFFFFFE;   // the framework's limit of classes and objects per archive
constexpr std::size_t kMaxClassName = 63;

std::map<std::string_view, const CRuntimeClass*>& Registry()
{
    static std::map<std::string_view, const CRuntimeClass*> registry;
    return registry;
}

// A class name from an archive, fit for a message: bytes outside printable ASCII as \xNN.
std::string Printable(std::string_view name)
{
    std::string text;
    for (const char c : name) {
        if (c >= 0x20 && c < 0x7F) {
            text += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
            text += escaped;
        }
    }
    return "\"" + text + "\"";
}

}  // namespace

SerialClassRegistration::SerialClassRegistration(const CRuntimeClass& runtimeClass)
{
    [[maybe_unused]] const bool added = Registry().emplace(runtimeClass.m_name, &runtimeClass).second;
    assert(added && "two serialisable classes share a name");
}

const CRuntimeClass* FindSerialClass(std::string_view name)
{
    const auto found = Registry().find(name);
    return found == Registry().end() ? nullptr : found->second;
}

bool CArchive::TakeIndex()
{
    if (m_nextIndex > kMaxIndex) {
        Fail(Errc::Unsupported, "an archive holds at most " + std::to_string(kMaxIndex) + " classes and objects");
        return false;
    }
    ++m_nextIndex;
    return true;
}

void CArchive::WriteIndexTag(std::uint32_t index, bool isClass)
{
    if (index < kBigObjectTag) {
        Put(static_cast<std::uint16_t>(isClass ? kClassTag | index : index));
    } else {
        Put(kBigObjectTag);
        Put(isClass ? kBigClassTag | index : index);
    }
}

void CArchive::WriteClass(const CRuntimeClass& runtimeClass)
{
    if (const auto found = m_storedIndex.find(&runtimeClass); found != m_storedIndex.end()) {
        WriteIndexTag(found->second, true);
        return;
    }
    Put(kNewClassTag);
    Put(runtimeClass.m_schema);
    Put(static_cast<std::uint16_t>(runtimeClass.m_name.size()));
    Write(std::span(reinterpret_cast<const std::uint8_t*>(runtimeClass.m_name.data()), runtimeClass.m_name.size()));
    m_storedIndex.emplace(&runtimeClass, m_nextIndex);
    (void)TakeIndex();
}

void CArchive::WriteObject(CObject* object)
{
    assert(m_storing);
    if (!Ok()) return;
    if (object == nullptr) {
        Put(kNullTag);
        return;
    }
    if (const auto found = m_storedIndex.find(object); found != m_storedIndex.end()) {
        WriteIndexTag(found->second, false);
        return;
    }
    const CRuntimeClass& runtimeClass = *object->GetRuntimeClass();
    WriteClass(runtimeClass);
    m_storedIndex.emplace(object, m_nextIndex);
    if (!TakeIndex()) return;
    const std::uint16_t outerSchema = std::exchange(m_objectSchema, runtimeClass.m_schema);
    object->Serialize(*this);
    m_objectSchema = outerSchema;
}

const CArchive::LoadedEntry* CArchive::ReadNewClass()
{
    const std::uint16_t schema = Take<std::uint16_t>();
    const std::uint16_t nameLength = Take<std::uint16_t>();
    if (Ok() && nameLength > kMaxClassName) {
        Fail(Errc::Corrupt, "a class name of " + std::to_string(nameLength) + " bytes is too long");
        return nullptr;
    }
    if (!Need(nameLength)) return nullptr;
    const std::string_view name(reinterpret_cast<const char*>(m_loading.data() + m_position), nameLength);
    m_position += nameLength;

    const CRuntimeClass* runtimeClass = FindSerialClass(name);
    if (runtimeClass == nullptr) {
        Fail(Errc::Unsupported, "unknown class " + Printable(name));
        return nullptr;
    }
    if (schema != runtimeClass->m_schema && !runtimeClass->m_versionable) {
        Fail(Errc::Unsupported, "class " + Printable(name) + " has schema " + std::to_string(schema) +
                                    " where " + std::to_string(runtimeClass->m_schema) + " is expected");
        return nullptr;
    }
    if (!TakeIndex()) return nullptr;
    m_loaded.push_back({runtimeClass, schema});
    return &m_loaded.back();
}

const CArchive::LoadedEntry* CArchive::FindLoadedClass(std::uint32_t index)
{
    if (index == 0 || index >= m_loaded.size()) {
        Fail(Errc::Corrupt, "a class tag refers to index " + std::to_string(index) + ", which holds nothing yet");
        return nullptr;
    }
    if (m_loaded[index].runtimeClass == nullptr) {
        Fail(Errc::Corrupt, "a class tag refers to index " + std::to_string(index) + ", which holds an object");
        return nullptr;
    }
    return &m_loaded[index];
}

void CArchive::RefuseObjectReference(std::uint32_t index)
{
    if (index >= m_loaded.size())
        Fail(Errc::Corrupt, "an object tag refers to index " + std::to_string(index) + ", which holds nothing yet");
    else if (m_loaded[index].runtimeClass != nullptr)
        Fail(Errc::Corrupt, "an object tag refers to index " + std::to_string(index) + ", which holds a class");
    else
        Fail(Errc::Unsupported, "object " + std::to_string(index) + " is stored a second time (shared objects are "
                                "not supported)");
}

std::unique_ptr<CObject> CArchive::ReadObjectIf(Accepts accepts)
{
    assert(!m_storing);
    const std::uint16_t tag = Take<std::uint16_t>();
    // A u16 tag widens to the u32 form: its class bit moves to bit 31.
    const std::uint32_t fullTag = tag == kBigObjectTag ? Take<std::uint32_t>()
                                                       : (static_cast<std::uint32_t>(tag & kClassTag) << 16) |
                                                             static_cast<std::uint32_t>(tag & ~kClassTag);
    if (!Ok() || fullTag == kNullTag) return nullptr;
    if ((fullTag & kBigClassTag) == 0) {
        RefuseObjectReference(fullTag);
        return nullptr;
    }
    const LoadedEntry* found = tag == kNewClassTag ? ReadNewClass() : FindLoadedClass(fullTag & ~kBigClassTag);
    if (found == nullptr) return nullptr;
    const LoadedEntry entry = *found;  // a copy: the object's own fields add entries and may move the table
    if (m_depth >= kMaxObjectDepth) {
        Fail(Errc::Corrupt, "objects are nested more than " + std::to_string(kMaxObjectDepth) + " deep");
        return nullptr;
    }
    std::unique_ptr<CObject> object = entry.runtimeClass->CreateObject();
    if (!accepts(*object)) {
        Fail(Errc::Corrupt, "an object of class " + Printable(entry.runtimeClass->m_name) + " is not expected here");
        return nullptr;
    }
    if (!TakeIndex()) return nullptr;
    m_loaded.push_back({nullptr, 0});

    ++m_depth;
    const std::uint16_t outerSchema = std::exchange(m_objectSchema, entry.schema);
    object->Serialize(*this);
    m_objectSchema = outerSchema;
    --m_depth;
    if (!Ok()) return nullptr;
    return object;
}

}  // namespace varnel
