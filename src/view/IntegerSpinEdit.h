#pragma once

#include <QAbstractSpinBox>

#include <optional>

// An edit box with arrows for whole numbers. Unlike QSpinBox it keeps whatever is typed: a
// number outside the arrows' range is taken as typed (the users of the value apply their own
// limits), and text that is no number is left for the dialog to refuse when it is confirmed.
// The arrows step from the number in the box (from the minimum when it holds none) and stay
// within the range.
class CIntegerSpinEdit : public QAbstractSpinBox {
    Q_OBJECT

public:
    CIntegerSpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

    void SetValue(int value);
    // The whole number in the box, surrounding spaces allowed; none for any other text.
    std::optional<int> Value() const;

    void stepBy(int steps) override;
    QSize sizeHint() const override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_minimum;
    int m_maximum;
};
