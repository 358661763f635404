#include "cli/CliCommand.h"
#include "cli/CliOutput.h"
#include "cli/CommandLine.h"

#include "core/DomainDoc.h"
#include "core/SaveFile.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "export/ListPrinter.h"
#include "lookup/AnswerAnalysis.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

const QString kCommand = QStringLiteral("print");

// A sheet of A4 with a quarter inch all round, where a printer's unprintable edge would be.
QPageLayout PdfPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                       QPageLayout::Point);
}

} // namespace

int RunPrintCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption linesOption(
        QStringLiteral("lines"),
        QStringLiteral("Entries per page (default: the \"Print Lines\" setting)."),
        QStringLiteral("N"));
    parser.addOption(linesOption);
    parser.addPositionalArgument(QStringLiteral("DOC.zul"),
                                 QStringLiteral("The document whose list to print."));
    parser.addPositionalArgument(QStringLiteral("OUT.pdf"),
                                 QStringLiteral("The PDF file to write."));
    int exitCode = ExitCode::kOk;
    if (!ParseCommandLine(parser, kCommand,
                          QStringLiteral("Usage: quillon-cli print [--lines N] DOC.zul OUT.pdf\n"
                                         "Prints the whole list of a document to a PDF file, page "
                                         "by page as the window prints it, and says how many "
                                         "pages were written."),
                          arguments, exitCode)) {
        return exitCode;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2) {
        return CliOutput::UsageError(
            kCommand, QStringLiteral("give the document and the PDF file to write."));
    }
    int printLines = GetSetting(Setting::PrintLines);
    if (parser.isSet(linesOption)) {
        bool ok = false;
        printLines = parser.value(linesOption).toInt(&ok);
        if (!ok || printLines < 1) {
            return CliOutput::UsageError(
                kCommand, QStringLiteral("--lines takes a whole number of at least 1."));
        }
    }
    const QString& documentPath = files[0];
    const QString& pdfPath = files[1];

    CTLDList tlds;
    CDomainDoc doc(tlds, AnalyseStoredAnswer);
    if (const CFileResult read = doc.OnOpenDocument(documentPath); !read.Ok()) {
        CliOutput::Error(QStringLiteral("%1: %2").arg(documentPath, read.Message()));
        return ExitCode::kFailure;
    }
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly)) {
        CliOutput::Error(QStringLiteral("%1: %2").arg(pdfPath, file.errorString()));
        return ExitCode::kFailure;
    }
    QPdfWriter writer(&file);
    writer.setPageLayout(PdfPageLayout());
    writer.setCreator(QStringLiteral("Quillon"));
    writer.setTitle(QFileInfo(documentPath).fileName());
    const std::optional<int> pages =
        CListPrinter(doc, printLines, QDate::currentDate()).Print(writer);
    const CFileResult saved =
        pages ? SaveFile::Commit(file) : CFileResult::Failure(file.errorString());
    if (!saved.Ok()) {
        CliOutput::Error(QStringLiteral("%1: the PDF file could not be written: %2")
                             .arg(pdfPath, saved.Message()));
        return ExitCode::kFailure;
    }
    const QString written = *pages == 1
                                ? QStringLiteral("1 page written to %1").arg(pdfPath)
                                : QStringLiteral("%1 pages written to %2").arg(*pages).arg(pdfPath);
    CliOutput::WriteLine(written.toUtf8());
    return ExitCode::kOk;
}
