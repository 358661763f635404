#pragma once

#include <QByteArrayView>
#include <QMultiHash>

#include <cstddef>

class CDomainInfo;

// Finds entries by name without regard to case, kept in step with the list, so admitting tens of
// thousands of names does not scan the list for each one.
class CDomainNameIndex {
public:
    struct Match {
        CDomainInfo* entry = nullptr;
        // More than one entry has the name: possible only in lists read from files.
        bool ambiguous = false;
    };

    void Insert(CDomainInfo* entry);
    void Erase(const CDomainInfo* entry);
    void Clear() { m_entries.clear(); }
    void Reserve(std::size_t count) { m_entries.reserve(static_cast<qsizetype>(count)); }

    Match Find(QByteArrayView name) const;

private:
    QMultiHash<std::size_t, CDomainInfo*> m_entries;
};
