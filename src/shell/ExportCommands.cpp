#include "shell/ExportCommands.h"

#include "core/DomainDoc.h"
#include "export/DatabaseExport.h"
#include "export/ExportFileChoice.h"
#include "export/TextExport.h"
#include "shell/DocumentCommands.h"
#include "shell/ListPrinting.h"
#include "shell/MainFrame.h"
#include "view/UserPrompt.h"

#include <QPageRanges>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

// The print dialog leaves the pages last printed on the printer; a preview shows the whole list.
void ChooseEveryPage(QPrinter& printer)
{
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
}

} // namespace

CExportCommands::CExportCommands(CMainFrame& frame)
    : QObject(&frame)
    , m_frame(frame)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_frame.Bind(Command::ExportSelectedText, [this] { ExportSelectedText(); });
    m_frame.Bind(Command::ExportFreeText, [this] { ExportFreeText(); });
    m_frame.Bind(Command::ExportDatabase, [this] { ExportDatabase(); });
    m_frame.Bind(Command::Print, [this] { Print(); });
    m_frame.Bind(Command::PrintPreview, [this] { PrintPreview(); });
    m_frame.Bind(Command::PrintSetup, [this] { PrintSetup(); });
}

CExportCommands::~CExportCommands() = default;

void CExportCommands::ExportSelectedText()
{
    const QString path = ChooseFile(CExportFileChoice::Text());
    if (!path.isEmpty()) {
        CUserPrompt::Information(
            &m_frame,
            ExportTextFile(m_frame.GetDocument(), path, TextExportMode::SelectedNames).Message());
    }
}

void CExportCommands::ExportFreeText()
{
    const QString path = ChooseFile(CExportFileChoice::Text());
    if (!path.isEmpty()) {
        CUserPrompt::Information(
            &m_frame,
            ExportTextFile(m_frame.GetDocument(), path, TextExportMode::AvailableNames).Message());
    }
}

void CExportCommands::ExportDatabase()
{
    const QString path = ChooseFile(CExportFileChoice::Database());
    if (!path.isEmpty()) {
        CUserPrompt::Information(&m_frame, ::ExportDatabase(m_frame.GetDocument(), path).Message());
    }
}

void CExportCommands::Print()
{
    const CDomainDoc& doc = m_frame.GetDocument();
    if (ListPrinting::PrintThroughDialog(*m_printer, doc, CDocumentCommands::TitleOf(doc),
                                         &m_frame) == ListPrinting::Outcome::Failed) {
        CUserPrompt::Warning(&m_frame, ListPrinting::FailureText());
    }
}

void CExportCommands::PrintPreview()
{
    const CListPrinter printer = ListPrinting::ListPrinterFor(m_frame.GetDocument());
    ChooseEveryPage(*m_printer);
    QPrintPreviewDialog dialog(m_printer.get(), &m_frame);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&printer](QPrinter* target) { printer.Print(*target); });
    dialog.exec();
}

void CExportCommands::PrintSetup()
{
    QPageSetupDialog dialog(m_printer.get(), &m_frame);
    dialog.exec();
}

QString CExportCommands::ChooseFile(const CExportFileChoice& choice)
{
    const QString path =
        CUserPrompt::SaveFileName(&m_frame, QStringLiteral("Save As"), choice.InitialFileName(),
                                  choice.Filter(), choice.DefaultSuffix());
    if (!path.isEmpty()) {
        choice.Remember(path);
    }
    return path;
}
