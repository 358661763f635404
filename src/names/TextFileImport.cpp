#include "names/TextFileImport.h"

#include "core/RememberedFolder.h"
#include "core/Settings.h"
#include "view/UserPrompt.h"

#include <QFile>

namespace {

const QString kExtension = QStringLiteral("TXT");

} // namespace

namespace TextFileImport {

QString ChooseTextFile(QWidget* parent)
{
    const QString initial =
        RememberedFolder::InitialFileName(GetSetting(Setting::OpenPathTXT), kExtension.toLower());
    const QString path =
        CUserPrompt::OpenFileName(parent, QStringLiteral("Open"), initial,
                                  QStringLiteral("TXT Files (*.txt);;All Files (*)"));
    if (!path.isEmpty()) {
        SetSetting(Setting::OpenPathTXT, RememberedFolder::ValueFor(path, kExtension));
    }
    return path;
}

std::optional<QByteArray> ReadTextFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) {
        bytes.truncate(zero);
    }
    return bytes;
}

} // namespace TextFileImport
