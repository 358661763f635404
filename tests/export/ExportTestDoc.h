#pragma once

#include "core/DomainDoc.h"
#include "core/TLDList.h"

#include "support/StoredEntry.h"

#include <QDateTime>

#include <gtest/gtest.h>

// Documents for the export tests. Entries are added as a file brings them, so a name can hold
// any bytes, as one read from a file can.
namespace ExportTestDoc {

// A document whose entries keep the statuses the tests give them, with its own TLD table.
struct CTestDoc {
    operator CDomainDoc&() { return doc; }

    CTLDList tlds;
    CDomainDoc doc{tlds, [](CDomainInfo&) {
                   }};
};

inline std::unique_ptr<CTestDoc> Make()
{
    return std::make_unique<CTestDoc>();
}

// The entry stays the test's to change: it stands for one read from a file.
inline CDomainInfo& Add(CDomainDoc& doc, const QByteArray& name, std::uint8_t status, bool ticked)
{
    CDomainInfo& entry = AddStoredEntry(doc, name);
    entry.m_nStatus = status;
    entry.m_bTicked = ticked ? 1 : 0;
    return entry;
}

inline DateTimeValue At(int year, int month, int day, int hour, int minute, int second)
{
    return DateTimeValue::FromLocal(
        QDateTime(QDate(year, month, day), QTime(hour, minute, second)));
}

} // namespace ExportTestDoc
