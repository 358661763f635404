// Figures for the hot paths of a large list: admitting 64,000 names, sorting them by each key,
// saving and opening a full 65,535-entry document of 2 KB records, and the peak memory of
// `quillon-cli show` on that document.

#include "core/DataFolder.h"
#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <random>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Work>
double Best(int rounds, Work work)
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        best = std::min(best, work());
    }
    return best;
}

void Report(const char* what, double value, const char* unit, double target)
{
    std::printf("%-44s %10.1f %-6s (target <= %.0f %s) %s\n", what, value, unit, target, unit,
                value <= target ? "ok" : "OVER");
}

// A taken .com answer as Verisign's server words it, padded with its notice to about 2 KB.
QByteArray RecordText(int index)
{
    QByteArray text =
        "WHOIS server: whois.verisign-grs.com, Domain: name" + QByteArray::number(index) +
        ".com\r\n\r\n"
        "   Domain Name: NAME" +
        QByteArray::number(index) +
        ".COM\r\n"
        "   Registry Domain ID: 2336799_DOMAIN_COM-VRSN\r\n"
        "   Registrar WHOIS Server: whois.example-registrar.com\r\n"
        "   Registrar URL: http://www.example-registrar.com\r\n"
        "   Updated Date: 2024-08-14T07:01:34Z\r\n"
        "   Creation Date: 1995-08-14T04:00:00Z\r\n"
        "   Registry Expiry Date: 2025-08-13T04:00:00Z\r\n"
        "   Registrar: Example Registrar, Inc.\r\n"
        "   Registrar IANA ID: 376\r\n"
        "   Domain Status: clientDeleteProhibited\r\n"
        "   Name Server: A.IANA-SERVERS.NET\r\n"
        "   Name Server: B.IANA-SERVERS.NET\r\n"
        "   DNSSEC: signedDelegation\r\n"
        ">>> Last update of whois database: 2026-12-07T21:55:28Z <<<\r\n\r\n"
        "NOTICE: The expiration date displayed in this record is the date the\r\n"
        "registrar's sponsorship of the domain name registration in the registry is\r\n"
        "currently set to expire. This date does not necessarily reflect the\r\n"
        "expiration date of the domain name registrant's agreement with the\r\n"
        "sponsoring registrar.\r\n\r\n"
        "TERMS OF USE: You are not authorized to access or query our Whois\r\n"
        "database through the use of electronic processes that are high-volume and\r\n"
        "automated except as reasonably necessary to register domain names or\r\n"
        "modify existing registrations; the Data in VeriSign Global Registry\r\n"
        "Services' (\"VeriSign\") Whois database is provided by VeriSign for\r\n"
        "information purposes only, and to assist persons in obtaining information\r\n"
        "about or related to a domain name registration record.\r\n";
    while (text.size() < 2048) {
        text += "By submitting a Whois query, you agree to abide by the following terms.\r\n";
    }
    text.truncate(2048);
    return text;
}

void FillForSorting(CDomainDoc& doc)
{
    std::mt19937 random(42);
    for (const auto& entry : doc.GetEntries()) {
        entry->m_bTicked = random() % 2;
        entry->m_nStatus = static_cast<std::uint8_t>(random() % 9);
        if (random() % 4 == 0) {
            entry->m_strDNS = random() % 2 ? "Error" : "192.0.2.1";
        }
        if (random() % 3 != 0) {
            entry->m_timeChecked =
                DateTimeValue(DateTimeValue::Valid, 46000.0 + (random() % 100000) / 1000.0);
        }
    }
}

