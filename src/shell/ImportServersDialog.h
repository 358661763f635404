#pragma once

#include <QByteArray>
#include <QDialog>

// "Import WHOIS Servers": explains the "tld: whois server" line format and lets the user pick the
// text file to import. It closes with OK once the file dialog has been answered; the text is
// empty when the user cancelled it or the file could not be read.
class CImportServersDialog : public QDialog {
    Q_OBJECT

public:
    explicit CImportServersDialog(QWidget* parent = nullptr);

    static QString Instructions();
    // The bytes of the chosen file, exactly as read.
    const QByteArray& ImportedText() const { return m_importedText; }

private:
    void OnImportFromFile();
    // The remembered folder, else the installed folder holding the sample wholist.txt, else the
    // home folder.
    static QString InitialFileName();

    QByteArray m_importedText;
};
