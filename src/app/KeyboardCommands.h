// The keyboard commands: "&Keyboard Presets" (32788), the tool bar's "Edit keyboard" (32968), the five
// default keyboards and the preset, index preset and image lists. The keyboard windows and lists are
// the keyboard subsystem's, reached through IKeyboardWindows; the commands choose what they open.
//
//   32788  keyboard presets not in use -> the preset scale list
//          else the off-line question; a keyboard window already open comes to the top; otherwise
//          families 1 and 3 (HBKU): the user picks a scale that owns a keyboard (or adds one), keyboard
//          link × 100 + scale − 100; other families: the one scale of the site, else the user picks
//          among the scales not of families 9 and 11 (61453 when there is none)
//   32968  presets not in use -> the preset scale list; family 9 absent -> as 32788; else the user
//          chooses between the two
//   default keyboards: the family's default keyboard in the keyboard window
#pragma once

#include "platform/Messages.h"
#include "settings/ScaleChoice.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace varnel {

struct CGeneralSetup;
class CIdEnqLinkList;
class CKeyboardList;
class CMainFrame;

// What a keyboard window shows: a family's default keyboard, an HBKU keyboard by number, or the
// keyboard of one scale.
struct KeyboardWindowTarget {
    std::optional<std::uint16_t> defaultFamily;
    std::uint32_t keyboardNumber = 0;
    std::uint16_t linkId = 0;
    std::uint16_t scaleId = 0;
    bool operator==(const KeyboardWindowTarget&) const = default;
};

class IKeyboardWindows {
public:
    virtual ~IKeyboardWindows() = default;
    virtual void EditPresetScales() = 0;  // "PZ4/Tarn4/VM-8100b/QF Presets"
    virtual void EditIndexPresets() = 0;  // "Index Presets"
    virtual void EditImages() = 0;        // "VM-8100b/QF Images"
    virtual bool HasImages() const = 0;
    virtual bool IsKeyboardWindowOpen() const = 0;
    virtual void BringKeyboardWindowToTop() = 0;
    // False when no window could be made.
    virtual bool OpenKeyboardWindow(const KeyboardWindowTarget& target) = 0;
};

struct KeyboardCommandUi {
    // The HBKU scales that own a keyboard; the user picks one or adds a new one (none: cancelled).
    std::function<std::optional<CScaleChoice>(const std::vector<CScaleChoice>&)> pickKeyboardScale;
    // The scales a keyboard can be edited for; the index chosen (none: cancelled).
    std::function<std::optional<std::size_t>(const std::vector<CScaleChoice>&)> pickScale;
    // "Edit keyboard" with both on offer: true the keyboard window, false the preset list, none cancelled.
    std::function<std::optional<bool>()> chooseKeyboardOrPresets;
};

constexpr MessageId kMsgNoKeyboardWindow = 61705;

// The keyboard of link × 100 + scale − 100.
std::uint32_t HbkuKeyboardNumber(std::uint16_t linkId, std::uint16_t scaleId);
// The scales of the links whose keyboard number the list holds, in keyboard number order, labelled
// as the scale choices are (a number whose scale is not on the links by "link - number").
std::vector<CScaleChoice> BuildKeyboardScaleList(const CKeyboardList& keyboards, const CIdEnqLinkList& links,
                                                 const CGeneralSetup& setup);

void EditKeyboardPresets(CMainFrame& frame, IKeyboardWindows& keyboards, const KeyboardCommandUi& ui);
void EditKeyboard(CMainFrame& frame, IKeyboardWindows& keyboards, const KeyboardCommandUi& ui);
// 61705 when the window cannot be made.
void OpenDefaultKeyboard(IKeyboardWindows& keyboards, std::uint16_t family);

}  // namespace varnel
