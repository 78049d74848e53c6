// The comparison of the PLUs a scale holds with the database, as lines of the scale's compare result
// file and entries of its compare lists:
//   <PLU number>,"Scale PLU not in database"                 a PLU the database lacks
//   <PLU number>,"Scale PLU does not match database"         once, before the first difference
//   "<field name> : Scale = <value> DB = <value>"            one per differing field
//   "Scale and database PLU description text different"     a differing description
// The POS code is compared with the scale's code right-aligned to 13 digits with leading '0', the pack
// type on its first 3 characters.
#pragma once

#include <cstdint>
#include <string_view>

namespace varnel {

class CPluDefRec;

// Where a comparison goes: the compare lists and the file of the scale being compared.
class IPluCompareResults {
public:
    // The PLU numbers the scale reported, those the database lacks, and those that differ.
    virtual void AddScaleKey(std::uint32_t pluNumber) = 0;
    virtual void AddNotInDatabase(std::uint32_t pluNumber) = 0;
    virtual void AddDifferent(std::uint32_t pluNumber) = 0;
    // One line of the compare result file, without a line break.
    virtual void WriteLine(std::string_view line) = 0;

protected:
    ~IPluCompareResults() = default;
};

// The difference lines of one PLU: the "does not match" line goes before the first of them.
class PluDifferenceLines {
public:
    PluDifferenceLines(IPluCompareResults& results, std::uint32_t pluNumber)
        : m_results(results), m_pluNumber(pluNumber)
    {
    }

    void Write(std::string_view line);
    void Field(std::string_view name, std::int32_t scale, std::int32_t database);
    void Field(std::string_view name, std::string_view scale, std::string_view database);
    bool Any() const { return m_any; }

private:
    IPluCompareResults& m_results;
    std::uint32_t m_pluNumber;
    bool m_any = false;
};

// Writes a line for each PLU field of the definitions for the scale mix that differs; whether any did.
bool ComparePluWithScale(PluDifferenceLines& lines, const CPluDefRec& scalePlu, const CPluDefRec& databasePlu);

}  // namespace varnel
