#pragma once

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>

// The page count of a PDF document's page tree; -1 when it holds none.
inline int PdfPageCount(const QByteArray& pdf)
{
    static const QRegularExpression pages(
        QStringLiteral("/Type /Pages\\s*/Kids[^/]*/Count (\\d+)"));
    const auto match = pages.match(QString::fromLatin1(pdf));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The same for a PDF file; -1 when it cannot be read.
inline int PdfFilePageCount(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? PdfPageCount(file.readAll()) : -1;
}
