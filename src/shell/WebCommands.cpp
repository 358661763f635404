#include "shell/WebCommands.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "export/ExportFileChoice.h"
#include "shell/MainFrame.h"
#include "shell/RegistrarURLDialog.h"
#include "view/DomainView.h"
#include "view/UserPrompt.h"

CWebCommands::CWebCommands(CMainFrame& frame)
    : QObject(&frame)
    , m_frame(frame)
    , m_actions(*this, frame.GetDocument().GetTLDList())
{
    CDomainDoc& doc = m_frame.GetDocument();
    m_frame.Bind(Command::BrowseWebsite,
                 [this, &doc] { m_actions.BrowseWebsite(doc, HighlightedRow()); });
    m_frame.Bind(Command::TrademarkLookup,
                 [this, &doc] { m_actions.LookUpTrademark(doc, HighlightedRow()); });
    m_frame.Bind(Command::PaymentStatus,
                 [this, &doc] { m_actions.CheckPaymentStatus(doc, HighlightedRow()); });
    m_frame.Bind(Command::HelpTopics, [this] { m_actions.OpenHelpTopics(); });
    m_frame.Bind(Command::CustomerSupport, [this] { m_actions.OpenCustomerSupport(); });
    m_frame.Bind(Command::ReportFull, [this] { SaveReport(HtmlReport::Kind::Full); });
    m_frame.Bind(Command::ReportSummary, [this] { SaveReport(HtmlReport::Kind::Summary); });
    connect(&m_frame.GetView(), &CDomainView::SupportRequested, this,
            [this] { m_actions.OpenCustomerSupport(); });
    connect(&m_frame.GetView(), &CDomainView::RegisterRequested, this,
            [this, &doc] { m_actions.OpenRegistrarPage(doc, HighlightedRow()); });
}

PromptAnswer CWebCommands::Ask(const CPrompt& prompt)
{
    if (prompt.buttons == CPrompt::Buttons::Ok) {
        CUserPrompt::Information(&m_frame, prompt.text);
        return PromptAnswer::Ok;
    }
    return CUserPrompt::Question(&m_frame, prompt.text, QMessageBox::Yes | QMessageBox::No) ==
                   QMessageBox::Yes
               ? PromptAnswer::Yes
               : PromptAnswer::No;
}

std::optional<CRegistrarChoice> CWebCommands::AskRegistrarURL(const CRegistrarDialogStart& start)
{
    CRegistrarURLDialog dialog(start, &m_frame);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.GetChoice();
}

void CWebCommands::SaveReport(HtmlReport::Kind kind)
{
    const CExportFileChoice& choice = HtmlReport::FileChoice();
    const QString path =
        CUserPrompt::SaveFileName(&m_frame, QStringLiteral("Save As"), choice.InitialFileName(),
                                  choice.Filter(), choice.DefaultSuffix());
    if (!path.isEmpty()) {
        m_actions.SaveReport(m_frame.GetDocument(), path, kind);
    }
}

int CWebCommands::HighlightedRow() const
{
    return m_frame.GetView().GetCurrentIndex();
}
