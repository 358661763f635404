#pragma once

#include "core/DomainDoc.h"

#include <memory>

// Adds an entry as a file would bring it, without the admission rules, and leaves it to the test
// to fill in: it stands for an entry read from a document.
inline CDomainInfo& AddStoredEntry(CDomainDoc& doc, const QByteArray& name)
{
    auto entry = std::make_unique<CDomainInfo>(name);
    CDomainInfo& added = *entry;
    doc.AppendEntry(std::move(entry));
    return added;
}
