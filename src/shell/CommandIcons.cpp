#include "shell/CommandIcons.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <string_view>
#include <tuple>
#include <utility>

namespace CommandIcons {

namespace {

QIcon Standard(QStyle::StandardPixmap pixmap)
{
    return QApplication::style()->standardIcon(pixmap);
}

// A symbol on a small coloured disc: readable at 18 pixels, in the program's colours.
QIcon Glyph(const QString& symbol, const QColor& colour)
{
    QPixmap pixmap(36, 36);
    pixmap.setDevicePixelRatio(2.0);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(140), 1));
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 15, 15), 4, 4);
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, 18, 18), Qt::AlignCenter, symbol);
    return QIcon(pixmap);
}

const QColor kBlue(40, 100, 180);
const QColor kGreen(40, 140, 70);
const QColor kRed(190, 40, 40);
const QColor kGrey(110, 110, 120);

} // namespace

QIcon Named(const char* name)
{
    if (!name) {
        return {};
    }
    const std::string_view icon(name);
    const std::pair<std::string_view, QStyle::StandardPixmap> standard[] = {
        {"document-new", QStyle::SP_FileIcon},
        {"document-open", QStyle::SP_DialogOpenButton},
        {"document-save", QStyle::SP_DialogSaveButton},
        {"edit-find", QStyle::SP_FileDialogContentsView},
        {"edit-delete", QStyle::SP_TrashIcon},
        {"media-playback-start", QStyle::SP_MediaPlay},
        {"process-stop", QStyle::SP_BrowserStop},
        {"quillon-tray", QStyle::SP_TitleBarMinButton},
        {"view-refresh", QStyle::SP_BrowserReload},
        {"help-contents", QStyle::SP_DialogHelpButton},
        {"quillon-delete-entry", QStyle::SP_DialogDiscardButton},
    };
    for (const auto& [standardName, pixmap] : standard) {
        if (icon == standardName) {
            return Standard(pixmap);
        }
    }
    const std::tuple<std::string_view, const char16_t*, const QColor&> glyphs[] = {
        {"document-print", u"P", kGrey},
        {"edit-copy", u"C", kGrey},
        {"list-add", u"+", kBlue},
        {"quillon-construct", u"K", kBlue},
        {"quillon-tick-all", u"\u2713", kGreen},
        {"quillon-tick-range", u"\u2195", kGreen},
        {"quillon-untick-all", u"\u2717", kGrey},
        {"quillon-tick-invert", u"\u21c4", kGreen},
        {"quillon-browse", u"W", kBlue},
        {"quillon-check", u"?", kGreen},
        {"quillon-tlds", u"T", kGrey},
    };
    for (const auto& [glyphName, symbol, colour] : glyphs) {
        if (icon == glyphName) {
            return Glyph(QString::fromUtf16(symbol), colour);
        }
    }
    return {};
}

} // namespace CommandIcons
