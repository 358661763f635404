#include "core/DomainNameIndex.h"

#include "core/ByteText.h"
#include "core/DomainInfo.h"

void CDomainNameIndex::Insert(CDomainInfo* entry)
{
    m_entries.insert(ByteText::HashNoCase(entry->m_strName), entry);
}

void CDomainNameIndex::Erase(const CDomainInfo* entry)
{
    m_entries.remove(ByteText::HashNoCase(entry->m_strName), const_cast<CDomainInfo*>(entry));
}

CDomainNameIndex::Match CDomainNameIndex::Find(QByteArrayView name) const
{
    Match match;
    auto [first, last] = m_entries.equal_range(ByteText::HashNoCase(name));
    for (auto it = first; it != last; ++it) {
        if (ByteText::EqualsNoCase((*it)->m_strName, name)) {
            if (match.entry) {
                match.ambiguous = true;
                return match;
            }
            match.entry = *it;
        }
    }
    return match;
}
