// The Change Prices dialogs' tests over ChangePricesData: the document records what is queued, the
// prompt what is shown, the frame the event log, and the site answers which PLU the PLU edit window is
// open on and what Select picks.
#pragma once

#include "ChangePricesData.h"
#include "pluedit/ChangePricesForm.h"
#include "support/RecordingDocument.h"
#include "support/RecordingPrompt.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace varnel::test {

class ChangePricesFixture : public ::testing::Test, protected ChangePricesData {
protected:
    void SetUp() override { ASSERT_TRUE(OpenNew()); }

    ChangePricesSite Site(MessageId mode, std::uint32_t startPlu = 0)
    {
        return {Plus(), mode, startPlu, true, [this](std::uint32_t plu) { return plu == m_editedPlu; },
                [this] { ++m_viewUpdates; }, [this](std::uint32_t initial) {
                    m_pickedFrom.push_back(initial);
                    return m_pick;
                }};
    }
    // The event lines since the last look, as "kind text".
    std::vector<std::string> TakeEvents()
    {
        std::vector<std::string> events;
        for (const auto& [kind, text] : m_frame.m_events) events.push_back(std::to_string(kind) + " " + text);
        m_frame.m_events.clear();
        return events;
    }
    std::size_t TakeSends()
    {
        const std::size_t sends = m_document.m_sends.size();
        m_document.m_sends.clear();
        return sends;
    }

    RecordingDocument m_document{m_frame};
    RecordingPrompt m_prompt;
    std::uint32_t m_editedPlu = 0;  // the PLU the PLU edit window is open on
    int m_viewUpdates = 0;
    std::optional<std::uint32_t> m_pick;
    std::vector<std::uint32_t> m_pickedFrom;
};

}  // namespace varnel::test
