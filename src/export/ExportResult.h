#pragma once

#include <QString>

#include <utility>

// The outcome of a text or database export: how many records went out and the message the user
// reads, which is "%d records added to %s" on success and names what failed otherwise.
class CExportResult {
public:
    static CExportResult Added(int count, const QString& path)
    {
        return CExportResult(true, count, AddedMessage(count, path));
    }
    static CExportResult Failure(QString message)
    {
        return CExportResult(false, 0, std::move(message));
    }

    static QString AddedMessage(int count, const QString& path)
    {
        return QStringLiteral("%1 records added to %2").arg(count).arg(path);
    }

    bool Ok() const { return m_bOk; }
    int Count() const { return m_nCount; }
    const QString& Message() const { return m_message; }

private:
    CExportResult(bool ok, int count, QString message)
        : m_bOk(ok)
        , m_nCount(count)
        , m_message(std::move(message))
    {}

    bool m_bOk;
    int m_nCount;
    QString m_message;
};
