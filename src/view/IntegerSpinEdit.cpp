#include "view/IntegerSpinEdit.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>

CIntegerSpinEdit::CIntegerSpinEdit(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void CIntegerSpinEdit::SetValue(int value)
{
    lineEdit()->setText(QString::number(value));
}

std::optional<int> CIntegerSpinEdit::Value() const
{
    bool ok = false;
    const int value = text().trimmed().toInt(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

void CIntegerSpinEdit::stepBy(int steps)
{
    const qint64 from = Value().value_or(m_minimum);
    SetValue(static_cast<int>(std::clamp<qint64>(from + steps, m_minimum, m_maximum)));
    selectAll();
}

QSize CIntegerSpinEdit::sizeHint() const
{
    ensurePolished();
    // One width for every box, room for six digits, so that boxes in a column line up.
    const QString widest = QStringLiteral("000000");
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize content(fontMetrics().horizontalAdvance(widest) + 8,
                        lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, content, this);
}

QAbstractSpinBox::StepEnabled CIntegerSpinEdit::stepEnabled() const
{
    const std::optional<int> value = Value();
    if (!value) {
        return StepUpEnabled | StepDownEnabled;
    }
    StepEnabled enabled = StepNone;
    if (*value < m_maximum) {
        enabled |= StepUpEnabled;
    }
    if (*value > m_minimum) {
        enabled |= StepDownEnabled;
    }
    return enabled;
}
