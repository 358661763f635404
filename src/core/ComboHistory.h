#pragma once

#include <QString>
#include <QStringList>

// The drop-down histories of the keyword and search boxes, kept in their own settings section as
// "Count" and the texts "1" to "Count", newest first.
namespace ComboHistory {
inline constexpr int kMaxEntries = 21;
}

// The stored history, skipping empty texts.
QStringList LoadComboHistory(const QString& section);
// Adds the trimmed edit text at the top (an equal text, ignoring case, moves up instead of being
// repeated; the oldest falls off past 21 entries), stores the history and returns it. An empty
// text changes nothing.
QStringList SaveComboHistory(QStringList history, const QString& editText, const QString& section);
