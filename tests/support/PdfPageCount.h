#pragma once

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringDecoder>

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

// The document title of a PDF's information dictionary, a string of bytes in parentheses
// (backslash escapes the next byte) holding UTF-16 after a byte-order mark, or Latin-1. Empty
// when there is none.
inline QString PdfTitle(const QByteArray& pdf)
{
    const QByteArray key = "/Title (";
    const qsizetype start = pdf.indexOf(key);
    if (start < 0) {
        return {};
    }
    QByteArray bytes;
    for (qsizetype i = start + key.size(); i < pdf.size() && pdf[i] != ')'; ++i) {
        if (pdf[i] == '\\' && i + 1 < pdf.size()) {
            ++i;
        }
        bytes += pdf[i];
    }
    if (!bytes.startsWith("\xfe\xff")) {
        return QString::fromLatin1(bytes);
    }
    QStringDecoder utf16(QStringDecoder::Utf16BE);
    return utf16.decode(bytes.mid(2));
}
