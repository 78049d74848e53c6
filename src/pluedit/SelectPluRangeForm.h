// "Select PLUs": a From and a To PLU number, each of which may be picked in "Select PLU", and
// "Delete All"; it chooses the PLUs to delete. OK asks the caller's confirmation of the range; a
// From above To is only warned of, and then the dialog ends with no range, so nothing is deleted.
#pragma once

#include "platform/Messages.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

class SelectPluRangeForm {
public:
    static constexpr MessageId kMsgFromAboveTo = 61235;
    static constexpr MessageId kMsgDeleteAll = 61350;

    // `confirmation`: a question with two "%ld", for From and To. `heading`: replaces "Select PLUs
    // to delete" when not empty.
    SelectPluRangeForm(std::uint32_t from, std::uint32_t to, std::uint32_t maxPluNo, std::string confirmation,
                       std::string heading);

    std::string GetFromText() const { return std::to_string(m_from); }
    std::string GetToText() const { return std::to_string(m_to); }
    const std::string& GetHeading() const { return m_heading; }

    // Takes the edits' numbers (0 to "Max. PLU No."); false, after telling the user, when one does not read.
    bool ReadEdits(std::string_view fromText, std::string_view toText);
    // OK: true when the dialog closes with OK.
    bool OnOK(std::string_view fromText, std::string_view toText);
    // "Delete All": true when the user agreed; the dialog then closes with OK.
    bool OnDeleteAll();

    std::uint32_t GetFrom() const { return m_from; }
    std::uint32_t GetTo() const { return m_to; }
    bool IsDeleteAll() const { return m_deleteAll; }
    // Whether From to To is a range to delete: not after "Delete All", nor with From above To.
    bool HasRange() const { return !m_deleteAll && m_from <= m_to; }

private:
    std::uint32_t m_from;
    std::uint32_t m_to;
    std::uint32_t m_maxPluNo;
    std::string m_confirmation;
    std::string m_heading;
    bool m_deleteAll = false;
};

}  // namespace varnel
