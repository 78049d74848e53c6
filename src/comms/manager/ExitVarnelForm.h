// The exit dialog (dialog 246, "Exit Varnel") without its window: offered at exit while data waits
// for off-line scales. "&Save Waiting Data" keeps it for the next run, "&Clear Waiting Data" empties
// the queues of the scales given, Cancel keeps the program running.
#pragma once

#include "db/site/ScaleDef.h"

namespace varnel {

class CIdEnqLinkList;

class ExitVarnelForm {
public:
    static constexpr const char* kTitle = "Exit Varnel";
    static constexpr const char* kWaitingText =
        "One or more scales has data waiting to be sent. (Data updates that could not be sent because the "
        "scale was off-line.)";
    static constexpr const char* kSaveHint =
        "Select <Save Waiting Data> to automatically resend the next time you run Varnel (if the scale comes "
        "back on-line).";

    // `scales` null: every scale.
    ExitVarnelForm(CIdEnqLinkList& links, const ScaleDefs* scales) : m_links(links), m_scales(scales) {}

    // "&Clear Waiting Data": the scales' queues are emptied; the dialog then ends with OK.
    void ClearWaitingData();

private:
    CIdEnqLinkList& m_links;
    const ScaleDefs* m_scales;
};

}  // namespace varnel
