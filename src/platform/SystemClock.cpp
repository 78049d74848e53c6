// The real clocks.
#include "platform/Clock.h"

namespace varnel {
namespace {

class RealClock final : public IClock {
public:
    std::chrono::system_clock::time_point WallNow() const override { return std::chrono::system_clock::now(); }
    std::chrono::steady_clock::time_point MonotonicNow() const override { return std::chrono::steady_clock::now(); }
};

}  // namespace

IClock& SystemClock()
{
    static RealClock clock;
    return clock;
}

}  // namespace varnel
