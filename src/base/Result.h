#pragma once

#include <QString>

// The result of a free function that can fail: success, or the error number
// and description the program's messages show ("Error Number: N
// Description: D"). Objects report the other way: they return bool and keep
// an errorString().
class [[nodiscard]] Result
{
public:
    // Success.
    Result() = default;

    static Result failed(int number, const QString &description)
    {
        Result result;
        result.m_failed = true;
        result.m_number = number;
        result.m_description = description;
        return result;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }

    int errorNumber() const { return m_number; }
    QString description() const { return m_description; }
    // The text of the program's error message box.
    QString message() const
    {
        return QStringLiteral("Error Number: %1  Description: %2").arg(m_number).arg(m_description);
    }

private:
    bool m_failed = false;
    int m_number = 0;
    QString m_description;
};
