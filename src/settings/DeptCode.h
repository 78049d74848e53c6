// Department codes and group codes: the classification of PLUs by the "Dept" (1014) and "Group"
// (1015) fields of the PLU row. Each department code has a name, a PLU number range and its group
// codes. The main frame keeps one list, saved in the general setup file; it fills the department and
// group pickers of the PLU screens and names departments and groups in reports.
//
// Archive forms (version 101; a record of version 100 is read field by field, any other as 101):
//   CGroupCode   u16 version, Name, u16 Id
//                100: Name, then 2 characters read as a decimal number (0 when they are none)
//   CDeptCode    u16 version, Name, u16 Id, u32 PluFrom, u32 PluTo, Groups (object array)
//                100: Name, then 1 character, a digit giving Id (else 0), Groups; range 1 to 999999
//   CDeptCodeList  the department codes as an object array
#pragma once

#include "db/plu/FieldChoices.h"
#include "platform/Serializable.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

struct CGeneralSetup;
class FieldDefSet;

// How the pickers and lists show department and group codes: the number zero-padded to the display
// width of its PLU field (1014 "Dept", 1015 "Group"; as it stands without one), a blank and the name;
// the name alone while "Support Kauri Auckland host importing?" is on.
struct DeptCodeDisplay {
    bool namesOnly = false;
    std::uint16_t deptWidth = 0;
    std::uint16_t groupWidth = 0;

    // The general setup's switch and the widths of the PLU map's definitions.
    static DeptCodeDisplay Of(const CGeneralSetup& setup, const FieldDefSet& fields);
};

class CGroupCode : public CObject {
    VARNEL_DECLARE_SERIAL(CGroupCode)
public:
    static constexpr std::uint16_t kVersion = 101;

    CGroupCode() = default;
    CGroupCode(std::uint16_t id, std::string name) : m_name(std::move(name)), m_id(id) {}
    CGroupCode(const CGroupCode&) = default;
    CGroupCode& operator=(const CGroupCode&) = default;
    bool operator==(const CGroupCode& other) const { return m_name == other.m_name && m_id == other.m_id; }

    void Serialize(CArchive& ar) override;
    std::string GetDisplayText(const DeptCodeDisplay& display) const;
    // 1 when this code comes before the other, -1 when after, 0 when both have the same Id.
    int IsBefore(const CGroupCode& other) const;

    std::string m_name;
    std::uint16_t m_id = 0;
};

class CDeptCode : public CObject {
    VARNEL_DECLARE_SERIAL(CDeptCode)
public:
    static constexpr std::uint16_t kVersion = 101;

    // For loading, which sets every field.
    CDeptCode() = default;
    // A range of 1 to `pluTo` (the general setup's "Max. PLU No.").
    CDeptCode(std::uint16_t id, std::string name, std::uint32_t pluTo);
    // Copies copy every group.
    CDeptCode(const CDeptCode& other);
    CDeptCode& operator=(const CDeptCode& other);
    bool operator==(const CDeptCode& other) const;

    void Serialize(CArchive& ar) override;
    std::string GetDisplayText(const DeptCodeDisplay& display) const;
    const CGroupCode* FindGroup(std::uint16_t id) const;
    // Puts the group in code order: it replaces a group of the same code, else it goes before the
    // first one with a greater code. Gives its position.
    static std::size_t InsertInto(std::vector<std::unique_ptr<CGroupCode>>& groups, std::unique_ptr<CGroupCode> group);

    std::string m_name;
    std::uint16_t m_id = 0;
    std::uint32_t m_pluFrom = 1;
    std::uint32_t m_pluTo = 0;
    std::vector<std::unique_ptr<CGroupCode>> m_groups;
};

class CDeptCodeList : public CObject {
    VARNEL_DECLARE_SERIAL(CDeptCodeList)
public:
    // The "all" choice of the pickers.
    static constexpr std::uint16_t kAll = 65535;

    CDeptCodeList() = default;
    CDeptCodeList(const CDeptCodeList& other);
    CDeptCodeList& operator=(const CDeptCodeList& other);
    bool operator==(const CDeptCodeList& other) const;

    // Loading leaves out codes stored as null objects.
    void Serialize(CArchive& ar) override;

    CDeptCode& Add(std::unique_ptr<CDeptCode> code);
    // Puts the code in code order, as CDeptCode::InsertInto does a group. Gives its position.
    std::size_t Insert(std::unique_ptr<CDeptCode> code);
    std::unique_ptr<CDeptCode> RemoveAt(std::size_t index);
    void RemoveAll() { m_codes.clear(); }
    std::size_t GetCount() const { return m_codes.size(); }
    const CDeptCode& GetAt(std::size_t index) const { return *m_codes[index]; }

    // 0 for an empty list (or a first department without groups).
    std::uint16_t GetFirstDeptId() const;
    std::uint16_t GetLastDeptId() const;
    std::uint16_t GetFirstGroupId() const;
    const CDeptCode* FindDept(std::uint16_t id) const;
    // The key holds the department code in its upper 16 bits and the group code in its lower 16; the
    // department is given even when its group is missing. True only when both are found.
    bool Find(std::uint32_t key, const CDeptCode*& department, const CGroupCode*& group) const;
    // False when the department is unknown; the group's name is set only when the group exists.
    bool GetNames(std::uint32_t key, std::string& departmentName, std::string& groupName) const;
    bool HasGroup(std::uint16_t departmentId, std::uint16_t groupId) const;

    // The department picker: with `withAll` a first row "All Departments", selected for an id of
    // 65535 or more; then one row per department code, that of `selectedId` selected.
    FieldChoices FillDeptCombo(const DeptCodeDisplay& display, bool withAll, std::uint32_t selectedId) const;
    // The department at the picker's selection (kAll for the "all" row); false for none or past the list.
    bool GetSelectedDept(std::optional<std::size_t> selection, bool withAll, std::uint16_t& id) const;
    // The group picker of a department: with `withAll` a first row "All Groups", selected when either
    // id is 65535 or more; then the department's groups, that of `selectedGroupId` selected.
    FieldChoices FillGroupCombo(const DeptCodeDisplay& display, bool withAll, std::uint32_t departmentId,
                                std::uint32_t selectedGroupId) const;
    // False for no selection, department kAll, or a row past the department's groups.
    bool GetSelectedGroup(std::optional<std::size_t> selection, bool withAll, std::uint32_t departmentId,
                          std::uint16_t& id) const;

    // The department codes' block of the setup list; nothing for an empty list.
    void Print(std::string& out) const;

private:
    std::vector<std::unique_ptr<CDeptCode>> m_codes;
};

}  // namespace varnel
