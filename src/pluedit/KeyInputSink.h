// The keyboard input of an editor that draws itself: the window that holds the focus hands every key
// over through these five operations. Keys are the virtual-key numbers below; the flags say which
// of Shift and Ctrl were down. The label text editor, the PLU list panel and the key grid editors
// take their keys this way, so their keyboard rules are tested without a window.
#pragma once

#include <cstdint>

namespace varnel {

// The virtual keys handed to OnSinkKeyDown: 8 to 46 but the space bar, which arrives as a character.
enum VirtualKey : std::uint32_t {
    VkBack = 8,
    VkTab = 9,
    VkReturn = 13,
    VkEscape = 27,
    VkPrior = 33,  // Page Up
    VkNext = 34,   // Page Down
    VkEnd = 35,
    VkHome = 36,
    VkLeft = 37,
    VkUp = 38,
    VkRight = 39,
    VkDown = 40,
    VkInsert = 45,
    VkDelete = 46
};

enum KeyFlags : std::uint32_t { KeyShift = 1, KeyCtrl = 2 };

// Whether a virtual key goes to OnSinkKeyDown; other keys are dropped.
constexpr bool IsSinkKey(std::uint32_t key) { return key >= VkBack && key <= VkDelete && key != 32; }

class CKeyInputSink {
public:
    virtual ~CKeyInputSink() = default;
    virtual void OnSinkKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t flags) = 0;
    // A byte of typed text in the store's code page (32 and above).
    virtual void OnSinkChar(std::uint32_t ch, std::uint32_t repeat, std::uint32_t flags) = 0;
    // A control character below 32 (Ctrl+C is 3).
    virtual void OnSinkCtrlChar(std::uint32_t ch, std::uint32_t repeat, std::uint32_t flags) = 0;
    virtual void OnSinkSetFocus() = 0;
    virtual void OnSinkKillFocus() = 0;
};

}  // namespace varnel
