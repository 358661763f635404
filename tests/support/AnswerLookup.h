#pragma once

#include "core/DomainInfo.h"
#include "lookup/AnswerAnalysis.h"

#include <QByteArray>

// The line the query client writes above every answer.
inline QByteArray OwnLine(const QByteArray& server, const QByteArray& name)
{
    return "WHOIS server: " + server + ", Domain: " + name + "\n\n";
}

// A fresh answer taken through the worker's path: the query client's first line above it, the
// cleaning with "Strip Output" as given, then the verdict with the worker's default.
inline CDomainInfo LookedUp(const QByteArray& answer, bool strip,
                            std::uint8_t prevStatus = STATUS_UNKNOWN,
                            const QByteArray& server = "whois.example.net",
                            const QByteArray& name = "example.com")
{
    CDomainInfo record(name);
    record.m_nPrevStatus = prevStatus;
    record.m_strInfo = OwnLine(server, name) + answer;
    CleanAnswer(record, strip ? Strip::Yes : Strip::No);
    AnalyseAnswer(record, STATUS_ERROR_1);
    return record;
}

// The status a document gives a stored text when it is opened again.
inline std::uint8_t StatusReadBack(const QByteArray& storedText)
{
    CDomainInfo record;
    record.m_strInfo = storedText;
    AnalyseStoredAnswer(record);
    return record.m_nStatus;
}
