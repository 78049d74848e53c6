// The Lumen serial transfers of the document, Qt-free:
//   ReceiveFromLumen  "&Receive (LumenXT/TR-5400)" (family 6), "&Receive (Lumen)" (7): after 31469, a
//                     scale of families 6 and 8 is chosen (none: the link's family alone; one: taken;
//                     several: the picker; its cancel: 61225), then the link receives into the database
//   SendToLumen       "Send (LumenXT/TR-5400)", "Send (Lumen)": "Select Send Data" gives the tables to
//                     send; keyboards need a scale of families 6 and 8, and without one they are
//                     dropped (31473 when nothing else was ticked); then the link sends
// Each shows a failed transfer's message and returns it; 0 when the transfer ended well.
#pragma once

#include "comms/center/SelectSendDataForm.h"
#include "db/site/ScaleDef.h"
#include "platform/Messages.h"
#include "settings/ScaleChoice.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace varnel {

struct CGeneralSetup;
class CIdEnqLinkList;
class CLumenLink;
class CVrn3Doc;
class ILumenTransferUi;

inline constexpr MessageId kMsgAskLumenReceive = 31469;
inline constexpr MessageId kMsgNoLumenScales = 31473;
inline constexpr std::uint16_t kLumenKeyboardTable = 12;

// What a Lumen command needs besides the document.
struct LumenCommandSite {
    CLumenLink* link = nullptr;
    ILumenTransferUi* ui = nullptr;
    const CIdEnqLinkList* links = nullptr;
    std::vector<CScaleChoice> lumenScales;  // LumenScaleChoices
    // Dialog 238 over several scales: the index chosen, none when cancelled.
    std::function<std::optional<std::size_t>(const std::vector<CScaleChoice>&)> pick;
    std::uint16_t market = 0;
    bool ausNzNutrition = false;
    bool canEditNutrition = false;
};

// The scales of the selection (every scale when none) whose family, or the default family for a
// scale that follows it, is 6 or 8, ordered by link number x 100 + scale number.
std::vector<CScaleChoice> LumenScaleChoices(const CIdEnqLinkList& links, const std::optional<ScaleDefs>& scales,
                                            const CGeneralSetup& setup);

MessageId ReceiveFromLumen(CVrn3Doc& document, std::uint16_t family, const LumenCommandSite& site);
MessageId SendToLumen(CVrn3Doc& document, std::uint16_t family, const LumenCommandSite& site);

// "Select Send Data" as the send opens it for the family.
void PresetLumenSendData(SelectSendDataForm& form, std::uint16_t family, std::uint16_t market, bool ausNzNutrition);
// The tables of the ticked boxes in the order they are sent: PLUs 2, store 7, extra messages 4,
// nutrition 9, keyboards 12, extra messages #2 29 and #3 30, coupons 8.
std::vector<std::uint16_t> LumenSendTables(const SelectSendDataForm& form);

}  // namespace varnel
