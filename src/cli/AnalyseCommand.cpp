#include "cli/CliCommand.h"
#include "cli/CliOutput.h"
#include "cli/CommandLine.h"

#include "core/ByteText.h"
#include "core/DomainInfo.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/HttpTransfer.h"
#include "lookup/RdapRecord.h"
#include "lookup/ReceiveBuffer.h"
#include "lookup/WhoisClient.h"

#include <QFile>

namespace {

const QString kCommand = QStringLiteral("analyse");
// Queries for a name whose TLD the table lacks go to the server of com.
const QByteArray kFallbackName = QByteArrayLiteral("example.com");

// The server the query client would name in its first line: the TLD table's server for the name.
QByteArray DefaultServer(const QByteArray& name)
{
    CTLDList table;
    table.LoadTLDList();
    const QByteArray server = table.GetServerForName(name);
    return server.isEmpty() ? table.GetServerForName(kFallbackName) : server;
}

// A first lookup of `name` (no failures before it) to which the server sent `answer`: received,
// cleaned and analysed as the worker does.
CDomainInfo AnalysedLookup(const QByteArray& server, const QByteArray& name,
                           const QByteArray& answer, Strip strip)
{
    CDomainInfo record(name);
    record.m_strInfo =
        ReceiveBuffer::AppendAsReceived(CWhoisClient::FirstLine(server, name), answer);
    CleanAnswer(record, strip);
    AnalyseAnswer(record, STATUS_ERROR_1);
    return record;
}

// A first lookup of `name` whose RDAP server answered `body` with `status`, rendered and analysed
// as the worker does.
CDomainInfo AnalysedRdapLookup(const QByteArray& server, const QByteArray& name, long status,
                               const QByteArray& body, Strip strip)
{
    CDomainInfo record(name);
    const CHttpResponse response{CHttpResponse::Outcome::Answered, status, body, {}, {}};
    const RdapRecord::Notices notices =
        strip == Strip::Yes ? RdapRecord::Notices::Drop : RdapRecord::Notices::Keep;
    record.m_strInfo = RdapRecord::Render({server, name, {}, notices}, response);
    AnalyseAnswer(record, STATUS_ERROR_1);
    return record;
}

} // namespace

int RunAnalyseCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption noStripOption(
        QStringLiteral("no-strip"),
        QStringLiteral("Keep the registries' disclaimers, as with \"Strip Output\" off."));
    const QCommandLineOption serverOption(
        QStringLiteral("server"),
        QStringLiteral("The WHOIS server named in the answer's first line (default: the TLD "
                       "table's server for the name)."),
        QStringLiteral("host"));
    const QCommandLineOption nameOption(
        QStringLiteral("name"), QStringLiteral("The queried domain name (default: example.com)."),
        QStringLiteral("name"), QString::fromLatin1(kFallbackName));
    const QCommandLineOption rdapOption(
        QStringLiteral("rdap"),
        QStringLiteral("Treat each file as an RDAP server's answer body with this HTTP status."),
        QStringLiteral("STATUS"));
    parser.addOption(noStripOption);
    parser.addOption(rdapOption);
    parser.addOption(serverOption);
    parser.addOption(nameOption);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A WHOIS server's answer, as received."),
                                 QStringLiteral("FILE..."));
    int exitCode = ExitCode::kOk;
    if (!ParseCommandLine(
            parser, kCommand,
            QStringLiteral(
                "Usage: quillon-cli analyse [--no-strip] [--rdap STATUS] [--server HOST] "
                "[--name NAME] FILE...\n"
                "Treats each file as a WHOIS server's answer to a first lookup of the "
                "name, receives, cleans and analyses it as a lookup does (the answer "
                "buffer holds 4095 bytes, and text ends at a zero byte of a received "
                "piece), and prints the status code, the status and the file, "
                "separated by tabs."),
            arguments, exitCode)) {
        return exitCode;
    }
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        return CliOutput::UsageError(kCommand, QStringLiteral("give at least one answer file."));
    }
    bool statusOk = true;
    const long rdapStatus =
        parser.isSet(rdapOption) ? parser.value(rdapOption).toLong(&statusOk) : 0;
    if (!statusOk || (parser.isSet(rdapOption) && (rdapStatus < 100 || rdapStatus > 599))) {
        return CliOutput::UsageError(
            kCommand, QStringLiteral("--rdap takes an HTTP status from 100 to 599, not '%1'.")
                          .arg(parser.value(rdapOption)));
    }
    const Strip strip = parser.isSet(noStripOption) ? Strip::No : Strip::Yes;
    const QByteArray name = ByteText::Encode(parser.value(nameOption));
    const QByteArray server = parser.isSet(serverOption)
                                  ? ByteText::Encode(parser.value(serverOption))
                                  : DefaultServer(name);

    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            CliOutput::Error(QStringLiteral("%1: %2").arg(path, file.errorString()));
            exitCode = ExitCode::kFailure;
            continue;
        }
        const CDomainInfo record =
            parser.isSet(rdapOption)
                ? AnalysedRdapLookup(server, name, rdapStatus, file.readAll(), strip)
                : AnalysedLookup(server, name, file.readAll(), strip);
        CliOutput::WriteLine(QByteArray::number(record.m_nStatus) + '\t' +
                             StatusText(record.m_nStatus) + '\t' +
                             CliOutput::TsvField(ByteText::Encode(path)));
    }
    return exitCode;
}
