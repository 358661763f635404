#include "names/ByteTextEdit.h"

#include "core/ByteText.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

// Characters that go into the box between two looks at the window: some milliseconds' work.
constexpr qsizetype kPieceLength = 32 * 1024;
// A line is laid out whole whenever it shows or changes, so longer lines are shown broken.
constexpr qsizetype kLongestShownLine = 1000;

bool IsLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// Names and words end at these, so a line broken after one still holds the same ones.
bool IsNameSeparator(QChar c)
{
    return c == u' ' || c == u',' || c == u';';
}

// Where the line that starts at `from` ends, its line break included, when that is at most
// kLongestShownLine characters on; otherwise -1.
qsizetype EndOfShortLine(QStringView text, qsizetype from)
{
    const qsizetype last = std::min(text.size(), from + kLongestShownLine + 1);
    for (qsizetype i = from; i < last; ++i) {
        if (IsLineBreak(text[i])) {
            const bool crlf = text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
            return i + (crlf ? 2 : 1);
        }
    }
    return last == text.size() && last - from <= kLongestShownLine ? last : -1;
}

// Where to break a long line that starts at `from`: after its last name separator within reach,
// else at the longest shown length, never inside a surrogate pair.
qsizetype BreakOfLongLine(QStringView text, qsizetype from)
{
    qsizetype end = from + kLongestShownLine;
    for (qsizetype i = end; i > from; --i) {
        if (IsNameSeparator(text[i - 1])) {
            return i;
        }
    }
    if (text[end - 1].isHighSurrogate()) {
        --end;
    }
    return end;
}

// The text from `from` on as it is shown, up to the end of the line that reaches kPieceLength,
// and where the next piece starts.
QString Piece(QStringView text, qsizetype& from)
{
    QString piece;
    while (from < text.size() && piece.size() < kPieceLength) {
        const qsizetype lineEnd = EndOfShortLine(text, from);
        if (lineEnd >= 0) {
            piece += text.sliced(from, lineEnd - from);
            from = lineEnd;
        } else {
            const qsizetype lineBreak = BreakOfLongLine(text, from);
            piece += text.sliced(from, lineBreak - from);
            piece += u'\n';
            from = lineBreak;
        }
    }
    return piece;
}

} // namespace

CByteTextEdit::CByteTextEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
    m_pieceTimer.setInterval(0);
    connect(&m_pieceTimer, &QTimer::timeout, this, &CByteTextEdit::ShowNextPiece);
    connect(document(), &QTextDocument::contentsChanged, this, &CByteTextEdit::NoteChange);
}

void CByteTextEdit::SetBytes(QByteArray bytes)
{
    m_bytes = std::move(bytes);
    m_pending = ByteText::Decode(m_bytes);
    m_pendingFrom = 0;
    m_bReplaced = false;
    m_bOwnChange = true;
    clear();
    m_bOwnChange = false;
    ShowNextPiece();
    // The first piece went in at the cursor, which belongs at the start, as for any new text.
    moveCursor(QTextCursor::Start);
    if (!HasShownAll()) {
        setReadOnly(true);
        m_pieceTimer.start();
    }
}

QByteArray CByteTextEdit::Bytes() const
{
    if (!m_bReplaced && !document()->isModified()) {
        return m_bytes;
    }
    QByteArray typed = ByteText::Encode(toPlainText());
    typed.replace('\n', QByteArrayView("\r\n"));
    return typed;
}

void CByteTextEdit::ShowNextPiece()
{
    const QString piece = Piece(m_pending, m_pendingFrom);
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    m_bOwnChange = true;
    // Filling the box is no step the user could undo.
    document()->setUndoRedoEnabled(false);
    end.insertText(piece);
    document()->setUndoRedoEnabled(true);
    // The bytes as they came are the text the user's edits are undone back to.
    document()->setModified(false);
    m_bOwnChange = false;
    if (m_pendingFrom == m_pending.size()) {
        FinishShowing();
    }
}

void CByteTextEdit::FinishShowing()
{
    m_pieceTimer.stop();
    m_pending.clear();
    m_pendingFrom = 0;
    setReadOnly(false);
}

void CByteTextEdit::NoteChange()
{
    if (m_bOwnChange) {
        return;
    }
    // The user's edits go through the undo history, and undone they leave the bytes as they
    // were; text put in from elsewhere goes around it and replaces them.
    if (!document()->isUndoRedoEnabled()) {
        m_bReplaced = true;
    }
    if (!HasShownAll()) {
        FinishShowing();
    }
}
