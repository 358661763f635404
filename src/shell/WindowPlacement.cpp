#include "shell/WindowPlacement.h"

#include <QRegularExpression>
#include <QWidget>

std::optional<CWindowPlacement> CWindowPlacement::Parse(const QString& text)
{
    static const QRegularExpression form(QStringLiteral(
        "^(\\d+),(\\d+),(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+)$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    bool ok = true;
    const auto number = [&match, &ok](int field) {
        bool fieldOk = false;
        const int value = match.captured(field).toInt(&fieldOk);
        ok = ok && fieldOk;
        return value;
    };
    CWindowPlacement placement;
    placement.flags = static_cast<unsigned>(number(1));
    placement.showState = static_cast<unsigned>(number(2));
    placement.minimizedX = number(3);
    placement.minimizedY = number(4);
    placement.maximizedX = number(5);
    placement.maximizedY = number(6);
    const int left = number(7);
    const int top = number(8);
    const int right = number(9);
    const int bottom = number(10);
    if (!ok || right <= left || bottom <= top) {
        return std::nullopt;
    }
    placement.normal = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    return placement;
}

CWindowPlacement CWindowPlacement::Of(const QWidget& window)
{
    CWindowPlacement placement;
    if (window.isMaximized()) {
        placement.flags = kRestoreMaximized;
        placement.showState = kShowMaximized;
    } else if (window.isMinimized()) {
        placement.showState = kShowMinimized & ~2u;
    }
    placement.normal = window.normalGeometry();
    return placement;
}

QString CWindowPlacement::ToString() const
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
        .arg(flags)
        .arg(showState)
        .arg(minimizedX)
        .arg(minimizedY)
        .arg(maximizedX)
        .arg(maximizedY)
        .arg(normal.left())
        .arg(normal.top())
        .arg(normal.right() + 1)
        .arg(normal.bottom() + 1);
}

void CWindowPlacement::ApplyTo(QWidget& window) const
{
    window.setGeometry(normal);
    if (flags & kRestoreMaximized) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
}
