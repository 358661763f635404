#include "view/PictureButton.h"

#include <QPainter>

CPictureButton::CPictureButton(QPixmap normal, QPixmap pressed, const QString& toolTip,
                               QWidget* parent)
    : QAbstractButton(parent)
    , m_normal(std::move(normal))
    , m_pressed(std::move(pressed))
{
    setToolTip(toolTip);
    setAccessibleName(toolTip);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

QSize CPictureButton::sizeHint() const
{
    return m_normal.deviceIndependentSize().toSize();
}

void CPictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, isDown() ? m_pressed : m_normal);
}
