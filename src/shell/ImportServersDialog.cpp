#include "shell/ImportServersDialog.h"

#include "core/RememberedFolder.h"
#include "core/Settings.h"
#include "view/UserPrompt.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

CImportServersDialog::CImportServersDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Import WHOIS Servers"));

    auto* instructions = new QPlainTextEdit(Instructions());
    instructions->setReadOnly(true);
    instructions->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    instructions->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics metrics(instructions->font());
    instructions->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('x')) * 64,
                                 metrics.lineSpacing() * 14);

    auto* buttons = new QDialogButtonBox;
    QPushButton* import = buttons->addButton(
        QStringLiteral("Click here to &Import from text file..."), QDialogButtonBox::AcceptRole);
    import->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(import, &QPushButton::clicked, this, &CImportServersDialog::OnImportFromFile);
    connect(buttons, &QDialogButtonBox::rejected, this, &CImportServersDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instructions);
    layout->addWidget(buttons);
    import->setFocus();
}

QString CImportServersDialog::Instructions()
{
    return QStringLiteral(
        "To import TLD names and corresponding 'whois' servers prepare a text file in the "
        "following format:\n\n"
        "tld: whois server\n\n"
        "Eg:\n"
        "co.uk: whois.nic.uk\n"
        "net.uk: whois.nic.uk\n"
        "net.au: whois.auda.org.au\n\n"
        "A sample file (wholist.txt) is supplied along with the Quillon and should be present in "
        "the ZUL installation directory.");
}

void CImportServersDialog::OnImportFromFile()
{
    const QString path =
        CUserPrompt::OpenFileName(this, QStringLiteral("Open"), InitialFileName(),
                                  QStringLiteral("TXT Files (*.txt);;All Files (*.*)"));
    if (!path.isEmpty()) {
        SetSetting(Setting::OpenPathTXT, RememberedFolder::ValueFor(path, QStringLiteral("TXT")));
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            m_importedText = file.readAll();
        }
    }
    accept();
}

QString CImportServersDialog::InitialFileName()
{
    const QString stored = GetSetting(Setting::OpenPathTXT);
    if (stored.isEmpty()) {
        const QString sample = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                      QStringLiteral("quillon/wholist.txt"));
        if (!sample.isEmpty()) {
            return QFileInfo(sample).absolutePath() + QStringLiteral("/*.txt");
        }
    }
    return RememberedFolder::InitialFileName(stored, QStringLiteral("txt"));
}
