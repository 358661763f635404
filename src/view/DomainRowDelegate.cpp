#include "view/DomainRowDelegate.h"

QColor CDomainRowDelegate::RowBackground(int row)
{
    return row % 2 == 0 ? QColor(240, 240, 220) : QColor(220, 240, 255);
}

bool CDomainRowDelegate::IsAvailableText(const QString& text)
{
    return text.compare(QLatin1String("*available*"), Qt::CaseInsensitive) == 0;
}

void CDomainRowDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->backgroundBrush = RowBackground(index.row());
    const QColor text = IsAvailableText(option->text) ? QColor(255, 0, 0) : QColor(Qt::black);
    option->palette.setColor(QPalette::Text, text);
    if (IsAvailableText(option->text)) {
        option->palette.setColor(QPalette::HighlightedText, text);
    }
    option->textElideMode = Qt::ElideRight;
}
