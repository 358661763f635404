#include "support/TestEnvironment.h"

#include "core/Settings.h"

#include <QDir>
#include <QSettings>

CTestEnvironment& CTestEnvironment::Instance()
{
    static CTestEnvironment environment;
    return environment;
}

CTestEnvironment::CTestEnvironment()
{
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    qputenv("QUILLON_DATA_DIR", m_data.path().toUtf8());
    // Test servers are on this machine: no transfer may leave through a proxy.
    for (const char* proxy :
         {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"}) {
        qunsetenv(proxy);
    }
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
    TurnDnsFirstOff();
}

void CTestEnvironment::Reset()
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tavrel Systems"),
                    QStringLiteral("Quillon"));
    store.clear();
    store.sync();
    QDir data(m_data.path());
    data.removeRecursively();
    data.mkpath(m_data.path());
    TurnDnsFirstOff();
}

void CTestEnvironment::TurnDnsFirstOff()
{
    SetSetting(Setting::CheckDnsFirst, 0);
}
