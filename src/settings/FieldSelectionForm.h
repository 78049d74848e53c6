// "Field Setup" as the user editor uses it (template 321): one check box per PLU field 1000 to 1101,
// the user's 102 enable switches, under a title message (18011 "User Access PLU Field Selection").
// OK gives the edited switches back.
#pragma once

#include "db/site/LabProp.h"
#include "platform/Messages.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnel {

inline constexpr std::size_t kUserFieldCount = 102;  // PLU fields 1000 to 1101
inline constexpr MessageId kMsgUserFieldSelection = 18011;

// A user's PLU field switches as the sheet keeps them: exactly 102; an empty list is all on, a shorter
// one is lengthened with fields off, a longer one cut.
std::vector<std::uint16_t> NormaliseFieldFlags(const std::vector<std::uint16_t>& flags);

class FieldSelectionForm {
public:
    // Each box is labelled by the site's definition of its field, else by the field's caption.
    FieldSelectionForm(MessageId title, const std::vector<std::uint16_t>& flags, const CLabPropMap& pluFields);

    std::string GetTitle() const;
    std::size_t GetCount() const { return m_labels.size(); }
    const std::string& GetLabel(std::size_t index) const { return m_labels.at(index); }
    bool IsOn(std::size_t index) const { return m_flags.at(index) != 0; }
    void Set(std::size_t index, bool on) { m_flags.at(index) = on ? 1 : 0; }
    const std::vector<std::uint16_t>& GetFlags() const { return m_flags; }

private:
    MessageId m_title;
    std::vector<std::uint16_t> m_flags;
    std::vector<std::string> m_labels;
};

}  // namespace varnel
