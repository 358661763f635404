#pragma once

#include "core/Settings.h"

#include <QString>

#include <utility>
#include <vector>

// The values the Options dialog edits, as they are stored in the "Settings" section. Numbers are
// kept as typed; the parts of the program that use them apply their own limits.
struct COptionsValues {
    int maxConnections = Setting::MaxConnections.defaultValue;
    int connectionInterval = Setting::ConnectionInterval.defaultValue;
    int connectTimeout = Setting::ConnectTimeout.defaultValue;
    int readTimeout = Setting::ReadTimeout.defaultValue;
    int lookupTimeout = Setting::LookupTimeout.defaultValue;
    bool backOffWhenThrottled = Setting::BackOffWhenThrottled.defaultValue != 0;
    int longestBackOff = Setting::LongestBackOff.defaultValue;
    int printLines = Setting::PrintLines.defaultValue;
    int maxEntries = Setting::MaxEntries.defaultValue;
    bool minimizeToTray = Setting::MinimizeToTray.defaultValue != 0;
    bool runAtStartup = Setting::RunAtStartup.defaultValue != 0;
    bool stripOutput = Setting::StripOutput.defaultValue != 0;
    bool notifyLookupsFinished = Setting::NotifyLookupsFinished.defaultValue != 0;
    bool notifyNameAvailable = Setting::NotifyNameAvailable.defaultValue != 0;
    bool useRdapFallback = Setting::UseRdapFallback.defaultValue != 0;
    bool checkDnsFirst = Setting::CheckDnsFirst.defaultValue != 0;
    QString dnsServer = QLatin1String(Setting::DnsServer.defaultValue);

    static COptionsValues FromSettings();
    // Every number and switch with its setting, in the order confirming the dialog writes them;
    // the DNS server's text follows them.
    std::vector<std::pair<CIntSetting, int>> InWriteOrder() const;
    void Save() const;
};
