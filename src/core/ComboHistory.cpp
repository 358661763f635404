#include "core/ComboHistory.h"

#include "core/Settings.h"

namespace {
const QString kCountKey = QStringLiteral("Count");
}

QStringList LoadComboHistory(const QString& section)
{
    QStringList history;
    const int count = GetSettingInt(section, kCountKey, 0);
    for (int i = 1; i <= count; ++i) {
        const QString text = GetSettingText(section, QString::number(i), QString());
        if (!text.isEmpty()) {
            history.append(text);
        }
    }
    return history;
}

QStringList SaveComboHistory(QStringList history, const QString& editText, const QString& section)
{
    const QString text = editText.trimmed();
    if (text.isEmpty()) {
        return history;
    }
    const auto same = std::find_if(history.begin(), history.end(), [&text](const QString& entry) {
        return entry.compare(text, Qt::CaseInsensitive) == 0;
    });
    if (same != history.end()) {
        history.erase(same);
    } else if (history.size() >= ComboHistory::kMaxEntries) {
        history.removeLast();
    }
    history.prepend(text);
    for (int i = 0; i < history.size(); ++i) {
        SetSettingText(section, QString::number(i + 1), history[i]);
    }
    SetSettingInt(section, kCountKey, static_cast<int>(history.size()));
    return history;
}
