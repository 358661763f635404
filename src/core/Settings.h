#pragma once

#include <QString>
#include <QStringList>

// Every option and remembered value, with its section, key and default, in one place. Values live
// in the per-user settings store; a missing or unreadable value reads as its default.
struct CIntSetting {
    const char* section;
    const char* key;
    int defaultValue;
};

struct CTextSetting {
    const char* section;
    const char* key;
    const char* defaultValue;
};

namespace Setting {
inline constexpr CIntSetting MaxEntries{"Settings", "Max Entries", 3000};
inline constexpr CIntSetting StripOutput{"Settings", "Strip Output", 1};
inline constexpr CIntSetting MaxConnections{"Settings", "Max Connections", 5};
inline constexpr CIntSetting ConnectionInterval{"Settings", "Connection Interval", 2};
inline constexpr CIntSetting ConnectTimeout{"Settings", "Connect Timeout", 20};
inline constexpr CIntSetting ReadTimeout{"Settings", "Read Timeout", 30};
inline constexpr CIntSetting LookupTimeout{"Settings", "Lookup Timeout", 60};
inline constexpr CIntSetting UseRdapFallback{"Settings", "Use RDAP when WHOIS fails", 1};
inline constexpr CTextSetting RdapBootstrapURL{"Settings", "RDAP Bootstrap URL",
                                               "https://data.iana.org/rdap/dns.json"};
// A server that throttles is slowed down and paused, at most for the longest back-off (seconds).
inline constexpr CIntSetting BackOffWhenThrottled{"Settings", "Back Off When Throttled", 1};
inline constexpr CIntSetting LongestBackOff{"Settings", "Longest Back-off", 900};
// Batches ask DNS first: a name delegated in its parent zone is taken without a registry query.
inline constexpr CIntSetting CheckDnsFirst{"Settings", "Check DNS First", 1};
// Empty for the system's resolvers; else "address[:port]" or "[IPv6 address]:port".
inline constexpr CTextSetting DnsServer{"Settings", "DNS Server", ""};
inline constexpr CIntSetting PrintLines{"Settings", "Print Lines", 30};
inline constexpr CIntSetting MinimizeToTray{"Settings", "Minimize to Tray", 0};
inline constexpr CIntSetting RunAtStartup{"Settings", "Run at Win startup", 0};
inline constexpr CIntSetting SaveRegistrarURL{"Settings", "Save Registrar URL", 1};
// Desktop notifications while the window is hidden or not active.
inline constexpr CIntSetting NotifyLookupsFinished{"Settings", "Notify Lookups Finished", 1};
inline constexpr CIntSetting NotifyNameAvailable{"Settings", "Notify Name Available", 0};
inline constexpr CTextSetting WindowPos{"Settings", "WindowPos", ""};
inline constexpr CTextSetting FindDomain{"Settings", "Find Domain", ""};
inline constexpr CIntSetting RangeFrom{"Settings", "R1", 1};
inline constexpr CIntSetting RangeTo{"Settings", "R2", 1};
inline constexpr CIntSetting UnselectOthers{"Settings", "UnSelect", 0};
inline constexpr CIntSetting WebType{"Settings", "Web Type", 0};
inline constexpr CIntSetting UseDash{"Settings", "Use Dash", 0};
inline constexpr CIntSetting NoEndAppend{"Settings", "No End Append", 0};
inline constexpr CIntSetting NoStartAppend{"Settings", "No Start Append", 0};
inline constexpr CIntSetting NoBothAppend{"Settings", "No Both Append", 1};

inline constexpr CTextSetting SavePathHTM{"Save Path", "HTM", ""};
inline constexpr CTextSetting SavePathMDB{"Save Path", "MDB", ""};
inline constexpr CTextSetting SavePathTXT{"Save Path", "TXT", ""};
inline constexpr CTextSetting OpenPathTXT{"Path", "TXT", ""};

inline constexpr char KeywordsHistory[] = "Keywords";
inline constexpr char FindHistory[] = "Find";
inline constexpr char RecentFileList[] = "Recent File List";
} // namespace Setting

int GetSettingInt(const QString& section, const QString& key, int defaultValue);
QString GetSettingText(const QString& section, const QString& key, const QString& defaultValue);
void SetSettingInt(const QString& section, const QString& key, int value);
void SetSettingText(const QString& section, const QString& key, const QString& value);

int GetSetting(const CIntSetting& setting);
QString GetSetting(const CTextSetting& setting);
void SetSetting(const CIntSetting& setting, int value);
void SetSetting(const CTextSetting& setting, const QString& value);
