#include "view/InfoPane.h"

#include "core/ByteText.h"

#include <QScrollBar>

namespace {

// Records keep the CR LF (after cleaning, often CR CR LF) line ends of the wire; the pane shows
// plain lines.
QString DisplayText(const QByteArray& record)
{
    QString text = ByteText::Decode(record);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.remove(QLatin1Char('\r'));
    return text;
}

QString WithHeading(const QString& heading, const QString& text)
{
    return heading.isEmpty() ? text : heading + QStringLiteral("\n\n") + text;
}

} // namespace

CInfoPane::CInfoPane(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void CInfoPane::ShowRecord(const QByteArray& record, const QString& heading)
{
    const QString text = WithHeading(heading, DisplayText(record));
    if (text == m_shown) {
        return;
    }
    Show(text);
    if (heading.isEmpty()) {
        verticalScrollBar()->setValue(TermsLine(text));
    }
}

void CInfoPane::ShowText(const QString& text, const QString& heading)
{
    const QString shown =
        WithHeading(heading, QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    if (shown != m_shown) {
        Show(shown);
    }
}

int CInfoPane::TermsLine(const QString& shown)
{
    const qsizetype abide = shown.indexOf(QLatin1String("you agree to abide by this policy"));
    const qsizetype terms = shown.indexOf(QLatin1String("you agree to these terms"));
    const qsizetype later = std::max(abide, terms);
    return later < 0 ? 0 : static_cast<int>(shown.left(later).count(QLatin1Char('\n')));
}

void CInfoPane::Show(const QString& text)
{
    m_shown = text;
    setPlainText(text);
}
