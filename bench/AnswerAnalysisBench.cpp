// The cost of the availability verdict when a full document is opened: every one of 65,535
// stored record texts (the real answers of tests/data/whois-samples, cleaned as the worker
// cleans them, with "Strip Output" on and off) is analysed again. Printed per KB of record text
// beside the cost of merely reading the same bytes once.

#include "core/DomainInfo.h"
#include "lookup/AnswerAnalysis.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRecords = 65535;
constexpr int kRounds = 5;

QByteArray CleanedText(const QByteArray& answer, bool strip)
{
    CDomainInfo record("example.com");
    record.m_strInfo = "WHOIS server: whois.example.net, Domain: example.com\n\n" + answer;
    CleanAnswer(record, strip ? Strip::Yes : Strip::No);
    return record.m_strInfo;
}

std::vector<QByteArray> SampleAnswers()
{
    std::vector<QByteArray> answers;
    const QDir root(QStringLiteral(QUILLON_TEST_DATA_DIR "/whois-samples"));
    for (const QString& folder : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir dir(root.filePath(folder));
        for (const QString& file : dir.entryList({QStringLiteral("*.txt")})) {
            QFile input(dir.filePath(file));
            if (input.open(QIODevice::ReadOnly)) {
                answers.push_back(input.readAll());
            }
        }
    }
    return answers;
}

// A document's worth of stored texts, cycling through the samples.
std::vector<CDomainInfo> StoredRecords(const std::vector<QByteArray>& answers)
{
    std::vector<QByteArray> texts;
    for (const QByteArray& answer : answers) {
        texts.push_back(CleanedText(answer, true));
        texts.push_back(CleanedText(answer, false));
    }
    std::vector<CDomainInfo> records(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        records[static_cast<std::size_t>(i)].m_strInfo =
            texts[static_cast<std::size_t>(i) % texts.size()];
    }
    return records;
}

template <typename Work>
double BestSeconds(Work work)
{
    double best = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        const Clock::time_point start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

} // namespace

int main()
{
    const std::vector<QByteArray> answers = SampleAnswers();
    if (answers.empty()) {
        std::fprintf(stderr, "no samples found in %s\n", QUILLON_TEST_DATA_DIR);
        return 1;
    }
    std::vector<CDomainInfo> records = StoredRecords(answers);
    double bytes = 0;
    for (const CDomainInfo& record : records) {
        bytes += static_cast<double>(record.m_strInfo.size());
    }
    const double kilobytes = bytes / 1024.0;

    // Reading every byte once: the floor any per-record work is compared with.
    volatile unsigned sink = 0;
    const double readSeconds = BestSeconds([&] {
        unsigned sum = 0;
        for (const CDomainInfo& record : records) {
            for (const char c : record.m_strInfo) {
                sum += static_cast<unsigned char>(c);
            }
        }
        sink = sink + sum;
    });
    const double analyseSeconds = BestSeconds([&] {
        for (CDomainInfo& record : records) {
            AnalyseStoredAnswer(record);
        }
    });

    std::printf("%d records, %.1f MB of record text\n", kRecords, bytes / 1e6);
    std::printf("reading the bytes once        %8.1f ns/KB  %7.1f ms\n",
                readSeconds * 1e9 / kilobytes, readSeconds * 1e3);
    std::printf("AnalyseStoredAnswer           %8.1f ns/KB  %7.1f ms  (%.1fx reading)\n",
                analyseSeconds * 1e9 / kilobytes, analyseSeconds * 1e3,
                analyseSeconds / readSeconds);
    return 0;
}
