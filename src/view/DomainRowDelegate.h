#pragma once

#include <QStyledItemDelegate>

// Paints the list's rows: alternating cream and pale blue backgrounds, black text, the system's
// highlight for the selected row, and a status of "*AVAILABLE*" in red, selected or not.
class CDomainRowDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QColor RowBackground(int row);
    static bool IsAvailableText(const QString& text);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
