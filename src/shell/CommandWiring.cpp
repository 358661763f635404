#include "shell/CommandWiring.h"

#include "names/NameCommands.h"
#include "shell/ExportCommands.h"
#include "shell/MainFrame.h"
#include "shell/OptionsDialog.h"
#include "shell/RdapUpdateCommand.h"
#include "shell/TLDSetupDialog.h"
#include "shell/WebCommands.h"
#include "view/DomainView.h"

void BindFeatureCommands(CMainFrame& frame)
{
    new CExportCommands(frame);
    new CWebCommands(frame);
    new CRdapUpdateCommand(frame);
    CDomainDoc& doc = frame.GetDocument();
    frame.Bind(Command::AddNames, [&frame, &doc] { RunAddNamesCommand(&frame, doc); });
    frame.Bind(Command::ConstructNames, [&frame, &doc] { RunConstructNamesCommand(&frame, doc); });
    frame.Bind(Command::NewListWizard, [&frame, &doc] { RunNewListWizard(&frame, doc); });
    CLookupScheduler& scheduler = frame.GetScheduler();
    frame.Bind(Command::Options, [&frame, &scheduler] { RunOptionsCommand(&frame, scheduler); });
    frame.Bind(Command::SetupDomains, [&frame, &doc, &scheduler] {
        RunSetupDomainsCommand(&frame, doc.GetTLDList(), scheduler);
    });
}
