#pragma once

// What the lookup benchmarks share: a list of ticked names, and one batch run to its end.

#include "core/DataFolder.h"
#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "lookup/LookupScheduler.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>

// Settings and data in a folder of the benchmark's own, and the registries' path measured: no
// name is settled by DNS, and no lookup asks the machine's resolvers.
class CBenchEnvironment {
public:
    CBenchEnvironment()
    {
        DataFolder::InitApplicationIdentity();
        qputenv("XDG_CONFIG_HOME", m_folder.path().toUtf8());
        qputenv("QUILLON_DATA_DIR", m_folder.path().toUtf8());
        SetSetting(Setting::CheckDnsFirst, 0);
    }

private:
    QTemporaryDir m_folder;
};

// Makes `doc` hold `count` ticked names, the i-th being `nameOf(i)`.
template <typename NameOf>
void AddTickedNames(CDomainDoc& doc, int count, NameOf nameOf)
{
    doc.SetMaxEntries(count);
    for (int i = 0; i < count; ++i) {
        doc.AdmitName(nameOf(i));
    }
    doc.ChangeTicks(CDomainDoc::TickChange::TickAll);
}

// "bench<i>.<tld>".
inline auto BenchNames(const QByteArray& tld)
{
    return [tld](int i) {
        return "bench" + QByteArray::number(i) + '.' + tld;
    };
}

// Looks up every ticked name, the first lookups at once, and returns the seconds until the
// scheduler was idle again.
inline double RunBatchToEnd(CLookupScheduler& scheduler)
{
    QEventLoop loop;
    QObject::connect(&scheduler, &CLookupScheduler::Ticked, &loop, [&] {
        if (!scheduler.IsBusy()) {
            loop.quit();
        }
    });
    QElapsedTimer wall;
    wall.start();
    scheduler.CheckAllSelected();
    scheduler.OnTimer();
    loop.exec();
    return wall.nsecsElapsed() / 1e9;
}
