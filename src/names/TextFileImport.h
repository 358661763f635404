#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QWidget;

// Text files of names or words that the user imports into a text box.
namespace TextFileImport {

// Asks for the file, starting in the folder the last one came from ("Path"/"TXT"), and remembers
// the chosen file's folder there. Empty when the user cancels.
QString ChooseTextFile(QWidget* parent);

// The file's bytes as they are, up to its first zero byte, since a text box holds text up to a
// zero byte. Nothing when the file cannot be read.
std::optional<QByteArray> ReadTextFile(const QString& path);

} // namespace TextFileImport
