#pragma once

#include <QByteArray>
#include <QPlainTextEdit>
#include <QString>

// A multi-line text box over bytes. Bytes put in are shown decoded and come back exactly as they
// were while the user leaves the text alone; once edited, the box yields the typed text as UTF-8
// with CR LF line ends.
class CByteTextEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CByteTextEdit(QWidget* parent = nullptr);

    void SetBytes(QByteArray bytes);
    QByteArray Bytes() const;

private:
    QByteArray m_bytes;
    // The box's text right after the bytes went in, to tell whether the user changed it.
    QString m_shown;
};
