#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace mrv {

/// Outcome of an operation that produces no value: success, or the reason it failed.
class [[nodiscard]] Status
{
public:
    Status() = default;
    static Status Ok() { return {}; }
    static Status Fail(QString message)
    {
        Status s;
        s.m_failed = true;
        s.m_message = std::move(message);
        return s;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &message() const { return m_message; }

private:
    bool m_failed = false;
    QString m_message;
};

/// A value, or the reason there is none. Kept small on purpose: the toolchain has no std::expected.
template <typename T>
class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status failure) : m_message(failure.message()) {}
    static Result Fail(QString message) { return Result(Status::Fail(std::move(message))); }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const QString &message() const { return m_message; }

    T &value() & { return *m_value; }
    const T &value() const & { return *m_value; }
    T &&value() && { return std::move(*m_value); }
    T &operator*() & { return *m_value; }
    const T &operator*() const & { return *m_value; }
    T *operator->() { return &*m_value; }
    const T *operator->() const { return &*m_value; }
    T value_or(T fallback) const { return m_value ? *m_value : std::move(fallback); }

    Status status() const { return ok() ? Status::Ok() : Status::Fail(m_message); }

private:
    std::optional<T> m_value;
    QString m_message;
};

} // namespace mrv
