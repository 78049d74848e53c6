// Where the keys of a control go that passes them on: the PLU list takes the paging and arrow keys
// of the search edits, the label text editor every editing key (CKeyInputSink). Keys are
// virtual-key numbers.
#pragma once

#include <cstdint>

namespace varnel {

// The keys handed to OnSinkKeyDown: 8 to 46 but the space bar, which arrives as a character.
enum VirtualKey : std::uint32_t {
    kVkBack = 8,
    kVkTab = 9,
    kVkReturn = 13,
    kVkEscape = 27,
    kVkPageUp = 33,
    kVkPageDown = 34,
    kVkEnd = 35,
    kVkHome = 36,
    kVkLeft = 37,
    kVkUp = 38,
    kVkRight = 39,
    kVkDown = 40,
    kVkInsert = 45,
    kVkDelete = 46,
};

// Which of Shift and Ctrl were down, in the flags of a key.
enum KeyFlags : std::uint32_t { kKeyShift = 1, kKeyCtrl = 2 };

class IKeyDownSink {
public:
    virtual void OnSinkKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t flags) = 0;

protected:
    ~IKeyDownSink() = default;
};

}  // namespace varnel
