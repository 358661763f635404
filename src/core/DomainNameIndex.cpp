#include "core/DomainNameIndex.h"

#include "core/ByteText.h"
#include "core/DomainInfo.h"

void CDomainNameIndex::Insert(CDomainInfo* entry)
{
    m_entries.emplace(ByteText::HashNoCase(entry->m_strName), entry);
}

void CDomainNameIndex::Erase(const CDomainInfo* entry)
{
    auto [first, last] = m_entries.equal_range(ByteText::HashNoCase(entry->m_strName));
    for (auto it = first; it != last; ++it) {
        if (it->second == entry) {
            m_entries.erase(it);
            return;
        }
    }
}

CDomainNameIndex::Match CDomainNameIndex::Find(QByteArrayView name) const
{
    Match match;
    auto [first, last] = m_entries.equal_range(ByteText::HashNoCase(name));
    for (auto it = first; it != last; ++it) {
        if (ByteText::EqualsNoCase(it->second->m_strName, name)) {
            if (match.entry) {
                match.ambiguous = true;
                return match;
            }
            match.entry = it->second;
        }
    }
    return match;
}
