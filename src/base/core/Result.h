#pragma once

#include <QString>

#include <utility>

namespace core {

// The outcome of an operation that can fail: success, or an English description of what went wrong. The caller
// must look at it; code that drops one on purpose says why.
class [[nodiscard]] Result {
public:
    Result() = default; // success

    static Result failure(QString error)
    {
        Result result;
        result.m_failed = true;
        result.m_error = std::move(error);
        return result;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }

private:
    bool m_failed = false;
    QString m_error;
};

// A value, or the reason there is none.
template <typename T> class [[nodiscard]] ResultOf {
public:
    ResultOf(T value)
        : m_value(std::move(value))
    {
    }
    ResultOf(Result failure)
        : m_result(std::move(failure))
    {
    }

    bool ok() const { return m_result.ok(); }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_result.error(); }
    const T& value() const { return m_value; }
    // The failure alone, to hand on to a caller that returns a plain Result.
    Result result() const { return m_result; }

private:
    T m_value{};
    Result m_result;
};

} // namespace core
