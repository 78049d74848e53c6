// The user of a Lumen transfer, by script: the answers to the add-or-overwrite question and the start
// instructions, and a progress dialog run on the calling thread without a window. The script may look
// at the dialog before each batch of posts is handled, and press Cancel then.
#pragma once

#include "comms/lumen/LumenProgressForm.h"
#include "comms/lumen/LumenTransferUi.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varnel::test {

class ScriptedLumenUi final : public ILumenTransferUi {
public:
    std::optional<bool> AskAddMode(bool addMode) override
    {
        shownAddMode = addMode;
        return addModeAnswer;
    }
    bool ShowStartInstructions(std::uint16_t scaleType) override
    {
        instructionsFor = scaleType;
        return startAnswer;
    }
    bool RunProgress(LumenProgressForm& form) override
    {
        caption = form.GetCaption();
        form.OnShown();
        if (afterShown && !afterShown(form)) {
            form.OnCancel();
            return false;
        }
        while (!form.GetOutcome()) {
            form.WaitForPost();
            if (beforePosts && !beforePosts(form)) {
                form.OnCancel();
                break;
            }
            form.Dispatch();
            statusTexts.push_back(form.GetStatusText());
            instructionsShown.push_back(form.ShowsInstructions());
        }
        return *form.GetOutcome();
    }

    // The answers: the add mode chosen (none: Cancel) and whether the instructions are confirmed.
    std::optional<bool> addModeAnswer = true;
    bool startAnswer = true;
    // Runs once the dialog is up, and before the posts queued are handled; false presses Cancel.
    std::function<bool(LumenProgressForm&)> afterShown;
    std::function<bool(LumenProgressForm&)> beforePosts;

    // What was shown.
    std::optional<bool> shownAddMode;
    std::optional<std::uint16_t> instructionsFor;
    std::string caption;
    std::vector<std::string> statusTexts;
    std::vector<bool> instructionsShown;
};

}  // namespace varnel::test
