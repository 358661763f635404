#pragma once

#include <QString>

#include <utility>

// The outcome of reading or writing a file: success, or a message in plain words for the user.
// A read that failed part-way says so: what it read before the fault replaced what was there.
class CFileResult {
public:
    static CFileResult Success() { return CFileResult(); }
    static CFileResult Failure(QString message) { return CFileResult(std::move(message), false); }
    static CFileResult BrokenOff(QString message) { return CFileResult(std::move(message), true); }

    bool Ok() const { return m_message.isEmpty(); }
    bool IsBrokenOff() const { return m_bBrokenOff; }
    const QString& Message() const { return m_message; }

private:
    CFileResult() = default;
    CFileResult(QString message, bool brokenOff)
        : m_message(std::move(message))
        , m_bBrokenOff(brokenOff)
    {}

    QString m_message;
    bool m_bBrokenOff = false;
};
