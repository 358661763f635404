#pragma once

#include <QString>
#include <QStringList>

// The four most recently used documents, newest first, kept in the settings section
// "Recent File List" as "File1" to "File4".
class CRecentFiles {
public:
    static constexpr int kCount = 4;

    static QStringList Load();
    // Puts the path first (once) and stores the list.
    static QStringList Add(const QString& path);
    static QStringList Remove(const QString& path);

private:
    static QStringList Store(QStringList files);
};
