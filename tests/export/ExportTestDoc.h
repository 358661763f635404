#pragma once

#include "core/DomainDoc.h"
#include "core/TLDList.h"

#include <QDateTime>

#include <gtest/gtest.h>

// Documents for the export tests. Entries are admitted under stand-in names and then given the
// name the test wants, so a name can hold any bytes, as one read from a file can.
namespace ExportTestDoc {

// A document whose entries keep the statuses the tests give them.
inline std::unique_ptr<CDomainDoc> Make()
{
    if (g_TLDList.FindTLD("com") == nullptr) {
        g_TLDList.FillDefaults();
    }
    return std::make_unique<CDomainDoc>([](CDomainInfo&) {});
}

inline CDomainInfo& Add(CDomainDoc& doc, const QByteArray& name, std::uint8_t status, bool ticked)
{
    const QByteArray standIn = "entry" + QByteArray::number(doc.GetCount()) + ".com";
    EXPECT_TRUE(doc.AdmitName(standIn));
    CDomainInfo& entry = *doc.GetAt(doc.GetCount() - 1);
    entry.m_strName = name;
    entry.m_nStatus = status;
    entry.m_bSelected = ticked ? 1 : 0;
    return entry;
}

inline DateTimeValue At(int year, int month, int day, int hour, int minute, int second)
{
    return DateTimeValue::FromLocal(
        QDateTime(QDate(year, month, day), QTime(hour, minute, second)));
}

} // namespace ExportTestDoc
