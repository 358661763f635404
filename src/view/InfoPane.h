#pragma once

#include <QByteArray>
#include <QPlainTextEdit>

// The read-only pane under the list with the selected entry's WHOIS record, or a hint when there
// is none, below an optional heading about the entry's name. A record is scrolled past the
// registry's terms of use, so it opens at the data; one with a heading opens at the top, so that
// the heading is seen.
class CInfoPane final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CInfoPane(QWidget* parent = nullptr);

    // Shows an entry's record; nothing happens when it is already shown.
    void ShowRecord(const QByteArray& record, const QString& heading = {});
    // Shows one of the program's own texts; nothing happens when it is already shown.
    void ShowText(const QString& text, const QString& heading = {});

    // The line the record should open at: the line of the later of the two terms-of-use phrases,
    // or 0.
    static int TermsLine(const QString& shown);

private:
    void Show(const QString& text);

    QString m_shown;
};
