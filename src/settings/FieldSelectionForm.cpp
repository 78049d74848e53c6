// The user's PLU field switches.
#include "settings/FieldSelectionForm.h"

#include <algorithm>

namespace varnel {

std::vector<std::uint16_t> NormaliseFieldFlags(const std::vector<std::uint16_t>& flags)
{
    if (flags.empty()) return std::vector<std::uint16_t>(kUserFieldCount, 1);
    std::vector<std::uint16_t> normal(flags.begin(), flags.begin() + static_cast<std::ptrdiff_t>(
                                                                        std::min(flags.size(), kUserFieldCount)));
    normal.resize(kUserFieldCount, 0);
    return normal;
}

FieldSelectionForm::FieldSelectionForm(MessageId title, const std::vector<std::uint16_t>& flags,
                                       const CLabPropMap& pluFields)
    : m_title(title), m_flags(NormaliseFieldFlags(flags)), m_labels(kUserFieldCount)
{
    for (std::size_t i = 0; i < kUserFieldCount; ++i) {
        const auto fieldNo = static_cast<MessageId>(1000 + i);
        m_labels[i] = GetMessageText(fieldNo);
        if (m_labels[i].empty()) m_labels[i] = "Field " + std::to_string(fieldNo);
    }
    for (const auto& [key, definition] : pluFields)
        if (definition && definition->m_fieldNo >= 1000 && definition->m_fieldNo < 1000 + kUserFieldCount &&
            !definition->m_name.empty())
            m_labels[definition->m_fieldNo - 1000] = definition->m_name;
}

std::string FieldSelectionForm::GetTitle() const { return std::string(GetMessageText(m_title)); }

}  // namespace varnel
