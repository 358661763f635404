// Figures for the keyword constructor: filling a 64,000-entry list from 2,000 beginning and 2,000
// end words with dashes, both sides padded and three TLDs (48 million candidate names), its peak
// memory against what the admitted entries hold, the same sequence offered to its end when names
// are refused, and how long the window stops responding while large imported files go into a
// name box.

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "names/ByteTextEdit.h"
#include "names/NameConstructor.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdint>
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
    CTLDList tlds;
    tlds.FillDefaults();
    CDomainDoc doc(tlds, [](CDomainInfo&) {});
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

// Offers the whole sequence in the steps of the command, which lets the window respond between
// two steps.
void OfferEveryName(const char* what, const char* keyword, const QByteArray& beginning,
                    const QByteArray& end)
{
    CTLDList tlds;
    tlds.FillDefaults();
    CDomainDoc doc(tlds, [](CDomainInfo&) {});
    doc.SetMaxEntries(64000);
    const Clock::time_point start = Clock::now();
    CNameConstructor names(keyword, beginning, end, kDashBothSides, kTLDs);
    double longestStep = 0;
    while (!ConstructionIsOver(doc, names)) {
        const Clock::time_point stepStart = Clock::now();
        AdmitConstructionStep(doc, names);
        longestStep = std::max(longestStep, MillisecondsSince(stepStart));
    }
    const double elapsed = MillisecondsSince(start);
    std::printf("%s\n  %llu names offered\n", what,
                static_cast<unsigned long long>(names.Position()));
    Report("  all of them offered", elapsed, "ms");
    Report("  longest time the window does not respond", longestStep, "ms");
}

// The box fills piece by piece while the event loop runs: the longest single step is how long the
// window stops responding.
void ShowInTextBox(const char* what, const QByteArray& bytes)
{
    CByteTextEdit box;
    box.resize(400, 300);
    box.show();
    QApplication::processEvents();
    const Clock::time_point start = Clock::now();
    box.SetBytes(bytes);
    double longestStep = MillisecondsSince(start);
    while (!box.HasShownAll()) {
        const Clock::time_point stepStart = Clock::now();
        QApplication::processEvents();
        longestStep = std::max(longestStep, MillisecondsSince(stepStart));
    }
    QApplication::processEvents();
    const double shown = MillisecondsSince(start);
    std::printf("%s\n", what);
    Report("  longest time the window does not respond", longestStep, "ms");
    Report("  all of it in the box", shown, "ms");
}

QByteArray NameLines(qsizetype size)
{
    QByteArray lines;
    for (int i = 0; lines.size() < size; ++i) {
        lines += "name" + QByteArray::number(i) + ".com\r\n";
    }
    return lines;
}

// Bytes that are no text (invalid UTF-8, control and Latin-1 characters) and no line break: what
// a binary file holds up to its first zero byte, at its worst.
QByteArray OneLineOfBinary(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    std::uint32_t state = 12345;
    for (char& c : bytes) {
        do {
            state = state * 1664525u + 1013904223u;
            c = static_cast<char>(state >> 24);
        } while (c == '\0' || c == '\r' || c == '\n');
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QByteArray beginning = Words("pre", 2000);
    const QByteArray end = Words("post", 2000);

    FillTheList(beginning, end);
    OfferEveryName("keyword holding \"_\", every name refused (before: 2,383 ms to offer all, "
                   "without response)",
                   "no_name", beginning, end);
    OfferEveryName(
        "words in Latin-1: names in another script, each converted to its A-label until the "
        "list is full",
        "software", Words("pr\xe9", 2000),
        Words("\xfc"
              "ber",
              2000));
    OfferEveryName("keyword typed with its TLD, every padded name refused", "software.com",
                   beginning, end);

    QByteArray lines;
    for (int i = 0; i < 65535; ++i) {
        lines += "name" + QByteArray::number(i) + ".com\r\n";
    }
    ShowInTextBox("show a 65,535-line name file in the box", lines);
    QByteArray oneLine = lines;
    oneLine.replace("\r\n", ",");
    ShowInTextBox("show the same names on one line", oneLine);
    ShowInTextBox("show a 20 MB name file (before: 8,794 ms without response)",
                  NameLines(20 * 1024 * 1024));
    ShowInTextBox("show 4 MB of binary on one line (before: 5,171 ms without response)",
                  OneLineOfBinary(4 * 1024 * 1024));
    return 0;
}
