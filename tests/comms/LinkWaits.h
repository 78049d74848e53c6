// Waiting in real time for the link manager's workers, with a generous guard so that a broken link
// fails its test instead of hanging it.
#pragma once

#include "comms/manager/IdEnqLinkList.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace varnel::test {

// Until no link has a request pending. It looks every millisecond rather than waking as a request
// ends: a worker looks for unsent data right after it ends a request, and a test that queued new work
// at once would race that look.
inline ::testing::AssertionResult WaitUntilIdle(const CIdEnqLinkList& links)
{
    const auto guard = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (links.IsBusy()) {
        if (std::chrono::steady_clock::now() > guard) return ::testing::AssertionFailure() << "links still busy";
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return ::testing::AssertionSuccess();
}

// Until the queued jobs went out: a link's worker sends them as unsent data once it has taken the
// request, so no data waits and no request is pending.
inline ::testing::AssertionResult WaitUntilSent(const CIdEnqLinkList& links)
{
    const auto guard = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (links.IsDataWaiting(nullptr)) {
        if (std::chrono::steady_clock::now() > guard) return ::testing::AssertionFailure() << "data still waiting";
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return WaitUntilIdle(links);
}

}  // namespace varnel::test
