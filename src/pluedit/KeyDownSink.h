// Where the keys of a control go that passes them on: the PLU list takes the paging and arrow keys
// of the search edits. Keys are virtual-key numbers.
#pragma once

#include <cstdint>

namespace varnel {

enum VirtualKey : std::uint32_t {
    kVkPageUp = 33,
    kVkPageDown = 34,
    kVkEnd = 35,
    kVkHome = 36,
    kVkUp = 38,
    kVkDown = 40,
};

class IKeyDownSink {
public:
    virtual void OnSinkKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t flags) = 0;

protected:
    ~IKeyDownSink() = default;
};

}  // namespace varnel
