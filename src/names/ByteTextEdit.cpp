#include "names/ByteTextEdit.h"

#include "core/ByteText.h"

CByteTextEdit::CByteTextEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
}

void CByteTextEdit::SetBytes(QByteArray bytes)
{
    m_bytes = std::move(bytes);
    setPlainText(ByteText::Decode(m_bytes));
    m_shown = toPlainText();
}

QByteArray CByteTextEdit::Bytes() const
{
    const QString text = toPlainText();
    if (text == m_shown) {
        return m_bytes;
    }
    QByteArray typed = ByteText::Encode(text);
    typed.replace('\n', QByteArrayView("\r\n"));
    return typed;
}
