#include "shell/RegistrarURLDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CRegistrarURLDialog::CRegistrarURLDialog(const CRegistrarDialogStart& start, QWidget* parent)
    : QDialog(parent)
    , m_url(new QLineEdit(this))
    , m_remember(new QCheckBox(RegistrarDialog::RememberLabel(), this))
{
    setWindowTitle(RegistrarDialog::Caption());
    auto* heading = new QLabel(start.tld, this);
    // The TLD comes from the list's names, which a document may fill with markup.
    heading->setTextFormat(Qt::PlainText);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPixelSize(18);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);
    auto* instructions = new QLabel(RegistrarDialog::Instructions(), this);
    instructions->setWordWrap(true);
    auto* examples = new QLabel(
        QStringLiteral("Examples:\n") + RegistrarDialog::Examples().join(QLatin1Char('\n')), this);
    examples->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_url->setMinimumWidth(420);
    m_remember->setChecked(start.remember);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(instructions);
    layout->addWidget(examples);
    layout->addWidget(m_url);
    layout->addWidget(m_remember);
    layout->addWidget(buttons);
}

CRegistrarChoice CRegistrarURLDialog::GetChoice() const
{
    return {m_url->text().trimmed(), m_remember->isChecked()};
}
