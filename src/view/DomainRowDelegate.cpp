#include "view/DomainRowDelegate.h"

#include <cmath>

namespace {

const QColor kEvenRow(240, 240, 220);
const QColor kOddRow(220, 240, 255);
const QColor kAvailableRed(255, 0, 0);

bool IsDark(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < palette.color(QPalette::Text).lightness();
}

QColor Blend(const QColor& from, const QColor& to, double share)
{
    const auto mix = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()),
                  mix(from.blue(), to.blue()));
}

double Luminance(const QColor& colour)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

// The preferred colour, or the least shift of it towards black or white that reads on the
// background.
QColor Legible(const QColor& preferred, const QColor& background)
{
    for (int step = 0; step <= 20; ++step) {
        const double share = step / 20.0;
        for (const QColor& target : {QColor(Qt::black), QColor(Qt::white)}) {
            const QColor shifted = Blend(preferred, target, share);
            if (CDomainRowDelegate::Contrast(shifted, background) >=
                CDomainRowDelegate::kLeastContrast) {
                return shifted;
            }
        }
    }
    return preferred;
}

QColor RowBackground(int row, const QPalette& palette)
{
    const QColor& light = row % 2 == 0 ? kEvenRow : kOddRow;
    return IsDark(palette) ? Blend(palette.color(QPalette::Base), light, 0.16) : light;
}

} // namespace

CDomainRowDelegate::Colours CDomainRowDelegate::RowColours(int row, bool selected,
                                                           const QPalette& palette)
{
    Colours colours;
    if (selected) {
        colours.background = palette.color(QPalette::Highlight);
        colours.text = palette.color(QPalette::HighlightedText);
    } else {
        colours.background = RowBackground(row, palette);
        colours.text = IsDark(palette) ? palette.color(QPalette::Text) : QColor(Qt::black);
    }
    colours.available = Legible(kAvailableRed, colours.background);
    return colours;
}

bool CDomainRowDelegate::IsAvailableText(const QString& text)
{
    return text.compare(QLatin1String("*available*"), Qt::CaseInsensitive) == 0;
}

double CDomainRowDelegate::Contrast(const QColor& a, const QColor& b)
{
    const double first = Luminance(a) + 0.05;
    const double second = Luminance(b) + 0.05;
    return std::max(first, second) / std::min(first, second);
}

void CDomainRowDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const bool available = IsAvailableText(option->text);
    const Colours plain = RowColours(index.row(), false, option->palette);
    const Colours selected = RowColours(index.row(), true, option->palette);
    option->backgroundBrush = plain.background;
    option->palette.setColor(QPalette::Text, available ? plain.available : plain.text);
    option->palette.setColor(QPalette::HighlightedText,
                             available ? selected.available : selected.text);
    option->textElideMode = Qt::ElideRight;
}
