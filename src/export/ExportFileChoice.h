#pragma once

#include "core/Settings.h"

#include <QString>

// What a save dialog for one kind of export needs: the folder remembered under "Save Path", the
// filter and the extension added to a name typed without one.
class CExportFileChoice {
public:
    CExportFileChoice(const CTextSetting& savePath, const char* extension, const char* filter)
        : m_savePath(savePath)
        , m_extension(extension)
        , m_filter(filter)
    {}

    // The text file exports' choice: "Save Path"/"TXT", *.txt.
    static const CExportFileChoice& Text();
    // The database export's choice: "Save Path"/"MDB", *.db.
    static const CExportFileChoice& Database();

    // The dialog's initial file name: the remembered folder and pattern; empty the first time,
    // so the dialog opens where the file dialog itself starts, with no name filled in.
    QString InitialFileName() const;
    // Remembers the folder of the chosen file for the next dialog of this kind.
    void Remember(const QString& chosenPath) const;
    QString Filter() const { return QLatin1String(m_filter); }
    QString DefaultSuffix() const { return QLatin1String(m_extension); }

private:
    CTextSetting m_savePath;
    const char* m_extension;
    const char* m_filter;
};
