// "Edit Operator Settings": the site's scale operators, one row "%02.2d  %s" (number, name) each by
// number, changed in the main frame's list. Every change is queued for the scales (through the send
// queue handed in, while its setup has on-line communication on) and written to the event log
// ("Operator", " ID=%d : %s").
//
//   Add      the entry (shown again until its name passes); a number in use: 61305, the entry again
//   Edit     the same on the selected operator; stored only for a user who may update the setup
//            (61328); a new number in use by another: 61305, the entry again; a new number re-keys it
//   Delete   61302 (Yes/No); the operator is removed and its deletion queued
// In pick mode (the Communication Center's operator picker) the list only chooses: "&Add", "&Edit"
// and "&Delete" are off, OK reads "Select", and OK or a double click gives the selected operator.
#pragma once

#include "db/site/SendQueue.h"
#include "settings/EditOperatorForm.h"
#include "settings/SettingsListForm.h"

#include <cstdint>
#include <optional>

namespace varnel {

class CAppEventLog;
class COperatorList;

class IEditOperatorsUi {
public:
    // Shows "Edit Operator"; true on OK.
    virtual bool RunOperatorEntry(EditOperatorForm& entry) = 0;

protected:
    ~IEditOperatorsUi() = default;
};

class EditOperatorsForm final : public SettingsListForm {
public:
    static constexpr MessageId kMsgIdInUse = 61305;
    static constexpr MessageId kMsgDeleteOperator = 61302;
    static constexpr MessageId kMsgOperator = 20512;
    static constexpr MessageId kMsgSelect = 17544;

    // In pick mode `preselect` (an operator number) is selected, else the first row.
    EditOperatorsForm(COperatorList& operators, const ISendQueue& sends, const CGeneralSetup& setup,
                      const CAppEventLog& log, OperatorEntrySite site, bool pickMode,
                      std::optional<std::uint16_t> preselect = std::nullopt);
    // The view sets itself before the dialog shows.
    void SetUi(IEditOperatorsUi& ui) { m_ui = &ui; }

    std::string GetOkText() const override;
    void Add() override;
    End DoubleClick() override;
    End Ok() override;
    // The operator that OK or a double click picked in pick mode.
    std::optional<std::uint16_t> GetPicked() const { return m_picked; }

private:
    void EditRow(std::size_t row) override;
    void DeleteRow(std::size_t row) override;
    // Runs the entry until it is cancelled (false) or its name passes.
    bool RunEntry(EditOperatorForm& entry);
    std::uint16_t IdAt(std::size_t row) const;
    void Fill(std::optional<std::uint16_t> selectedId);
    // Queued for the scales and logged.
    void Store(const COperator& op);
    End Pick();

    COperatorList& m_operators;
    const ISendQueue& m_sends;
    const CGeneralSetup& m_setup;
    const CAppEventLog& m_log;
    OperatorEntrySite m_site;
    bool m_pickMode;
    IEditOperatorsUi* m_ui = nullptr;
    std::optional<std::uint16_t> m_picked;
};

}  // namespace varnel
