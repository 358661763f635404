#include "shell/CommandIcons.h"

#include "shell/Pictograms.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

namespace CommandIcons {

namespace {

constexpr qreal kDesignSize = 16;

// Paints a pictogram afresh for every size asked, so a 2x screen gets twice the pixels rather
// than a stretched picture. Pixmaps are kept in the pixmap cache: toolbars ask for them on every
// repaint.
class CPictogramEngine final : public QIconEngine {
public:
    CPictogramEngine(QString name, Pictograms::Painter draw)
        : m_name(std::move(name))
        , m_draw(draw)
    {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        const QString key = QStringLiteral("quillon-icon/%1/%2x%3/%4")
                                .arg(m_name)
                                .arg(size.width())
                                .arg(size.height())
                                .arg(static_cast<int>(mode));
        QPixmap cached;
        if (QPixmapCache::find(key, &cached)) {
            return cached;
        }
        QPixmap drawn = Draw(size);
        if (mode != QIcon::Normal && mode != QIcon::Active) {
            QStyleOption option;
            option.palette = QApplication::palette();
            drawn = QApplication::style()->generatedIconPixmap(mode, drawn, &option);
        }
        Q_UNUSED(state);
        QPixmapCache::insert(key, drawn);
        return drawn;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), drawn);
    }

    QIconEngine* clone() const override { return new CPictogramEngine(m_name, m_draw); }
    QString key() const override { return QStringLiteral("quillon-pictogram"); }
    QString iconName() override { return m_name; }

private:
    QPixmap Draw(const QSize& size) const
    {
        QPixmap drawn(size);
        drawn.fill(Qt::transparent);
        const qreal side = std::min(size.width(), size.height());
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate((size.width() - side) / 2, (size.height() - side) / 2);
        painter.scale(side / kDesignSize, side / kDesignSize);
        m_draw(painter);
        return drawn;
    }

    QString m_name;
    Pictograms::Painter m_draw;
};

} // namespace

QIcon Drawn(const char* name)
{
    const Pictograms::Painter draw = name ? Pictograms::Find(name) : nullptr;
    return draw ? QIcon(new CPictogramEngine(QString::fromLatin1(name), draw)) : QIcon();
}

QIcon Named(const char* name)
{
    if (!name) {
        return {};
    }
    // The program's own commands have no theme picture that could mean the same.
    if (QLatin1String(name).startsWith(QLatin1String("quillon-"))) {
        return Drawn(name);
    }
    return QIcon::fromTheme(QString::fromLatin1(name), Drawn(name));
}

} // namespace CommandIcons
