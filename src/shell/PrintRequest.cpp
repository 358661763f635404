#include "shell/PrintRequest.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "shell/DocumentCommands.h"
#include "shell/ListPrinting.h"
#include "view/UserPrompt.h"

#include <QFileInfo>
#include <QPrinter>

namespace {

constexpr char kPrintToFileVariable[] = "QUILLON_PRINT_TO_FILE";

ListPrinting::Outcome PrintDocument(const CDomainDoc& doc)
{
    QPrinter printer(QPrinter::HighResolution);
    const QString title = CDocumentCommands::TitleOf(doc);
    const QString pdf = qEnvironmentVariable(kPrintToFileVariable);
    if (pdf.isEmpty()) {
        return ListPrinting::PrintThroughDialog(printer, doc, title, nullptr);
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return ListPrinting::Print(printer, doc, title);
}

} // namespace

int RunPrintRequest(const QString& file)
{
    CTLDList tlds;
    tlds.LoadTLDList();
    CDomainDoc doc(tlds, AnalyseStoredAnswer);
    const QString path = QFileInfo(file).absoluteFilePath();
    const CFileResult read = doc.OnOpenDocument(path);
    if (!read.Ok()) {
        CUserPrompt::Warning(nullptr, CDocumentCommands::UnreadableText(path, read));
        return 1;
    }
    if (PrintDocument(doc) == ListPrinting::Outcome::Failed) {
        CUserPrompt::Warning(nullptr, ListPrinting::FailureText());
        return 1;
    }
    return 0;
}
