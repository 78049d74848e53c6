// The field setup dialogs, on copies of one field-definition map for a range of field numbers (the
// PLU fields: 1000 up to 1102):
//
//   FieldSetupForm      "Field Setup": a "Display?" and a "Print?" box per definition, in columns;
//                       the "PLU Code" row (1001) always shows both checked; "Clear All" clears every
//                       box but that row's
//   AdvFieldSetupForm   "Advanced Field Setup": the definitions by name; a new one takes the first free
//                       map key, its field number the range start plus its "Field Type", and a maximum
//                       below the minimum is swapped with it; an empty name discards an add or an edit
//   EditPluFieldForm    "Edit PLU Field": one definition and its value list ("Set Property Value")
//   PluFieldsRows       "PLU Fields": the definitions to pick from
#pragma once

#include "db/site/LabProp.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

struct FieldRange {
    std::uint16_t first = 1000;
    std::uint16_t end = 1102;  // exclusive
    bool Holds(std::uint16_t fieldNo) const { return fieldNo >= first && fieldNo < end; }
};
inline constexpr FieldRange kPluFieldRange{1000, 1102};
inline constexpr std::uint16_t kPluCodeField = 1001;

// The smallest key from 1 up that the map does not use.
std::uint16_t FirstFreeKey(const CLabPropMap& definitions);
CLabPropMap CopyDefinitions(const CLabPropMap& definitions);
// The definitions of the range in field-number order.
std::vector<const CLabProp*> SortedDefinitions(const CLabPropMap& definitions, FieldRange range);

class FieldSetupForm {
public:
    struct Row {
        std::uint16_t key;
        std::string name;
        bool display;
        bool print;
        bool fixed;  // "PLU Code": always both, never changed
    };

    FieldSetupForm(const CLabPropMap& definitions, FieldRange range);

    FieldRange GetRange() const { return m_range; }
    // One row per definition of the range, in field-number order, as the boxes show them.
    std::vector<Row> GetRows() const;
    void SetBoxes(std::uint16_t key, bool display, bool print);
    void ClearAll();
    // What "Advanced Field Setup" starts from: a deep copy of every definition under its key.
    CLabPropMap CopyForAdvanced() const { return CopyDefinitions(m_definitions); }
    // "Advanced Field Setup" ended with OK: definitions it no longer holds go, new ones come, the others
    // take its copies. The rows are built again from the result.
    void TakeAdvanced(CLabPropMap advanced);
    // The definitions as OK leaves them, the boxes stored in their flags.
    const CLabPropMap& GetDefinitions() const { return m_definitions; }

private:
    CLabPropMap m_definitions;
    FieldRange m_range;
};

// Where the grid puts row `index`: rows go down a column and a row that would pass the bottom of the
// frame starts a new column a quarter of the frame's width to the right.
struct GridPlace {
    int x;
    int y;
};
GridPlace PlaceGridRow(std::size_t index, int rowHeight, int frameWidth, int frameHeight);

class AdvFieldSetupForm {
public:
    AdvFieldSetupForm(CLabPropMap definitions, FieldRange range);

    // The definitions by name, in field-number order.
    std::vector<std::string> GetRows() const;
    // The definition a new one starts from: field number the range start.
    CLabProp NewDefinition() const;
    const CLabProp& GetDefinition(std::size_t row) const;
    // The "Edit PLU Field" dialog ended with OK on `edited`, whose "Field Type" is `typeIndex`: false
    // (nothing changes) for an empty name.
    bool Add(CLabProp edited, int typeIndex);
    bool Edit(std::size_t row, CLabProp edited, int typeIndex);
    void Delete(std::size_t row);
    CLabPropMap TakeDefinitions() { return std::move(m_definitions); }
    const CLabPropMap& GetDefinitions() const { return m_definitions; }

private:
    std::vector<std::uint16_t> SortedKeys() const;
    void Complete(CLabProp& edited, int typeIndex) const;

    CLabPropMap m_definitions;
    FieldRange m_range;
};

class EditPluFieldForm {
public:
    EditPluFieldForm(const CLabProp& definition, FieldRange range);

    CLabProp& Definition() { return m_definition; }
    const CLabProp& Definition() const { return m_definition; }
    // "Field Type": the captions of the range's field numbers ("User-Defined" first) and the chosen one.
    std::vector<std::string> GetTypeCaptions() const;
    int GetTypeIndex() const { return m_typeIndex; }
    void SetTypeIndex(int index) { m_typeIndex = index; }
    // The values in number order, "* " before the default's number.
    std::vector<std::string> GetValueRows() const;
    const CPropValue& GetValue(std::size_t row) const;
    // "Set Property Value" ended with OK: an empty text changes nothing; a value replaces the one of its
    // number; an edited value whose number changed moves.
    bool AddValue(std::unique_ptr<CPropValue> value);
    bool EditValue(std::size_t row, const CPropValue& value);
    void DeleteValue(std::size_t row);
    void SetDefault(std::size_t row);

private:
    std::vector<const CPropValue*> SortedValues() const;

    CLabProp m_definition;
    FieldRange m_range;
    int m_typeIndex = 0;
};

// "PLU Fields": the range's definitions by name in field-number order (the first selected).
std::vector<const CLabProp*> PluFieldsRows(const CLabPropMap& definitions, FieldRange range);

}  // namespace varnel
