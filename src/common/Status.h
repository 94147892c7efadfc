#pragma once

#include <optional>
#include <string>
#include <utility>

namespace kelvane {

// The outcome of an operation that a caller must handle: success, or the message to show the user.
class [[nodiscard]] Status
{
public:
    static Status Ok() { return Status(); }
    static Status Error(std::string message) { return Status(std::move(message)); }

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& message() const
    {
        static const std::string none;
        return m_error ? *m_error : none;
    }

private:
    Status() = default;
    explicit Status(std::string message) : m_error(std::move(message)) {}

    std::optional<std::string> m_error;
};

// A value, or the message that says why there is none.
template <typename T>
class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    static Result Error(std::string message) { return Result(std::move(message), 0); }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const std::string& message() const { return m_error; }

private:
    Result(std::string message, int) : m_error(std::move(message)) {}

    std::optional<T> m_value;
    std::string m_error;
};

} // namespace kelvane
