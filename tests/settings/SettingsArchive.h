// Storing and loading settings objects through an archive in tests, with the setup-file context.
#pragma once

#include "platform/Archive.h"
#include "settings/SetupFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace varnel::test {

template <class T>
std::vector<std::uint8_t> Store(T& object)
{
    auto bytes = SaveArchive([&](CArchive& ar) { object.Serialize(ar); });
    EXPECT_TRUE(bytes);
    return bytes ? *bytes : std::vector<std::uint8_t>{};
}

// Loads `object` from `bytes` as part of the setup file that `context` describes.
template <class T>
Result<void> Load(T& object, const std::vector<std::uint8_t>& bytes, const SetupFileContext& context)
{
    return LoadArchive(bytes, [&](CArchive& ar) {
        ar.SetContext(&context);
        object.Serialize(ar);
    });
}

// Loads `object` from `bytes` as part of a setup file with that format mark.
template <class T>
Result<void> Load(T& object, const std::vector<std::uint8_t>& bytes, std::uint32_t formatMark = 0)
{
    SetupFileContext context;
    context.formatMark = formatMark;
    return Load(object, bytes, context);
}

}  // namespace varnel::test
