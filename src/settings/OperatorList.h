// COperatorList: the site's scale operators by id. The main frame owns one; the operator editor
// changes it, the site setup file stores it (the framework's word-to-object map form), and the links
// send it to the scales, clear it there and read it back, each family in its own record layout
// (OperatorRecord.h).
#pragma once

#include "db/plu/DBComTb.h"
#include "db/site/EventLog.h"
#include "db/site/GeneralSetup.h"
#include "db/site/LinkScaleSettings.h"
#include "db/site/SendQueue.h"
#include "db/site/TextRules.h"
#include "db/store/ObjDBTable.h"
#include "settings/Operator.h"

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>

namespace varnel {

class COperatorList : public CObject {
    VARNEL_DECLARE_SERIAL(COperatorList)
public:
    using Operators = std::map<std::uint16_t, std::unique_ptr<COperator>>;

    COperatorList() = default;
    COperatorList(const COperatorList&) = delete;
    COperatorList& operator=(const COperatorList&) = delete;

    // Loading replaces the list; operators stored as null objects are left out, and each operator
    // is keyed by its own id. A load that fails leaves the list as it was.
    void Serialize(CArchive& ar) override;

    const Operators& GetOperators() const { return m_operators; }
    const COperator* Find(std::uint16_t id) const;
    // Puts the operator in the list under its id, replacing the one there.
    void SetOperator(std::unique_ptr<COperator> op);
    // Takes the operator of that id out of the list; false when there is none.
    bool RemoveOperator(std::uint16_t id) { return m_operators.erase(id) != 0; }

    // The operator's name; for an unknown id "Operator" and the id in two digits.
    std::string GetName(std::uint16_t id) const;
    // The setup report's lines: nothing for an empty list.
    void Print(std::string& out) const;

    // The records follow the text rules given (those of the job's settings; OperatorRecord.h); a
    // refused record goes to the output's listener, or else to `log` (ReportRefusal).
    // The walk of a send job (kind 6): the record of the first operator from the cursor up to
    // `highest` (the scale's family decides the layout); the cursor moves to the next operator's id,
    // or past every id after the last one. An operator whose record is refused is reported and passed
    // over. False when none is left or the family takes no operator records.
    bool GetNextSendRecord(const CLinkScaleSettings& scale, const TextRules& rules, IEventLog& log, KeyCursor& cursor,
                           std::uint32_t highest, ScaleRecordOut& out, KeyCursor& key) const;
    // The walk of a delete job (kind 7): the clear record of the cursor's id, whether the list holds
    // it or not, moving the cursor by one. Id 0 clears every operator at the scale: one record, and the
    // walk is done. A refused id is reported and ends the walk.
    bool GetNextDeleteRecord(const CLinkScaleSettings& scale, const TextRules& rules, IEventLog& log, KeyCursor& cursor,
                             std::uint32_t highest, ScaleRecordOut& out, KeyCursor& key) const;

    // Queue a send (kind 6) or delete (kind 7) of the ids from..to for every scale through the document
    // of `sends`; false without one. QueueSend queues nothing, and is true, while the setup has on-line
    // communication off.
    bool QueueSend(const ISendQueue& sends, const CGeneralSetup& setup, std::uint16_t from, std::uint16_t to,
                   bool showResult) const;
    bool QueueDelete(const ISendQueue& sends, std::uint16_t from, std::uint16_t to, bool showResult) const;

    // Stores an operator record that a scale of family 6, 8, 10, 11 or 12 sent, replacing the operator
    // of that id; records of other families are ignored (true). False for a record that cannot be read.
    bool ReceiveRecord(const CLinkScaleSettings& scale, const TextRules& rules, std::span<const std::uint8_t> record);

private:
    Operators m_operators;
};

}  // namespace varnel
