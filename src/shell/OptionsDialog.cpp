#include "shell/OptionsDialog.h"

#include "lookup/DnsProbe.h"
#include "lookup/LookupScheduler.h"
#include "shell/AutostartEntry.h"
#include "view/IntegerSpinEdit.h"
#include "view/UserPrompt.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int kMinTimeoutSeconds = CLookupTimeouts::kMinSeconds;
constexpr int kMaxTimeoutSeconds = CLookupTimeouts::kMaxSeconds;
// The arrows of "Longest Back-off" reach a day; a longer typed value is kept.
constexpr int kMaxBackOffSeconds = 86400;

const QString kDnsServerHint =
    QStringLiteral("Please enter the DNS server as an address with an optional port, such as "
                   "192.0.2.53 or [2001:db8::53]:5353, or leave it empty to ask the system's "
                   "resolvers.");

// An edit that sits alone in its group keeps its natural width at the group's left.
QHBoxLayout* LeftAligned(QWidget* widget)
{
    auto* row = new QHBoxLayout;
    row->addWidget(widget);
    row->addStretch();
    return row;
}

} // namespace

COptionsDialog::COptionsDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Options"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionsDialog::reject);

    m_pMinimizeToTray = new QCheckBox(QStringLiteral("Minimize to &tray at start"));
    m_pRunAtStartup = new QCheckBox(QStringLiteral("&Run on startup "));
    m_pStripOutput = new QCheckBox(QStringLiteral("Cleanup &whois result text."));
    m_pNotifyLookupsFinished = new QCheckBox(QStringLiteral("Notify when lookups &finish"));
    m_pNotifyNameAvailable =
        new QCheckBox(QStringLiteral("Notify when a name comes back &available"));
    connect(m_pRunAtStartup, &QCheckBox::clicked, this, &COptionsDialog::OnRunAtStartupClicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateCommunicationGroup());
    auto* limits = new QHBoxLayout;
    limits->addWidget(CreatePrintLinesGroup());
    limits->addWidget(CreateMaxEntriesGroup(), 1);
    layout->addLayout(limits);
    layout->addWidget(m_pMinimizeToTray);
    layout->addWidget(m_pRunAtStartup);
    layout->addWidget(m_pStripOutput);
    layout->addWidget(m_pNotifyLookupsFinished);
    layout->addWidget(m_pNotifyNameAvailable);
    layout->addStretch();
    layout->addWidget(buttons);

    ShowValues(COptionsValues::FromSettings());
}

void COptionsDialog::accept()
{
    const std::optional<COptionsValues> values = ReadControls();
    if (!values) {
        return;
    }
    values->Save();
    QDialog::accept();
}

CIntegerSpinEdit* COptionsDialog::AddNumberRow(QFormLayout& form, const QString& label, int minimum,
                                               int maximum, const char* name)
{
    auto* edit = new CIntegerSpinEdit(minimum, maximum);
    edit->setObjectName(QLatin1String(name));
    form.addRow(label, edit);
    return edit;
}

QWidget* COptionsDialog::CreateCommunicationGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Communication"));
    auto* form = new QFormLayout(group);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_pMaxConnections = AddNumberRow(*form, QStringLiteral("&Max simultaneous connections"),
                                     CLookupScheduler::kMinConnections,
                                     CLookupScheduler::kMaxConnections, "maxConnections");
    m_pConnectionInterval = AddNumberRow(*form, QStringLiteral("&Connection Interval (seconds)"), 2,
                                         60, "connectionInterval");
    m_pConnectTimeout = AddNumberRow(*form, QStringLiteral("Co&nnect Timeout (seconds)"),
                                     kMinTimeoutSeconds, kMaxTimeoutSeconds, "connectTimeout");
    m_pReadTimeout = AddNumberRow(*form, QStringLiteral("Rea&d Timeout (seconds)"),
                                  kMinTimeoutSeconds, kMaxTimeoutSeconds, "readTimeout");
    m_pLookupTimeout = AddNumberRow(*form, QStringLiteral("&Lookup Timeout (seconds)"),
                                    kMinTimeoutSeconds, kMaxTimeoutSeconds, "lookupTimeout");
    m_pUseRdapFallback = new QCheckBox(QStringLiteral("&Use RDAP when WHOIS fails"));
    m_pUseRdapFallback->setObjectName(QStringLiteral("useRdapFallback"));
    m_pUseRdapFallback->setToolTip(
        QStringLiteral("When a WHOIS server cannot be found or refuses the connection, ask the "
                       "TLD's RDAP service instead."));
    form->addRow(m_pUseRdapFallback);
    m_pBackOff = new QCheckBox(QStringLiteral("&Back off when a server asks to slow down"));
    form->addRow(m_pBackOff);
    m_pLongestBackOff = AddNumberRow(*form, QStringLiteral("Lon&gest Back-off (seconds)"),
                                     kMinTimeoutSeconds, kMaxBackOffSeconds, "longestBackOff");
    m_pCheckDnsFirst = new QCheckBox(QStringLiteral("Check DN&S first"));
    m_pCheckDnsFirst->setToolTip(
        QStringLiteral("Ticked names delegated in DNS are taken without a WHOIS query; only the "
                       "others go to the registries. Checking a single name always asks its "
                       "registry."));
    form->addRow(m_pCheckDnsFirst);
    m_pDnsServer = new QLineEdit;
    m_pDnsServer->setObjectName(QStringLiteral("dnsServer"));
    m_pDnsServer->setPlaceholderText(QStringLiteral("the system's resolvers"));
    m_pDnsServer->setToolTip(kDnsServerHint);
    m_pDnsServer->setMinimumWidth(m_pDnsServer->fontMetrics().horizontalAdvance(
        QStringLiteral("[2001:db8:ffff::53]:65535__")));
    form->addRow(QStringLiteral("DNS Ser&ver"), m_pDnsServer);
    connect(m_pCheckDnsFirst, &QCheckBox::toggled, m_pDnsServer, &QLineEdit::setEnabled);
    return group;
}

