// A value or an error message, returned by core functions instead of throwing across layers.
#pragma once

#include <string>
#include <utility>
#include <variant>

struct Error {
    std::string message;
};

// [[nodiscard]]: a failure nobody looks at is a failure lost.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<T>(m_state); }
    const T& value() const { return std::get<T>(m_state); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const std::string& error() const { return std::get<Error>(m_state).message; }

private:
    std::variant<T, Error> m_state;
};

// For operations that return nothing but may fail.
struct Done {};
using Status = Result<Done>;
inline Status success()
{
    return Done{};
}
