#pragma once

#include <QString>

#include <utility>

// The outcome of reading or writing a file: success, or a message in plain words for the user.
class CFileResult {
public:
    static CFileResult Success() { return CFileResult(); }
    static CFileResult Failure(QString message) { return CFileResult(std::move(message)); }

    bool Ok() const { return m_message.isEmpty(); }
    const QString& Message() const { return m_message; }

private:
    CFileResult() = default;
    explicit CFileResult(QString message)
        : m_message(std::move(message))
    {}

    QString m_message;
};
