#pragma once

#include "core/FileResult.h"

#include <QObject>
#include <QString>

class CDomainDoc;
class CMainFrame;

// New, Open, Save, Save As and the recent files for the one document, with the question to save
// changes before the list is replaced or the window closes, and read or write errors shown in
// plain words naming the file.
class CDocumentCommands final : public QObject {
    Q_OBJECT

public:
    explicit CDocumentCommands(CMainFrame& frame);

    void New();
    void Open();
    // Opens a file named on the command line, from the recent files or by a second start.
    bool OpenPath(const QString& path);
    bool Save();
    bool SaveAs();
    // True when the list may be replaced: it has no unsaved changes, or the user saved them or
    // chose to drop them.
    bool SaveModified();

    QString GetTitle() const;
    // The document's name as the window and print jobs show it: the file's name, or "Untitled".
    static QString TitleOf(const CDomainDoc& doc);
    // The warning for a file that could not be read.
    static QString UnreadableText(const QString& path, const CFileResult& result);

private:
    bool OpenFile(const QString& path);
    void ReportUnreadable(const QString& path, const CFileResult& result);
    bool SaveTo(const QString& path);
    void UpdateTitle();

    CMainFrame& m_frame;
    CDomainDoc& m_doc;
};
