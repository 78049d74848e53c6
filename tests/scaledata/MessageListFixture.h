// The list editors' tests: a PLU database with this subsystem's tables, a document that records the
// requests queued to the scales, a prompt that records what it shows, and a fake list surface.
#pragma once

#include "ScaleDataFixture.h"

#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "scaledata/ExMsgTb.h"
#include "support/FakeSelectionList.h"
#include "support/RecordingDocument.h"
#include "support/RecordingPrompt.h"

#include <memory>
#include <string>
#include <vector>

namespace varnel::test {

inline std::string Esc(char letter, char operand) { return std::string{'\x1B', letter, operand}; }

class MessageListFixture : public ScaleDataFixture {
protected:
    MessageListFixture() { m_frame.SelectScaleFontSet(); }

    // Message `number` of a message table, named and with a one-line text.
    void AddMessage(std::uint16_t tableNo, std::uint32_t number, std::string_view name, std::string_view text = "")
    {
        auto& table = TableOf<CExMsgTb>(tableNo);
        auto row = table.CreateRecord(CExMsgRec::kMaxSize);
        auto& message = dynamic_cast<CExMsgRec&>(*row);
        message.SetName(name);
        message.SetText(text.empty() ? Esc('C', '0') + std::string(name) : std::string(text));
        const std::uint16_t size = message.CalcDataSize();
        ASSERT_TRUE(table.AddRecord(number, size, std::move(row)));
    }
    // A PLU whose host control flags are both set, naming a coupon and an extra message.
    void AddHostControlledPlu(std::uint32_t pluNumber, std::uint32_t coupon, std::uint32_t extraMessage)
    {
        CPluDefTb& plus = *m_database.GetPluTable();
        auto* plu = dynamic_cast<CPluDefRec*>(plus.GetOrAddRecord(pluNumber, 264));
        ASSERT_NE(plu, nullptr);
        plu->SetCtrlFlag(0x6, true);
        plu->Set(PluCol::Coupon, static_cast<std::int32_t>(coupon));
        plu->Set(PluCol::Message7, static_cast<std::int32_t>(extraMessage));
    }
    // The requests queued since the last look, as "kind table from-to".
    std::vector<std::string> TakeRequests()
    {
        std::vector<std::string> requests;
        for (const RecordingDocument::Send& send : m_document.m_sends)
            for (const CSendDataLog& job : send.requests)
                requests.push_back(std::to_string(job.m_kind) + " " + std::to_string(job.m_tableId) + " " +
                                   std::to_string(job.m_rangeStart) + "-" + std::to_string(job.m_rangeEnd));
        m_document.m_sends.clear();
        return requests;
    }
    std::vector<std::string> TakeEvents()
    {
        std::vector<std::string> events;
        for (const auto& [kind, text] : m_frame.m_events) events.push_back(text);
        m_frame.m_events.clear();
        return events;
    }
    // A user who may only view (and, with `update`, change) every table.
    void LogInRestrictedUser(bool update)
    {
        auto user = std::make_unique<CUserSetup>();
        user->m_name = "Ann";
        user->m_tablePermission.fill(update ? 3 : 1);
        m_frame.m_access.m_users.Add(std::move(user));
        m_frame.m_access.m_users.SetCurrentUser(0);
    }

    RecordingDocument m_document{m_frame};
    RecordingPrompt m_prompt;
    FakeSelectionList m_list;
};

}  // namespace varnel::test
