// Serialisable objects: the base class CObject, the run-time class that names a class in archives
// (CRuntimeClass), and the registry through which a class is created by name when an archive is read.
//
// An object in an archive stands behind a u16 tag. Classes and objects share one index counter per
// archive, from 1; index 0 is the null object. Every new class and every new object takes the next one.
//
//   tag                      meaning
//   0x0000                   null object
//   0xFFFF                   new class: u16 schema, u16 name length n, n ASCII bytes of the class name;
//                            then a new object of that class (its own fields, written by its Serialize)
//   0x8000 | n  (n < 0x7FFF) class already seen at index n; then a new object of it
//   n  (0 < n < 0x7FFF)      back-reference to the object already stored at index n
//   0x7FFF, u32 x            index too large for the forms above: x = 0x80000000 | n is the class at
//                            index n (a new object follows), any other x the object at index x
//
// A class name read must belong to a registered class, with the registered schema unless the class is
// versionable; the object's Serialize then learns the schema read through CArchive::GetObjectSchema.
//
// Ownership: an object read for the first time is new and belongs to whoever receives it
// (std::unique_ptr). The writer emits a back-reference when one archive is given the same object twice,
// as the framework does, but the reader refuses back-references: the object it names is already owned
// elsewhere, and our settings never share an object. Objects nest at most kMaxObjectDepth deep.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace varnel {

class CArchive;
class CObject;

constexpr int kMaxObjectDepth = 64;

struct CRuntimeClass {
    std::string_view m_name;  // as stored in archives; at most 63 bytes, as the framework allows
    std::uint16_t m_schema;
    bool m_versionable;  // other schemas are read too, and left to the object's Serialize
    std::unique_ptr<CObject> (*m_create)();

    std::unique_ptr<CObject> CreateObject() const { return m_create(); }
};

class CObject {
public:
    virtual ~CObject() = default;

    virtual const CRuntimeClass* GetRuntimeClass() const = 0;
    // Stores the object's fields into, or loads them from, `ar` (ar.IsStoring()).
    virtual void Serialize(CArchive& ar) = 0;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// The registered class of that name, or null.
const CRuntimeClass* FindSerialClass(std::string_view name);

// Registers a class for creation by name while the program starts (VARNEL_IMPLEMENT_SERIAL makes one).
// A class registers when the object file that implements it is linked in. A static library leaves out a
// file that nothing refers to, so a class that is only ever created from archives must still be named
// somewhere in the program (ReadObject<T> of that very class does it).
class SerialClassRegistration {
public:
    explicit SerialClassRegistration(const CRuntimeClass& runtimeClass);
};

}  // namespace varnel

// In the class body: the run-time class, CreateObject and GetRuntimeClass (leaves the access public).
#define VARNEL_DECLARE_SERIAL(ClassName)                                    \
public:                                                                     \
    static const ::varnel::CRuntimeClass s_runtimeClass;                    \
    static std::unique_ptr<::varnel::CObject> CreateObject();               \
    const ::varnel::CRuntimeClass* GetRuntimeClass() const override;

// In the class's source file, inside its namespace, with the bare class name: the class is stored with
// `schema` and read only with that schema (VERSIONABLE: with any schema).
#define VARNEL_IMPLEMENT_SERIAL(ClassName, schema) VARNEL_IMPLEMENT_SERIAL_CLASS(ClassName, schema, false)
#define VARNEL_IMPLEMENT_SERIAL_VERSIONABLE(ClassName, schema) VARNEL_IMPLEMENT_SERIAL_CLASS(ClassName, schema, true)

#define VARNEL_IMPLEMENT_SERIAL_CLASS(ClassName, schema, versionable)                                           \
    static_assert((schema) < 0xFFFF, "0xFFFF marks a class that cannot be stored");                           \
    static_assert(sizeof(#ClassName) <= 64, "class names in archives are at most 63 bytes");                 \
    const ::varnel::CRuntimeClass ClassName::s_runtimeClass{#ClassName, (schema), (versionable),             \
                                                            &ClassName::CreateObject};                        \
    std::unique_ptr<::varnel::CObject> ClassName::CreateObject() { return std::make_unique<ClassName>(); }     \
    const ::varnel::CRuntimeClass* ClassName::GetRuntimeClass() const { return &s_runtimeClass; }             \
    static const ::varnel::SerialClassRegistration s_registration##ClassName{ClassName::s_runtimeClass};
