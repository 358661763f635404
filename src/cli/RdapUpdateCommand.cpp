#include "cli/CliCommand.h"
#include "cli/CliOutput.h"
#include "cli/CommandLine.h"

#include "core/ByteText.h"
#include "core/Settings.h"
#include "lookup/HttpTransfer.h"
#include "lookup/RdapBootstrap.h"

namespace {

const QString kCommand = QStringLiteral("rdap-update");

} // namespace

int RunRdapUpdateCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption urlOption(
        QStringLiteral("url"),
        QStringLiteral("Where to fetch the file (default: the \"RDAP Bootstrap URL\" setting, %1).")
            .arg(QLatin1String(Setting::RdapBootstrapURL.defaultValue)),
        QStringLiteral("URL"), GetSetting(Setting::RdapBootstrapURL));
    parser.addOption(urlOption);
    int exitCode = ExitCode::kOk;
    if (!ParseCommandLine(parser, kCommand,
                          QStringLiteral("Usage: quillon-cli rdap-update [--url URL]\n"
                                         "Fetches IANA's list of RDAP servers into the data "
                                         "folder, which lookups use from then on. A failed or "
                                         "bad download keeps the copy in use."),
                          arguments, exitCode)) {
        return exitCode;
    }
    CHttpTransfer transfer;
    const CBootstrapUpdate update =
        UpdateRdapBootstrap(transfer, ByteText::Encode(parser.value(urlOption)),
                            CLookupTimeouts::FromSettings(), ExtraTrustedCaFile());
    if (!update.ok) {
        CliOutput::Error(update.message);
        return ExitCode::kFailure;
    }
    CliOutput::WriteLine(update.message.toUtf8());
    return ExitCode::kOk;
}
