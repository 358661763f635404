#include "shell/DocumentCommands.h"

#include "core/DomainDoc.h"
#include "shell/MainFrame.h"
#include "shell/RecentFiles.h"
#include "view/UserPrompt.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kFilter = QStringLiteral("ZUL Files (*.zul);;All Files (*)");

} // namespace

CDocumentCommands::CDocumentCommands(CMainFrame& frame)
    : QObject(&frame)
    , m_frame(frame)
    , m_doc(frame.GetDocument())
{
    m_frame.Bind(Command::New, [this] { New(); });
    m_frame.Bind(Command::Open, [this] { Open(); });
    m_frame.Bind(Command::Save, [this] { Save(); });
    m_frame.Bind(Command::SaveAs, [this] { SaveAs(); });
    m_frame.SetCloseGuard([this] { return SaveModified(); });
    connect(&m_frame, &CMainFrame::RecentFileRequested, this,
            [this](const QString& path) { OpenPath(path); });
    connect(&m_doc, &CDomainDoc::ModifiedChanged, this, &CDocumentCommands::UpdateTitle);
    m_frame.SetRecentFiles(CRecentFiles::Load());
    UpdateTitle();
}

void CDocumentCommands::New()
{
    if (!SaveModified()) {
        return;
    }
    m_doc.OnNewDocument();
    UpdateTitle();
}

void CDocumentCommands::Open()
{
    if (!SaveModified()) {
        return;
    }
    const QString path =
        CUserPrompt::OpenFileName(&m_frame, QStringLiteral("Open"), QString(), kFilter);
    if (!path.isEmpty()) {
        OpenFile(path);
    }
}

bool CDocumentCommands::OpenPath(const QString& path)
{
    return SaveModified() && OpenFile(path);
}

bool CDocumentCommands::OpenFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const CFileResult result = m_doc.OnOpenDocument(absolute);
    if (result.Ok()) {
        m_frame.SetRecentFiles(CRecentFiles::Add(absolute));
        UpdateTitle();
        return true;
    }
    if (!result.IsBrokenOff() || m_doc.GetCount() == 0) {
        ReportUnreadable(absolute, result);
        return false;
    }
    // The file broke off: keep what was read, but never save it over the damaged file unasked.
    m_doc.SetPathName(QString());
    m_doc.SetModifiedFlag();
    UpdateTitle();
    CUserPrompt::Warning(&m_frame,
                         QStringLiteral("\"%1\" could not be read completely.\r\n\r\n%2\r\n\r\nThe "
                                        "%3 entries read before the fault are in the list; save "
                                        "them under a new name to keep them.")
                             .arg(QDir::toNativeSeparators(absolute), result.Message())
                             .arg(m_doc.GetCount()));
    return true;
}

// Nothing usable was read. A list the read had already emptied becomes a new, untitled one, so
// that a later Save cannot write the empty list over the file.
void CDocumentCommands::ReportUnreadable(const QString& path, const CFileResult& result)
{
    if (result.IsBrokenOff()) {
        m_doc.OnNewDocument();
        UpdateTitle();
    }
    CUserPrompt::Warning(&m_frame, UnreadableText(path, result));
    m_frame.SetRecentFiles(CRecentFiles::Remove(path));
}

bool CDocumentCommands::Save()
{
    if (m_doc.GetPathName().isEmpty()) {
        return SaveAs();
    }
    return SaveTo(m_doc.GetPathName());
}

bool CDocumentCommands::SaveAs()
{
    const QString initial = m_doc.GetPathName().isEmpty()
                                ? QDir::home().filePath(GetTitle() + QStringLiteral(".zul"))
                                : m_doc.GetPathName();
    const QString path = CUserPrompt::SaveFileName(&m_frame, QStringLiteral("Save As"), initial,
                                                   kFilter, QStringLiteral("zul"));
    return !path.isEmpty() && SaveTo(path);
}

bool CDocumentCommands::SaveModified()
{
    if (!m_doc.IsModified()) {
        return true;
    }
    switch (
        CUserPrompt::Question(&m_frame, QStringLiteral("Save changes to %1?").arg(GetTitle()))) {
    case QMessageBox::Yes:
        return Save();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

QString CDocumentCommands::GetTitle() const
{
    return TitleOf(m_doc);
}

QString CDocumentCommands::UnreadableText(const QString& path, const CFileResult& result)
{
    return QStringLiteral("Could not open \"%1\".\r\n\r\n%2")
        .arg(QDir::toNativeSeparators(path), result.Message());
}

QString CDocumentCommands::TitleOf(const CDomainDoc& doc)
{
    return doc.GetPathName().isEmpty() ? QStringLiteral("Untitled")
                                       : QFileInfo(doc.GetPathName()).fileName();
}

bool CDocumentCommands::SaveTo(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const CFileResult result = m_doc.OnSaveDocument(absolute);
    if (!result.Ok()) {
        CUserPrompt::Warning(&m_frame,
                             QStringLiteral("Could not save \"%1\".\r\n\r\n%2")
                                 .arg(QDir::toNativeSeparators(absolute), result.Message()));
        return false;
    }
    m_frame.SetRecentFiles(CRecentFiles::Add(absolute));
    UpdateTitle();
    return true;
}

void CDocumentCommands::UpdateTitle()
{
    m_frame.setWindowTitle(GetTitle() + QStringLiteral("[*] - Quillon"));
    m_frame.setWindowModified(m_doc.IsModified());
}
