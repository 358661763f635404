#include "export/TextExport.h"

#include "core/ByteText.h"
#include "core/DomainDoc.h"
#include "core/DomainName.h"
#include "core/SaveFile.h"

namespace {

bool IsExported(const CDomainInfo& entry, TextExportMode mode)
{
    return mode == TextExportMode::SelectedNames ? entry.m_bTicked != 0
                                                 : entry.m_nStatus == STATUS_AVAILABLE;
}

QByteArray Line(int serial, const CDomainInfo& entry, TextExportMode mode)
{
    // A name read from a crafted file may hold a line break: escaped, it cannot forge a line.
    QByteArray line = QByteArray::number(serial) + ", " +
                      ByteText::EscapeControls(DomainName::WithALabel(entry.m_strName));
    if (mode == TextExportMode::SelectedNames) {
        line += ", " + StatusText(entry.m_nStatus);
    }
    return line + "\r\n";
}

} // namespace

CExportResult ExportTextFile(const CDomainDoc& doc, const QString& path, TextExportMode mode)
{
    QByteArray bytes;
    int count = 0;
    for (const auto& entry : doc.GetEntries()) {
        if (IsExported(*entry, mode)) {
            bytes += Line(++count, *entry, mode);
        }
    }
    const CFileResult written = SaveFile::Write(path, bytes);
    if (!written.Ok()) {
        return CExportResult::Failure(CExportResult::AddedMessage(0, path) +
                                      QStringLiteral("\r\n\r\n") + written.Message());
    }
    return CExportResult::Added(count, path);
}
