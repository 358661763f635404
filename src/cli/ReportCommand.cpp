#include "cli/CliCommand.h"
#include "cli/CliOutput.h"
#include "cli/CommandLine.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "export/HtmlReport.h"
#include "lookup/AnswerAnalysis.h"

namespace {

const QString kCommand = QStringLiteral("report");

} // namespace

int RunReportCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption fullOption(
        QStringLiteral("full"),
        QStringLiteral("Show each taken entry's WHOIS record, without the registry's terms of use "
                       "and contact details."));
    const QCommandLineOption summaryOption(
        QStringLiteral("summary"),
        QStringLiteral("Show each entry's status in a word: Already Registered, AVAILABLE or "
                       "Unknown."));
    parser.addOption(fullOption);
    parser.addOption(summaryOption);
    parser.addPositionalArgument(QStringLiteral("DOC.zul"),
                                 QStringLiteral("The document whose ticked entries are reported."));
    parser.addPositionalArgument(
        QStringLiteral("OUT.htm"),
        QStringLiteral("The report to write; an existing file is replaced."));
    int exitCode = ExitCode::kOk;
    if (!ParseCommandLine(
            parser, kCommand,
            QStringLiteral("Usage: quillon-cli report --full|--summary DOC.zul OUT.htm\n"
                           "Writes the HTML report of the document's ticked entries, as the "
                           "window's Reports menu does."),
            arguments, exitCode)) {
        return exitCode;
    }
    if (parser.isSet(fullOption) == parser.isSet(summaryOption)) {
        return CliOutput::UsageError(kCommand, QStringLiteral("choose --full or --summary."));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2) {
        return CliOutput::UsageError(
            kCommand, QStringLiteral("give the document and the report file, in that order."));
    }
    const QString& docPath = files[0];
    const QString& reportPath = files[1];

    CTLDList tlds;
    CDomainDoc doc(tlds, AnalyseStoredAnswer);
    const CFileResult read = doc.OnOpenDocument(docPath);
    if (!read.Ok()) {
        CliOutput::Error(QStringLiteral("%1: %2").arg(docPath, read.Message()));
        return ExitCode::kFailure;
    }
    if (!HtmlReport::HasTickedEntries(doc.GetEntries())) {
        CliOutput::Error(
            QStringLiteral("%1: no entry is ticked, so there is nothing to report.").arg(docPath));
        return ExitCode::kFailure;
    }
    const HtmlReport::Kind kind =
        parser.isSet(fullOption) ? HtmlReport::Kind::Full : HtmlReport::Kind::Summary;
    const CFileResult written = HtmlReport::Write(doc.GetEntries(), reportPath, kind);
    if (!written.Ok()) {
        CliOutput::Error(written.Message());
        return ExitCode::kFailure;
    }
    return ExitCode::kOk;
}
