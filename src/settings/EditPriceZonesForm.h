// "Edit Price Zones" and "Edit Price Zone": the site's price zones, one row "%04.4d  %s" (number,
// name) each by number, changed in the main frame's list and written to the event log ("Price Zone",
// " ID=%d : %s").
//
//   entry    "Price Zone ID" digits 1 to 9999, "Name" at most 12 characters
//   Add      an empty name: 31503; a number in use: 61355; either shows the entry again
//   Edit     stored only for a user who may update the setup (61328); an empty name: 31503; a new
//            number in use by another zone: 61348; either shows the entry again
//   Delete   61347 (Yes/No)
// The zone values of PLUs that name a deleted or renumbered zone are left to the Options sheet's apply
// step, which removes the values of undefined zones.
#pragma once

#include "db/site/TextRules.h"
#include "platform/Messages.h"
#include "settings/SettingsListForm.h"

#include <cstdint>
#include <string>

namespace varnel {

class CAppEventLog;
class CPriceZoneList;

class EditPriceZoneForm {
public:
    static constexpr std::size_t kNameLimit = 12;

    // The name is cut under the site's character rule.
    explicit EditPriceZoneForm(const CharRule& chars) : m_chars(chars) {}
    EditPriceZoneForm(std::uint16_t id, std::string name, const CharRule& chars);

    std::string m_id = "0";
    std::string m_name;

    // OK: the number within 1 to 9999 (the range message otherwise) and the name cut to its limit.
    // False keeps the dialog open.
    bool Accept();
    std::uint16_t GetId() const { return m_number; }

private:
    std::uint16_t m_number = 0;
    CharRule m_chars;
};

class IEditPriceZonesUi {
public:
    virtual bool RunPriceZoneEntry(EditPriceZoneForm& entry) = 0;

protected:
    ~IEditPriceZonesUi() = default;
};

class EditPriceZonesForm final : public SettingsListForm {
public:
    static constexpr MessageId kMsgNoName = 31503;
    static constexpr MessageId kMsgAddIdInUse = 61355;
    static constexpr MessageId kMsgEditIdInUse = 61348;
    static constexpr MessageId kMsgDeleteZone = 61347;
    static constexpr MessageId kMsgPriceZone = 20529;

    EditPriceZonesForm(CPriceZoneList& zones, const CAppEventLog& log, const CharRule& chars);
    void SetUi(IEditPriceZonesUi& ui) { m_ui = &ui; }

    void Add() override;

private:
    void EditRow(std::size_t row) override;
    void DeleteRow(std::size_t row) override;
    void Fill(std::uint16_t selectedId);
    std::uint16_t IdAt(std::size_t row) const;
    // Shows the entry until it is cancelled (false) or ends with a name.
    bool RunEntry(EditPriceZoneForm& entry);
    void Store(std::uint16_t id, const std::string& name);

    CPriceZoneList& m_zones;
    const CAppEventLog& m_log;
    CharRule m_chars;
    IEditPriceZonesUi* m_ui = nullptr;
};

}  // namespace varnel
