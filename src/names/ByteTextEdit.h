#pragma once

#include <QByteArray>
#include <QPlainTextEdit>
#include <QString>
#include <QTimer>

// A multi-line text box over bytes. Bytes put in are shown decoded and come back exactly as they
// were while the user leaves the text alone (or undoes every edit); once edited, the box yields
// the text as shown and typed, as UTF-8 with CR LF line ends.
//
// Files of any size or content may be put in, so the text goes into the box piece by piece while
// the window keeps responding, and lines too long to lay out quickly are shown broken into
// several, after a space, comma or semicolon where there is one. Neither changes the bytes that
// come back, even before the last piece shows.
class CByteTextEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CByteTextEdit(QWidget* parent = nullptr);

    // Replaces the content. The first piece shows at once, the rest while the event loop runs;
    // until then the box is read-only.
    void SetBytes(QByteArray bytes);
    QByteArray Bytes() const;
    // Whether all the text of the last SetBytes is in the box.
    bool HasShownAll() const { return m_pending.isEmpty(); }

private:
    void ShowNextPiece();
    void FinishShowing();
    void NoteChange();

    QByteArray m_bytes;
    // The decoded text still to go into the box.
    QString m_pending;
    qsizetype m_pendingFrom = 0;
    QTimer m_pieceTimer;
    // Set while the box itself changes the text, which is no edit.
    bool m_bOwnChange = false;
    // The text no longer comes from the bytes, whatever the undo history says.
    bool m_bReplaced = false;
};
