// The framework's collections in their archive forms, over standard containers. Each Serialize stores
// the container or replaces its contents with what it loads (the framework's list appended instead;
// nothing here relies on that). After a failure the container holds what was read before it, so a
// loader reads into fresh objects and keeps them only when the whole archive read cleanly.
//
//   form                               bytes
//   object list / object array         count, then each element as an object behind its tag (null allowed)
//   (CObList, CObArray)
//   word array (CWordArray)            count, then each u16
//   byte array (CByteArray)            count, then the bytes
//   map u16 -> object (CMapWordToOb)   count, then per entry the u16 key and the object behind its tag
//
// Maps are written in ascending key order (the framework wrote its hash order; readers never depended
// on it). A key read twice keeps the later object, as the framework's map did, and destroys the earlier.
#pragma once

#include "platform/Archive.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// The fewest bytes an element takes: a tag, and a key before it in a map.
constexpr std::size_t kMinObjectBytes = 2;
constexpr std::size_t kMinMapEntryBytes = 4;

template <class T>
void SerializeObjectList(CArchive& ar, std::vector<std::unique_ptr<T>>& objects)
{
    if (ar.IsStoring()) {
        ar.WriteCount(objects.size());
        for (const std::unique_ptr<T>& object : objects) ar.WriteObject(object.get());
        return;
    }
    objects.clear();
    const std::size_t count = ar.ReadCount(kMinObjectBytes);
    objects.reserve(count);
    for (std::size_t i = 0; i < count && ar.Ok(); ++i) objects.push_back(ar.ReadObject<T>());
}

template <class T>
void SerializeMapWordToOb(CArchive& ar, std::map<std::uint16_t, std::unique_ptr<T>>& objects)
{
    if (ar.IsStoring()) {
        ar.WriteCount(objects.size());
        for (const auto& [key, object] : objects) {
            ar << key;
            ar.WriteObject(object.get());
        }
        return;
    }
    objects.clear();
    const std::size_t count = ar.ReadCount(kMinMapEntryBytes);
    for (std::size_t i = 0; i < count && ar.Ok(); ++i) {
        std::uint16_t key = 0;
        ar >> key;
        objects[key] = ar.ReadObject<T>();
    }
}

void SerializeWordArray(CArchive& ar, std::vector<std::uint16_t>& words);

// A list or map whose elements the system cannot hold yet: stored as an empty collection; loading
// one that holds elements fails (Errc::Unsupported, naming `what`), so nothing of it is lost by a
// later save.
void SerializeUnbuiltCollection(CArchive& ar, std::string_view what);
void SerializeByteArray(CArchive& ar, std::vector<std::uint8_t>& bytes);

}  // namespace varnel
