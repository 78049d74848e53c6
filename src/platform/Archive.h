// CArchive: the application framework's object archive, byte for byte, so that setup, schedule and
// unsent-data files written by the framework read here and ours read there. Everything is
// little-endian; one archive is one byte buffer, stored or loaded from its start.
//
//   value                       bytes
//   u8 / i8 / char              1
//   u16 / i16                   2
//   u32 / i32                   4
//   float / double              4 / 8, IEEE 754
//   counted string              length, then the code-page bytes, no terminator:
//                                 length < 0xFF          u8 length
//                                 length < 0xFFFE        0xFF, u16 length
//                                 otherwise              0xFF, u16 0xFFFF, u32 length
//                               (0xFF, u16 0xFFFE is the framework's mark of a UTF-16 string: refused;
//                                a length of exactly 0xFFFE therefore takes the u32 form)
//   count                       count < 0xFFFF: u16 count; otherwise u16 0xFFFF, u32 count
//   date-time (COleDateTime)    i32 status (0 valid, 1 invalid, 2 null), double day count
//   object                      behind a tag, see Serializable.h; collections in ArchiveCollections.h
//
// Errors are sticky. The first failure (a read past the end, a malformed value, or one an object's
// own Serialize reports with Fail) is kept with the offset where it happened; from then on reads
// return zeros and empty values without moving, writes are dropped, and no object is created. Object
// code therefore reads field after field and version ladder after version ladder without checking each
// step; the caller asks Status() once at the end (LoadArchive and SaveArchive do). Nothing throws.
#pragma once

#include "platform/OleDate.h"
#include "platform/Result.h"
#include "platform/Serializable.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varnel {

// What the code that loads or stores a file tells the objects inside it, such as the format of the
// setup file being read. Each kind of file derives its own; objects cast it to the kind they expect.
class ArchiveContext {
public:
    virtual ~ArchiveContext() = default;
};

class CArchive {
public:
    // The schema GetObjectSchema gives outside an object read or written behind a tag.
    static constexpr std::uint16_t kNoObjectSchema = 0xFFFF;

    // An archive that writes into a buffer of its own (TakeBytes).
    static CArchive Storing();
    // An archive that reads `bytes`, which must outlive it.
    static CArchive Loading(std::span<const std::uint8_t> bytes);

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_storing; }
    bool IsLoading() const { return !m_storing; }

    // The sticky error state. Fail keeps only the first failure; the offset is added to its message.
    bool Ok() const { return !m_error.has_value(); }
    void Fail(Errc code, const std::string& message, SourceLocation where = SourceLocation::Current());
    Result<void> Status() const;
    std::size_t Offset() const { return m_storing ? m_stored.size() : m_position; }
    // Loading: every byte has been read (a file may end where its optional parts begin).
    bool AtEnd() const { return !m_storing && Remaining() == 0; }

    // The bytes written so far (storing); the archive is empty afterwards.
    std::vector<std::uint8_t> TakeBytes();

    // Fixed-width numbers. bool has no operator: the file formats give flags 1, 2 or 4 bytes, so the
    // object code says which by its member's type or a cast.
    CArchive& operator<<(std::uint8_t value);
    CArchive& operator<<(std::int8_t value);
    CArchive& operator<<(char value);
    CArchive& operator<<(std::uint16_t value);
    CArchive& operator<<(std::int16_t value);
    CArchive& operator<<(std::uint32_t value);
    CArchive& operator<<(std::int32_t value);
    CArchive& operator<<(float value);
    CArchive& operator<<(double value);
    CArchive& operator<<(bool) = delete;
    CArchive& operator>>(std::uint8_t& value);
    CArchive& operator>>(std::int8_t& value);
    CArchive& operator>>(char& value);
    CArchive& operator>>(std::uint16_t& value);
    CArchive& operator>>(std::int16_t& value);
    CArchive& operator>>(std::uint32_t& value);
    CArchive& operator>>(std::int32_t& value);
    CArchive& operator>>(float& value);
    CArchive& operator>>(double& value);
    CArchive& operator>>(bool&) = delete;

    // Counted strings of code-page bytes, never converted.
    CArchive& operator<<(std::string_view text);
    CArchive& operator<<(const char* text) { return *this << std::string_view(text); }
    CArchive& operator>>(std::string& text);

    CArchive& operator<<(const COleDateTime& date);
    CArchive& operator>>(COleDateTime& date);

    // Raw bytes, without a count.
    void Write(std::span<const std::uint8_t> bytes);
    void Read(std::span<std::uint8_t> bytes);

    // Element counts of the collection forms. ReadCount fails, before anything is allocated, when the
    // elements could not fit in the bytes left at `minElementBytes` each.
    void WriteCount(std::size_t count);
    std::size_t ReadCount(std::size_t minElementBytes);

    // Objects behind their tags (implemented in Serializable.cpp). WriteObject writes a null tag for
    // null and a back-reference for an object already written to this archive. ReadObject<T> hands
    // back a new object that the caller owns, or null for a null tag or after a failure. A
    // back-reference fails (Errc::Unsupported), since an object read once is already owned elsewhere;
    // an object whose class is not a T fails (Errc::Corrupt) before it reads its fields.
    void WriteObject(CObject* object);
    template <class T>
    std::unique_ptr<T> ReadObject();
    // The schema of the object being serialised: read from the archive for an object being loaded
    // (it differs from the class's own only for a versionable class), the class's own when storing.
    std::uint16_t GetObjectSchema() const { return m_objectSchema; }

    // The caller's context for the objects (null when it set none); it must outlive the archive's use.
    void SetContext(const ArchiveContext* context) { m_context = context; }
    const ArchiveContext* GetContext() const { return m_context; }

