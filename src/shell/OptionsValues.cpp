#include "shell/OptionsValues.h"

COptionsValues COptionsValues::FromSettings()
{
    COptionsValues values;
    values.maxConnections = GetSetting(Setting::MaxConnections);
    values.connectionInterval = GetSetting(Setting::ConnectionInterval);
    values.connectTimeout = GetSetting(Setting::ConnectTimeout);
    values.readTimeout = GetSetting(Setting::ReadTimeout);
    values.lookupTimeout = GetSetting(Setting::LookupTimeout);
    values.backOffWhenThrottled = GetSetting(Setting::BackOffWhenThrottled) != 0;
    values.longestBackOff = GetSetting(Setting::LongestBackOff);
    values.printLines = GetSetting(Setting::PrintLines);
    values.maxEntries = GetSetting(Setting::MaxEntries);
    values.minimizeToTray = GetSetting(Setting::MinimizeToTray) != 0;
    values.runAtStartup = GetSetting(Setting::RunAtStartup) != 0;
    values.stripOutput = GetSetting(Setting::StripOutput) != 0;
    values.notifyLookupsFinished = GetSetting(Setting::NotifyLookupsFinished) != 0;
    values.notifyNameAvailable = GetSetting(Setting::NotifyNameAvailable) != 0;
    values.useRdapFallback = GetSetting(Setting::UseRdapFallback) != 0;
    values.checkDnsFirst = GetSetting(Setting::CheckDnsFirst) != 0;
    values.dnsServer = GetSetting(Setting::DnsServer);
    return values;
}

std::vector<std::pair<CIntSetting, int>> COptionsValues::InWriteOrder() const
{
    return {
        {Setting::MaxEntries, maxEntries},
        {Setting::MaxConnections, maxConnections},
        {Setting::PrintLines, printLines},
        {Setting::ConnectionInterval, connectionInterval},
        {Setting::ConnectTimeout, connectTimeout},
        {Setting::ReadTimeout, readTimeout},
        {Setting::LookupTimeout, lookupTimeout},
        {Setting::BackOffWhenThrottled, backOffWhenThrottled ? 1 : 0},
        {Setting::LongestBackOff, longestBackOff},
        {Setting::MinimizeToTray, minimizeToTray ? 1 : 0},
        {Setting::RunAtStartup, runAtStartup ? 1 : 0},
        {Setting::StripOutput, stripOutput ? 1 : 0},
        {Setting::NotifyLookupsFinished, notifyLookupsFinished ? 1 : 0},
        {Setting::NotifyNameAvailable, notifyNameAvailable ? 1 : 0},
        {Setting::UseRdapFallback, useRdapFallback ? 1 : 0},
        {Setting::CheckDnsFirst, checkDnsFirst ? 1 : 0},
    };
}

void COptionsValues::Save() const
{
    for (const auto& [setting, value] : InWriteOrder()) {
        SetSetting(setting, value);
    }
    SetSetting(Setting::DnsServer, dnsServer);
}
