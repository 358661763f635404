#pragma once

#include "core/DomainDoc.h"

#include <QByteArrayList>

// The names of a list's entries, in list order.
inline QByteArrayList ListNames(const CDomainDoc& doc)
{
    QByteArrayList names;
    for (const auto& entry : doc.GetEntries()) {
        names.append(entry->m_strName);
    }
    return names;
}
