// Price zones: numbered, named sets of alternative PLU values. PLUs carry per-zone values in the PLU
// price-zone table, scales and users are given a zone, and zone 0 stands for the PLU's own values: it
// is built in, never stored. The main frame keeps one list, saved in the general setup file.
#pragma once

#include "db/plu/FieldChoices.h"
#include "platform/Serializable.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace varnel {

class CPriceZone : public CObject {
    VARNEL_DECLARE_SERIAL(CPriceZone)
public:
    CPriceZone() = default;
    CPriceZone(std::uint16_t id, std::string name) : m_name(std::move(name)), m_id(id) {}
    CPriceZone(const CPriceZone&) = default;
    CPriceZone& operator=(const CPriceZone&) = default;

    // Name, then u16 Id; no version word.
    void Serialize(CArchive& ar) override;
    bool operator==(const CPriceZone& other) const { return m_name == other.m_name && m_id == other.m_id; }

    std::string m_name;
    std::uint16_t m_id = 0;
};

class CPriceZoneList : public CObject {
    VARNEL_DECLARE_SERIAL(CPriceZoneList)
public:
    static constexpr std::uint16_t kDefaultZone = 0;

    CPriceZoneList() = default;
    // Copies copy every zone.
    CPriceZoneList(const CPriceZoneList& other);
    CPriceZoneList& operator=(const CPriceZoneList& other);
    bool operator==(const CPriceZoneList& other) const;

    // The framework's map form, keyed by Id. Loading leaves out null zones and zone 0.
    void Serialize(CArchive& ar) override;

    // Adds the zone or renames it; zone 0 is refused (false).
    bool SetZone(std::uint16_t id, std::string name);
    bool RemoveZone(std::uint16_t id) { return m_zones.erase(id) != 0; }
    const CPriceZone* Find(std::uint16_t id) const;
    bool IsDefined(std::uint16_t id) const { return Find(id) != nullptr; }
    std::size_t GetCount() const { return m_zones.size(); }
    bool IsEmpty() const { return m_zones.empty(); }

    // 0 "Use Defaults"; a stored zone its name; any other "Price Zone" and the number in 4 digits.
    std::string GetName(std::uint16_t id) const;
    // The zones by ascending Id.
    std::vector<const CPriceZone*> SortById() const;
    // One row "0003  Name" per zone by Id, the row of `selectedId` selected, else the first.
    FieldChoices FillListBox(std::uint16_t selectedId) const;
    // The same, with `withDefault` a first row "Use Defaults" for zone 0; an empty list gives no row,
    // the default's neither, and selects none.
    FieldChoices FillCombo(std::uint16_t selectedId, bool withDefault) const;
    // The zones' block of the setup list; nothing for an empty list.
    void Print(std::string& out) const;

private:
    std::map<std::uint16_t, std::unique_ptr<CPriceZone>> m_zones;
};

}  // namespace varnel
