// Waiting for the link manager's workers as they tell they are idle, with a generous real-time guard
// so that a broken link fails its test instead of hanging it.
#pragma once

#include "comms/manager/IdEnqLinkList.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <chrono>

namespace varnel::test {

// Until no link has a request pending and every worker waits for its next one: a worker looks for
// unsent data right after it ends a request, and a test that queued new work during that look would
// race it.
inline ::testing::AssertionResult WaitUntilIdle(const CIdEnqLinkList& links)
{
    const auto guard = SystemClock().MonotonicNow() + std::chrono::seconds(60);
    for (const auto& link : links.GetLinks())
        if (!link->WaitWorkerIdle(SystemClock(), guard)) return ::testing::AssertionFailure() << "links still busy";
    return ::testing::AssertionSuccess();
}

// Until the queued jobs went out: a link's worker sends them as unsent data once it has taken the
// request, in the same pass.
inline ::testing::AssertionResult WaitUntilSent(const CIdEnqLinkList& links)
{
    if (::testing::AssertionResult idle = WaitUntilIdle(links); !idle) return idle;
    if (links.IsDataWaiting(nullptr)) return ::testing::AssertionFailure() << "data still waiting";
    return ::testing::AssertionSuccess();
}

}  // namespace varnel::test
