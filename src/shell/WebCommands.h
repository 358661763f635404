#pragma once

#include "web/WebActionHost.h"
#include "web/WebActions.h"

#include <QObject>

class CMainFrame;

// The window's side of the web lookups, the help and the HTML reports: it binds their commands
// and the view's two buttons, and shows the questions and the registrar dialog they ask for.
class CWebCommands final : public QObject, public CWebActionHost {
    Q_OBJECT

public:
    explicit CWebCommands(CMainFrame& frame);

    PromptAnswer Ask(const CPrompt& prompt) override;
    std::optional<CRegistrarChoice> AskRegistrarURL(const CRegistrarDialogStart& start) override;

private:
    void SaveReport(HtmlReport::Kind kind);
    int HighlightedRow() const;

    CMainFrame& m_frame;
    CWebActions m_actions;
};
