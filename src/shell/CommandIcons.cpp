#include "shell/CommandIcons.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

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

QIcon IconFor(Command command)
{
    switch (command) {
    case Command::New:
        return Standard(QStyle::SP_FileIcon);
    case Command::Open:
        return Standard(QStyle::SP_DialogOpenButton);
    case Command::Save:
        return Standard(QStyle::SP_DialogSaveButton);
    case Command::Print:
        return Glyph(QStringLiteral("P"), kGrey);
    case Command::CopyAllEntries:
        return Glyph(QStringLiteral("C"), kGrey);
    case Command::Find:
        return Standard(QStyle::SP_FileDialogContentsView);
    case Command::AddNames:
        return Glyph(QStringLiteral("+"), kBlue);
    case Command::ConstructNames:
        return Glyph(QStringLiteral("K"), kBlue);
    case Command::SelectAll:
        return Glyph(QStringLiteral("\u2713"), kGreen);
    case Command::SelectRange:
        return Glyph(QStringLiteral("\u2195"), kGreen);
    case Command::UnselectAll:
        return Glyph(QStringLiteral("\u2717"), kGrey);
    case Command::DeleteSelected:
        return Standard(QStyle::SP_TrashIcon);
    case Command::InvertSelection:
        return Glyph(QStringLiteral("\u21c4"), kGreen);
    case Command::BrowseWebsite:
        return Glyph(QStringLiteral("W"), kBlue);
    case Command::CheckDomain:
        return Glyph(QStringLiteral("?"), kGreen);
    case Command::CheckAllSelected:
        return Standard(QStyle::SP_MediaPlay);
    case Command::StopAll:
        return Standard(QStyle::SP_BrowserStop);
    case Command::SetupDomains:
        return Glyph(QStringLiteral("T"), kGrey);
    case Command::MinimizeToTray:
        return Standard(QStyle::SP_TitleBarMinButton);
    case Command::Refresh:
        return Standard(QStyle::SP_BrowserReload);
    case Command::HelpTopics:
        return Standard(QStyle::SP_DialogHelpButton);
    case Command::DeleteEntry:
        return Standard(QStyle::SP_DialogDiscardButton);
    default:
        return {};
    }
}

} // namespace CommandIcons
