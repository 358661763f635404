#include "export/ExportFileChoice.h"

#include "core/RememberedFolder.h"

const CExportFileChoice& CExportFileChoice::Text()
{
    static const CExportFileChoice choice(Setting::SavePathTXT, "txt",
                                          "Text Files (*.txt);;All Files (*.*)");
    return choice;
}

const CExportFileChoice& CExportFileChoice::Database()
{
    static const CExportFileChoice choice(Setting::SavePathMDB, "db",
                                          "Database Files (*.db);;All Files (*.*)");
    return choice;
}

QString CExportFileChoice::InitialFileName() const
{
    return GetSetting(m_savePath);
}

void CExportFileChoice::Remember(const QString& chosenPath) const
{
    // A name without a folder says nothing about where to look next time.
    if (!chosenPath.contains(QLatin1Char('/'))) {
        return;
    }
    SetSetting(m_savePath, RememberedFolder::ValueFor(chosenPath, DefaultSuffix()));
}
