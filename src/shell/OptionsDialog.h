#pragma once

#include "shell/OptionsValues.h"

#include <QDialog>

#include <optional>

class CIntegerSpinEdit;
class CLookupScheduler;
class QCheckBox;
class QFormLayout;
class QLineEdit;

// The "Options" dialog: connections, pacing and timeouts of the lookups, asking DNS first and
// which DNS server, printed lines per page,
// the size limit of the domain list, the tray start, the clean-up of WHOIS answers, the start
// at login, and the desktop notifications while the window is out of sight. The boxes start from
// the stored settings; OK writes them all. "&Run on startup " acts at once, whether the dialog is
// then confirmed or cancelled.
class COptionsDialog : public QDialog {
    Q_OBJECT

public:
    explicit COptionsDialog(QWidget* parent = nullptr);

    // Refuses a box that holds no whole number and a DNS server that is no address; otherwise
    // writes every option and closes.
    void accept() override;

private:
    CIntegerSpinEdit* AddNumberRow(QFormLayout& form, const QString& label, int minimum,
                                   int maximum, const char* name);
    QWidget* CreateCommunicationGroup();
    QWidget* CreatePrintLinesGroup();
    QWidget* CreateMaxEntriesGroup();
    void ShowValues(const COptionsValues& values);
    // The values in the boxes, or none after telling the user which box holds no number.
    std::optional<COptionsValues> ReadControls();
    void OnRunAtStartupClicked(bool checked);

    CIntegerSpinEdit* m_pMaxConnections = nullptr;
    CIntegerSpinEdit* m_pConnectionInterval = nullptr;
    CIntegerSpinEdit* m_pConnectTimeout = nullptr;
    CIntegerSpinEdit* m_pReadTimeout = nullptr;
    CIntegerSpinEdit* m_pLookupTimeout = nullptr;
    QCheckBox* m_pBackOff = nullptr;
    CIntegerSpinEdit* m_pLongestBackOff = nullptr;
    CIntegerSpinEdit* m_pPrintLines = nullptr;
    CIntegerSpinEdit* m_pMaxEntries = nullptr;
    QCheckBox* m_pMinimizeToTray = nullptr;
    QCheckBox* m_pRunAtStartup = nullptr;
    QCheckBox* m_pStripOutput = nullptr;
    QCheckBox* m_pNotifyLookupsFinished = nullptr;
    QCheckBox* m_pNotifyNameAvailable = nullptr;
    QCheckBox* m_pUseRdapFallback = nullptr;
    QCheckBox* m_pCheckDnsFirst = nullptr;
    QLineEdit* m_pDnsServer = nullptr;
};

// "&Options...": runs the dialog; once it is confirmed, the scheduler takes the new connection
// limit, pace, timeouts and DNS choice, the document its list limit, and the lookups the clean-up
// switch.
// True when the dialog was confirmed.
bool RunOptionsCommand(QWidget* parent, CLookupScheduler& scheduler);
