#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button that is only a picture: one for its normal look and one while it is pressed.
class CPictureButton final : public QAbstractButton {
    Q_OBJECT

public:
    CPictureButton(QPixmap normal, QPixmap pressed, const QString& toolTip,
                   QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_normal;
    QPixmap m_pressed;
};
