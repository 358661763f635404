#include "cli/CliCommand.h"
#include "cli/CliOutput.h"
#include "cli/CommandLine.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "export/DatabaseExport.h"
#include "export/TextExport.h"
#include "lookup/AnswerAnalysis.h"

namespace {

const QString kCommand = QStringLiteral("export");

} // namespace

int RunExportCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption selectedOption(
        QStringLiteral("selected"),
        QStringLiteral("A text file of the ticked entries: \"number, name, status\" lines."));
    const QCommandLineOption freeOption(
        QStringLiteral("free"),
        QStringLiteral("A text file of the available entries, ticked or not: \"number, name\" "
                       "lines."));
    const QCommandLineOption databaseOption(
        QStringLiteral("database"),
        QStringLiteral("The ticked entries into the table \"Domain Names\" of an SQLite database, "
                       "created when the file does not exist."));
    parser.addOptions({selectedOption, freeOption, databaseOption});
    parser.addPositionalArgument(QStringLiteral("DOC.zul"),
                                 QStringLiteral("The document to export from."));
    parser.addPositionalArgument(QStringLiteral("OUT"),
                                 QStringLiteral("The text file or database to write."));
    int exitCode = ExitCode::kOk;
    if (!ParseCommandLine(
            parser, kCommand,
            QStringLiteral("Usage: quillon-cli export --selected|--free DOC.zul OUT.txt\n"
                           "       quillon-cli export --database DOC.zul OUT.db\n"
                           "Exports entries of a document as the window's Export commands do and "
                           "prints how many records were added."),
            arguments, exitCode)) {
        return exitCode;
    }
    const int modes = int(parser.isSet(selectedOption)) + int(parser.isSet(freeOption)) +
                      int(parser.isSet(databaseOption));
    if (modes != 1) {
        return CliOutput::UsageError(
            kCommand, QStringLiteral("choose one of --selected, --free and --database."));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2) {
        return CliOutput::UsageError(kCommand,
                                     QStringLiteral("give the document and the file to write."));
    }
    const QString& documentPath = files[0];
    const QString& outputPath = files[1];

    CTLDList tlds;
    CDomainDoc doc(tlds, AnalyseStoredAnswer);
    if (const CFileResult read = doc.OnOpenDocument(documentPath); !read.Ok()) {
        CliOutput::Error(QStringLiteral("%1: %2").arg(documentPath, read.Message()));
        return ExitCode::kFailure;
    }
    const TextExportMode textMode = parser.isSet(selectedOption) ? TextExportMode::SelectedNames
                                                                 : TextExportMode::AvailableNames;
    const CExportResult result = parser.isSet(databaseOption)
                                     ? ExportDatabase(doc, outputPath)
                                     : ExportTextFile(doc, outputPath, textMode);
    // The window's messages break lines with CR LF; a terminal wants LF.
    QString message = result.Message();
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!result.Ok()) {
        CliOutput::Error(message);
        return ExitCode::kFailure;
    }
    CliOutput::WriteLine(message.toUtf8());
    return ExitCode::kOk;
}
