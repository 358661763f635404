#include "shell/WebCommands.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "export/ExportFileChoice.h"
#include "shell/MainFrame.h"
#include "shell/RegistrarURLDialog.h"
#include "view/DomainView.h"
#include "view/ListCommands.h"
#include "view/UserPrompt.h"

CWebCommands::CWebCommands(CMainFrame& frame)
    : QObject(&frame)
    , m_frame(frame)
    , m_actions(*this, g_TLDList)
{
    CDomainDoc& doc = m_frame.GetDocument();
    const auto highlighted = [](const CListFacts& facts) {
        return facts.HasCurrent();
    };
    m_frame.Bind(
        Command::BrowseWebsite, [this, &doc] { m_actions.BrowseWebsite(doc, HighlightedRow()); },
        [](const CListFacts& facts) {
            return facts.HasCurrent() && facts.currentStatus != STATUS_AVAILABLE;
        });
    m_frame.Bind(
        Command::TrademarkLookup,
        [this, &doc] { m_actions.LookUpTrademark(doc, HighlightedRow()); }, highlighted);
    m_frame.Bind(
        Command::PaymentStatus,
        [this, &doc] { m_actions.CheckPaymentStatus(doc, HighlightedRow()); }, highlighted);
    m_frame.Bind(Command::HelpTopics, [this] { m_actions.OpenHelpTopics(); });
    m_frame.Bind(Command::CustomerSupport, [this] { m_actions.OpenCustomerSupport(); });
    const auto anyTicked = [](const CListFacts& facts) {
        return facts.anyTicked;
    };
    m_frame.Bind(
        Command::ReportFull, [this] { SaveReport(HtmlReport::Kind::Full); }, anyTicked);
    m_frame.Bind(
        Command::ReportSummary, [this] { SaveReport(HtmlReport::Kind::Summary); }, anyTicked);
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
