#include "export/DatabaseStepError.h"

#include <sqlite3.h>

QString DatabaseStepError(const char* step, int errorCode, const QString& description)
{
    QString reason = description;
    if ((errorCode & 0xff) == SQLITE_NOMEM) {
        reason = QStringLiteral("Memory");
    } else if (reason.isEmpty()) {
        reason = QStringLiteral("The database engine gave no description of the error.");
    }
    return QStringLiteral("Error: %1\r\n%2").arg(QLatin1String(step), reason);
}
