// Result<T>: the value of an operation of our own layers (files, links, parsing) or the reason it failed.
// Expected failures are values; programming errors are asserts.
#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace varnel {

// Where an error was detected. Our own, because not every compiler we build with has std::source_location.
struct SourceLocation {
    const char* file = "";
    unsigned line = 0;
    static constexpr SourceLocation Current(const char* file = __builtin_FILE(), unsigned line = __builtin_LINE())
    {
        return {file, line};
    }
};

enum class Errc { Io, DiskFull, NotFound, Timeout, Refused, BadFrame, BadChecksum, Corrupt, Unsupported, Invalid, Cancelled };

struct Error {
    Errc code = Errc::Io;
    std::string message;
    int osError = 0;  // errno captured at the failing call
    SourceLocation where = SourceLocation::Current();
};

inline Error MakeError(Errc code, std::string message, int osError = 0,
                       SourceLocation where = SourceLocation::Current())
{
    return Error{code, std::move(message), osError, where};
}

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    explicit operator bool() const { return std::holds_alternative<T>(m_state); }
    bool HasValue() const { return std::holds_alternative<T>(m_state); }

    T& Value() &
    {
        assert(HasValue());
        return std::get<T>(m_state);
    }
    const T& Value() const&
    {
        assert(HasValue());
        return std::get<T>(m_state);
    }
    T&& Value() &&
    {
        assert(HasValue());
        return std::get<T>(std::move(m_state));
    }
    T& operator*() & { return Value(); }
    const T& operator*() const& { return Value(); }
    T* operator->() { return &Value(); }
    const T* operator->() const { return &Value(); }

    const Error& GetError() const
    {
        assert(!HasValue());
        return std::get<Error>(m_state);
    }

private:
    std::variant<T, Error> m_state;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : m_error(std::move(error)), m_failed(true) {}

    explicit operator bool() const { return !m_failed; }
    bool HasValue() const { return !m_failed; }
    const Error& GetError() const
    {
        assert(m_failed);
        return m_error;
    }

private:
    Error m_error;
    bool m_failed = false;
};

}  // namespace varnel
