#pragma once

#include "core/FileResult.h"
#include "names/BuiltInWordLists.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The word lists of the keyword constructor, one pair per web type, kept as files in the data
// folder: "zul.1" and "zul.2" for "All", "zul<n>.1" and "zul<n>.2" for web type n.
QString WordFileName(int webType, WordSide side);

// One word per line, each ended by CR LF: the text is cut at every run of space, comma, semicolon,
// colon, dash, CR, LF and the marks ~!@$%^&*()[]{}|\/?><."+_=' (letters, digits, "#" and tabs
// stay inside words).
QByteArray NormaliseWordList(QByteArrayView text);

// The normalised content of a word file; nothing when it cannot be read.
std::optional<QByteArray> LoadWordList(const QString& path);

// The words shown for a web type and side: the data folder's word file whenever it can be read
// (an empty file stays empty), otherwise the words shipped with the program, normalised.
QByteArray WordsForWebType(int webType, WordSide side);

// Replaces the word file of a web type and side with the text, byte for byte.
CFileResult SaveWordList(int webType, WordSide side, QByteArrayView text);
