#pragma once

#include <QRect>
#include <QString>

#include <optional>

class QWidget;

// The main window's placement as kept in "WindowPos" between runs:
// "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d" = flags (2 when maximised), show state, minimised x, y,
// maximised x, y, and the normal rectangle's left, top, right and bottom.
struct CWindowPlacement {
    static constexpr unsigned kRestoreMaximized = 2;
    static constexpr unsigned kShowNormal = 1;
    static constexpr unsigned kShowMinimized = 2;
    static constexpr unsigned kShowMaximized = 3;

    // Nothing unless the text holds exactly ten numbers in that form.
    static std::optional<CWindowPlacement> Parse(const QString& text);
    static CWindowPlacement Of(const QWidget& window);

    QString ToString() const;
    // Places the window before it is first shown; a window closed maximised comes back
    // maximised over its normal rectangle, one closed minimised comes back normal.
    void ApplyTo(QWidget& window) const;

    unsigned flags = 0;
    unsigned showState = kShowNormal;
    int minimizedX = -1;
    int minimizedY = -1;
    int maximizedX = -1;
    int maximizedY = -1;
    QRect normal;
};
