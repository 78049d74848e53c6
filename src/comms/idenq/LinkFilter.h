// CLinkFilter: a key range that limits which records of one data kind a scale is sent ("Only send
// records in specified range"). The kind is a table number, or 16 for the department-and-group code
// of PLUs.
//
// Archive form (schema 1): u16 kind, u32 from, u32 to, u16 include, u16 spare; no format word.
#pragma once

#include "platform/Serializable.h"

#include <cstdint>
#include <string>

namespace varnel {

class CLinkFilter : public CObject {
    VARNEL_DECLARE_SERIAL(CLinkFilter)
public:
    // The kind that judges PLUs by their department-and-group code.
    static constexpr std::uint32_t kDeptGroupKind = 16;

    CLinkFilter() = default;
    CLinkFilter(std::uint32_t kind, std::uint32_t from, std::uint32_t to) : m_kind(kind), m_from(from), m_to(to) {}
    CLinkFilter(const CLinkFilter&) = default;
    CLinkFilter& operator=(const CLinkFilter&) = default;

    void Serialize(CArchive& ar) override;
    void Copy(const CLinkFilter& source) { *this = source; }

    bool Admits(std::uint32_t key) const { return m_from <= key && key <= m_to; }

    // "<data kind name> : From <from> to <to>".
    std::string GetText() const;
    // The filter's line of the setup listing: four blanks, the text, CR LF.
    void WriteSetup(std::string& out) const;

    std::uint32_t m_kind = 2;
    std::uint32_t m_from = 0;
    std::uint32_t m_to = 0;
    std::uint16_t m_include = 1;
    std::uint16_t m_spare = 0;
};

}  // namespace varnel