// Drops the file's pages from the page cache, so the next read comes from the disk.
void EvictFromCache(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

double ReadBytes(const QString& path)
{
    const auto start = Clock::now();
    QFile file(path);
    file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    while (file.read(chunk.data(), chunk.size()) > 0) {
    }
    return MillisecondsSince(start);
}

// The peak memory of `quillon-cli show FILE`, measured by a small process of its own: a child
// forked from this big process would count this process's pages as its own.
long PeakMemoryOfShow(const char* path)
{
    const pid_t child = fork();
    if (child == 0) {
        if (!std::freopen("/dev/null", "w", stdout)) {
            _exit(127);
        }
        execl(QUILLON_CLI_PATH, "quillon-cli", "show", path, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return usage.ru_maxrss; // kilobytes
}

long MeasureInFreshProcess(const char* self, const QString& path)
{
    std::fflush(stdout);
    const QByteArray command =
        QByteArray(self) + " --peak-memory-of-show " + QFile::encodeName(path);
    FILE* pipe = ::popen(command.constData(), "r");
    long kilobytes = 0;
    if (pipe && std::fscanf(pipe, "%ld", &kilobytes) != 1) {
        kilobytes = 0;
    }
    if (pipe) {
        ::pclose(pipe);
    }
    return kilobytes;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--peak-memory-of-show") == 0) {
        std::printf("%ld\n", PeakMemoryOfShow(argv[2]));
        return 0;
    }
    QCoreApplication app(argc, argv);
    DataFolder::InitApplicationIdentity();
    CTLDList tlds;
    tlds.FillDefaults();
    constexpr int kNames = 64'000;
    constexpr int kFullDocument = 65'535;

    QByteArrayList names;
    for (int i = 0; i < kNames; ++i) {
        names.append("candidate-name-" + QByteArray::number(i) + (i % 3 ? ".com" : ".co.uk"));
    }
    const double admit = Best(5, [&] {
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        doc.SetMaxEntries(kNames);
        const auto start = Clock::now();
        for (const QByteArray& name : names) {
            doc.AdmitName(name);
        }
        return MillisecondsSince(start);
    });
    Report("admit 64,000 names", admit, "ms", 100);

    for (const DomainSort::Key key : {DomainSort::Key::ByTick, DomainSort::Key::ByName,
                                      DomainSort::Key::ByStatus, DomainSort::Key::ByTime}) {
        const double sort = Best(5, [&] {
            CDomainDoc doc(tlds, AnalyseStoredAnswer);
            doc.SetMaxEntries(kNames);
            for (const QByteArray& name : names) {
                doc.AdmitName(name);
            }
            FillForSorting(doc);
            const auto start = Clock::now();
            doc.SortList(key);
            return MillisecondsSince(start);
        });
        const QByteArray label =
            "sort 64,000 entries by key " + QByteArray::number(static_cast<int>(key));
        Report(label.constData(), sort, "ms", 50);
    }

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("full.zul"));
    {
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        doc.SetMaxEntries(kFullDocument);
        for (int i = 0; i < kFullDocument; ++i) {
            auto entry = std::make_unique<CDomainInfo>("name" + QByteArray::number(i) + ".com");
            entry->m_strInfo = RecordText(i);
            entry->m_timeChecked = DateTimeValue::CurrentLocal();
            doc.AppendEntry(std::move(entry));
        }
        const auto start = Clock::now();
        if (!doc.OnSaveDocument(path).Ok()) {
            std::fprintf(stderr, "saving failed\n");
            return 1;
        }
        std::printf("%-44s %10.1f ms\n", "save 65,535 entries of 2 KB", MillisecondsSince(start));
    }
    const qint64 fileSize = QFile(path).size();
    const auto openWith = [&path, &tlds](CDomainDoc::StoredStatusRule rule) {
        CDomainDoc doc(tlds, std::move(rule));
        const auto start = Clock::now();
        doc.OnOpenDocument(path);
        return MillisecondsSince(start);
    };
    const auto cold = [&path](auto work) {
        return [&path, work] {
            EvictFromCache(path);
            return work();
        };
    };
    const double coldRead = Best(3, cold([&] { return ReadBytes(path); }));
    const double coldOpen = Best(3, cold([&] { return openWith(AnalyseStoredAnswer); }));
    ReadBytes(path); // bring the file into the page cache
    const double read = Best(5, [&] { return ReadBytes(path); });
    const double open = Best(5, [&] { return openWith(AnalyseStoredAnswer); });
    const double parseOnly = Best(5, [&] { return openWith([](CDomainInfo&) {}); });
    std::printf("%-44s %10.1f MB\n", "document size", fileSize / 1e6);
    std::printf("%-44s %10.1f ms\n", "read the file's bytes from the disk", coldRead);
    Report("open it from the disk", coldOpen, "ms", 3 * coldRead);
    std::printf("%-44s %10.1f ms\n", "read the file's bytes from the page cache", read);
    Report("open it from the page cache", open, "ms", 3 * read);
    std::printf("%-44s %10.1f ms\n", "  of which reading the entries", parseOnly);

    const long peakKb = MeasureInFreshProcess(argv[0], path);
    const double storedPerEntry = static_cast<double>(fileSize) / kFullDocument;
    const double perEntry = peakKb * 1024.0 / kFullDocument;
    std::printf("%-44s %10.1f MB\n", "peak memory of quillon-cli show", peakKb / 1024.0);
    std::printf("%-44s %10.0f bytes\n", "stored bytes per entry", storedPerEntry);
    Report("peak memory per entry", perEntry, "bytes", 2 * storedPerEntry + 200);
    return 0;
}
