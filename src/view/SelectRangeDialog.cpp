#include "view/SelectRangeDialog.h"

#include "core/Settings.h"
#include "view/UserPrompt.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace {

QSpinBox* RowBox(QWidget* parent, int value)
{
    auto* box = new QSpinBox(parent);
    box->setRange(1, 9999);
    box->setValue(value);
    return box;
}

} // namespace

CSelectRangeDialog::CSelectRangeDialog(QWidget* parent)
    : QDialog(parent)
    , m_from(RowBox(this, GetSetting(Setting::RangeFrom)))
    , m_to(RowBox(this, GetSetting(Setting::RangeTo)))
    , m_unselect(new QCheckBox(QStringLiteral("Unselect the others"), this))
{
    setWindowTitle(QStringLiteral("Select a Range"));
    m_unselect->setChecked(GetSetting(Setting::UnselectOthers) != 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectRangeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("From"), m_from);
    layout->addRow(QStringLiteral("To"), m_to);
    layout->addRow(m_unselect);
    layout->addRow(buttons);
}

int CSelectRangeDialog::GetFrom() const
{
    return m_from->value();
}

int CSelectRangeDialog::GetTo() const
{
    return m_to->value();
}

bool CSelectRangeDialog::GetUnselectOthers() const
{
    return m_unselect->isChecked();
}

void CSelectRangeDialog::accept()
{
    for (QSpinBox* box : {m_from, m_to}) {
        bool isInteger = false;
        box->text().toInt(&isInteger);
        if (!isInteger) {
            CUserPrompt::Warning(this, QStringLiteral("Please enter an integer."));
            box->setFocus();
            return;
        }
    }
    QDialog::accept();
}
