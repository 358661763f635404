#include "names/AddNamesDialog.h"

#include "names/ByteTextEdit.h"
#include "names/TLDCheckList.h"
#include "names/TextFileImport.h"
#include "names/WaitCursor.h"
#include "view/UserPrompt.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAddNamesDialog::CAddNamesDialog(CTLDList& tlds, QWidget* parent)
    : QDialog(parent)
    , m_names(new CByteTextEdit(this))
    , m_tlds(new CTLDCheckList(tlds, this))
{
    setWindowTitle(QStringLiteral("Domain Names"));

    auto* instruction = new QLabel(
        QStringLiteral("Please type all the domain names you want to check in the box below. "
                       "Separate each name using a comma, carriage return or space. You can type "
                       "in any number of names."),
        this);
    instruction->setWordWrap(true);
    m_names->setObjectName(QStringLiteral("names"));

    auto* importButton = new QPushButton(QStringLiteral("Import from file..."), this);
    importButton->setObjectName(QStringLiteral("importButton"));
    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));

    auto* tldFrame = new QGroupBox(QStringLiteral("TLDs"), this);
    auto* tldHint =
        new QLabel(QStringLiteral("Select all the top level domains you are interested in."));
    tldHint->setWordWrap(true);
    m_tlds->setObjectName(QStringLiteral("tldList"));
    auto* tldLayout = new QVBoxLayout(tldFrame);
    tldLayout->addWidget(tldHint);
    tldLayout->addWidget(m_tlds, 1);

    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(instruction);
    textColumn->addWidget(m_names, 1);
    auto* importRow = new QHBoxLayout;
    importRow->addWidget(importButton);
    importRow->addStretch(1);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(okButton);
    closeRow->addWidget(cancelButton);

    auto* layout = new QGridLayout(this);
    layout->addLayout(textColumn, 0, 0);
    layout->addWidget(tldFrame, 0, 1);
    layout->addLayout(importRow, 1, 0);
    layout->addLayout(closeRow, 1, 1);
    layout->setColumnStretch(0, 2);
    layout->setColumnStretch(1, 1);

    setTabOrder(m_names, importButton);
    setTabOrder(importButton, okButton);
    setTabOrder(okButton, cancelButton);
    setTabOrder(cancelButton, m_tlds);
    m_names->setFocus();

    connect(importButton, &QPushButton::clicked, this, &CAddNamesDialog::ImportFromFile);
    connect(okButton, &QPushButton::clicked, this, &CAddNamesDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CAddNamesDialog::reject);
}

void CAddNamesDialog::accept()
{
    m_nameText = m_names->Bytes();
    m_tlds->SaveTicks();
    if (m_nameText.isEmpty()) {
        CUserPrompt::Information(
            this, QStringLiteral("Please type in the domain names you wish to check."));
        return;
    }
    QDialog::accept();
}

void CAddNamesDialog::ImportFromFile()
{
    const QString path = TextFileImport::ChooseTextFile(this);
    if (path.isEmpty()) {
        return;
    }
    const CWaitCursor wait;
    if (std::optional<QByteArray> content = TextFileImport::ReadTextFile(path)) {
        m_names->SetBytes(std::move(*content));
    }
}
