// CMasterScaleList: the site's departments and the current one (none at first). The main frame owns
// one; the site setup file stores it.
//
// Archive form (schema 1): the object list of CMasterScale, then u16 the current department's id (0
// for none); loading ends by making that department current.
#pragma once

#include "settings/MasterScale.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CMasterScaleList : public CObject {
    VARNEL_DECLARE_SERIAL(CMasterScaleList)
public:
    CMasterScaleList() = default;
    CMasterScaleList(const CMasterScaleList&) = delete;
    CMasterScaleList& operator=(const CMasterScaleList&) = delete;

    // A load that fails leaves the list as it was.
    void Serialize(CArchive& ar) override;

    void Add(std::unique_ptr<CMasterScale> department);
    // Takes the department at that place out of the list; when it was current, none is.
    void RemoveAt(std::size_t index);
    // The lowest number from 1 up that no department has; none when every number is taken.
    std::optional<std::uint16_t> GetFreeId() const;
    const std::vector<std::unique_ptr<CMasterScale>>& GetDepartments() const { return m_departments; }

    // The department with that id becomes current; 0 or an unknown id makes none current.
    void SetCurrent(std::uint16_t id);
    const CMasterScale* GetCurrent() const { return m_current; }
    std::uint16_t GetCurrentId() const;
    std::string GetCurrentName() const;
    std::string GetCurrentDatabase() const;

    CMasterScale* FindById(std::uint16_t id) const;
    std::string GetNameById(std::uint16_t id) const;
    // The first department whose name is the text but for the case of its letters.
    CMasterScale* FindByName(std::string_view name, const CharRule& chars) const;

    // Whether any department holds the link or scale; removing takes it out of every department
    // (departments left without scales stay).
    bool IsLinkAssigned(std::uint16_t linkNo) const;
    bool IsScaleAssigned(std::uint16_t scaleNo) const;
    void RemoveLink(std::uint16_t linkNo);
    void RemoveScale(std::uint16_t scaleNo);

    // The setup report's lines: nothing for an empty list.
    void Print(std::string& out) const;

private:
    std::vector<std::unique_ptr<CMasterScale>> m_departments;
    CMasterScale* m_current = nullptr;
};

}  // namespace varnel
