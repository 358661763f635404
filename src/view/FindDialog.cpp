#include "view/FindDialog.h"

#include "core/ComboHistory.h"
#include "core/Settings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CFindDialog::CFindDialog(QWidget* parent)
    : QDialog(parent)
    , m_box(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Find"));
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->setMinimumContentsLength(28);
    const QStringList history = LoadComboHistory(QLatin1String(Setting::FindHistory));
    m_box->addItems(history);
    m_box->setEditText(history.isEmpty() ? GetSetting(Setting::FindDomain) : history.constFirst());

    auto* label = new QLabel(QStringLiteral("Look for a domain name in list"), this);
    label->setBuddy(m_box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_box);
    layout->addWidget(buttons);
}

QString CFindDialog::GetText() const
{
    return m_box->currentText();
}
