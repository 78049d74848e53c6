// What the links report while they work: the comms-state counters the status bar shows, and the
// current Data Save file with the request to open it. The main frame answers for them.
#pragma once

#include <cstdint>
#include <string>

namespace varnel {

class ICommsStatus {
public:
    virtual ~ICommsStatus() = default;

    // The comms-state counters (states 0 to 5; a link counts 2 polls, 3 receives, 4 sends while they run).
    virtual void IncCommsState(std::uint32_t state) = 0;
    virtual void DecCommsState(std::uint32_t state) = 0;
    // The current Data Save file: set when one is loaded or rewritten to another name.
    virtual std::string GetCurrentDataSaveFile() const = 0;
    virtual void SetCurrentDataSaveFile(const std::string& path) = 0;
    // Asks the frame to open the current Data Save file once it gets to it (a posted request).
    virtual void PostOpenDataSaveRequest() = 0;
};

}  // namespace varnel
