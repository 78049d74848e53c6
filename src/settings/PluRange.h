// Excluded PLU ranges: PLU number ranges, each with a comment, hidden from every PLU screen. The
// main frame keeps two lists, the site's (saved in the site setup) and the active one the PLU screens
// use, which a user with a PLU range profile fills from the user's ".prf" file. Ranges are inclusive;
// an edited list is in ascending order of From with no two ranges overlapping.
#pragma once

#include "platform/Serializable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnel {

class CPluRange : public CObject {
    VARNEL_DECLARE_SERIAL(CPluRange)
public:
    CPluRange() = default;
    CPluRange(std::uint32_t from, std::uint32_t to, std::string comment)
        : m_from(from), m_to(to), m_comment(std::move(comment))
    {
    }
    CPluRange(const CPluRange&) = default;
    CPluRange& operator=(const CPluRange&) = default;

    // u32 From, u32 To, Comment; no version word.
    void Serialize(CArchive& ar) override;
    bool operator==(const CPluRange& other) const
    {
        return m_from == other.m_from && m_to == other.m_to && m_comment == other.m_comment;
    }

    std::uint32_t m_from = 0;
    std::uint32_t m_to = 0;
    std::string m_comment;
};

// A list of ranges that owns them; copies copy every range.
class CPluRangeList {
public:
    CPluRangeList() = default;
    CPluRangeList(const CPluRangeList& other) { *this = other; }
    CPluRangeList& operator=(const CPluRangeList& other);
    CPluRangeList(CPluRangeList&&) = default;
    CPluRangeList& operator=(CPluRangeList&&) = default;
    bool operator==(const CPluRangeList& other) const;

    // The framework's object list form; loading leaves out ranges stored as null objects.
    void Serialize(CArchive& ar);

    std::size_t GetCount() const { return m_ranges.size(); }
    const CPluRange& GetAt(std::size_t index) const { return *m_ranges[index]; }
    void Append(const CPluRange& range) { m_ranges.push_back(std::make_unique<CPluRange>(range)); }
    void RemoveAt(std::size_t index) { m_ranges.erase(m_ranges.begin() + static_cast<std::ptrdiff_t>(index)); }
    void RemoveAll() { m_ranges.clear(); }

    struct Added {
        std::size_t position;  // where the range went, or the range it was combined with
        bool combined;         // it overlapped a range, which was widened instead (its comment kept)
    };
    // Adds a range in order of From: a range that holds `from` takes the larger To, else one that
    // holds `to` takes `from`, else the new range goes before the first range starting above it.
    Added AddRange(std::uint32_t from, std::uint32_t to, std::string comment);

    // Folds every range that starts at or below the previous range's To into that range. Ranges that
    // only touch (To 10, next From 11) stay apart.
    void Merge();

    // Not inside any range. The walk stops at the first range that starts above the number.
    bool Excludes(std::uint32_t pluNumber) const;
    // The first number at or after `pluNumber` that no range holds; 0 (never a PLU number) when a
    // range holds every number from there to the last.
    std::uint32_t NextNotExcluded(std::uint32_t pluNumber) const;

private:
    std::vector<std::unique_ptr<CPluRange>> m_ranges;
};

}  // namespace varnel
