// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace Tarnwick {

// Outcome of an operation that can fail: logic never shows UI, it hands the
// error text to the caller, which turns it into a message for the user.
class Result
{
public:
    static Result success() { return Result(); }
    static Result failure(QString error) { return Result(std::move(error)); }

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    QString error() const { return m_error.value_or(QString()); }

private:
    Result() = default;
    explicit Result(QString error)
        : m_error(std::move(error))
    {
    }
    std::optional<QString> m_error;
};

// A value or the text of the error that prevented it.
template<typename T> class Expected
{
public:
    Expected(T value)
        : m_value(std::move(value))
    {
    }
    static Expected failure(QString error)
    {
        Expected e;
        e.m_error = std::move(error);
        return e;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const { return *m_value; }
    T &value() { return *m_value; }
    const T &operator*() const { return *m_value; }
    const T *operator->() const { return &*m_value; }
    QString error() const { return m_error; }

private:
    Expected() = default;
    std::optional<T> m_value;
    QString m_error;
};

} // namespace Tarnwick
