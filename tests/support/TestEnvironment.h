#pragma once

#include <QString>
#include <QTemporaryDir>

// Every test program runs with XDG_CONFIG_HOME (settings) and QUILLON_DATA_DIR (data files)
// pointed at temporary folders of its own, so no test reads or writes the user's files. "Check
// DNS First" starts off there, so no test asks the machine's resolvers; the tests of that step
// turn it on with a DNS server of their own.
class CTestEnvironment {
public:
    static CTestEnvironment& Instance();

    QString ConfigFolder() const { return m_config.path(); }
    QString DataFolder() const { return m_data.path(); }
    // Deletes every stored setting and data file, for tests that need a clean machine, and turns
    // DNS first off again.
    void Reset();

private:
    CTestEnvironment();
    static void TurnDnsFirstOff();

    QTemporaryDir m_config;
    QTemporaryDir m_data;
};