QWidget* COptionsDialog::CreatePrintLinesGroup()
{
    auto* group = new QGroupBox(QStringLiteral("&Print lines per page "));
    m_pPrintLines = new CIntegerSpinEdit(1, 60);
    m_pPrintLines->setObjectName(QStringLiteral("printLines"));
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(LeftAligned(m_pPrintLines));
    layout->addStretch();
    return group;
}

QWidget* COptionsDialog::CreateMaxEntriesGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Max allowable &entries in the domain list:"));
    m_pMaxEntries = new CIntegerSpinEdit(1000, 64000);
    m_pMaxEntries->setObjectName(QStringLiteral("maxEntries"));
    auto* hint = new QLabel(QStringLiteral("Please set this to a reasonable limit, may be 3000."));
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(LeftAligned(m_pMaxEntries));
    layout->addWidget(hint);
    return group;
}

void COptionsDialog::ShowValues(const COptionsValues& values)
{
    m_pMaxConnections->SetValue(values.maxConnections);
    m_pConnectionInterval->SetValue(values.connectionInterval);
    m_pConnectTimeout->SetValue(values.connectTimeout);
    m_pReadTimeout->SetValue(values.readTimeout);
    m_pLookupTimeout->SetValue(values.lookupTimeout);
    m_pBackOff->setChecked(values.backOffWhenThrottled);
    m_pLongestBackOff->SetValue(values.longestBackOff);
    m_pPrintLines->SetValue(values.printLines);
    m_pMaxEntries->SetValue(values.maxEntries);
    m_pMinimizeToTray->setChecked(values.minimizeToTray);
    m_pRunAtStartup->setChecked(values.runAtStartup);
    m_pStripOutput->setChecked(values.stripOutput);
    m_pNotifyLookupsFinished->setChecked(values.notifyLookupsFinished);
    m_pNotifyNameAvailable->setChecked(values.notifyNameAvailable);
    m_pUseRdapFallback->setChecked(values.useRdapFallback);
    m_pCheckDnsFirst->setChecked(values.checkDnsFirst);
    m_pDnsServer->setText(values.dnsServer);
    m_pDnsServer->setEnabled(values.checkDnsFirst);
}

std::optional<COptionsValues> COptionsDialog::ReadControls()
{
    COptionsValues values;
    const std::pair<CIntegerSpinEdit*, int*> numbers[] = {
        {m_pMaxConnections, &values.maxConnections},
        {m_pConnectionInterval, &values.connectionInterval},
        {m_pConnectTimeout, &values.connectTimeout},
        {m_pReadTimeout, &values.readTimeout},
        {m_pLookupTimeout, &values.lookupTimeout},
        {m_pLongestBackOff, &values.longestBackOff},
        {m_pPrintLines, &values.printLines},
        {m_pMaxEntries, &values.maxEntries},
    };
    for (const auto& [edit, target] : numbers) {
        const std::optional<int> number = edit->Value();
        if (!number) {
            CUserPrompt::Warning(this, QStringLiteral("Please enter an integer."));
            edit->setFocus();
            edit->selectAll();
            return std::nullopt;
        }
        *target = *number;
    }
    values.backOffWhenThrottled = m_pBackOff->isChecked();
    values.minimizeToTray = m_pMinimizeToTray->isChecked();
    values.runAtStartup = m_pRunAtStartup->isChecked();
    values.stripOutput = m_pStripOutput->isChecked();
    values.notifyLookupsFinished = m_pNotifyLookupsFinished->isChecked();
    values.notifyNameAvailable = m_pNotifyNameAvailable->isChecked();
    values.useRdapFallback = m_pUseRdapFallback->isChecked();
    values.checkDnsFirst = m_pCheckDnsFirst->isChecked();
    values.dnsServer = m_pDnsServer->text().trimmed();
    // A server that goes unused is kept as typed, so turning DNS first off never asks for a fix.
    if (values.checkDnsFirst && !DnsServerList(values.dnsServer)) {
        CUserPrompt::Warning(this, kDnsServerHint);
        m_pDnsServer->setFocus();
        m_pDnsServer->selectAll();
        return std::nullopt;
    }
    return values;
}

void COptionsDialog::OnRunAtStartupClicked(bool checked)
{
    if (!ReadControls()) {
        // Refused: the box goes back, so that it keeps telling whether the entry exists.
        const QSignalBlocker quiet(m_pRunAtStartup);
        m_pRunAtStartup->setChecked(!checked);
        return;
    }
    SetSetting(Setting::RunAtStartup, checked ? 1 : 0);
    if (!checked) {
        AutostartEntry::Remove();
        return;
    }
    if (!AutostartEntry::Create(QCoreApplication::applicationFilePath()).Ok()) {
        CUserPrompt::Information(this, QStringLiteral("Error creating Shortcut"));
    }
}

bool RunOptionsCommand(QWidget* parent, CLookupScheduler& scheduler)
{
    COptionsDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    scheduler.ApplyOptions();
    return true;
}
