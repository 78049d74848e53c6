// What a Lumen transfer asks of the user, as one interface: the GUI shows its dialogs, tests answer
// by script.
#pragma once

#include <cstdint>
#include <optional>

namespace varnel {

class LumenProgressForm;

class ILumenTransferUi {
public:
    virtual ~ILumenTransferUi() = default;

    // "Send to Lumen": "Add to existing Lumen data" (true) or "Overwrite existing Lumen data" (false),
    // the current choice checked; none when cancelled.
    virtual std::optional<bool> AskAddMode(bool addMode) = 0;
    // "Start Comms on Scale", the instructions for the scale type (7 Lumen, else LumenXT); false when
    // cancelled.
    virtual bool ShowStartInstructions(std::uint16_t scaleType) = 0;
    // The progress dialog, modal: once it is up it calls form.OnShown(); it hands the form's posts to
    // form.Dispatch() on its own thread; it ends when the form closes (true) or after the user's Cancel,
    // which calls form.OnCancel() (false).
    virtual bool RunProgress(LumenProgressForm& form) = 0;
};

}  // namespace varnel
