#pragma once

#include <QStyledItemDelegate>

// Paints the list's rows: alternating cream and pale blue backgrounds with black text, the
// system's highlight for the selected row, and a status of "*AVAILABLE*" in red, selected or not.
// Under a dark palette the rows keep their alternation in dark shades of the same two colours
// with the palette's own text colour. The red is darkened or lightened where the background
// would swallow it (a mid-blue highlight, a dark row), so the verdict stays readable.
class CDomainRowDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    // What one row is painted with under a palette.
    struct Colours {
        QColor background;
        QColor text;
        QColor available;
    };

    // The contrast below which red text is moved towards black or white (the ratio for bold text).
    static constexpr double kLeastContrast = 3.0;

    using QStyledItemDelegate::QStyledItemDelegate;

    static Colours RowColours(int row, bool selected, const QPalette& palette);
    static bool IsAvailableText(const QString& text);
    // The contrast ratio of two colours as readers perceive it, from 1 (the same) to 21.
    static double Contrast(const QColor& a, const QColor& b);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