private:
    struct LoadedEntry {
        const CRuntimeClass* runtimeClass;  // null for an object (and for the null object, index 0)
        std::uint16_t schema;               // the schema the archive gave the class
    };

    CArchive(bool storing, std::span<const std::uint8_t> bytes);

    template <class T>
    CArchive& StoreValue(T value);
    template <class T>
    CArchive& LoadValue(T& value);
    template <class U>
    void Put(U value);
    template <class U>
    U Take();
    bool Need(std::size_t size);
    std::size_t Remaining() const { return m_loading.size() - m_position; }
    void WriteStringLength(std::size_t length);
    std::size_t ReadStringLength();

    // Object tags (Serializable.cpp).
    using Accepts = bool (*)(const CObject&);
    std::unique_ptr<CObject> ReadObjectIf(Accepts accepts);
    void WriteClass(const CRuntimeClass& runtimeClass);
    void WriteIndexTag(std::uint32_t index, bool isClass);
    const LoadedEntry* ReadNewClass();
    const LoadedEntry* FindLoadedClass(std::uint32_t index);
    void RefuseObjectReference(std::uint32_t index);
    bool TakeIndex();

    bool m_storing;
    std::vector<std::uint8_t> m_stored;
    std::span<const std::uint8_t> m_loading;
    std::size_t m_position = 0;
    std::optional<Error> m_error;

    // Classes and objects share one index counter per archive, from 1 (0 is the null object).
    std::uint32_t m_nextIndex = 1;
    std::unordered_map<const void*, std::uint32_t> m_storedIndex;  // storing: class or object -> index
    std::vector<LoadedEntry> m_loaded;                             // loading: index -> entry
    int m_depth = 0;
    std::uint16_t m_objectSchema = kNoObjectSchema;
    const ArchiveContext* m_context = nullptr;
};

template <class T>
std::unique_ptr<T> CArchive::ReadObject()
{
    std::unique_ptr<CObject> object =
        ReadObjectIf([](const CObject& candidate) { return dynamic_cast<const T*>(&candidate) != nullptr; });
    return std::unique_ptr<T>(dynamic_cast<T*>(object.release()));
}

// Runs `serialize` over a loading archive of `bytes`; the archive's first error, if any. Trailing
// bytes that `serialize` does not read are ignored, as the framework ignores them.
Result<void> LoadArchive(std::span<const std::uint8_t> bytes, const std::function<void(CArchive&)>& serialize);
// Runs `serialize` over a storing archive; the bytes it wrote, or its first error.
Result<std::vector<std::uint8_t>> SaveArchive(const std::function<void(CArchive&)>& serialize);

}  // namespace varnel
