// "Set Field Sequence": reorders a list of PLU field numbers with Up and Down; the text export setup
// fills it and reads the order back after OK.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class SetFieldSequenceForm {
public:
    // The first field selected, when there is one.
    explicit SetFieldSequenceForm(std::vector<std::uint16_t> fields);

    const std::vector<std::uint16_t>& GetFields() const { return m_fields; }
    // Each field's name from its PLU field definition, "Unknown" for a field without one.
    std::vector<std::string> GetNames() const;
    std::optional<std::size_t> GetSelection() const { return m_selection; }
    void Select(std::optional<std::size_t> row);

    // Moves the selected field one place up or down, keeping it selected; nothing at the ends.
    void OnUp();
    void OnDown();

private:
    std::vector<std::uint16_t> m_fields;
    std::optional<std::size_t> m_selection;
};

}  // namespace varnel
