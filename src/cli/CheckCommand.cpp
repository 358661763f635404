#include "cli/CheckRun.h"
#include "cli/CliCommand.h"
#include "cli/CliOutput.h"
#include "cli/CommandLine.h"
#include "cli/InterruptNotifier.h"

#include "core/ByteText.h"
#include "core/DomainDoc.h"
#include "core/DomainName.h"
#include "core/NameTokens.h"
#include "core/ObjectArray.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/LookupScheduler.h"
#include "lookup/StatusLine.h"

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace {

constexpr int kInterruptedExit = 130;
const QString kCommand = QStringLiteral("check");

struct CheckOptions {
    QStringList names;
    QString namesFile;
    QString document;
    QString tldFile;
    QString tldImport;
    QString tlds;
    std::optional<int> connections;
    std::optional<double> interval;
    std::optional<double> timeout;
    bool noDns = false;
};

enum class Number { Whole, Decimal };

// A number option within its bounds; false after reporting a usage error.
bool ReadNumber(const QCommandLineParser& parser, const QCommandLineOption& option, Number kind,
                double minimum, double maximum, std::optional<double>& value, int& exitCode)
{
    if (!parser.isSet(option)) {
        return true;
    }
    bool ok = false;
    const QString text = parser.value(option);
    const double number = kind == Number::Whole ? text.toInt(&ok) : text.toDouble(&ok);
    if (!ok || !std::isfinite(number) || number < minimum || number > maximum) {
        exitCode = CliOutput::UsageError(
            kCommand, QStringLiteral("--%1 takes a %2 from %3 to %4, not '%5'.")
                          .arg(option.names().constLast(), kind == Number::Whole
                                                               ? QStringLiteral("whole number")
                                                               : QStringLiteral("number"))
                          .arg(minimum)
                          .arg(maximum)
                          .arg(text));
        return false;
    }
    value = number;
    return true;
}

bool LoadTable(CTLDList& table, const CheckOptions& options, int& exitCode)
{
    if (!options.tldFile.isEmpty()) {
        if (!QFile::exists(options.tldFile)) {
            CliOutput::Error(QStringLiteral("%1: no such file.").arg(options.tldFile));
            exitCode = ExitCode::kFailure;
            return false;
        }
        const CFileResult read = table.ReadFile(options.tldFile);
        if (!read.Ok()) {
            CliOutput::Error(read.Message());
            exitCode = ExitCode::kFailure;
            return false;
        }
    } else if (const CFileResult read = table.LoadTLDList(); !read.Ok()) {
        CliOutput::Error(read.Message());
    }
    if (!options.tldImport.isEmpty()) {
        QFile file(options.tldImport);
        if (!file.open(QIODevice::ReadOnly)) {
            CliOutput::Error(QStringLiteral("%1: %2").arg(options.tldImport, file.errorString()));
            exitCode = ExitCode::kFailure;
            return false;
        }
        table.ImportTLDText(file.readAll());
    }
    return true;
}

// The TLDs bare names are combined with: those given, in the table's spelling, or else the
// table's choice for new names.
QByteArrayList TLDsForBareNames(const CTLDList& table, const QString& given)
{
    if (given.isEmpty()) {
        return TLDsForNewNames(table);
    }
    QByteArrayList tlds;
    for (const QString& tld : given.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QByteArray text = tld.trimmed().toUtf8();
        const CTLDInfo* entry = table.FindTLD(text);
        tlds.append(entry ? entry->m_strTLD : text);
    }
    return tlds;
}

void ReportSkipped(QByteArrayView name, const QString& reason, int& refused)
{
    CliOutput::Error(QStringLiteral("skipped '%1': %2")
                         .arg(ByteText::Decode(ByteText::EscapeControls(name, "\t")), reason));
    ++refused;
}

// Why a name the list has room for is refused: IDNA's reason, or else the list's rules.
QString InvalidNameReason(QByteArrayView name)
{
    const CNameConversion ascii = DomainName::ToAscii(name.trimmed());
    return ascii.Ok() ? QStringLiteral("not a domain name under a TLD of the table.")
                      : ascii.Reason();
}

// Admits the names a token stands for, before any lookup starts; a name already listed is looked
// up with the list. Each name refused is reported and counted in `refused`: one the list has no
// room for by itself, a token that gives no valid name at all as the user wrote it.
void AdmitToken(CDomainDoc& doc, QByteArrayView token, const QByteArrayList& tlds, int& refused)
{
    QByteArrayList names = NamesOfToken(doc.GetTLDList(), token, tlds);
    if (names.isEmpty()) {
        names.append(token.toByteArray()); // a bare name with no TLD to take
    }
    QByteArrayList invalid;
    for (const QByteArray& name : std::as_const(names)) {
        if (doc.LookupName(name) || doc.AdmitName(name)) {
            continue;
        }
        if (doc.GetCount() >= doc.GetMaxEntries()) {
            ReportSkipped(name,
                          QStringLiteral("the list is full; a .zul file holds at most %1 entries.")
                              .arg(QLocale().toString(qint64{ObjectArray::kMaxCount})),
                          refused);
        } else {
            invalid.append(name);
        }
    }
    if (invalid.size() == names.size()) {
        invalid = {token.toByteArray()};
    }
    for (const QByteArray& name : std::as_const(invalid)) {
        ReportSkipped(name, InvalidNameReason(name), refused);
    }
}

// Adds the names given to the list; false when the names file cannot be read.
bool AddNames(CDomainDoc& doc, const CheckOptions& options, int& refused, int& exitCode)
{
    QByteArray text = options.names.join(QLatin1Char(' ')).toUtf8();
    if (!options.namesFile.isEmpty()) {
        QFile file(options.namesFile);
        if (!file.open(QIODevice::ReadOnly)) {
            CliOutput::Error(QStringLiteral("%1: %2").arg(options.namesFile, file.errorString()));
            exitCode = ExitCode::kFailure;
            return false;
        }
        text += '\n' + file.readAll();
    }
    const QByteArrayList tlds = TLDsForBareNames(doc.GetTLDList(), options.tlds);
    for (const QByteArrayView token : SplitNameTokens(text)) {
        AdmitToken(doc, token, tlds, refused);
    }
    return true;
}

void ApplyPacing(CLookupScheduler& scheduler, const CheckOptions& options)
{
    using namespace std::chrono;
    scheduler.SetMaxConnections(options.connections.value_or(
        std::clamp(GetSetting(Setting::MaxConnections), CLookupScheduler::kMinConnections,
                   CLookupScheduler::kMaxConnections)));
    if (options.interval) {
        scheduler.SetInterval(milliseconds(std::llround(*options.interval * 1000)));
    }
    if (options.timeout) {
        const milliseconds timeout(std::llround(*options.timeout * 1000));
        scheduler.SetTimeouts({timeout, timeout, timeout});
    }
    if (options.noDns) {
        scheduler.SetDnsFirst({});
    }
}

// "1 name skipped", "2 throttled answers"; nothing for none.
QString CountText(int count, const char* one, const char* many)
{
    if (count == 0) {
        return {};
    }
    return QStringLiteral(", %1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

// The list's counts, what DNS saved, the names given that were refused and the throttled answers.
QString RunSummary(const CDomainDoc& doc, const CDnsTally& dns, int refused, int throttles)
{
    return SummaryText(CListCounts::Of(doc, dns)) +
           CountText(refused, "name skipped", "names skipped") +
           CountText(throttles, "throttled answer", "throttled answers");
}

bool AllDecided(const CDomainDoc& doc)
{
    return std::all_of(doc.GetEntries().begin(), doc.GetEntries().end(), [](const auto& entry) {
        return entry->m_nStatus == STATUS_TAKEN || entry->m_nStatus == STATUS_AVAILABLE;
    });
}

} // namespace

int RunCheckCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption input(QStringLiteral("i"), QStringLiteral("Read names from FILE."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption document(
        QStringLiteral("document"),
        QStringLiteral("Look up the entries of a .zul document (created when missing) and save "
                       "the results into it."),
        QStringLiteral("FILE.zul"));
    const QCommandLineOption tld(
        QStringLiteral("tld"),
        QStringLiteral("TLDs for bare names, e.g. com,net (default: the table's choice)."),
        QStringLiteral("LIST"));
    const QCommandLineOption tldFile(QStringLiteral("tld-file"),
                                     QStringLiteral("Use this TLD table instead of zul.tld."),
                                     QStringLiteral("zul.tld"));
    const QCommandLineOption tldImport(
        QStringLiteral("tld-import"),
        QStringLiteral("Add \"tld: server\" lines (a WHOIS server or an RDAP base URL) from FILE "
                       "to the table for this run."),
        QStringLiteral("FILE"));
    const QCommandLineOption connections(QStringLiteral("connections"),
                                         QStringLiteral("Lookups at once, 1 to 40."),
                                         QStringLiteral("N"));
    const QCommandLineOption interval(
        QStringLiteral("interval"),
        QStringLiteral("Seconds between rounds of new lookups, at least 0.1."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption timeout(
        QStringLiteral("timeout"),
        QStringLiteral("Seconds a try may take: to resolve and connect to the server, to wait "
                       "for more of its answer, and as a whole."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("text, tsv, csv or json."),
                                    QStringLiteral("FORMAT"), QStringLiteral("text"));
    const QCommandLineOption record(QStringLiteral("record"),
                                    QStringLiteral("Print each name's WHOIS record too."));
    const QCommandLineOption noDns(
        QStringLiteral("no-dns"),
        QStringLiteral("Ask the WHOIS server about every name, also those DNS shows delegated "
                       "(by default a delegated name is taken without a registry query, as the "
                       "\"Check DNS First\" and \"DNS Server\" settings say)."));
    parser.addOptions({input, document, tld, tldFile, tldImport, connections, interval, timeout,
                       format, record, noDns});
    parser.addPositionalArgument(QStringLiteral("NAME"),
                                 QStringLiteral("Names to look up; bare names get the TLDs."),
                                 QStringLiteral("[NAME...]"));
    int exitCode = ExitCode::kOk;
    if (!ParseCommandLine(
            parser, kCommand,
            QStringLiteral("Usage: quillon-cli check [options] [NAME...]\n"
                           "Asks DNS first whether each name is delegated, which makes it taken, "
                           "looks the others up on their WHOIS or RDAP servers and prints each "
                           "verdict as it arrives, then the summary on standard error: the "
                           "counts, how many names DNS settled and registry queries that saved, "
                           "and the throttled answers. tsv, csv and json give each verdict's "
                           "source: dns, whois or rdap.\n"
                           "Exit status: 0 every name has a verdict, 1 some lookups failed, a "
                           "name was skipped or the document was not saved, 2 usage error, 130 "
                           "interrupted (the document was saved)."),
            arguments, exitCode)) {
        return exitCode;
    }

    CheckOptions options{parser.positionalArguments(),
                         parser.value(input),
                         parser.value(document),
                         parser.value(tldFile),
                         parser.value(tldImport),
                         parser.value(tld),
                         std::nullopt,
                         std::nullopt,
                         std::nullopt,
                         parser.isSet(noDns)};
    std::optional<double> connectionCount;
    if (!ReadNumber(parser, connections, Number::Whole, CLookupScheduler::kMinConnections,
                    CLookupScheduler::kMaxConnections, connectionCount, exitCode) ||
        !ReadNumber(parser, interval, Number::Decimal, 0.1, 86400, options.interval, exitCode) ||
        !ReadNumber(parser, timeout, Number::Decimal, 0.1, 86400, options.timeout, exitCode)) {
        return exitCode;
    }
    if (connectionCount) {
        options.connections = static_cast<int>(*connectionCount);
    }
    const std::optional<CResultFormat> resultFormat =
        CResultFormat::FromName(parser.value(format), parser.isSet(record));
    if (!resultFormat) {
        return CliOutput::UsageError(
            kCommand, QStringLiteral("unknown format '%1'; use text, tsv, csv or json.")
                          .arg(parser.value(format)));
    }
    if (options.names.isEmpty() && options.namesFile.isEmpty() && options.document.isEmpty()) {
        return CliOutput::UsageError(kCommand,
                                     QStringLiteral("give names, -i FILE or --document FILE.zul."));
    }
    CTLDList tlds;
    if (!LoadTable(tlds, options, exitCode)) {
        return exitCode;
    }

    CDomainDoc doc(tlds, AnalyseStoredAnswer);
    // The window's list limit does not apply to a run over names the user listed; a document
    // takes no more than its file holds, so the names beyond are refused before any lookup.
    doc.SetMaxEntries(options.document.isEmpty() ? std::numeric_limits<int>::max()
                                                 : static_cast<int>(ObjectArray::kMaxCount));
    // A document that does not exist yet is created with the names given.
    if (!options.document.isEmpty() && QFile::exists(options.document)) {
        if (const CFileResult opened = doc.OnOpenDocument(options.document); !opened.Ok()) {
            CliOutput::Error(QStringLiteral("%1: %2").arg(options.document, opened.Message()));
            return ExitCode::kFailure;
        }
    }
    int refused = 0;
    if (!AddNames(doc, options, refused, exitCode)) {
        return exitCode;
    }

    // From here to the end no signal kills the run: the first stops the lookups, and any that
    // comes during the save waits for it.
    CInterruptNotifier interrupts;
    bool interrupted = false;
    int throttles = 0;
    CDnsTally dns;
    {
        CLookupScheduler scheduler(doc);
        ApplyPacing(scheduler, options);
        CCheckRun run(doc, scheduler, *resultFormat, interrupts);
        interrupted = run.Exec();
        throttles = scheduler.ThrottleCount();
        dns = scheduler.GetDnsTally();
    }

    const QByteArray summary = RunSummary(doc, dns, refused, throttles).toUtf8() + '\n';
    std::fputs(summary.constData(), stderr);
    if (!options.document.isEmpty()) {
        if (const CFileResult saved = doc.OnSaveDocument(options.document); !saved.Ok()) {
            CliOutput::Error(QStringLiteral("%1: the results were not saved: %2")
                                 .arg(options.document, saved.Message()));
            return ExitCode::kFailure;
        }
    }
    if (interrupts.TakeArrived() || interrupted) {
        return kInterruptedExit;
    }
    return AllDecided(doc) && refused == 0 ? ExitCode::kOk : ExitCode::kFailure;
}
