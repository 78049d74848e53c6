// printf-style formatting into a std::string, for the system's fixed formats and message texts with
// placeholders ("%s", "%d", "%8d" ...). Text arguments are passed as C strings.
#pragma once

#include "platform/Messages.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace varnel {

template <class First, class... Rest>
std::string FormatText(std::string_view format, First first, Rest... rest)
{
    const std::string pattern(format);
    const int size = std::snprintf(nullptr, 0, pattern.c_str(), first, rest...);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern.c_str(), first, rest...);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

// The text of message `id` with its placeholders filled.
template <class... Args>
std::string FormatMessage(MessageId id, Args... args)
{
    return FormatText(GetMessageText(id), args...);
}

}  // namespace varnel
