#include "core/TLDInfo.h"

#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"

void CTLDInfo::Serialize(CArchiveWriter& archive) const
{
    archive.WriteString(m_strTLD);
    archive.WriteString(m_strServer);
    archive.WriteByte(m_bUseForNew);
    archive.WriteString(m_strRegistrarURL);
}

void CTLDInfo::Serialize(CArchiveReader& archive)
{
    m_strTLD = archive.ReadString();
    m_strServer = archive.ReadString();
    m_bUseForNew = archive.ReadByte();
    m_strRegistrarURL = archive.ReadString();
}
