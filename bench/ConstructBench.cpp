// Figures for the keyword constructor: filling a 64,000-entry list from 2,000 beginning and 2,000
// end words with dashes, both sides padded and three TLDs (48 million candidate names), its peak
// memory against what the admitted entries hold, the same sequence run to its end when no name is
// valid, and the time to show large imported files in a name box.

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "names/ByteTextEdit.h"
#include "names/NameConstructor.h"

#include <QApplication>

#include <chrono>
#include <cstdio>

#include <malloc.h>
#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double HeapMegabytes()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

void Report(const char* what, double value, const char* unit)
{
    std::printf("%-52s %10.1f %s\n", what, value, unit);
}

QByteArray Words(const char* stem, int count)
{
    QByteArray words;
    for (int i = 0; i < count; ++i) {
        words += stem + QByteArray::number(i) + "\r\n";
    }
    return words;
}

const CPaddingOptions kDashBothSides{true, false, false, false};
const QByteArrayList kTLDs{"COM", "NET", "ORG"};

void FillTheList(const QByteArray& beginning, const QByteArray& end)
{
    CDomainDoc doc([](CDomainInfo&) {});
    doc.SetMaxEntries(64000);
    const double heapBefore = HeapMegabytes();
    const double peakBefore = PeakMegabytes();
    const Clock::time_point start = Clock::now();
    CNameConstructor names("software", beginning, end, kDashBothSides, kTLDs);
    const int admitted = AdmitConstructedNames(doc, names);
    const double elapsed = MillisecondsSince(start);
    std::printf("candidates %llu, admitted %d\n", static_cast<unsigned long long>(names.Count()),
                admitted);
    Report("fill 64,000 entries (target < 1000 ms)", elapsed, "ms");
    Report("heap held by the filled list", HeapMegabytes() - heapBefore, "MB");
    Report("peak memory growth while filling", PeakMegabytes() - peakBefore, "MB");
}

void RunWithoutValidNames(const QByteArray& beginning, const QByteArray& end)
{
    CDomainDoc doc([](CDomainInfo&) {});
    doc.SetMaxEntries(64000);
    const Clock::time_point start = Clock::now();
    CNameConstructor names("no_name", beginning, end, kDashBothSides, kTLDs);
    AdmitConstructedNames(doc, names);
    Report("whole sequence, every name refused", MillisecondsSince(start), "ms");
}

void ShowInTextBox(const char* what, const QByteArray& bytes)
{
    CByteTextEdit box;
    box.resize(400, 300);
    box.show();
    QApplication::processEvents();
    const Clock::time_point start = Clock::now();
    box.SetBytes(bytes);
    QApplication::processEvents();
    Report(what, MillisecondsSince(start), "ms");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    g_TLDList.FillDefaults();
    const QByteArray beginning = Words("pre", 2000);
    const QByteArray end = Words("post", 2000);

    FillTheList(beginning, end);
    RunWithoutValidNames(beginning, end);

    QByteArray lines;
    for (int i = 0; i < 65535; ++i) {
        lines += "name" + QByteArray::number(i) + ".com\r\n";
    }
    ShowInTextBox("show a 65,535-line name file in the box", lines);
    QByteArray oneLine = lines;
    oneLine.replace("\r\n", ",");
    ShowInTextBox("show the same names on one line", oneLine);
    return 0;
}
