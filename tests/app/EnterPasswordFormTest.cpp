#include "app/EnterPasswordForm.h"

#include "support/RecordingPrompt.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace varnel {
namespace {

TEST(EnterPasswordForm, WrongEntriesAreToldAndTheThirdEndsTheDialog)
{
    using enum EnterPasswordForm::Outcome;
    struct Case {
        std::vector<const char*> entries;
        std::vector<EnterPasswordForm::Outcome> outcomes;
    };
    const Case cases[] = {
        {{"owl"}, {Right}},
        {{"cat", "OWL", "owl"}, {TryAgain, TryAgain, Right}},
        {{"cat", "dog", "eel"}, {TryAgain, TryAgain, Failed}},
    };
    for (const Case& c : cases) {
        test::RecordingPrompt prompt;
        EnterPasswordForm form("owl");
        std::vector<EnterPasswordForm::Outcome> outcomes;
        for (const char* entry : c.entries) outcomes.push_back(form.Submit(entry));
        EXPECT_EQ(outcomes, c.outcomes);
        const auto wrong = std::ranges::count_if(c.outcomes, [](auto o) { return o != Right; });
        EXPECT_EQ(prompt.m_ids, std::vector<MessageId>(static_cast<std::size_t>(wrong), 61263));
    }
}

}  // namespace
}  // namespace varnel
